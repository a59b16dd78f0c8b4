#!/bin/sh
# A scheduled scan in the real program under Xvfb. The program starts in the tray with a schedule
# for today a few seconds ahead and automatic removal on; when the time comes it scans the starter
# definitions by itself and removes the planted demo threat without asking: the toolbar's folder
# and the adware's registry key are gone, the folder is in the quarantine and the log names it,
# and the window is still in the tray (screenshot schedule-tray.png).
# Usage: schedule_tray.sh BUILD_DIR PROGRAM_EXE DRIVER_EXE  (BRAND_PRODUCT, BRAND_COMPANY set)
set -u
build=$1
program=$2
driver=$3
wine="$build/wine-exec"
shots="$build/screenshots"
mkdir -p "$shots"
if [ -z "${DISPLAY:-}" ]; then
  echo "schedule_tray: needs DISPLAY (run under tools/with-xvfb.sh)" >&2
  exit 1
fi
user_key="HKCU\\Software\\VB and VBA Program Settings\\$BRAND_PRODUCT"
machine_key="HKLM\\SOFTWARE\\$BRAND_COMPANY"
threat_key="HKCU\\Software\\Demo Adware"
pid=""

fail() {
  echo "schedule_tray: $*" >&2
  import -window root "$shots/schedule-failure.png" 2>/dev/null
  [ -n "$pid" ] && kill "$pid" 2>/dev/null
  exit 1
}
drive() { "$wine" "$driver" "$@" || fail "driver $*"; }
quiet() { "$@" </dev/null >/dev/null 2>&1; }
setting() { quiet "$wine" reg add "$user_key\\$1" /v "$2" /d "$3" /f; }

# A user past the first start, who left the program in the tray, with one scheduled scan today
# (what the schedule tab stores: a 24-hour time and a year-first date) that removes what it finds.
quiet "$wine" reg delete "$user_key" /f
quiet "$wine" reg delete "$machine_key" /f
setting Settings Language English
setting Settings showHelp 0
setting Settings ranOneTime 1
setting Settings Minimized Yes
setting Settings chkAutoDel 1
quiet "$wine" reg add "$machine_key\\$BRAND_PRODUCT\\Settings" /v FirstTime /d Yes /f
due=$(date -d '+20 seconds' +%s)
setting OptionAndSettings chkAutomaticScanYesOrNo 1
setting OptionAndSettings Day 8
setting OptionAndSettings Date "$(date -d "@$due" +%Y-%m-%d)"
setting OptionAndSettings Time "$(date -d "@$due" +%H:%M:%S)"

roaming="$build/wineprefix/drive_c/users/$(id -un)/AppData/Roaming"
datadir="$roaming/AntiSpywareDAT"
rm -rf "$datadir" "$roaming/Demo Toolbar"
mkdir -p "$datadir" "$roaming/Demo Toolbar"
cp "$build"/AntiSpywareDAT/*.dat "$datadir/" || fail "no starter definitions in $build"
printf '[Toolbar]\r\n' >"$roaming/Demo Toolbar/toolbar.ini"
quiet "$wine" reg add "$threat_key" /v Pop-ups /d many /f

"$wine" "$program" &
pid=$!
drive tray FrmMain 30000
[ -d "$roaming/Demo Toolbar" ] || fail "the threat went before its time"

# Due in about 20 s; the scan and the removal take a few more.
i=0
while [ -d "$roaming/Demo Toolbar" ] || quiet "$wine" reg query "$threat_key"; do
  i=$((i + 1))
  [ "$i" -gt 120 ] && fail "the scheduled scan removed nothing within two minutes"
  sleep 1
done
[ "$(date +%s)" -ge "$due" ] || fail "the scan started before the scheduled second"
find "$datadir/quarantine" -name toolbar.ini | grep -q . || fail "the toolbar is not in the quarantine"
grep -q 'Demo Toolbar' "$datadir/quarantine/QuarantineLog.txt" || fail "the log does not name it"
[ -f "$datadir/Scan_Log.txt" ] || fail "the scheduled scan wrote no report"
drive tray FrmMain 1000
sleep 1
import -window root "$shots/schedule-tray.png" || fail "screenshot"

drive close FrmMain
i=0
while kill -0 "$pid" 2>/dev/null; do
  i=$((i + 1))
  [ "$i" -gt 150 ] && fail "the program did not end after WM_CLOSE"
  sleep 0.1
done
wait "$pid" || fail "the program ended with an error"
pid=""
rm -rf "$roaming/Demo Toolbar" "$datadir"
quiet "$wine" reg delete "$threat_key" /f
quiet "$wine" reg delete "$user_key" /f
quiet "$wine" reg delete "$machine_key" /f
echo "schedule_tray: passed; screenshot in $shots/schedule-tray.png"
