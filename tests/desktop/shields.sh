#!/bin/sh
# The two shields in the real program under Xvfb, while it sits in the tray. The memory shield
# (on its own: its timer every ten seconds) catches a threat started after the program, within
# ten seconds, and STOP in its alert ends it. The home-page shield puts back a "Start Page"
# changed with `reg add` in silent mode, and asks about it in ask mode (screenshot
# home-page-question.png), where Yes puts it back.
# Usage: shields.sh BUILD_DIR PROGRAM_EXE DRIVER_EXE THREAT_HELPER_EXE
#        (BRAND_PRODUCT, BRAND_COMPANY set)
name=shields
. "$(dirname "$0")/desktop_lib.sh"
helper=$4
options_key="$user_key\\OptionAndSettings"
ie_key='HKCU\Software\Microsoft\Internet Explorer\Main'
threat=""

on_failure() { [ -n "$threat" ] && kill "$threat" 2>/dev/null; }
option() { quiet "$wine" reg add "$options_key" /v "$1" /d "$2" /f || fail "storing $1"; }
start_page() {
  "$wine" reg query "$ie_key" /v "Start Page" 2>/dev/null | tr -d '\r' |
    sed -n 's/^ *Start Page *REG_SZ *//p'
}
set_start_page() { quiet "$wine" reg add "$ie_key" /v "Start Page" /d "$1" /f || fail "reg add"; }
# wait_start_page PAGE SECONDS: the start page reads PAGE within that time.
wait_start_page() {
  i=0
  while [ "$(start_page)" != "$1" ]; do
    i=$((i + 1))
    [ "$i" -gt $(($2 * 4)) ] && fail "the start page is [$(start_page)], not [$1]"
    sleep 0.25
  done
}
start_in_tray() {
  "$wine" "$program" &
  pid=$!
  # The main window is made, then sent to the tray: it never shows.
  sleep 3
  kill -0 "$pid" 2>/dev/null || fail "the program did not start"
}
stop_program() {
  drive close FrmMain
  wait_exit
}

# A user past the first start, whose program starts in the tray.
past_first_start
quiet "$wine" reg add "$user_key\\Settings" /v Minimized /d Yes /f
option chkAutomaticUpdate 0
install_definitions

# The starter definitions' running demo threat, a harmless waiting program under its name. The
# prefix is shared with the other Wine tests: the demo program and the browser's page are put
# back as they were, whatever happens.
demo_dir="$build/wineprefix/drive_c/Program Files/Demo Adware"
[ -e "$demo_dir" ] && fail "$demo_dir is there already"
original_page=$(start_page)
cleanup() {
  rm -rf "$demo_dir"
  if [ -n "$original_page" ]; then
    quiet "$wine" reg add "$ie_key" /v "Start Page" /d "$original_page" /f
  else
    quiet "$wine" reg delete "$ie_key" /v "Start Page" /f
  fi
}
trap cleanup EXIT
mkdir -p "$demo_dir"
cp "$helper" "$demo_dir/demoadware.exe" || fail "no helper program"

# 1. The memory shield alone, from the tray.
option optIEHomePageSheildOn False
start_in_tray
"$wine" 'C:\Program Files\Demo Adware\demoadware.exe' 120000 &
threat=$!
drive wait frmSpywareFoundAlert 10000
drive visible frmSpywareFoundAlert "DEMOADWARE.EXE"
import -window root "$shots/memory-alert.png"
drive click frmSpywareFoundAlert "STOP"
wait_ended "$threat" 50 "STOP left the threat running"
wait "$threat"
threat=""
stop_program

# 2. The home-page shield, also from the tray; the memory shield is left out of it.
option optMemorySheildOn False
option optIEHomePageSheildOn True
option optAlwaysnotifybeforerestoring False
option optRestoredefaultwithoutnotification True
set_start_page "http://home.example/"
quiet "$wine" reg delete "$options_key" /v Homepage /f
start_in_tray
# The first check adopts the page that is set.
sleep 6
set_start_page "http://hijack.example/"
wait_start_page "http://home.example/" 7

# Ask mode, switched while the program runs: it reads the options at every check.
option optAlwaysnotifybeforerestoring True
option optRestoredefaultwithoutnotification False
set_start_page "http://HIJACK.example/"
drive wait frmHomePageChangedAlert 7000
drive visible frmHomePageChangedAlert "$BRAND_PRODUCT"
drive text frmHomePageChangedAlert "http://HIJACK.example/"
sleep 1
import -window root "$shots/home-page-question.png"
drive click frmHomePageChangedAlert "Yes"
wait_start_page "http://home.example/" 2
stop_program
echo "shields: passed; screenshots in $shots"
