#!/bin/sh
# texts_fit.sh BUILD_DIR DPI: the texts-fit test of win32_tests with the screen at DPI dots per
# inch (96, or 120 for "large fonts"). Wine reads the resolution when a program starts, so the
# setting is made before the run and taken back after it, whatever the outcome.
#
# The program under test starts helpers of Wine's own (the shell's tray) that outlive it and
# inherit its output; the output goes through a file so that ctest does not wait for them.
set -u
build=$1
dpi=$2
wine="$build/wine-exec"
key='HKCU\Control Panel\Desktop'
log="$build/texts-fit-$dpi.log"
restore() { "$wine" reg delete "$key" /v LogPixels /f </dev/null >/dev/null 2>&1; }
trap restore EXIT
if [ "$dpi" != 96 ]; then
  "$wine" reg add "$key" /v LogPixels /t REG_DWORD /d "$dpi" /f </dev/null >/dev/null 2>&1 ||
    exit 1
fi
TEXTS_FIT_DPI=$dpi "$wine" "$build/win32_tests.exe" --gtest_filter='TextsFitTest.*' \
  </dev/null >"$log" 2>&1
result=$?
cat "$log"
exit $result
