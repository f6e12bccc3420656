#!/bin/sh
# Installs the built bar into a throw-away prefix (with a blank and Japanese
# in its path), upgrades it, sets it to start at login and removes it again.
#   tests/install_test.sh BUILT_EXECUTABLE
set -u

EXE=$1
SOURCE=$(cd "$(dirname "$0")/.." && pwd -P)
ROOT=$(mktemp -d /tmp/tamblewick-install-XXXXXX)
trap 'rm -rf "$ROOT"' EXIT
export HOME="$ROOT/home dir"
export XDG_CONFIG_HOME="$ROOT/設定 config"
export PREFIX="$ROOT/pre fix/ローカル"
mkdir -p "$HOME"

APPDIR="$PREFIX/lib/tamblewick"
PROGRAM="$APPDIR/tamblewick"
LINK="$PREFIX/bin/tamblewick"
ENTRY="$PREFIX/share/applications/tamblewick.desktop"
ICON="$PREFIX/share/icons/hicolor/scalable/apps/tamblewick.svg"
AUTOSTART="$XDG_CONFIG_HOME/autostart/tamblewick.desktop"
HELP="$APPDIR/TAMBLEWICKHELP.html"

failures=0
fail() {
    echo "FAIL: $*" >&2
    failures=$((failures + 1))
}
check() {  # check MESSAGE COMMAND...
    message=$1
    shift
    "$@" || fail "$message"
}
same() {  # same FILE EXPECTED MESSAGE
    cmp -s "$1" "$2" || fail "$3 ($1 differs from $2)"
}
run() {  # run SUBCOMMAND [EXE]: the installer, its output in $ROOT/out
    EXE=${2:-$EXE} sh "$SOURCE/scripts/install.sh" "$1" >"$ROOT/out" 2>&1 ||
        { fail "install.sh $1 failed:"; cat "$ROOT/out" >&2; }
}
valid() {
    desktop-file-validate "$1" >"$ROOT/validate" 2>&1 && ! grep -q . "$ROOT/validate" ||
        { fail "$1 does not validate:"; cat "$ROOT/validate" >&2; }
}

# A first install: the layout.
run install
check "the executable is not installed as an executable in $APPDIR" test -x "$PROGRAM"
same "$PROGRAM" "$EXE" "the installed executable is not the built one"
same "$APPDIR/tamblewick-entry" "$(dirname "$EXE")/tamblewick-entry" \
    "the desktop entry starter is not installed beside the executable"
same "$APPDIR/Sample.ini" "$SOURCE/Sample.ini" "the shipped Sample.ini is not installed"
same "$HELP" "$SOURCE/docs/TAMBLEWICKHELP.html" "the help document is not installed"
for png in "$SOURCE"/docs/TAMBLEWICKHELP-*.png; do
    same "$APPDIR/${png##*/}" "$png" "a picture of the help document is not installed"
done
same "$ICON" "$SOURCE/docs/tamblewick.svg" "the icon is not installed"
check "$LINK is not a symbolic link" test -L "$LINK"
real=$(realpath "$LINK")
check "$LINK resolves to '$real', not into lib/tamblewick/" test "$real" = "$(realpath "$PROGRAM")"
check "the executable's real folder is not the program directory" \
    test "$(dirname "$real")" = "$(realpath "$APPDIR")"
for key in Name 'Name\[ja\]' Comment 'Comment\[ja\]' Exec Icon Categories; do
    check "the application entry has no $key key" grep -q "^$key=" "$ENTRY"
done
check "the application entry does not start $PROGRAM" grep -qxF "Exec=\"$PROGRAM\"" "$ENTRY"
valid "$ENTRY"

# A second install upgrades the program and its help, and keeps every
# settings file byte for byte.
printf '[Window]\r\nSize=33\r\n' >>"$APPDIR/Sample.ini"
printf '[Data]\r\nFile=%s/Sample.ini\r\n' "$APPDIR" >"$APPDIR/DataFile.ini"
printf '[Window]\r\nBlend=50\r\n' >"$APPDIR/mine.ini"
mkdir "$ROOT/kept"
cp -p "$APPDIR"/*.ini "$ROOT/kept/"
echo "an older help document" >"$HELP"
cp "$EXE" "$ROOT/newer"
echo "a newer build" >>"$ROOT/newer"
cp "$(dirname "$EXE")/tamblewick-entry" "$ROOT/tamblewick-entry"
run install "$ROOT/newer"
same "$PROGRAM" "$ROOT/newer" "a second install did not upgrade the executable"
same "$HELP" "$SOURCE/docs/TAMBLEWICKHELP.html" "a second install did not upgrade the help document"
for ini in Sample.ini DataFile.ini mine.ini; do
    same "$APPDIR/$ini" "$ROOT/kept/$ini" "a second install changed $ini"
done

# Starting at login, and no more.
run autostart
check "autostart made no $AUTOSTART" test -f "$AUTOSTART"
check "the autostart entry does not start $PROGRAM" grep -qxF "Exec=\"$PROGRAM\"" "$AUTOSTART"
valid "$AUTOSTART"
run no-autostart
check "no-autostart left $AUTOSTART" test ! -e "$AUTOSTART"
run autostart

# Uninstalling removes the program and keeps the settings, and says where.
run uninstall
for gone in "$PROGRAM" "$HELP" "$LINK" "$ENTRY" "$ICON" "$AUTOSTART"; do
    check "uninstall left $gone" test ! -e "$gone" -a ! -L "$gone"
done
for png in "$APPDIR"/TAMBLEWICKHELP-*.png; do
    check "uninstall left $png" test ! -e "$png"
done
for ini in Sample.ini DataFile.ini mine.ini; do
    same "$APPDIR/$ini" "$ROOT/kept/$ini" "uninstall did not keep $ini"
    check "uninstall does not say it kept $ini" grep -q "^  $ini\$" "$ROOT/out"
done
check "uninstall does not say where the settings are" grep -qF "$APPDIR" "$ROOT/out"

# Without settings files left the program directory goes too.
run install
rm "$APPDIR"/*.ini
run uninstall
check "uninstall left the empty program directory" test ! -e "$APPDIR"

if [ "$failures" -ne 0 ]; then
    echo "$failures install check(s) failed" >&2
    exit 1
fi
echo "install checks passed"
