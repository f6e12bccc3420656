#!/bin/bash
# The real program on a real X server: Xvfb with openbox, driven with
# xdotool and wmctrl as a user would drive it.
#   tests/e2e/run.sh BUILT_EXECUTABLE DOCK_HELPER
# Each case runs the bar from a program directory of its own (a copy of the
# executable, since the program directory is the folder of its real path)
# with its settings file written in Shift-JIS. Every process started here is
# ended by its pid when the script ends. Set E2E_SHOTS to a folder to get a
# screenshot there of any case that fails (needs ImageMagick's import).
set -u

EXE=$(readlink -f "$1")
DOCK=$(readlink -f "$2")
for tool in Xvfb openbox xdotool wmctrl xprop xwininfo xrandr iconv; do
    command -v "$tool" >/dev/null || { echo "e2e: $tool is missing (make deps)" >&2; exit 1; }
done
# The bar chooses X11 itself unless told otherwise; the tests' offscreen
# platform is not for it.
unset QT_QPA_PLATFORM
WORK=$(mktemp -d /tmp/tamblewick-e2e-XXXXXX)
export HOME="$WORK/home"  # the editor's folder tree starts here
mkdir -p "$HOME"

PIDS=()
cleanup() {
    local p
    for p in "${PIDS[@]}"; do kill "$p" 2>/dev/null; done
    for p in "${PIDS[@]}"; do wait "$p" 2>/dev/null; done
    rm -rf "$WORK"
}
trap cleanup EXIT

failures=0
CASE=""
fail() {
    echo "FAIL [$CASE]: $*" >&2
    failures=$((failures + 1))
    if [ -n "${E2E_SHOTS:-}" ] && command -v import >/dev/null; then
        mkdir -p "$E2E_SHOTS"
        import -window root "$E2E_SHOTS/${CASE// /_}-$failures.png" 2>/dev/null
    fi
    return 1
}

now_ms() { date +%s%3N; }
# wait_for SECONDS COMMAND...: runs COMMAND every 50 ms until it succeeds;
# fails when it has not within SECONDS.
wait_for() {
    local limit=$(($(now_ms) + $1 * 1000))
    shift
    until "$@" 2>/dev/null; do
        [ "$(now_ms)" -ge "$limit" ] && return 1
        sleep 0.05
    done
}

# --- X servers -------------------------------------------------------------

XVFB=""
WM=""
# start_x WIDTHxHEIGHT: a private Xvfb (the server picks a free display
# number itself) with openbox; sets DISPLAY. -noreset keeps the monitors
# set with xrandr when a short-lived client is the last one to leave.
start_x() {
    local fdfile="$WORK/display.$RANDOM"
    Xvfb -displayfd 3 -screen 0 "$1x24" -nolisten tcp -noreset 3>"$fdfile" >/dev/null 2>&1 &
    XVFB=$!
    PIDS+=("$XVFB")
    wait_for 10 test -s "$fdfile" || { echo "e2e: Xvfb did not start" >&2; exit 1; }
    export DISPLAY=":$(cat "$fdfile")"
    openbox >/dev/null 2>&1 &
    WM=$!
    PIDS+=("$WM")
    wait_for 10 sh -c 'xprop -root _NET_SUPPORTING_WM_CHECK | grep -q "window id"' ||
        { echo "e2e: openbox did not start" >&2; exit 1; }
}

stop_x() {
    kill "$WM" "$XVFB" 2>/dev/null
    wait "$WM" "$XVFB" 2>/dev/null
}

# --- the bar -----------------------------------------------------------------

# program_dir NAME SETTINGS: a program directory with the executable and a
# Sample.ini of SETTINGS (UTF-8 here, with "\n" line ends; written in
# Shift-JIS with CRLF). Prints its path.
program_dir() {
    local dir="$WORK/$1"
    mkdir -p "$dir"
    cp "$EXE" "$dir/tamblewick"
    printf '%s' "$2" | sed 's/$/\r/' | iconv -f UTF-8 -t SHIFT_JIS >"$dir/Sample.ini"
    echo "$dir"
}

