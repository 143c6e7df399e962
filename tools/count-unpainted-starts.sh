#!/usr/bin/env bash
# Starts the program under the emulated-device launcher many times on Xvfb with no D-Bus
# session bus, as CI runs it, and counts the starts whose window never paints. Not part of
# CI: it checks that the test bed's starts never hang.
#
#   tools/count-unpainted-starts.sh [starts=200] [at once=4] [build dir=build]
#
# A start that has not painted after 30 s never paints. Its processes are listed (a child
# of the program is a fork that never reached exec) and killed. Exits 1 when any start hung.
set -euo pipefail
cd "$(dirname "$0")/.."
starts=${1:-200}
parallel=${2:-4}
build=${3:-build}
launcher=$build/tests/emulator/lv_emulated_launch
program=$build/source/LumivandrexUtility
for f in "$launcher" "$program"; do
    [ -x "$f" ] || { echo "missing $f (build first)" >&2; exit 2; }
done
command -v Xvfb >/dev/null || { echo "Xvfb is not installed (tools/install-deps.sh)" >&2; exit 2; }

work=$(mktemp -d)
xvfb=
cleanup() {
    [ -n "$xvfb" ] && kill "$xvfb" 2>/dev/null
    rm -rf "$work"
}
trap cleanup EXIT

display=
for n in $(seq 200 260); do
    if [ ! -e "/tmp/.X11-unix/X$n" ] && [ ! -e "/tmp/.X$n-lock" ]; then display=$n; break; fi
done
[ -n "$display" ] || { echo "no free X display" >&2; exit 2; }
Xvfb ":$display" -screen 0 1280x1024x24 -nolisten tcp >/dev/null 2>&1 &
xvfb=$!
disown "$xvfb"   # not counted among the starts running at once
for _ in $(seq 100); do [ -e "/tmp/.X11-unix/X$display" ] && break; sleep 0.1; done

# Children of a process (of all its threads), by pid.
children() { cat /proc/"$1"/task/*/children 2>/dev/null | xargs; }

# One start, in a home and runtime folder of its own; prints "painted" or "never painted: <why>".
start_once() {
    local dir=$work/$1 pid program_pid= outcome= status=0
    mkdir -p "$dir/run" && chmod 700 "$dir/run"
    env -u DBUS_SESSION_BUS_ADDRESS -u QT_QPA_PLATFORM HOME="$dir" XDG_CONFIG_HOME="$dir/.config" \
        XDG_RUNTIME_DIR="$dir/run" DISPLAY=":$display" LV_BENCH_MARKER="$dir/marker" \
        "$launcher" --devices 1 "$program" </dev/null >"$dir/launcher.log" 2>&1 &
    pid=$!
    for _ in $(seq 300); do
        if grep -q '^painted' "$dir/marker" 2>/dev/null; then outcome=painted; break; fi
        sleep 0.1
    done
    for child in $(children "$pid"); do
        [ "$(cat "/proc/$child/comm" 2>/dev/null)" = dbus-daemon ] || program_pid=$child
    done
    if [ -z "$outcome" ] && [ -n "$program_pid" ]; then
        outcome="never painted: program $program_pid hangs, its children:"
        for child in $(children "$program_pid"); do
            outcome+=" $child ($(cat "/proc/$child/comm" 2>/dev/null), waits in $(cat "/proc/$child/wchan" 2>/dev/null))"
        done
    fi
    if [ -n "$program_pid" ]; then
        # A forked child stuck before exec would outlive the program: it goes first.
        for child in $(children "$program_pid"); do kill -KILL "$child" 2>/dev/null || true; done
        kill -KILL "$program_pid" 2>/dev/null || true
    fi
    wait "$pid" 2>/dev/null || status=$?
    if [ -z "$outcome" ]; then
        outcome="never painted: the program ended, launcher status $status: $(tail -n 3 "$dir/launcher.log" | tr '\n' ' ')"
    fi
    rm -rf "$dir"
    echo "$outcome"
}

results=$work/results
: >"$results"
for i in $(seq "$starts"); do
    start_once "$i" >>"$results" &
    while [ "$(jobs -rp | wc -l)" -ge "$parallel" ]; do wait -n || true; done
done
wait
done_count=$(wc -l <"$results")
hung=$(grep -c '^never painted' "$results" || true)
grep '^never painted' "$results" || true
echo "$hung of $done_count starts never painted (no session bus, $parallel at once)"
[ "$hung" -eq 0 ]
