#!/bin/sh
# The real program under Xvfb: it starts and shows its main window, each page comes up from its
# button, and WM_CLOSE ends the process with exit code 0. Screenshots go to BUILD/screenshots.
# Usage: main_window.sh BUILD_DIR PROGRAM_EXE DRIVER_EXE
set -u
build=$1
program=$2
driver=$3
wine="$build/wine-exec"
shots="$build/screenshots"
mkdir -p "$shots"
if [ -z "${DISPLAY:-}" ]; then
  echo "main_window: needs DISPLAY (run under tools/with-xvfb.sh)" >&2
  exit 1
fi

"$wine" "$program" &
pid=$!
fail() {
  echo "main_window: $*" >&2
  import -window root "$shots/failure.png" 2>/dev/null
  kill "$pid" 2>/dev/null
  exit 1
}
drive() { "$wine" "$driver" "$@" || fail "driver $*"; }
shot() { sleep 0.5; import -window root "$shots/$1.png" || fail "screenshot $1"; }

drive wait FrmMain 30000
drive visible FrmMain "Your last scan was completed:"
shot main-status

drive click FrmMain "Scan Now"
drive visible FrmMain "Start"
drive hidden FrmMain "Your last scan was completed:"
shot main-scan

drive click FrmMain "Settings"
drive tabs FrmMain 4
drive visible FrmMain "Save scan results to log"
shot main-options

drive click FrmMain "Status"
drive visible FrmMain "Your last scan was completed:"

drive close FrmMain
i=0
while kill -0 "$pid" 2>/dev/null; do
  i=$((i + 1))
  [ "$i" -gt 150 ] && fail "the program did not end after WM_CLOSE"
  sleep 0.1
done
wait "$pid"
status=$?
[ "$status" -eq 0 ] || fail "the program ended with exit code $status"
echo "main_window: passed; screenshots in $shots"
