#!/bin/sh
# defkeys: a new key prints the build setting (the key OpenSSL reads from the file), prints it
# again from the file, is never written over an existing file, and signs a body into an answer.
# Usage: defkeys_test.sh DEFKEYS
set -u
defkeys=$1
dir=$(mktemp -d)
trap 'rm -rf "$dir"' EXIT
fail() { echo "defkeys_test: $*" >&2; exit 1; }

made=$("$defkeys" generate --key "$dir/key.pem") || fail "generate failed"
echo "$made" | grep -Eq '^-DUPDATE_PUBLIC_KEY=[0-9a-f]{128}$' || fail "generate printed: $made"
[ "$(stat -c %a "$dir/key.pem")" = 600 ] || fail "the private key is readable by others"
[ "$("$defkeys" public --key "$dir/key.pem")" = "$made" ] || fail "public differs from generate"
expected=$(openssl ec -in "$dir/key.pem" -pubout -outform DER 2>/dev/null | tail -c 64 | od -An -tx1 |
  tr -d ' \n')
[ "$made" = "-DUPDATE_PUBLIC_KEY=$expected" ] || fail "not the key's public point: $expected"
"$defkeys" generate --key "$dir/key.pem" >/dev/null 2>&1 && fail "an existing key was replaced"
[ "$("$defkeys" public --key "$dir/key.pem")" = "$made" ] || fail "the key changed"

printf 'body bytes' >"$dir/body"
"$defkeys" sign --key "$dir/key.pem" --kind difference --prog "P Q" --comp C --from 3/16/2006 \
  --server-date "4/1/2006 12:00:00 AM" --body "$dir/body" >"$dir/answer" || fail "sign failed"
head -c 130 "$dir/answer" | head -n 1 | tr -d '\r' | grep -Eq '^[0-9a-f]{128}$' ||
  fail "no signature line"
[ "$(tail -c 10 "$dir/answer")" = "body bytes" ] || fail "the body is not the answer's end"
"$defkeys" sign --key "$dir/key.pem" --kind other --prog P --comp C --server-date d \
  --body "$dir/body" >/dev/null 2>&1 && fail "an unknown kind was signed"
"$defkeys" public --key "$dir/missing.pem" >/dev/null 2>&1 && fail "a missing key was read"
echo "defkeys_test: passed"
