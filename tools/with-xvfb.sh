#!/bin/sh
# with-xvfb.sh COMMAND...: runs COMMAND with DISPLAY set to a private Xvfb server, which is
# stopped afterwards. Wine needs a display before its first program of a run: a wineserver that
# started without one makes every later window fail.
set -u
display=90
while [ -e "/tmp/.X${display}-lock" ] || [ -e "/tmp/.X11-unix/X${display}" ]; do
  display=$((display + 1))
done
Xvfb ":${display}" -screen 0 1280x1024x24 -nolisten tcp -ac >/dev/null 2>&1 </dev/null &
xvfb=$!
i=0
while [ ! -e "/tmp/.X11-unix/X${display}" ]; do
  i=$((i + 1))
  if [ "$i" -gt 100 ] || ! kill -0 "$xvfb" 2>/dev/null; then
    echo "with-xvfb: Xvfb :${display} did not start" >&2
    exit 1
  fi
  sleep 0.1
done
export DISPLAY=":${display}"
"$@"
status=$?
kill "$xvfb" 2>/dev/null
wait "$xvfb" 2>/dev/null
exit $status
