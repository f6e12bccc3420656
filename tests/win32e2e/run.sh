#!/bin/sh
# Runs the end-to-end driver under Wine on an X server of its own (Xvfb, on
# the first free display from :90) with openbox as its window manager, in a
# Wine prefix of its own. Every process started here is ended by its pid.
# Usage: run.sh SOURCE_DIR BUILD_DIR [DRIVER_ARGUMENTS...]
set -u
src=$1
build=$2
shift 2

display=90
while [ -e "/tmp/.X11-unix/X$display" ] || [ -e "/tmp/.X$display-lock" ]; do
    display=$((display + 1))
done
Xvfb ":$display" -screen 0 1024x768x24 -nolisten tcp >/dev/null 2>&1 &
xvfb=$!
wm=""
prefix="$build/wineprefix-e2e"
cleanup() {
    # The Wine processes go first, while their display is still there.
    if [ -x /usr/lib/wine/wineserver64 ]; then server=/usr/lib/wine/wineserver64; else server=wineserver; fi
    WINEPREFIX="$prefix" timeout 30 "$server" -w 2>/dev/null
    [ -n "$wm" ] && kill "$wm" 2>/dev/null
    kill "$xvfb" 2>/dev/null
    wait 2>/dev/null
}
trap cleanup EXIT INT TERM

i=0
while [ ! -e "/tmp/.X11-unix/X$display" ]; do
    i=$((i + 1))
    if [ $i -gt 100 ] || ! kill -0 "$xvfb" 2>/dev/null; then
        echo "run.sh: Xvfb did not start on :$display" >&2
        exit 1
    fi
    sleep 0.1
done
DISPLAY=":$display" openbox >/dev/null 2>&1 &
wm=$!

DISPLAY=":$display" "$src/scripts/wine_run.sh" "$prefix" "$build/win32_e2e.exe" "$@"
