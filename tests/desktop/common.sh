# Shared by the desktop tests, sourced after they set: script (their name), build, driver.
# Needs BRAND_PRODUCT and BRAND_COMPANY, and DISPLAY (run under tools/with-xvfb.sh).
wine="$build/wine-exec"
shots="$build/screenshots"
mkdir -p "$shots"
if [ -z "${DISPLAY:-}" ]; then
  echo "$script: needs DISPLAY (run under tools/with-xvfb.sh)" >&2
  exit 1
fi
user_key="HKCU\\Software\\VB and VBA Program Settings\\$BRAND_PRODUCT"
machine_key="HKLM\\SOFTWARE\\$BRAND_COMPANY"
roaming="$build/wineprefix/drive_c/users/$(id -un)/AppData/Roaming"
datadir="$roaming/AntiSpywareDAT"
pid=""
clicker=""

# What a test started besides the program; a test redefines it after sourcing this file.
cleanup_extra() { :; }
# fail MESSAGE: a screenshot of the moment, the program stopped, the test failed.
fail() {
  echo "$script: $*" >&2
  import -window root "$shots/$script-failure.png" 2>/dev/null
  [ -n "$clicker" ] && kill "$clicker" 2>/dev/null
  [ -n "$pid" ] && kill "$pid" 2>/dev/null
  cleanup_extra
  exit 1
}
drive() { "$wine" "$driver" "$@" || fail "driver $*"; }
shot() { sleep 1.5; import -window root "$shots/$1.png" || fail "screenshot $1"; }
quiet() { "$@" </dev/null >/dev/null 2>&1; }
reset_profile() {
  quiet "$wine" reg delete "$user_key" /f
  quiet "$wine" reg delete "$machine_key" /f
}
# A user past the first start: English chosen, the greeting and the help behind them.
returning_user() {
  reset_profile
  quiet "$wine" reg add "$user_key\\Settings" /v Language /d English /f
  quiet "$wine" reg add "$user_key\\Settings" /v showHelp /d 0 /f
  quiet "$wine" reg add "$user_key\\Settings" /v ranOneTime /d 1 /f
  quiet "$wine" reg add "$machine_key\\$BRAND_PRODUCT\\Settings" /v FirstTime /d Yes /f
}
# reg_value KEY NAME: the data of a registry value, or nothing.
reg_value() {
  "$wine" reg query "$1" /v "$2" 2>/dev/null | tr -d '\r' |
    sed -n "s/^ *$2 *REG_[A-Z_]* *//p"
}
# The installed data folder: the starter definitions in the user's application data.
fresh_data_folder() {
  rm -rf "$datadir"
  mkdir -p "$datadir"
  cp "$build"/AntiSpywareDAT/*.dat "$datadir/" || fail "no starter definitions in $build"
}
# wait_exit: the program ends (after WM_CLOSE) with exit code 0.
wait_exit() {
  i=0
  while kill -0 "$pid" 2>/dev/null; do
    i=$((i + 1))
    [ "$i" -gt 150 ] && fail "the program did not end after WM_CLOSE"
    sleep 0.1
  done
  wait "$pid"
  status=$?
  pid=""
  [ "$status" -eq 0 ] || fail "the program ended with exit code $status"
}
