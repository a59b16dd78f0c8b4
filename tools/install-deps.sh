#!/bin/sh
# Installs the Debian packages the two builds, the three test tiers, the benchmarks and the setup
# (help compiler, NSIS, signing, and the help and signature checks) and the fuzz targets (clang
# and its libFuzzer and sanitizer runtimes) need, only those missing.
set -eu
packages="cmake make g++ libgtest-dev googletest libbenchmark-dev mingw-w64
gcc-mingw-w64-x86-64-posix g++-mingw-w64-x86-64-posix wine wine64 fonts-wine xvfb xauth xdotool
imagemagick fp-utils nsis osslsigncode openssl libchm-bin pkg-config libcpp-httplib-dev
libsqlite3-dev libssl-dev clang libclang-rt-14-dev python3"
missing=""
for p in $packages; do
  status=$(dpkg-query -W -f='${Status}' "$p" 2>/dev/null || true)
  case "$status" in
    *"install ok installed"*) ;;
    *) missing="$missing $p" ;;
  esac
done
[ -z "$missing" ] && exit 0
echo "Installing:$missing"
sudo=""
[ "$(id -u)" -eq 0 ] || sudo="sudo"
export DEBIAN_FRONTEND=noninteractive
$sudo apt-get update -qq
# shellcheck disable=SC2086
$sudo apt-get install -y -qq --no-install-recommends $missing
