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
script=tray_menu
. "$(dirname "$0")/common.sh"
# gone FORM: waits until FORM is no longer shown.
gone() {
  i=0
  while "$wine" "$driver" wait "$1" 0 >/dev/null 2>&1; do
    i=$((i + 1))
    [ "$i" -gt 200 ] && fail "$1 is still shown"
    sleep 0.1
  done
}

returning_user
fresh_data_folder

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
wait_exit
reset_profile
rm -rf "$datadir"
echo "tray_menu: passed; screenshot in $shots/tray-menu.png"
