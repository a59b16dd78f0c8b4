#!/bin/sh
# Pause and Stop of a running scan in the real program under Xvfb. A definition set of 600,000
# file lines keeps the scan busy far longer than the test; from a second process the test clicks
# Pause, which holds the scan behind its message box until OK, and then Stop, whose question
# ends the scan at once when answered Yes: the status says so (screenshot scan-stopped.png).
# Usage: scan_stop_pause.sh BUILD_DIR PROGRAM_EXE DRIVER_EXE  (BRAND_PRODUCT, BRAND_COMPANY set)
name=scan_stop_pause
. "$(dirname "$0")/desktop_lib.sh"
set_dir="$build/scan-stop-set"
scanner=""
clicker=""

on_failure() {
  [ -n "$scanner" ] && kill "$scanner" 2>/dev/null
  [ -n "$clicker" ] && kill "$clicker" 2>/dev/null
}
# scan_running: the click on Start has not come back, so the scan has not ended.
scan_running() { kill -0 "$scanner" 2>/dev/null || fail "the scan ended before $1"; }

past_first_start
quiet "$wine" reg add "$user_key\\OptionAndSettings" /v chkAutomaticUpdate /d 0 /f
install_definitions
python3 "$(dirname "$0")/../../benchmarks/wine/make_definitions.py" "$set_dir" 600000 0 0 ||
  fail "making the definition set"
cp "$set_dir/FileDefinition.dat" "$datadir/" || fail "installing the definition set"

"$wine" "$program" &
pid=$!
drive wait FrmMain 30000
drive click FrmMain "Scan Now"
# The click returns when the scan has ended.
"$wine" "$driver" click FrmMain "Start" &
scanner=$!
sleep 3
scan_running "Pause"

# press CAPTION ANSWER: clicks the command in the background (the click returns when its
# message box is closed) and answers the box with button ANSWER.
press() {
  "$wine" "$driver" click FrmMain "$1" &
  clicker=$!
  drive answer "$BRAND_PRODUCT" "$2" 5000
  wait "$clicker" || fail "clicking $1"
  clicker=""
}

# Pause: the message box holds the scan; OK lets it go on.
press "Pause" 1
scan_running "Stop"
# Stop: asked first; Yes ends the scan at its next line.
press "Stop" 6
wait_ended "$scanner" 100 "the scan did not end within 10 s of Stop"
wait "$scanner" || fail "clicking Start"
scanner=""
drive visible FrmMain "Scanning was cancelled."
drive visible FrmMain "Scan Now"
sleep 0.5
import -window root "$shots/scan-stopped.png" || fail "screenshot"

drive close FrmMain
wait_exit
rm -rf "$set_dir"
reset_profile
echo "scan_stop_pause: passed; screenshot in $shots/scan-stopped.png"
