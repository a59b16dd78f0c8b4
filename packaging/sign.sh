#!/bin/sh
# sign.sh FILE: gives a Windows program an Authenticode signature in place, with the vendor's
# certificate SIGN_CERT (PEM or DER, with its chain) and private key SIGN_KEY (PEM or DER).
# Optional: SIGN_PASSWORD (the key's password), SIGN_DESCRIPTION and SIGN_URL (shown by Windows
# in the signature's details), SIGN_TIMESTAMP (a time-stamping server's address, so that the
# signature stays valid after the certificate expires).
# makensis runs it on the uninstaller and the setup; make-setup.sh on the program.
set -eu
file=$1
: "${SIGN_CERT:?sign.sh: SIGN_CERT names no certificate}"
: "${SIGN_KEY:?sign.sh: SIGN_KEY names no private key}"
set -- -certs "$SIGN_CERT" -key "$SIGN_KEY" -h sha256
[ -n "${SIGN_PASSWORD:-}" ] && set -- "$@" -pass "$SIGN_PASSWORD"
[ -n "${SIGN_DESCRIPTION:-}" ] && set -- "$@" -n "$SIGN_DESCRIPTION"
[ -n "${SIGN_URL:-}" ] && set -- "$@" -i "$SIGN_URL"
[ -n "${SIGN_TIMESTAMP:-}" ] && set -- "$@" -ts "$SIGN_TIMESTAMP"
# osslsigncode cannot write over its input.
signed="$file.signing"
rm -f "$signed"
if ! osslsigncode sign "$@" -in "$file" -out "$signed" >/dev/null; then
  rm -f "$signed"
  echo "sign.sh: could not sign $file" >&2
  exit 1
fi
mv -f "$signed" "$file"
