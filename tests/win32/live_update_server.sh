#!/bin/sh
# live_update_server.sh start|stop BUILD_DIR: the definition server of the Live Update test under
# Wine. start publishes the starter definitions at the date of a fresh installation and a set
# with one more threat now, serves them on a free loopback port and leaves the port in
# BUILD_DIR/server-state/defserver.port; stop ends it.
set -eu
top=$(cd "$(dirname "$0")/../.." && pwd)
state="$2/server-state"
case "$1" in
  start)
    set_dir="$2/live-update-set"
    rm -rf "$set_dir"
    mkdir -p "$set_dir"
    cp "$top"/data/definitions/*.txt "$set_dir/"
    printf '%s\n' 'liveupdate-demo.exe=Live Update Demo|[progfil]Live Update Demo|Adware program' \
      >>"$set_dir/FileDefinition.txt"
    "$top/tools/start-server.sh" --state "$state" --bind 127.0.0.1 --update "$set_dir" >/dev/null
    ;;
  stop)
    "$top/tools/stop-server.sh" "$state"
    ;;
  *)
    echo "usage: live_update_server.sh start|stop BUILD_DIR" >&2
    exit 2
    ;;
esac
