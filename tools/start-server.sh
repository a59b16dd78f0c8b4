#!/bin/sh
# start-server.sh [--state DIR] [demo options]: starts the definition and language server in the
# background with the starter definitions published at the date a fresh installation assumes,
# waits until it listens and prints its port. Any other options go to `defserver demo`, for
# example --port 8080 (default: a free port), --update DIR (a further set published now),
# --languages DIR, --bind ADDRESS.
#
# DIR (default build/server-state) receives defserver.pid, defserver.port and defserver.log; a
# server an earlier call left there is stopped first. tools/stop-server.sh DIR stops it.
# The program is $DEFSERVER, else the one of a standalone or native build; when there is none,
# it is built standalone in build/server first.
set -eu
top=$(cd "$(dirname "$0")/.." && pwd)
state="$top/build/server-state"
if [ "${1:-}" = "--state" ]; then
  [ $# -ge 2 ] || { echo "start-server.sh: --state needs a folder" >&2; exit 2; }
  state=$2
  shift 2
fi

binary=${DEFSERVER:-}
if [ -z "$binary" ]; then
  for candidate in "$top/build/server/defserver" "$top/build/native/server/defserver"; do
    if [ -x "$candidate" ]; then
      binary=$candidate
      break
    fi
  done
fi
if [ -z "$binary" ]; then
  echo "Building the definition server (once)..." >&2
  cmake -S "$top/server" -B "$top/build/server" >/dev/null
  cmake --build "$top/build/server" -j1 --target defserver >/dev/null
  binary="$top/build/server/defserver"
fi

mkdir -p "$state"
"$top/tools/stop-server.sh" "$state"
rm -f "$state/defserver.port"
"$binary" demo --port-file "$state/defserver.port" "$@" >"$state/defserver.log" 2>&1 </dev/null &
pid=$!
echo "$pid" >"$state/defserver.pid"

# The server writes its port file once it listens, whole or not at all.
tries=0
while [ ! -s "$state/defserver.port" ]; do
  if ! kill -0 "$pid" 2>/dev/null; then
    echo "start-server.sh: the server did not start:" >&2
    cat "$state/defserver.log" >&2
    rm -f "$state/defserver.pid"
    exit 1
  fi
  tries=$((tries + 1))
  if [ "$tries" -gt 150 ]; then
    echo "start-server.sh: the server did not listen within 15 seconds" >&2
    "$top/tools/stop-server.sh" "$state"
    exit 1
  fi
  sleep 0.1
done
cat "$state/defserver.port"
