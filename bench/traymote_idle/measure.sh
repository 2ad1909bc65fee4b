#!/bin/sh
# Traymote's idle cost with the card ready, against an idle Qt program with a 1 s timer measured
# in the same run: CPU time over a window (default 60 s) and resident memory.
#
#   bench/traymote_idle/measure.sh [BIN_DIR] [SECONDS]
#
# Traymote runs from a copy in a scratch folder so it finds no controller to start: it then asks
# the unit for its status every second, its busiest idle state. Without a display the script
# starts Xvfb with trayer (when installed) so both programs run on the same X server, with the
# tray icon shown.
set -eu

here=$(cd "$(dirname "$0")" && pwd)
bin=${1:-$here/../../build/default/bin}
seconds=${2:-60}

work=$(mktemp -d)
export VTOVIKMD_SOCKET="vtovikmd-idle-$$"
export TOVIK_RUNTIME_DIR="$work/runtime"
export XDG_RUNTIME_DIR="$work/xdg"
mkdir -p -m 700 "$TOVIK_RUNTIME_DIR" "$XDG_RUNTIME_DIR"
pids=""
cleanup() {
    for p in $pids; do kill "$p" 2>/dev/null || true; done
    rm -rf "$work"
}
trap cleanup EXIT INT TERM
start() { "$@" > "$work/log.$(basename "$1")" 2>&1 & pids="$! $pids"; last=$!; }

if [ -z "${DISPLAY:-}" ] && command -v Xvfb > /dev/null; then
    export DISPLAY=":$((90 + $$ % 100))"
    start Xvfb "$DISPLAY" -screen 0 800x600x24 -nolisten tcp
    sleep 1
    command -v trayer > /dev/null && { start trayer --edge top --align right --SetDockType false; sleep 1; }
fi
[ -n "${DISPLAY:-}" ] || export QT_QPA_PLATFORM=offscreen
echo "display: ${DISPLAY:-offscreen}"

start "$bin/vtovikmd" --disc "$here/../../cardsim/discs/english-album.json"
sleep 2  # the unit reads the disc's table of contents

cp "$bin/traymote" "$work/traymote"
start "$work/traymote"; traymote=$last
start "$bin/idle_qt_timer"; baseline=$last
sleep 5  # past start-up

# Nanoseconds on the CPU (schedstat), else clock ticks of user and system time in ns.
cpu_ns() {
    if [ -r "/proc/$1/schedstat" ] && [ "$(cut -d' ' -f1 "/proc/$1/schedstat")" != 0 ]; then
        cut -d' ' -f1 "/proc/$1/schedstat"
    else
        awk -v hz="$(getconf CLK_TCK)" '{ printf "%.0f\n", ($14 + $15) * 1e9 / hz }' "/proc/$1/stat"
    fi
}
rss_kb() { awk -v k="$2" '$1 == k ":" { print $2 }' "/proc/$1/status"; }

t0=$(cpu_ns "$traymote"); b0=$(cpu_ns "$baseline")
sleep "$seconds"
t1=$(cpu_ns "$traymote"); b1=$(cpu_ns "$baseline")
kill -0 "$traymote" || { echo "traymote ended early" >&2; cat "$work"/log.* >&2; exit 1; }

awk -v t="$((t1 - t0))" -v b="$((b1 - b0))" -v s="$seconds" 'BEGIN {
    printf "traymote:      %8.1f ms CPU in %d s (%.3f %% of one core)\n", t / 1e6, s, t / 1e7 / s
    printf "idle_qt_timer: %8.1f ms CPU in %d s (%.3f %% of one core)\n", b / 1e6, s, b / 1e7 / s
    printf "ratio traymote / baseline: %.2f\n", (b > 0 ? t / b : 0)
}'
echo "RSS traymote:      $(rss_kb "$traymote" VmRSS) kB (peak $(rss_kb "$traymote" VmHWM) kB)"
echo "RSS idle_qt_timer: $(rss_kb "$baseline" VmRSS) kB (peak $(rss_kb "$baseline" VmHWM) kB)"