BAR=""     # the bar's process
BARWIN=""  # its window
visible_windows() { xdotool search --onlyvisible --pid "$BAR" 2>/dev/null; }
first_window() { BARWIN=$(visible_windows | head -1); [ -n "$BARWIN" ]; }
start_bar() {
    "$1/tamblewick" >/dev/null 2>&1 &
    BAR=$!
    PIDS+=("$BAR")
    wait_for 10 first_window || fail "the bar did not show"
}
stop_bar() {
    kill "$BAR" 2>/dev/null
    wait "$BAR" 2>/dev/null
}
running() { kill -0 "$BAR" 2>/dev/null; }
ended() { ! running; }

# geometry WINDOW: "X Y WIDTH HEIGHT" of its inside, on the screen.
geometry() {
    xwininfo -id "$1" | awk '/Absolute upper-left X/ { x = $NF } /Absolute upper-left Y/ { y = $NF }
                             /^  Width/ { w = $NF } /^  Height/ { h = $NF } END { print x, y, w, h }'
}
geometry_is() { [ "$(geometry "$1")" = "$2" ]; }
viewable() { xwininfo -id "$1" | grep -q 'Map State: IsViewable'; }
desktop_of() { xprop -id "$1" _NET_WM_DESKTOP | awk -F' = ' '{ print $2 }'; }
desktop_is() { [ "$(desktop_of "$1")" = "$2" ]; }
current_desktop_is() { xprop -root _NET_CURRENT_DESKTOP | grep -q " = $1\$"; }

# The shown window of the bar's process titled $1. Without --all, xdotool
# takes a window that meets any one of the name conditions, and one not
# given counts as met: every shown window of the process would do.
window_titled() { xdotool search --all --onlyvisible --pid "$BAR" --name "^$1\$" 2>/dev/null | head -1; }
has_window_titled() { [ -n "$(window_titled "$1")" ]; }
# The one visible window of the bar's process other than those given.
other_window() {
    local w skip
    for w in $(visible_windows); do
        skip=""
        for s in "$@"; do [ "$w" = "$s" ] && skip=1; done
        [ -z "$skip" ] && { echo "$w"; return 0; }
    done
    return 1
}
has_other_window() { other_window "$@" >/dev/null; }

# Gives the bar the keyboard as a click on an empty part of its menu bar does.
click_bar() {
    local x y w h
    read -r x y w h <<<"$(geometry "$BARWIN")"
    xdotool mousemove $((x + w - 20)) $((y + 6)) click 1
    wait_for 5 sh -c "[ \"\$(xdotool getwindowfocus)\" = $BARWIN ]" || fail "the bar did not take the keyboard"
}

# in_place WINDOW WIDTH HEIGHT: the window, framed by the window manager,
# is WIDTH x HEIGHT with its frame and stands in the middle of the work
# area: where a dialog window places itself once its frame is known.
in_place() {
    local l r t b x y w h ax ay aw ah
    read -r l r t b <<<"$(xprop -id "$1" _NET_FRAME_EXTENTS | awk -F' = ' 'NF == 2 { gsub(",", ""); print $2 }')"
    [ -n "$b" ] || return 1
    read -r x y w h <<<"$(geometry "$1")"
    # The first workspace's, of the four numbers each has.
    read -r ax ay aw ah <<<"$(xprop -root _NET_WORKAREA | awk -F' = ' '{ gsub(",", ""); split($2, a, " ")
                                                                   print a[1], a[2], a[3], a[4] }')"
    [ $((w + l + r)) = "$2" ] && [ $((h + t + b)) = "$3" ] &&
        [ $((x - l)) = $((ax + (aw - $2) / 2)) ] && [ $((y - t)) = $((ay + (ah - $3) / 2)) ]
}

EDITOR_TITLE="Tamblewick 設定"
editor_in_place() { in_place "$(window_titled "$EDITOR_TITLE")" 706 495; }
# Opens the editor from the keyboard: Alt gives the menu bar the keyboard on
# its first menu, :ControlPanel: when no group is shown; one to the right
# is :Setting:. Returns once it stands where clicks on it may be aimed.
open_editor() {
    click_bar
    xdotool key alt
    xdotool key Right Return
    wait_for 10 has_window_titled "$EDITOR_TITLE" || { fail "the editor did not open"; return; }
    wait_for 5 editor_in_place ||
        fail "the editor does not stand 706 x 495 in the middle of the work area: $(geometry "$(window_titled "$EDITOR_TITLE")")"
}

# --- the cases ---------------------------------------------------------------

