#!/bin/sh
# Runs a Windows program under Wine in a private prefix, with the Japanese
# locale that gives Wine code page 932. The prefix is made on first use.
# Usage: wine_run.sh PREFIX PROGRAM [ARGUMENTS...]
set -e
prefix=$1
shift
export WINEPREFIX="$prefix" LC_ALL=ja_JP.UTF-8 WINEDEBUG="${WINEDEBUG:--all}"
# No .NET or HTML engine: the prefix is made without asking for them.
export WINEDLLOVERRIDES="mscoree,mshtml="
if [ -x /usr/lib/wine/wine64 ]; then wine=/usr/lib/wine/wine64; else wine=wine64; fi
if [ -x /usr/lib/wine/wineserver64 ]; then server=/usr/lib/wine/wineserver64; else server=wineserver; fi
if [ ! -f "$prefix/system.reg" ]; then
    mkdir -p "$prefix"
    # Tests run in parallel: one of them makes the prefix, the others wait.
    # The server that made the prefix is waited for: a program that reached
    # it while it was going away would lose its connection.
    if ! flock "$prefix.lock" sh -c '[ -f "$WINEPREFIX/system.reg" ] ||
            { timeout 300 "$1" wineboot -i && timeout 60 "$2" -w; }' \
        sh "$wine" "$server" >/dev/null 2>&1; then
        echo "wine_run.sh: could not make the Wine prefix $prefix" >&2
        exit 1
    fi
fi
exec "$wine" "$@"
