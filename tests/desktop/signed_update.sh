#!/bin/sh
# Signed Live Update in the real program (built with a test key) under Xvfb: against the real
# definition server signing its answers the update is merged ("have been updated!"); through a
# loopback proxy that alters one record of the difference it is refused, every definition file
# stays as it was, no date is stored, and the notice says so (screenshot signed-update-refused.png).
# Usage: signed_update.sh BUILD_DIR PROGRAM_EXE DRIVER_EXE PRIVATE_KEY
#        (BRAND_PRODUCT, BRAND_COMPANY set)
name=signed_update
. "$(dirname "$0")/desktop_lib.sh"
key=$4
top=$(cd "$(dirname "$0")/../.." && pwd)
state="$build/signed-update-server"
settings_key="$machine_key\\$BRAND_PRODUCT\\Settings"
proxy=""

stop_servers() {
  "$top/tools/stop-server.sh" "$state" >/dev/null 2>&1
  [ -n "$proxy" ] && kill "$proxy" 2>/dev/null
  proxy=""
}
on_failure() { stop_servers; }

# The starter set published at a fresh installation's date, one more threat published now.
set_dir="$state/set"
update_set "$set_dir" 'signed-demo.exe=Signed Demo|[progfil]Signed Demo|Adware program'
port=$("$top/tools/start-server.sh" --state "$state" --bind 127.0.0.1 --update "$set_dir" \
  --signing-key "$key") || fail "the definition server did not start"
rm -f "$state/proxy.port"
python3 "$(dirname "$0")/tampering_proxy.py" "$port" "$state/proxy.port" &
proxy=$!
i=0
while [ ! -s "$state/proxy.port" ]; do
  i=$((i + 1))
  [ "$i" -gt 100 ] && fail "the proxy did not start"
  sleep 0.1
done
proxy_port=$(cat "$state/proxy.port")

# The program with a fresh installation's data, asking the server at $1; Live Update is clicked
# and its notice must say $2.
update_from() {
  past_first_start
  quiet "$wine" reg add "$settings_key" /v DefinitionServer /d "http://127.0.0.1:$1/" /f
  install_definitions
  rm -f "$datadir/date.dat"
  before=$(cd "$datadir" && md5sum * | sort)
  "$wine" "$program" &
  pid=$!
  drive wait FrmMain 30000
  # The click returns when the update has ended.
  drive click FrmMain "Live Update"
  drive wait frmSignatureUpdated 60000
  drive text frmSignatureUpdated "$2"
  after=$(cd "$datadir" && md5sum * | sort)
}

update_from "$port" "have been updated!"
[ -f "$datadir/date.dat" ] || fail "no date.dat after the signed update"
[ "$before" != "$after" ] || fail "the signed update changed nothing"
drive close FrmMain
wait_exit

update_from "$proxy_port" "could not be verified"
# The notice slides up for a moment before it rests.
sleep 2
import -window root "$shots/signed-update-refused.png" || fail "screenshot"
[ "$before" = "$after" ] || fail "the altered update changed the definitions"
[ ! -f "$datadir/date.dat" ] || fail "the altered update stored a date"
drive close FrmMain
wait_exit

stop_servers
reset_profile
rm -rf "$datadir"
echo "signed_update: passed; screenshot in $shots/signed-update-refused.png"
