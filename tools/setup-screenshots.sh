#!/bin/sh
# setup-screenshots.sh WIN_BUILD_DIR: walks through the interactive setup of `make dist` under
# Wine, as a user clicks through it, and saves a screenshot of each page (welcome, licence,
# folder, progress, finish) and of the program that "Run now" starts, in
# WIN_BUILD_DIR/screenshots/setup-*.png. Uses the installer test's prefix and uninstalls again.
# Runs on a private Xvfb when DISPLAY is not set.
set -u
build=$(cd "$1" && pwd)
top=$(cd "$(dirname "$0")/.." && pwd)
if [ -z "${DISPLAY:-}" ]; then
  exec "$top/tools/with-xvfb.sh" "$0" "$@"
fi
product=$(sed -n 's/^BRAND_PRODUCT:STRING=//p' "$build/CMakeCache.txt")
company=$(sed -n 's/^BRAND_COMPANY:STRING=//p' "$build/CMakeCache.txt")
setup=$(ls "$build"/*-Setup-*.exe 2>/dev/null | head -1)
[ -n "$setup" ] || { echo "setup-screenshots: no setup in $build; run make dist" >&2; exit 1; }
export WINEPREFIX="$build/installer-prefix"
export WINEDEBUG=-all
export WINEDLLOVERRIDES="mscoree,mshtml="
wine=/usr/lib/wine/wine64
driver="$build/desktop_driver.exe"
shots="$build/screenshots"
mkdir -p "$shots"
quiet() { "$@" </dev/null >/dev/null 2>&1; }
shot() { sleep "$2"; import -window root "$shots/setup-$1.png"; }

"$top/cmake/wine-session.sh" start "$WINEPREFIX" || exit 1
trap '"$top/cmake/wine-session.sh" stop "$WINEPREFIX"' EXIT
# The program that "Run now" starts comes up without its first-start questions.
user_key="HKCU\\Software\\VB and VBA Program Settings\\$product\\Settings"
quiet "$wine" reg add "$user_key" /v Language /d English /f
quiet "$wine" reg add "$user_key" /v showHelp /d 0 /f
quiet "$wine" reg add "$user_key" /v ranOneTime /d 1 /f
quiet "$wine" reg add "HKLM\\SOFTWARE\\$company\\$product\\Settings" /v FirstTime /d Yes /f

"$wine" "$setup" &
shot 1-welcome 3
# The default button of each page moves on: Next, I Agree, Install, Finish.
xdotool key Return
shot 2-licence 1.5
xdotool key Return
shot 3-folder 1.5
xdotool key Return
shot 4-progress 0.3
shot 5-finish 3
xdotool key Return
"$wine" "$driver" wait FrmMain 30000 && shot 6-program 1.5
quiet "$wine" "$driver" close FrmMain
sleep 1
quiet "$wine" "C:\\Program Files\\$product\\Uninstall.exe" /S
sleep 3
echo "setup-screenshots: $shots/setup-*.png"
