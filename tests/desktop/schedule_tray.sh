#!/bin/sh
# A scheduled scan in the real program under Xvfb. The program starts in the tray with a schedule
# for today a few seconds ahead and automatic removal on; when the time comes it scans the starter
# definitions by itself and removes the planted demo threat without asking: the toolbar's folder
# and the adware's registry key are gone, both are in the quarantine log, the toolbar's file is
# in the quarantine, and the window is still in the tray (screenshot schedule-tray.png).
# Usage: schedule_tray.sh BUILD_DIR PROGRAM_EXE DRIVER_EXE  (BRAND_PRODUCT, BRAND_COMPANY set)
name=schedule_tray
. "$(dirname "$0")/desktop_lib.sh"
threat_key='HKCU\Software\Demo Adware'
setting() { quiet "$wine" reg add "$user_key\\$1" /v "$2" /d "$3" /f; }

# A user who left the program in the tray, with one scheduled scan today that removes what it
# finds (as the schedule tab stores it: a 24-hour time and a year-first date).
past_first_start
setting Settings Minimized Yes
setting Settings chkAutoDel 1
due=$(date -d '+20 seconds' +%s)
setting OptionAndSettings chkAutomaticScanYesOrNo 1
setting OptionAndSettings Day 8
setting OptionAndSettings Date "$(date -d "@$due" +%Y-%m-%d)"
setting OptionAndSettings Time "$(date -d "@$due" +%H:%M:%S)"
install_definitions
rm -rf "$roaming/Demo Toolbar"
mkdir -p "$roaming/Demo Toolbar"
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
[ "$(date +%s)" -ge "$due" ] || fail "the scan started before its second"
[ -f "$datadir/quarantine/toolbar.ini" ] || fail "the toolbar's file is not in the quarantine"
grep -q 'Demo Toolbar' "$datadir/quarantine/QuarantineLog.txt" || fail "the log misses the folder"
grep -q 'Software\\Demo Adware' "$datadir/quarantine/QuarantineLog.txt" ||
  fail "the log misses the key"
[ -f "$datadir/Scan_Log.txt" ] || fail "the scheduled scan wrote no report"
drive tray FrmMain 1000
sleep 1
import -window root "$shots/schedule-tray.png" || fail "screenshot"

drive close FrmMain
wait_exit
rm -rf "$roaming/Demo Toolbar" "$datadir"
quiet "$wine" reg delete "$threat_key" /f
reset_profile
echo "schedule_tray: passed; screenshot in $shots/schedule-tray.png"
