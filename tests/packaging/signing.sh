#!/bin/sh
# Authenticode signing as a vendor does it, with throw-away certificates made here: sign.sh gives
# the program a signature that osslsigncode verifies against the signing certificate, and that no
# longer verifies once a byte of the program changes, or against another certificate. Signing
# without a certificate or key fails and leaves the file as it was; make-setup.sh refuses half a
# signing configuration.
# Usage: signing.sh BUILD_DIR
set -u
build=$(cd "$1" && pwd)
top=$(cd "$(dirname "$0")/../.." && pwd)
sign="$top/packaging/sign.sh"
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
failures=0
fail() { echo "signing: $*" >&2; failures=$((failures + 1)); }

certificate() {  # certificate NAME: NAME.pem and NAME.key in the work folder
  openssl req -x509 -newkey rsa:2048 -nodes -days 2 -subj "/CN=$1/O=Test Vendor" \
    -addext extendedKeyUsage=codeSigning -keyout "$work/$1.key" -out "$work/$1.pem" \
    >/dev/null 2>&1 || { echo "signing: openssl could not make a certificate" >&2; exit 1; }
}
verifies() {  # verifies FILE CA
  osslsigncode verify -CAfile "$2" -in "$1" >"$work/verify.log" 2>&1
}
certificate vendor
certificate stranger

program="$work/AntiSpyware.exe"
cp "$build/AntiSpyware.exe" "$program" || exit 1
verifies "$program" "$work/vendor.pem" && fail "the unsigned program verifies"

SIGN_CERT="$work/vendor.pem" SIGN_KEY="$work/vendor.key" SIGN_DESCRIPTION="Test Product" \
  SIGN_URL="http://example.invalid" sh "$sign" "$program" || fail "sign.sh failed"
verifies "$program" "$work/vendor.pem" ||
  { cat "$work/verify.log" >&2; fail "the signed program does not verify"; }
grep -q "CN=vendor" "$work/verify.log" || fail "the signature does not name the signer"
[ ! -e "$program.signing" ] || fail "sign.sh left its temporary file"
verifies "$program" "$work/stranger.pem" && fail "the program verifies against another certificate"

tampered="$work/tampered.exe"
cp "$program" "$tampered"
printf 'X' | dd of="$tampered" bs=1 seek=5000 conv=notrunc 2>/dev/null
verifies "$tampered" "$work/vendor.pem" && fail "a changed program still verifies"

unsigned="$work/unsigned.exe"
cp "$build/AntiSpyware.exe" "$unsigned"
SIGN_CERT="" SIGN_KEY="$work/vendor.key" sh "$sign" "$unsigned" 2>/dev/null &&
  fail "sign.sh succeeded without a certificate"
SIGN_CERT="$work/vendor.pem" SIGN_KEY="$work/stranger.key" sh "$sign" "$unsigned" 2>/dev/null &&
  fail "sign.sh succeeded with a key that is not the certificate's"
cmp -s "$build/AntiSpyware.exe" "$unsigned" || fail "a failed signing changed the file"

SIGN_CERT="$work/vendor.pem" SIGN_KEY="" sh "$top/packaging/make-setup.sh" "$build" \
  "$work/setup.exe" 2>/dev/null && fail "make-setup.sh built a setup with a certificate but no key"
[ ! -e "$work/setup.exe" ] && [ ! -e "$work/setup.exe.stage" ] ||
  fail "make-setup.sh left a setup or its staged files behind"

[ "$failures" -eq 0 ] || exit 1
echo "signing: passed"
