#!/bin/sh
# run-demo.sh WIN_BUILD_DIR: starts the program under Wine in a demo prefix under the build
# folder, installed as a user would have it. With DISPLAY set it opens on that display; without
# one it runs on a private Xvfb with a virtual desktop, saves a screenshot, prints its path and
# closes the program.
set -u
build=$(cd "$1" && pwd)
top=$(cd "$(dirname "$0")/.." && pwd)
export WINEPREFIX="$build/demo-prefix"
export WINEDEBUG=-all
export WINEDLLOVERRIDES="mscoree,mshtml="
unset http_proxy https_proxy HTTP_PROXY HTTPS_PROXY
wine=/usr/lib/wine/wine64

if [ -z "${DISPLAY:-}" ]; then
  exec "$top/tools/with-xvfb.sh" env RUN_DEMO_HEADLESS=1 "$0" "$@"
fi
headless=${RUN_DEMO_HEADLESS:-0}

quiet() { "$@" </dev/null >/dev/null 2>&1; }

mkdir -p "$WINEPREFIX"
quiet wineserver -k
quiet wineserver -w
quiet wineserver -p
if [ ! -f "$WINEPREFIX/.initialised" ]; then
  echo "Preparing the demo Wine prefix (once)..."
  quiet "$wine" wineboot -i || { echo "wineboot failed" >&2; exit 1; }
  touch "$WINEPREFIX/.initialised"
fi
if [ "$headless" = 1 ]; then
  # A virtual desktop gives the window a title bar and a tray without a window manager.
  quiet "$wine" reg add 'HKCU\Software\Wine\Explorer' /v Desktop /d Default /f
  quiet "$wine" reg add 'HKCU\Software\Wine\Explorer\Desktops' /v Default /d 1024x768 /f
else
  quiet "$wine" reg delete 'HKCU\Software\Wine\Explorer' /v Desktop /f
fi
# The desktop setting takes effect when the prefix's processes start again.
quiet wineserver -k
quiet wineserver -w
quiet wineserver -p

# This Wine does not look in fonts-wine's folder by itself; without its Marlett the title-bar
# buttons show as letters, and without its Tahoma the dialogs fall back to another face.
mkdir -p "$WINEPREFIX/drive_c/windows/Fonts"
cp -n /usr/share/wine/fonts/*.ttf "$WINEPREFIX/drive_c/windows/Fonts/" 2>/dev/null

# The installed layout: the program folder with the executable and its files, and the data
# folder in the user's application data.
programdir="$WINEPREFIX/drive_c/Program Files/AntiSpyware"
mkdir -p "$programdir/Definitions"
cp "$build/AntiSpyware.exe" "$build/Localization.txt" "$programdir/"
[ -f "$build/Help.chm" ] && cp "$build/Help.chm" "$programdir/"
cp "$build"/AntiSpywareDAT/*.dat "$programdir/Definitions/"
user=$(id -un)
datadir="$WINEPREFIX/drive_c/users/$user/AppData/Roaming/AntiSpywareDAT"
mkdir -p "$datadir"
# The starter definitions, as the installer puts them; later updates in the prefix are kept.
cp -n "$build"/AntiSpywareDAT/*.dat "$datadir/"
cd "$programdir" || exit 1

# The demo's Live Update talks to the project's own definition server on the build's default
# address (loopback, port 8080), started here with the starter definitions and stopped at the
# end. Without it (the port taken, say) the program runs all the same and Live Update says so.
serverstate="$build/demo-server"
if "$top/tools/start-server.sh" --state "$serverstate" --port 8080 >/dev/null 2>&1; then
  trap '"$top/tools/stop-server.sh" "$serverstate" >/dev/null 2>&1' EXIT
else
  echo "run-demo: the definition server could not start on port 8080; Live Update will fail" >&2
fi

if [ "$headless" = 0 ]; then
  "$wine" AntiSpyware.exe
  status=$?
  quiet wineserver -k
  exit $status
fi

"$wine" AntiSpyware.exe &
pid=$!
# Nobody is there to answer the first start's questions: decline them both.
driver="$build/desktop_driver.exe"
quiet "$wine" "$driver" answer "Vista Detected" 2 15000 &
quiet "$wine" "$driver" answer "Update Now?" 7 15000 &
# The first start opens the help; it would cover the window in the screenshot.
product=$(sed -n 's/^BRAND_PRODUCT:STRING=//p' "$build/CMakeCache.txt")
quiet "$wine" "$driver" closewindow "$product Help" 15000 &
"$wine" "$driver" wait FrmMain 30000
sleep 1
mkdir -p "$build/screenshots"
shot="$build/screenshots/run.png"
import -window root "$shot"
"$wine" "$driver" close FrmMain
i=0
while kill -0 "$pid" 2>/dev/null && [ "$i" -lt 100 ]; do i=$((i + 1)); sleep 0.1; done
kill "$pid" 2>/dev/null
quiet wineserver -k
echo "No display: ran under Xvfb. Screenshot: $shot"
