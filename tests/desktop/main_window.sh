#!/bin/sh
# The real program under Xvfb, as a user meets it. First start on a fresh profile: the first-run
# questions come up and are answered, the help opens, the main window shows each page from its
# button, two planted demo threats are scanned and deleted into the quarantine, WM_CLOSE
# ends the process with exit code 0 and leaves the shutdown markers in the registry. Then a copy
# run as Windows XP writes its Run entry. Screenshots go to BUILD/screenshots.
# Usage: main_window.sh BUILD_DIR PROGRAM_EXE DRIVER_EXE  (BRAND_PRODUCT, BRAND_COMPANY set)
name=main_window
failure_shot=failure
. "$(dirname "$0")/desktop_lib.sh"
run_key='HKLM\Software\Microsoft\Windows\CurrentVersion\Run'
shot() { sleep 1.5; import -window root "$shots/$1.png" || fail "screenshot $1"; }
# reg_value KEY NAME: the data of a registry value, or nothing.
reg_value() {
  "$wine" reg query "$1" /v "$2" 2>/dev/null | tr -d '\r' |
    sed -n "s/^ *$2 *REG_[A-Z_]* *//p"
}

install_definitions

# Two of the starter definitions' demo threats, for the scan to find and the removal to take.
rm -rf "$roaming/Demo Toolbar"
mkdir -p "$roaming/Demo Toolbar"
printf '[Toolbar]\r\n' >"$roaming/Demo Toolbar/toolbar.ini"
quiet "$wine" reg add 'HKCU\Software\Demo Adware' /f

# First start on this prefix's default Windows version (Vista or later).
reset_profile
"$wine" "$program" &
pid=$!
# The language chooser comes first; closing it keeps English.
drive wait frmLanguage 30000
drive visible frmLanguage "Check for language updates"
drive close frmLanguage
drive answer "Vista Detected" 2 30000
drive answer "$GREETING_TITLE" 7
drive wait FrmMain 30000
# The first start opens the help beside the program. The viewer is closed: left open it would
# keep this test's output open, and ctest waiting.
drive closewindow "$BRAND_PRODUCT Help" 30000
drive visible FrmMain "Your last scan was completed:"
drive visible FrmMain "$BRAND_PRODUCT Status"
drive visible FrmMain "Welcome to $BRAND_PRODUCT"
drive visible FrmMain "3/16/2006 12:00:00 AM PST"
shot main-status

drive click FrmMain "Scan Now"
drive visible FrmMain "Start"
drive hidden FrmMain "Your last scan was completed:"
shot main-scan
drive click FrmMain "Start"
drive visible FrmMain "Scanning complete."
drive visible FrmMain "Click Here to Continue"
shot main-scan-finished
drive click FrmMain "Click Here to Continue"
drive visible FrmMain "Select All"
drive visible FrmMain "Exclude"
shot main-results

# Delete everything found. The click returns only when the removal has ended, so it waits in
# the background while the confirmation is answered.
drive click FrmMain "Select All"
"$wine" "$driver" click FrmMain "Delete" &
clicker=$!
drive answer "Really Delete?" 6
wait "$clicker" || fail "clicking Delete"
shot main-results-removed
[ ! -e "$roaming/Demo Toolbar" ] || fail "the demo folder is still there"
# The file goes first, on its own, then the folder it leaves empty.
[ -f "$datadir/quarantine/toolbar.ini" ] || fail "the demo file is not in the quarantine"
[ -d "$datadir/quarantine/Demo Toolbar" ] || fail "the demo folder is not in the quarantine"
quiet "$wine" reg query 'HKCU\Software\Demo Adware' && fail "the demo registry key is still there"
grep -q 'Key: -2147483647\\Software\\Demo Adware' "$datadir/quarantine/QuarantineLog.txt" ||
  fail "the removed key is not in the quarantine log"

drive click FrmMain "Settings"
drive tabs FrmMain 4
drive visible FrmMain "Save scan results to log"
shot main-options

drive click FrmMain "Status"
drive visible FrmMain "Your last scan was completed:"
drive close FrmMain
wait_exit

[ "$(reg_value "$user_key\\OptionAndSettings" STATUS)" = STOPPED ] || fail "STATUS is not STOPPED"
[ "$(reg_value "$user_key\\OptionAndSettings" RESTART)" = False ] || fail "RESTART is not False"
[ -n "$(reg_value "$user_key\\Settings" FoundCol21)" ] || fail "no column width stored"
[ "$(reg_value "$machine_key\\$BRAND_PRODUCT\\Settings" FirstTime)" = Yes ] || fail "no FirstTime"
[ -z "$(reg_value "$run_key" AntiSpyware)" ] || fail "a Run entry was written on Vista or later"

# Second start: no questions any more.
"$wine" "$program" &
pid=$!
drive wait FrmMain 30000
drive close FrmMain
wait_exit

# A copy run as Windows XP writes its Run entry, quoted.
xp="$build/AntiSpywareXP.exe"
cp "$program" "$xp"
quiet "$wine" reg add 'HKCU\Software\Wine\AppDefaults\AntiSpywareXP.exe' /v Version /d winxp /f
reset_profile
"$wine" "$xp" &
pid=$!
drive wait frmLanguage 30000
drive close frmLanguage
drive answer "$GREETING_TITLE" 7 30000
drive wait FrmMain 30000
drive closewindow "$BRAND_PRODUCT Help" 30000
drive close FrmMain
wait_exit
entry=$(reg_value "$run_key" AntiSpywareXP)
case "$entry" in
  \"*\\AntiSpywareXP\") ;;
  *) fail "Run entry on XP is [$entry]" ;;
esac
quiet "$wine" reg delete "$run_key" /v AntiSpywareXP /f
reset_profile
echo "main_window: passed; screenshots in $shots"
