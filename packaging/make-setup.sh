#!/bin/sh
# make-setup.sh BUILD_DIR SETUP_FILE: builds the setup program from a built Windows tree.
# BUILD_DIR holds AntiSpyware.exe, Localization.txt, Help.chm, the starter definitions in
# AntiSpywareDAT/ and, from cmake/Dist.cmake, packaging/installer.nsi and packaging/License.txt.
# With SIGN_CERT and SIGN_KEY set, the program, the uninstaller and the setup are signed
# (see sign.sh for the other SIGN_ settings). `make dist` runs it; so do the tests.
set -eu
build=$(cd "$1" && pwd)
setup=$2
here=$(cd "$(dirname "$0")" && pwd)
case "$setup" in /*) ;; *) setup="$(pwd)/$setup" ;; esac

signing=0
if [ -n "${SIGN_CERT:-}" ] || [ -n "${SIGN_KEY:-}" ]; then
  [ -n "${SIGN_CERT:-}" ] && [ -n "${SIGN_KEY:-}" ] ||
    { echo "make-setup: signing needs both SIGN_CERT and SIGN_KEY" >&2; exit 1; }
  signing=1
fi

# The files go into the setup from one folder, as they are installed; the program is signed
# there, leaving the build's own copy as the linker made it.
stage="$setup.stage"
rm -rf "$stage"
trap 'rm -rf "$stage"' EXIT
mkdir -p "$stage/Definitions"
for f in AntiSpyware.exe Localization.txt Help.chm; do
  cp "$build/$f" "$stage/" || { echo "make-setup: $build/$f is missing; build first" >&2; exit 1; }
done
cp "$build/packaging/License.txt" "$stage/"
cp "$here/../data/icons/app.ico" "$stage/"
for f in FileDefinition DirectoryDefinition RegistryDefinition ExeDefinition BlockedCookies Safety; do
  cp "$build/AntiSpywareDAT/$f.dat" "$stage/Definitions/" ||
    { echo "make-setup: starter definitions missing in $build/AntiSpywareDAT" >&2; exit 1; }
done

set -- -V2 -NOCD "-DSTAGE=$stage" "-DOUTFILE=$setup"
if [ "$signing" = 1 ]; then
  # Absolute paths keep the signing steps inside makensis independent of its working folder.
  case "$SIGN_CERT" in /*) ;; *) SIGN_CERT="$(pwd)/$SIGN_CERT" ;; esac
  case "$SIGN_KEY" in /*) ;; *) SIGN_KEY="$(pwd)/$SIGN_KEY" ;; esac
  export SIGN_CERT SIGN_KEY
  sh "$here/sign.sh" "$stage/AntiSpyware.exe"
  set -- "$@" "-DSIGN_COMMAND=$here/sign.sh"
fi
rm -f "$setup"
makensis "$@" "$build/packaging/installer.nsi"
echo "make-setup: $setup"
