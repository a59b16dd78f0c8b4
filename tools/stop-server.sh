#!/bin/sh
# stop-server.sh [DIR]: stops the server that tools/start-server.sh started with that state
# folder (default build/server-state) and waits until it has gone. Nothing to stop is no error.
set -u
top=$(cd "$(dirname "$0")/.." && pwd)
state=${1:-$top/build/server-state}
pidfile="$state/defserver.pid"
[ -f "$pidfile" ] || exit 0
pid=$(cat "$pidfile")
# The number may belong to another process by now: only a defserver is stopped.
if [ -n "$pid" ] && tr '\0' ' ' <"/proc/$pid/cmdline" 2>/dev/null | grep -q defserver; then
  kill "$pid" 2>/dev/null
  tries=0
  while kill -0 "$pid" 2>/dev/null && [ "$tries" -lt 50 ]; do
    tries=$((tries + 1))
    sleep 0.1
  done
  kill -0 "$pid" 2>/dev/null && kill -KILL "$pid" 2>/dev/null
fi
rm -f "$pidfile" "$state/defserver.port"
exit 0
