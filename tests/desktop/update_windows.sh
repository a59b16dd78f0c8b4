#!/bin/sh
# Live Update's two windows in the real program under Xvfb, against the real definition server
# on loopback holding every answer back for a while, as a slow line does: the download window
# while the difference comes (screenshot update-download.png), then the notice that slides up
# over the task bar with "have been updated!" (update-notice.png); the merged threat is in the
# definitions afterwards.
# Usage: update_windows.sh BUILD_DIR PROGRAM_EXE DRIVER_EXE  (BRAND_PRODUCT, BRAND_COMPANY set)
name=update_windows
failure_shot=update-failure
. "$(dirname "$0")/desktop_lib.sh"
top=$(cd "$(dirname "$0")/../.." && pwd)
state="$build/update-windows-server"
settings_key="$machine_key\\$BRAND_PRODUCT\\Settings"
clicker=""

stop_server() { "$top/tools/stop-server.sh" "$state" >/dev/null 2>&1; }
on_failure() {
  [ -n "$clicker" ] && kill "$clicker" 2>/dev/null
  stop_server
}

# The starter set published at a fresh installation's date, one more threat published now.
set_dir="$state/set"
update_set "$set_dir" 'slowline-demo.exe=Slow Line Demo|[progfil]Slow Line Demo|Adware program'
port=$("$top/tools/start-server.sh" --state "$state" --bind 127.0.0.1 --update "$set_dir" \
  --delay 2500) || fail "the definition server did not start"

# A user past the first start, whose machine asks this server, with a fresh installation's data.
past_first_start
quiet "$wine" reg add "$settings_key" /v DefinitionServer /d "http://127.0.0.1:$port/" /f
install_definitions
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
wait_exit
stop_server
reset_profile
rm -rf "$datadir"
echo "update_windows: passed; screenshots in $shots/update-download.png, update-notice.png"
