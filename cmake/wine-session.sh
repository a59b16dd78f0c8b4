#!/bin/sh
# wine-session.sh start|stop PREFIX
# Starts (or stops) the one persistent wineserver that all Wine tests of a run share, creating
# the prefix on first use. Standard streams are detached: a server that inherits ctest's output
# keeps ctest waiting for ever.
set -u
action=$1
export WINEPREFIX=$2
export WINEDEBUG=-all
export WINEDLLOVERRIDES="mscoree,mshtml="
unset http_proxy https_proxy HTTP_PROXY HTTPS_PROXY
wine=/usr/lib/wine/wine64
case "$action" in
  start)
    mkdir -p "$WINEPREFIX"
    # A server left from an earlier run may hold another display; start afresh.
    wineserver -k </dev/null >/dev/null 2>&1
    wineserver -w </dev/null >/dev/null 2>&1
    wineserver -p </dev/null >/dev/null 2>&1
    if [ ! -f "$WINEPREFIX/.initialised" ]; then
      "$wine" wineboot -i </dev/null >/dev/null 2>&1 || exit 1
      # A virtual desktop gives windows a title bar and a taskbar with a tray, and keeps exit codes.
      "$wine" reg add 'HKCU\Software\Wine\Explorer' /v Desktop /d Default /f </dev/null >/dev/null 2>&1
      "$wine" reg add 'HKCU\Software\Wine\Explorer\Desktops' /v Default /d 1024x768 /f </dev/null >/dev/null 2>&1
      touch "$WINEPREFIX/.initialised"
      # The desktop settings take effect when the prefix's processes start again.
      wineserver -k </dev/null >/dev/null 2>&1
      wineserver -w </dev/null >/dev/null 2>&1
      wineserver -p </dev/null >/dev/null 2>&1
      "$wine" wineboot </dev/null >/dev/null 2>&1
    else
      "$wine" wineboot </dev/null >/dev/null 2>&1
    fi
    # This Wine does not look in fonts-wine's folder by itself; without its Marlett the title-bar
    # buttons show as letters, and without its Tahoma the dialogs fall back to another face.
    mkdir -p "$WINEPREFIX/drive_c/windows/Fonts"
    cp -n /usr/share/wine/fonts/*.ttf "$WINEPREFIX/drive_c/windows/Fonts/" 2>/dev/null
    exit 0 ;;
  stop)
    wineserver -k </dev/null >/dev/null 2>&1
    exit 0 ;;
esac
echo "usage: wine-session.sh start|stop PREFIX" >&2
exit 2