case_workspaces() {
    CASE="every workspace"
    local dir
    dir=$(program_dir workspaces $'[Window]\nShowJapanese=0\n')
    start_bar "$dir" || return
    wait_for 5 desktop_is "$BARWIN" 4294967295 ||
        fail "_NET_WM_DESKTOP is $(desktop_of "$BARWIN"), not 0xFFFFFFFF"
    wmctrl -s 1
    wait_for 5 current_desktop_is 1 || fail "wmctrl did not switch"
    wait_for 2 viewable "$BARWIN" || fail "the bar is not shown on the second workspace"
    desktop_is "$BARWIN" 4294967295 || fail "the bar left the other workspaces"

    # The editor opens where the user is, also after it was last shown on
    # another workspace.
    open_editor || { stop_bar; return; }
    local editor
    editor=$(window_titled "$EDITOR_TITLE")
    wait_for 5 desktop_is "$editor" 1 || fail "the editor opened on workspace $(desktop_of "$editor"), not 1"
    local x y w h
    read -r x y w h <<<"$(geometry "$editor")"
    xdotool mousemove $((x + w - 47)) $((y + h - 42)) click 1  # Cancel
    wait_for 5 sh -c "! xwininfo -id $editor | grep -q IsViewable" || fail "Cancel did not close the editor"
    wmctrl -s 2
    wait_for 5 current_desktop_is 2 || fail "wmctrl did not switch"
    wait_for 2 viewable "$BARWIN" || fail "the bar is not shown on the third workspace"
    open_editor || { stop_bar; return; }
    wait_for 5 desktop_is "$(window_titled "$EDITOR_TITLE")" 2 ||
        fail "the editor reopened on workspace $(desktop_of "$(window_titled "$EDITOR_TITLE")"), not 2"
    stop_bar
    wmctrl -s 0
}

case_typed_size_after_error_box() {
    CASE="typing after the error box"
    local dir
    dir=$(program_dir editor $'[Window]\nShowJapanese=1\nSize=20\n')
    start_bar "$dir" || return
    open_editor || { stop_bar; return; }
    local editor x y w h
    editor=$(window_titled "$EDITOR_TITLE")
    read -r x y w h <<<"$(geometry "$editor")"
    # The size field, "サイズ：", in the lower panel of fixed height.
    xdotool mousemove $((x + 374)) $((y + h - 66)) click 1
    xdotool key ctrl+a BackSpace
    wait_for 5 has_other_window "$BARWIN" "$editor" ||
        { fail "no error box for the emptied size field"; stop_bar; return; }
    local box
    box=$(other_window "$BARWIN" "$editor")
    xdotool key Return  # its one button, OK
    wait_for 5 sh -c "! xwininfo -id $box 2>/dev/null | grep -q IsViewable" || fail "OK did not close the box"
    wait_for 5 sh -c "[ \"\$(xdotool getwindowfocus)\" = $editor ]" ||
        fail "the editor did not get the keyboard back"
    xdotool type --delay 20 45
    xdotool mousemove $((x + w - 47)) $((y + h - 17)) click 1  # OK: save, reload, close
    wait_for 5 sh -c "iconv -f SHIFT_JIS -t UTF-8 '$dir/Sample.ini' | grep -q '^Size=45'" ||
        fail "Size=45 was not saved: $(iconv -f SHIFT_JIS -t UTF-8 "$dir/Sample.ini" | grep '^Size=')"
    # The bar took the new size at once.
    wait_for 5 sh -c "[ \"\$(xwininfo -id $BARWIN | awk '/^  Height/ { print \$NF }')\" = 45 ]" ||
        fail "the bar is not 45 high: $(geometry "$BARWIN")"
    stop_bar
}

case_launch_by_mouse() {
    CASE="a menu entry chosen by mouse"
    local dir marker="$WORK/launched"
    dir=$(program_dir launch "")
    printf '#!/bin/sh\ntouch "%s"\n' "$marker" >"$dir/mark.sh"
    chmod +x "$dir/mark.sh"
    printf '[GroupName]\nSection1=Tools\n[Group1]\nItem11=Marker\nItemValue11=%s\n' "$dir/mark.sh" |
        sed 's/$/\r/' | iconv -f UTF-8 -t SHIFT_JIS >"$dir/Sample.ini"
    start_bar "$dir" || return
    local x y w h
    read -r x y w h <<<"$(geometry "$BARWIN")"
    xdotool mousemove $((x + 12)) $((y + 8)) click 1  # "Tools", the first menu
    wait_for 5 has_other_window "$BARWIN" || { fail "the menu did not open"; stop_bar; return; }
    local menu mx my mw mh
    menu=$(other_window "$BARWIN")
    read -r mx my mw mh <<<"$(geometry "$menu")"
    xdotool mousemove $((mx + mw / 2)) $((my + mh / 2)) click 1  # its one entry
    wait_for 5 test -e "$marker" || fail "the entry did not start its target"
    running || fail "the bar ended"
    stop_bar
}

