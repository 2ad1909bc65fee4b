#!/bin/sh
# Rotela against an empty QMainWindow of the panel's size (empty_panel_window), in one run:
#   1. start to first map and first paint, and peak resident memory over the first 1.5 s (the
#      display lights up and draws its text in that time), RUNS times each, alternating;
#   2. CPU while Rotela polls a playing unit for SECONDS (vtovikmd, the English album);
#   3. CPU in the unit's level mode (levels_panel: the panel polled every 50 ms) beside the empty
#      window repainted every 50 ms, for SECONDS, side by side.
#
#   bench/panel/measure.sh [BIN_DIR] [RUNS] [SECONDS]
#
# Without a display it starts its own Xvfb with a black root (first_paint needs one).
set -eu

here=$(cd "$(dirname "$0")" && pwd)
bin=$(cd "${1:-$here/../../build/default/bin}" && pwd)
runs=${2:-9}
seconds=${3:-30}

work=$(mktemp -d)
export VTOVIKMD_SOCKET="vtovikmd-panel-bench-$$"
export TOVIK_RUNTIME_DIR="$work/runtime" XDG_RUNTIME_DIR="$work/xdg" XDG_CONFIG_HOME="$work/config"
mkdir -p -m 700 "$TOVIK_RUNTIME_DIR" "$XDG_RUNTIME_DIR" "$XDG_CONFIG_HOME"
pids=""
cleanup() {
    for p in $pids; do kill "$p" 2>/dev/null || true; done
    rm -rf "$work"
}
trap cleanup EXIT INT TERM
start() { "$@" > "$work/log.$(basename "$1")" 2>&1 & pids="$! $pids"; last=$!; }

if [ -z "${DISPLAY:-}" ]; then
    export DISPLAY=":$((90 + $$ % 100))"
    start Xvfb "$DISPLAY" -screen 0 1024x768x24 -br -nolisten tcp
    sleep 1
fi
echo "display: $DISPLAY"

start "$bin/vtovikmd" --disc "$here/../../cardsim/discs/english-album.json"
sleep 2  # the unit reads the disc's table of contents
cd "$work"  # Rotela's current folder

median() { sort -n | awk '{ v[NR] = $1 } END { print (NR % 2) ? v[(NR + 1) / 2] : (v[NR / 2] + v[NR / 2 + 1]) / 2 }'; }
field() { sed -n "s/.*$1=\([0-9.-]*\).*/\1/p"; }

# --- 1. start ---
: > "$work/empty.txt"; : > "$work/rotela.txt"
i=0
while [ "$i" -lt "$runs" ]; do
    "$bin/first_paint" --hold 1500 "$bin/empty_panel_window" >> "$work/empty.txt" || true
    "$bin/first_paint" --hold 1500 "$bin/rotela" >> "$work/rotela.txt" || true
    i=$((i + 1))
done
for what in map_ms paint_ms peak_rss_kb; do
    e=$(field "$what" < "$work/empty.txt" | median)
    r=$(field "$what" < "$work/rotela.txt" | median)
    awk -v w="$what" -v e="$e" -v r="$r" 'BEGIN { printf "%-12s empty %9.1f   rotela %9.1f   ratio %.2f\n", w, e, r, r / e }'
done

# --- CPU over a window: nanoseconds on the CPU (schedstat) ---
cpu_ns() { cut -d' ' -f1 "/proc/$1/schedstat"; }
side_by_side() {  # label-a pid-a label-b pid-b
    a0=$(cpu_ns "$2"); b0=$(cpu_ns "$4")
    sleep "$seconds"
    a1=$(cpu_ns "$2"); b1=$(cpu_ns "$4")
    awk -v la="$1" -v lb="$3" -v a="$((a1 - a0))" -v b="$((b1 - b0))" -v s="$seconds" 'BEGIN {
        printf "%-22s %8.1f ms CPU in %d s (%.3f %% of one core)\n", la, a / 1e6, s, a / 1e7 / s
        printf "%-22s %8.1f ms CPU in %d s (%.3f %% of one core)\n", lb, b / 1e6, s, b / 1e7 / s
        printf "ratio: %.2f\n", (b > 0 ? a / b : 0)
    }'
}

# --- 2. playing ---
start "$bin/rotela"; rotela=$last
sleep 3
"$bin/mdctl" send play > /dev/null
sleep 2
start "$bin/empty_panel_window" --repaint-ms 50; repaint=$last
sleep 2
echo "-- a playing unit, $seconds s"
side_by_side "rotela (playing)" "$rotela" "empty, 50 ms repaint" "$repaint"
kill "$rotela" "$repaint"
sleep 1

# --- 3. level mode ---
start "$bin/levels_panel"; levels=$last
start "$bin/empty_panel_window" --repaint-ms 50; repaint=$last
sleep 3
echo "-- level mode (50 ms poll), $seconds s"
side_by_side "panel (level mode)" "$levels" "empty, 50 ms repaint" "$repaint"
