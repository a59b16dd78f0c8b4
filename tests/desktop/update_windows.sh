#!/bin/sh
# Live Update's two windows in the real program under Xvfb, against the real definition server
# on loopback holding every answer back for a while, as a slow line does: the download window
# while the difference comes (screenshot update-download.png), then the notice that slides up
# over the task bar with "have been updated!" (update-notice.png); the merged threat is in the
# definitions afterwards.
# Usage: update_windows.sh BUILD_DIR PROGRAM_EXE DRIVER_EXE  (BRAND_PRODUCT, BRAND_COMPANY set)
set -u
build=$1
program=$2
driver=$3
top=$(cd "$(dirname "$0")/../.." && pwd)
wine="$build/wine-exec"
shots="$build/screenshots"
state="$build/update-windows-server"
mkdir -p "$shots"
if [ -z "${DISPLAY:-}" ]; then
  echo "update_windows: needs DISPLAY (run under tools/with-xvfb.sh)" >&2
  exit 1
fi
user_key="HKCU\\Software\\VB and VBA Program Settings\\$BRAND_PRODUCT"
machine_key="HKLM\\SOFTWARE\\$BRAND_COMPANY"
settings_key="$machine_key\\$BRAND_PRODUCT\\Settings"
pid=""
clicker=""

cleanup() {
  [ -n "$clicker" ] && kill "$clicker" 2>/dev/null
  [ -n "$pid" ] && kill "$pid" 2>/dev/null
  "$top/tools/stop-server.sh" "$state" >/dev/null 2>&1
}
fail() {
  echo "update_windows: $*" >&2
  import -window root "$shots/update-failure.png" 2>/dev/null
  cleanup
  exit 1
}
drive() { "$wine" "$driver" "$@" || fail "driver $*"; }
quiet() { "$@" </dev/null >/dev/null 2>&1; }

# The starter set published at a fresh installation's date, one more threat published now.
set_dir="$state/set"
rm -rf "$set_dir"
mkdir -p "$set_dir"
cp "$top"/data/definitions/*.txt "$set_dir/"
printf '%s\n' 'slowline-demo.exe=Slow Line Demo|[progfil]Slow Line Demo|Adware program' \
  >>"$set_dir/FileDefinition.txt"
port=$("$top/tools/start-server.sh" --state "$state" --bind 127.0.0.1 --update "$set_dir" \
  --delay 2500) || fail "the definition server did not start"

# A user past the first start, whose machine asks this server.
quiet "$wine" reg delete "$user_key" /f
quiet "$wine" reg delete "$machine_key" /f
quiet "$wine" reg add "$user_key\\Settings" /v Language /d English /f
quiet "$wine" reg add "$user_key\\Settings" /v showHelp /d 0 /f
quiet "$wine" reg add "$user_key\\Settings" /v ranOneTime /d 1 /f
quiet "$wine" reg add "$settings_key" /v FirstTime /d Yes /f
quiet "$wine" reg add "$settings_key" /v DefinitionServer /d "http://127.0.0.1:$port/" /f

roaming="$build/wineprefix/drive_c/users/$(id -un)/AppData/Roaming"
datadir="$roaming/AntiSpywareDAT"
rm -rf "$datadir"
mkdir -p "$datadir"
cp "$build"/AntiSpywareDAT/*.dat "$datadir/" || fail "no starter definitions in $build"
rm -f "$datadir/date.dat"

"$wine" "$program" &
pid=$!
drive wait FrmMain 30000
# The click returns when the update has ended.
"$wine" "$driver" click FrmMain "Live Update" &
clicker=$!
drive wait frmDownload 20000
sleep 1
import -window root "$shots/update-download.png" || fail "screenshot"
drive wait frmSignatureUpdated 60000
wait "$clicker" || fail "clicking Live Update"
clicker=""
drive text frmSignatureUpdated "have been updated!"
# The notice slides up for a moment before it rests.
sleep 2
import -window root "$shots/update-notice.png" || fail "screenshot"
# It rests at the screen's right edge and just above its bottom, not where new windows go.
set -- $("$wine" "$driver" rect frmSignatureUpdated | tr -d '\r')
[ $# -eq 8 ] || fail "no place for the notice"
[ "$3" -ge $(($7 - 40)) ] || fail "the notice's right edge is at $3, the work area's at $7"
[ "$2" -ge $(($8 - 200)) ] || fail "the notice's top is at $2, far above the bottom ($8)"
stored=$(cat "$datadir/FileDefinition.dat")
[ -f "$datadir/date.dat" ] || fail "no date.dat after the update"
[ -n "$stored" ] || fail "FileDefinition.dat is empty"

drive close FrmMain
i=0
while kill -0 "$pid" 2>/dev/null; do
  i=$((i + 1))
  [ "$i" -gt 150 ] && fail "the program did not end after WM_CLOSE"
  sleep 0.1
done
wait "$pid" || fail "the program ended with an error"
pid=""
cleanup
quiet "$wine" reg delete "$user_key" /f
quiet "$wine" reg delete "$machine_key" /f
rm -rf "$datadir"
echo "update_windows: passed; screenshots in $shots/update-download.png, update-notice.png"
