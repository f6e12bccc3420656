#!/bin/sh
# Runs a command (the test suite) with one Wine server kept up for a prefix
# from start to end, then ends the server and everything it started.
# Usage: wine_session.sh PREFIX COMMAND [ARGUMENTS...]
#
# Without it every test program would start a server of its own, and the
# helper processes that server starts hold the test's output open until the
# server goes away, seconds after the test ends.
set -e
prefix=$(realpath -m "$1")
shift
here=$(dirname "$0")
if [ -x /usr/lib/wine/wineserver64 ]; then server=/usr/lib/wine/wineserver64; else server=wineserver; fi
export WINEPREFIX="$prefix"
# The prefix is made, and its first server gone, before the lasting one starts.
"$here/wine_run.sh" "$prefix" cmd /c exit </dev/null >/dev/null 2>&1
"$server" -w
"$server" -p </dev/null >/dev/null 2>&1
# Its helper processes start now, with no test's output to hold.
"$here/wine_run.sh" "$prefix" cmd /c exit </dev/null >/dev/null 2>&1
status=0
"$@" || status=$?
"$server" -k 2>/dev/null || true
"$server" -w 2>/dev/null || true
exit "$status"
