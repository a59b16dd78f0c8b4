#!/bin/sh
# The real program left in the tray with both shields on for SOAK_SECONDS (600 unless set): its
# GDI and USER object counts (GetGuiResources) and its handle count are read once a minute and
# must not grow after the first minute. Where the system answers 0 (Wine's stubs), the driver
# counts the used entries of the process's GDI table, its windows and the process list's handles. A threat is started and stopped, and the home page
# changed, every other minute, so that the shields work throughout. The figures are printed.
# Not part of `make test`: `make soak` runs it (ctest label "soak").
# Usage: soak_tray.sh BUILD_DIR PROGRAM_EXE DRIVER_EXE THREAT_HELPER_EXE
#        (BRAND_PRODUCT, BRAND_COMPANY set)
name=soak_tray
. "$(dirname "$0")/desktop_lib.sh"
helper=$4
seconds=${SOAK_SECONDS:-600}
options_key="$user_key\\OptionAndSettings"
ie_key='HKCU\Software\Microsoft\Internet Explorer\Main'
option() { quiet "$wine" reg add "$options_key" /v "$1" /d "$2" /f || fail "storing $1"; }

past_first_start
quiet "$wine" reg add "$user_key\\Settings" /v Minimized /d Yes /f
option chkAutomaticUpdate 0
option optIEHomePageSheildOn True
option optMemorySheildOn True
# Silent mode: a changed home page is put back without a question.
option optRestoredefaultwithoutnotification True
install_definitions

demo_dir="$build/wineprefix/drive_c/Program Files/Demo Adware"
[ -e "$demo_dir" ] && fail "$demo_dir is there already"
original_page=$("$wine" reg query "$ie_key" /v "Start Page" 2>/dev/null | tr -d '\r' |
  sed -n 's/^ *Start Page *REG_SZ *//p')
cleanup() {
  rm -rf "$demo_dir"
  if [ -n "$original_page" ]; then
    quiet "$wine" reg add "$ie_key" /v "Start Page" /d "$original_page" /f
  fi
}
trap cleanup EXIT
mkdir -p "$demo_dir"
cp "$helper" "$demo_dir/demoadware.exe" || fail "no helper program"

"$wine" "$program" &
pid=$!
sleep 5
kill -0 "$pid" 2>/dev/null || fail "the program did not start"
drive tray FrmMain

first=""
minute=0
while [ $((minute * 60)) -lt "$seconds" ]; do
  if [ $((minute % 2)) -eq 0 ]; then
    "$wine" 'C:\Program Files\Demo Adware\demoadware.exe' 50000 &
    threat=$!
    if "$wine" "$driver" wait frmSpywareFoundAlert 20000; then
      drive click frmSpywareFoundAlert "STOP"
    fi
    wait "$threat" 2>/dev/null
    quiet "$wine" reg add "$ie_key" /v "Start Page" /d "http://changed$minute.example/" /f
  fi
  sleep 55
  kill -0 "$pid" 2>/dev/null || fail "the program ended in minute $minute"
  figures=$("$wine" "$driver" resources FrmMain | tr -d '\r') || fail "no figures"
  echo "$name: minute $((minute + 1)): $figures"
  [ "$minute" -eq 0 ] && first=$figures
  minute=$((minute + 1))
done
last=$figures
echo "$name: after the first minute: $first; at the end: $last"
# Each figure at the end may not exceed the first minute's by more than a few objects (a tooltip
# or a menu made once late); anything more grows with time.
set -- $first
g1=$2 u1=$4 h1=$6
set -- $last
g2=$2 u2=$4 h2=$6
[ "$g2" -le $((g1 + 5)) ] || fail "GDI objects grew from $g1 to $g2"
[ "$u2" -le $((u1 + 5)) ] || fail "USER objects grew from $u1 to $u2"
[ "$h2" -le $((h1 + 10)) ] || fail "handles grew from $h1 to $h2"
drive close FrmMain
wait_exit