case_escape() {
    CASE="Escape"
    local dir
    dir=$(program_dir escape $'[GroupName]\nSection1=Tools\n[Group1]\nItem11=Entry\n')
    # A freshly clicked bar.
    start_bar "$dir" || return
    click_bar
    xdotool key Escape
    wait_for 5 ended || { fail "Escape did not end a freshly clicked bar"; stop_bar; }

    # After Alt, with the menu bar holding the keyboard.
    start_bar "$dir" || return
    click_bar
    xdotool key alt
    xdotool key Escape
    wait_for 5 ended || { fail "Escape after Alt did not end the bar"; stop_bar; }

    # An open menu: the first Escape only closes it.
    start_bar "$dir" || return
    local x y w h
    read -r x y w h <<<"$(geometry "$BARWIN")"
    xdotool mousemove $((x + 12)) $((y + 8)) click 1
    wait_for 5 has_other_window "$BARWIN" || { fail "the menu did not open"; stop_bar; return; }
    local menu
    menu=$(other_window "$BARWIN")
    xdotool key Escape
    wait_for 5 sh -c "! xwininfo -id $menu 2>/dev/null | grep -q IsViewable" ||
        fail "Escape did not close the open menu"
    running || { fail "Escape on an open menu ended the bar"; return; }
    xdotool key Escape
    wait_for 5 ended || { fail "Escape after the menu closed did not end the bar"; stop_bar; }
}

# Two monitors of 1024 x 800 side by side, the left one primary, each with
# a task bar 30 high along its bottom: the bottom bar stands on the primary
# one's task bar (800 - 30 - 38 = 732), not on the monitor's edge (762).
case_two_monitors() {
    CASE="the bottom bar on the primary of two monitors"
    start_x 2048x800
    xrandr --setmonitor '*LEFT' 1024/270x800/200+0+0 screen >/dev/null
    xrandr --setmonitor RIGHT 1024/270x800/200+1024+0 none >/dev/null
    [ "$(xrandr --listmonitors | head -1)" = "Monitors: 2" ] || fail "xrandr made no two monitors"
    "$DOCK" 0 770 1024 30 >/dev/null &
    local left=$!
    PIDS+=("$left")
    "$DOCK" 1024 770 1024 30 >/dev/null &
    PIDS+=($!)
    wait_for 5 sh -c 'xprop -root _NET_WORKAREA | grep -q "0, 0, 2048, 770"' ||
        fail "openbox did not take the docks: $(xprop -root _NET_WORKAREA)"

    local dir
    dir=$(program_dir monitors $'[Window]\nShowBottom=1\nSize=38\n')
    start_bar "$dir" || { stop_x; return; }
    wait_for 5 geometry_is "$BARWIN" "0 732 1024 38" ||
        fail "the bar stands at $(geometry "$BARWIN"), not at 0 732 1024 38"

    # A taller task bar in place of the first: the next movement over the
    # bar follows it.
    kill "$left"
    "$DOCK" 0 750 1024 50 >/dev/null &
    PIDS+=($!)
    wait_for 5 sh -c 'xprop -root _NET_WORKAREA | grep -q "0, 0, 2048, 750"' ||
        fail "openbox did not take the new dock: $(xprop -root _NET_WORKAREA)"
    xdotool mousemove 500 740
    xdotool mousemove 510 742
    wait_for 5 geometry_is "$BARWIN" "0 712 1024 38" ||
        fail "after the task bar grew the bar stands at $(geometry "$BARWIN"), not at 0 712 1024 38"
    stop_bar
    stop_x
}

start=$(now_ms)
start_x 1280x800
case_workspaces
case_typed_size_after_error_box
case_launch_by_mouse
case_escape
stop_x
case_two_monitors
echo "e2e: $failures failure(s) in $(( ($(now_ms) - start) / 1000 )) s"
[ "$failures" -eq 0 ]
