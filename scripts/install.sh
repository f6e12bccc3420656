#!/bin/sh
# Installs Tamblewick for one user, sets it to start at login, and removes it
# again. The program directory holds the user's settings, so it must stay
# writable by the user: nothing here is installed system-wide.
#
#   scripts/install.sh install | uninstall | autostart | no-autostart
#
# Environment: PREFIX (default ~/.local), EXE (the built executable, default
# build/tamblewick), XDG_CONFIG_HOME (default ~/.config).
set -eu

SOURCE=$(cd "$(dirname "$0")/.." && pwd -P)
PREFIX=${PREFIX:-"$HOME/.local"}
EXE=${EXE:-"$SOURCE/build/tamblewick"}
CONFIG=${XDG_CONFIG_HOME:-"$HOME/.config"}

APPDIR="$PREFIX/lib/tamblewick"
PROGRAM="$APPDIR/tamblewick"
LINK="$PREFIX/bin/tamblewick"
ENTRY="$PREFIX/share/applications/tamblewick.desktop"
ICON="$PREFIX/share/icons/hicolor/scalable/apps/tamblewick.svg"
AUTOSTART="$CONFIG/autostart/tamblewick.desktop"

# Messages go through printf: the echo of sh reads backslashes in paths.
die() {
    printf '%s\n' "install.sh: $*" >&2
    exit 1
}

case "$PREFIX" in
    /*) ;;
    *) die "PREFIX must be an absolute path: '$PREFIX'" ;;
esac
newline='
'
# A line break cannot go into a desktop entry, and a "%" in the program's
# path, though it can be escaped, keeps some desktops from starting it.
case "$PREFIX" in
    *"$newline"* | *%*) die "PREFIX may not hold a line break or a '%'" ;;
esac

# A path as one argument of an Exec key: quoted, with the characters that are
# special inside the quotes escaped, and then every backslash escaped once
# more because the key's value is itself an escaped string.
exec_arg() {
    printf '%s\n' "$1" | sed -e 's/[\\"`$]/\\&/g' -e 's/\\/\\\\/g' \
        -e 's/^/"/' -e 's/$/"/'
}

# A plain string value: backslashes escaped.
string_value() {
    printf '%s\n' "$1" | sed -e 's/\\/\\\\/g'
}

# Writes standard input to $1 through a temporary file in the same folder,
# so the entry appears whole or not at all.
write_file() {
    mkdir -p "$(dirname "$1")"
    tmp=$(mktemp "$(dirname "$1")/.tamblewick.XXXXXX")
    if cat >"$tmp" && chmod 644 "$tmp" && mv -f "$tmp" "$1"; then
        return 0
    fi
    rm -f "$tmp"
    die "cannot write $1"
}

# The lines an application entry and an autostart entry share.
entry_lines() {
    echo "[Desktop Entry]"
    echo "Type=Application"
    echo "Name=Tamblewick"
    echo "Name[ja]=Tamblewick ランチャーバー"
    echo "Comment=Launcher bar with menus of your programs, documents and folders"
    echo "Comment[ja]=プログラム・文書・フォルダーをメニューから起動するランチャーバー"
    printf '%s\n' "Exec=$(exec_arg "$PROGRAM")"
    printf '%s\n' "Icon=$(string_value "$ICON")"
}

help_files() {
    for f in "$SOURCE"/docs/TAMBLEWICKHELP.html "$SOURCE"/docs/TAMBLEWICKHELP-*.png; do
        [ -f "$f" ] && printf '%s\n' "$f"
    done
    return 0
}

do_install() {
    [ -x "$EXE" ] || die "no built executable at $EXE (run make first)"
    mkdir -p "$APPDIR" "$PREFIX/bin"
    # install(1) replaces the file rather than writing into it, so a running
    # bar keeps its old executable until it restarts.
    install -m 755 "$EXE" "$PROGRAM"
    # The program that starts desktop entries for the bar, built beside it.
    install -m 755 "$(dirname "$EXE")/tamblewick-entry" "$APPDIR/tamblewick-entry"
    help_files | while IFS= read -r f; do
        install -m 644 "$f" "$APPDIR/"
    done
    # The shipped settings file only when there is none: the user's own
    # settings are never overwritten.
    if [ ! -e "$APPDIR/Sample.ini" ] && [ ! -L "$APPDIR/Sample.ini" ]; then
        install -m 644 "$SOURCE/Sample.ini" "$APPDIR/Sample.ini"
    fi
    ln -sfn "$PROGRAM" "$LINK"
    { entry_lines; echo "Categories=Utility;"; } | write_file "$ENTRY"
    mkdir -p "$(dirname "$ICON")"
    install -m 644 "$SOURCE/docs/tamblewick.svg" "$ICON"
    printf '%s\n' "Installed Tamblewick in $APPDIR"
    printf '%s\n' "  start it with $LINK or from the application menu"
}

do_autostart() {
    [ -x "$PROGRAM" ] || die "Tamblewick is not installed in $APPDIR (run make install first)"
    entry_lines | write_file "$AUTOSTART"
    printf '%s\n' "Tamblewick starts at login: $AUTOSTART"
}

do_no_autostart() {
    rm -f "$AUTOSTART"
    echo "Tamblewick no longer starts at login"
}

do_uninstall() {
    rm -f "$PROGRAM" "$APPDIR/tamblewick-entry" "$APPDIR/TAMBLEWICKHELP.html" "$APPDIR"/TAMBLEWICKHELP-*.png \
        "$ENTRY" "$ICON" "$AUTOSTART"
    # The link only when it is ours.
    if [ -L "$LINK" ] && [ "$(readlink "$LINK")" = "$PROGRAM" ]; then
        rm -f "$LINK"
    fi
    if [ -d "$APPDIR" ]; then
        kept=$(ls -A "$APPDIR")
        if [ -z "$kept" ]; then
            rmdir "$APPDIR"
        else
            printf '%s\n' "Kept your settings files in $APPDIR:"
            ls -A "$APPDIR" | sed 's/^/  /'
        fi
    fi
    printf '%s\n' "Removed Tamblewick from $PREFIX"
}

case "${1:-}" in
    install) do_install ;;
    uninstall) do_uninstall ;;
    autostart) do_autostart ;;
    no-autostart) do_no_autostart ;;
    *) die "usage: install.sh install | uninstall | autostart | no-autostart" ;;
esac
