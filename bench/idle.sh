#!/bin/bash
# The bar at idle against a bare Qt window (build/tamblewick_floor), both run
# side by side in the same run: CPU over 30 s after 2 s of settling with the
# header on, peak RSS, and start to mapped window (median of 11 starts).
# Prints the figures of both and the three ratios with their limits; exits
# with 1 when a ratio is over its limit.
#
# Starts Xvfb and openbox of its own when DISPLAY is unset. The bar runs from
# a temporary copy of the program directory whose Sample.ini has SysInfo=1.
set -eu

BUILD=${BUILD:-build}
ROOT=$(cd "$(dirname "$0")/.." && pwd)
cd "$ROOT"
BAR_BUILT=$BUILD/tamblewick
FLOOR=$BUILD/tamblewick_floor
SETTLE=${SETTLE:-2}
SPAN=${SPAN:-30}
STARTS=${STARTS:-11}
for f in "$BAR_BUILT" "$FLOOR"; do
    [ -x "$f" ] || { echo "idle.sh: $f is missing; build first" >&2; exit 2; }
done

WORK=$(mktemp -d /tmp/tamblewick-idle-XXXXXX)
PIDS=()
cleanup() {
    for p in "${PIDS[@]}"; do kill "$p" 2>/dev/null || true; done
    wait 2>/dev/null || true
    rm -rf "$WORK"
}
trap cleanup EXIT

if [ -z "${DISPLAY:-}" ]; then
    n=90
    while [ -e /tmp/.X11-unix/X$n ] || [ -e /tmp/.X$n-lock ]; do n=$((n + 1)); done
    Xvfb ":$n" -screen 0 1280x800x24 -nolisten tcp >/dev/null 2>&1 &
    PIDS+=($!)
    for _ in $(seq 100); do [ -e /tmp/.X11-unix/X$n ] && break; sleep 0.05; done
    export DISPLAY=":$n"
    openbox >/dev/null 2>&1 &
    PIDS+=($!)
    sleep 1
fi

# The program directory: the executable and a settings file with the header on.
mkdir "$WORK/bar"
cp "$BAR_BUILT" "$WORK/bar/tamblewick"
sed 's/^SysInfo=[^\r]*/SysInfo=1/' Sample.ini >"$WORK/bar/Sample.ini"
grep -q '^SysInfo=1' "$WORK/bar/Sample.ini" || printf '[Window]\r\nSysInfo=1\r\n' >>"$WORK/bar/Sample.ini"
BAR=$WORK/bar/tamblewick

# Starts `$1` in the background with its output to `$2`; sets PID to the
# program's own process, also when the shell forks before it execs, and
# JOB to the job to wait for.
launch() {
    local exe
    exe=$(readlink -f "$1")
    "$1" >"$2" 2>/dev/null &
    JOB=$!
    PID=$JOB
    for _ in $(seq 200); do
        [ "$(readlink /proc/$PID/exe 2>/dev/null)" = "$exe" ] && return
        local child
        child=$(pgrep -P $PID -n 2>/dev/null || true)
        if [ -n "$child" ] && [ "$(readlink /proc/$child/exe 2>/dev/null)" = "$exe" ]; then
            PID=$child
            return
        fi
        sleep 0.005
    done
    echo "idle.sh: $1 did not start" >&2
    exit 2
}

# CPU time of all threads of a process, in nanoseconds (the scheduler's own
# account; utime + stime count whole clock ticks, too coarse for 0.3 s).
cpu_ns() { cat /proc/"$1"/task/*/schedstat 2>/dev/null | awk '{ s += $1 } END { printf "%.0f", s }'; }
peak_kib() { awk '/^VmHWM:/ { print $2 }' "/proc/$1/status"; }

# Microseconds from the start of `$1` until its window is first exposed.
start_to_mapped() {
    local out=$WORK/stamp start pid stamp=""
    : >"$out"
    start=${EPOCHREALTIME/./}
    export TAMBLEWICK_BENCH_MAPPED=1
    launch "$1" "$out"
    unset TAMBLEWICK_BENCH_MAPPED
    pid=$PID
    for _ in $(seq 1000); do
        stamp=$(awk '/^mapped / { print $2 }' "$out")
        [ -n "$stamp" ] && break
        sleep 0.01
    done
    kill "$pid" 2>/dev/null || true
    wait "$JOB" 2>/dev/null || true
    [ -n "$stamp" ] || { echo "idle.sh: $1 showed no window" >&2; exit 2; }
    echo $((stamp - start))
}
median() { sort -n | awk '{ v[NR] = $1 } END { print v[int((NR + 1) / 2)] }'; }

echo "start to mapped window, $STARTS starts each, alternating..."
: >"$WORK/bar.starts"
: >"$WORK/floor.starts"
for _ in $(seq "$STARTS"); do
    start_to_mapped "$BAR" >>"$WORK/bar.starts"
    start_to_mapped "$FLOOR" >>"$WORK/floor.starts"
done
bar_start=$(median <"$WORK/bar.starts")
floor_start=$(median <"$WORK/floor.starts")

echo "idle CPU over ${SPAN} s after ${SETTLE} s of settling, side by side..."
launch "$BAR" /dev/null
bar_pid=$PID
PIDS+=($bar_pid)
launch "$FLOOR" /dev/null
floor_pid=$PID
PIDS+=($floor_pid)
sleep "$SETTLE"
bar_t0=$(cpu_ns $bar_pid)
floor_t0=$(cpu_ns $floor_pid)
sleep "$SPAN"
bar_cpu=$(($(cpu_ns $bar_pid) - bar_t0))
floor_cpu=$(($(cpu_ns $floor_pid) - floor_t0))
bar_rss=$(peak_kib $bar_pid)
floor_rss=$(peak_kib $floor_pid)

awk -v hz=1000000000 -v span="$SPAN" \
    -v bc="$bar_cpu" -v fc="$floor_cpu" -v br="$bar_rss" -v fr="$floor_rss" \
    -v bs="$bar_start" -v fs="$floor_start" '
function row(name, b, f, unit, limit,   r) {
    r = f > 0 ? b / f : 0
    printf "%-26s %10.3f %10.3f %-4s  ratio %.2f (limit %.2f) %s\n", name, b, f, unit, r, limit,
           r <= limit ? "ok" : "OVER"
    if (r > limit) over = 1
}
BEGIN {
    printf "%-26s %10s %10s\n", "", "tamblewick", "floor"
    row("CPU over " span " s", bc / hz, fc / hz, "s", 1.15)
    row("peak RSS", br / 1024, fr / 1024, "MiB", 1.10)
    row("start to mapped (median)", bs / 1000, fs / 1000, "ms", 1.20)
    exit over
}'
