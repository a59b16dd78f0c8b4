# Shared by the desktop scripts that drive the program in the wine fixture's prefix. A script sets
# `name` (for its messages and its failure screenshot), may define `on_failure` (run before the
# program is killed), and sources this with its arguments BUILD_DIR PROGRAM_EXE DRIVER_EXE
# (BRAND_PRODUCT and BRAND_COMPANY set in the environment).
set -u
build=$1
program=$2
driver=$3
wine="$build/wine-exec"
shots="$build/screenshots"
mkdir -p "$shots"
if [ -z "${DISPLAY:-}" ]; then
  echo "$name: needs DISPLAY (run under tools/with-xvfb.sh)" >&2
  exit 1
fi
user_key="HKCU\\Software\\VB and VBA Program Settings\\$BRAND_PRODUCT"
machine_key="HKLM\\SOFTWARE\\$BRAND_COMPANY"
roaming="$build/wineprefix/drive_c/users/$(id -un)/AppData/Roaming"
# The installed data folder, in the user's application data.
datadir="$roaming/AntiSpywareDAT"
pid=""

fail() {
  echo "$name: $*" >&2
  import -window root "$shots/${failure_shot:-$name-failure}.png" 2>/dev/null
  command -v on_failure >/dev/null && on_failure
  [ -n "$pid" ] && kill "$pid" 2>/dev/null
  exit 1
}
drive() { "$wine" "$driver" "$@" || fail "driver $*"; }
quiet() { "$@" </dev/null >/dev/null 2>&1; }
reset_profile() {
  quiet "$wine" reg delete "$user_key" /f
  quiet "$wine" reg delete "$machine_key" /f
}
# A user past the first start: no questions, no help.
past_first_start() {
  reset_profile
  quiet "$wine" reg add "$user_key\\Settings" /v Language /d English /f
  quiet "$wine" reg add "$user_key\\Settings" /v showHelp /d 0 /f
  quiet "$wine" reg add "$user_key\\Settings" /v ranOneTime /d 1 /f
  quiet "$wine" reg add "$machine_key\\$BRAND_PRODUCT\\Settings" /v FirstTime /d Yes /f
}
# The starter definitions in a fresh data folder.
install_definitions() {
  rm -rf "$datadir"
  mkdir -p "$datadir"
  cp "$build"/AntiSpywareDAT/*.dat "$datadir/" || fail "no starter definitions in $build"
}
# update_set DIR LINE: the starter set in DIR with one more file definition, for a server to
# publish as the update.
update_set() {
  rm -rf "$1"
  mkdir -p "$1"
  cp "$(dirname "$0")"/../../data/definitions/*.txt "$1/" || fail "no starter set"
  printf '%s\n' "$2" >>"$1/FileDefinition.txt"
}
# wait_ended PID TENTHS WHAT: fails with WHAT unless the process ends within TENTHS tenths of a
# second.
wait_ended() {
  i=0
  while kill -0 "$1" 2>/dev/null; do
    i=$((i + 1))
    [ "$i" -gt "$2" ] && fail "$3"
    sleep 0.1
  done
}
# Waits for the program, told to close, to end with exit code 0.
wait_exit() {
  wait_ended "$pid" 150 "the program did not end after WM_CLOSE"
  wait "$pid"
  status=$?
  pid=""
  [ "$status" -eq 0 ] || fail "the program ended with exit code $status"
}
