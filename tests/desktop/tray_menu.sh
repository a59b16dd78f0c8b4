#!/bin/sh
# The tray icon and its menu in the real program under Xvfb: "Send to Tray" hides the window,
# puts the icon in the notification area and slides the menu up once; a real click on the icon
# slides the menu up again at the lower right, above the task bar (screenshot tray-menu.png);
# "Show Program" brings the window back; a double click on the icon does the same.
# Usage: tray_menu.sh BUILD_DIR PROGRAM_EXE DRIVER_EXE  (BRAND_PRODUCT, BRAND_COMPANY set)
set -u
build=$1
program=$2
driver=$3
wine="$build/wine-exec"
shots="$build/screenshots"
mkdir -p "$shots"
if [ -z "${DISPLAY:-}" ]; then
  echo "tray_menu: needs DISPLAY (run under tools/with-xvfb.sh)" >&2
  exit 1
fi
user_key="HKCU\\Software\\VB and VBA Program Settings\\$BRAND_PRODUCT"
machine_key="HKLM\\SOFTWARE\\$BRAND_COMPANY"
pid=""

fail() {
  echo "tray_menu: $*" >&2
  import -window root "$shots/tray-failure.png" 2>/dev/null
  [ -n "$pid" ] && kill "$pid" 2>/dev/null
  exit 1
}
drive() { "$wine" "$driver" "$@" || fail "driver $*"; }
quiet() { "$@" </dev/null >/dev/null 2>&1; }
# gone FORM: waits until FORM is no longer shown.
gone() {
  i=0
  while "$wine" "$driver" wait "$1" 0 >/dev/null 2>&1; do
    i=$((i + 1))
    [ "$i" -gt 200 ] && fail "$1 is still shown"
    sleep 0.1
  done
}

quiet "$wine" reg delete "$user_key" /f
quiet "$wine" reg delete "$machine_key" /f
quiet "$wine" reg add "$user_key\\Settings" /v Language /d English /f
quiet "$wine" reg add "$user_key\\Settings" /v showHelp /d 0 /f
quiet "$wine" reg add "$user_key\\Settings" /v ranOneTime /d 1 /f
quiet "$wine" reg add "$machine_key\\$BRAND_PRODUCT\\Settings" /v FirstTime /d Yes /f
roaming="$build/wineprefix/drive_c/users/$(id -un)/AppData/Roaming"
datadir="$roaming/AntiSpywareDAT"
rm -rf "$datadir"
mkdir -p "$datadir"
cp "$build"/AntiSpywareDAT/*.dat "$datadir/" || fail "no starter definitions in $build"

"$wine" "$program" &
pid=$!
drive wait FrmMain 30000
drive click FrmMain "Send to Tray"
gone FrmMain
# The menu that "Send to Tray" slides up goes down again by itself after its dwell.
drive wait frmMenuPopUp 10000
gone frmMenuPopUp

drive trayclick - 1
drive wait frmMenuPopUp 10000
sleep 1
import -window root "$shots/tray-menu.png" || fail "screenshot"
set -- $("$wine" "$driver" rect frmMenuPopUp | tr -d '\r')
[ $# -eq 8 ] || fail "no place for the menu"
[ "$3" -ge $(($7 - 40)) ] || fail "the menu's right edge is at $3, the work area's at $7"
[ "$4" -le $(($8 + 2)) ] || fail "the menu reaches $4, below the work area ($8)"
[ "$4" -ge $(($8 - 60)) ] || fail "the menu ends at $4, far above the task bar ($8)"
drive mouseclick frmMenuPopUp "Show Program"
drive wait FrmMain 10000

drive click FrmMain "Send to Tray"
gone FrmMain
drive trayclick - 2
drive wait FrmMain 10000

drive close FrmMain
i=0
while kill -0 "$pid" 2>/dev/null; do
  i=$((i + 1))
  [ "$i" -gt 150 ] && fail "the program did not end after WM_CLOSE"
  sleep 0.1
done
wait "$pid" || fail "the program ended with an error"
pid=""
quiet "$wine" reg delete "$user_key" /f
quiet "$wine" reg delete "$machine_key" /f
rm -rf "$datadir"
echo "tray_menu: passed; screenshot in $shots/tray-menu.png"
