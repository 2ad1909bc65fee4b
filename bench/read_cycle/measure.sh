#!/bin/sh
# The full read cycle on a 255-track disc through vtovikmd, against its floor: 256 name reads
# (the disc name and every track) one after another, each taking the unit's name-read latency.
#
#   bench/read_cycle/measure.sh [BIN_DIR] [RUNS] [LATENCY_MS]
#
# BIN_DIR holds vtovikmd, vtovikmd-ctl and mdctl (default: build/default/bin). LATENCY_MS, when
# given, is passed to vtovikmd --latency (every answer after that many ms); without it the unit
# keeps its own latencies (name read 60 ms). Prints each run, then the median, floor and ratio.
set -eu

here=$(cd "$(dirname "$0")" && pwd)
bin=${1:-$here/../../build/default/bin}
runs=${2:-5}
latency=${3:-}
read_ms=${latency:-60}

work=$(mktemp -d)
export VTOVIKMD_SOCKET="vtovikmd-bench-$$"
daemon=""
cleanup() {
    [ -n "$daemon" ] && kill "$daemon" 2>/dev/null || true
    rm -rf "$work"
}
trap cleanup EXIT INT TERM

# 255 tracks of 20 s; 254 names of 5 characters and one unnamed track, with the 7-character disc
# name exactly filling the unit's 255 title slots.
{
    printf '{ "title": "Full255", "recordable": true, "capacity": 99, "tracks": [\n'
    i=1
    while [ "$i" -le 255 ]; do
        name=$(printf 'Tr%03d' "$i")
        [ "$i" -eq 255 ] && name=""
        sep=","
        [ "$i" -eq 255 ] && sep=""
        printf '  { "name": "%s", "length": 20 }%s\n' "$name" "$sep"
        i=$((i + 1))
    done
    printf ']}\n'
} > "$work/disc-255.json"

if [ -n "$latency" ]; then
    "$bin/vtovikmd" --disc "$work/disc-255.json" --latency "$latency" 2> "$work/daemon.log" &
else
    "$bin/vtovikmd" --disc "$work/disc-255.json" 2> "$work/daemon.log" &
fi
daemon=$!
# Wait for the daemon and the unit's reading of the table of contents.
n=0
until "$bin/vtovikmd-ctl" state > /dev/null 2>&1; do
    n=$((n + 1))
    [ "$n" -gt 50 ] && { echo "vtovikmd did not start" >&2; cat "$work/daemon.log" >&2; exit 1; }
    sleep 0.1
done
sleep 2

ms_now() { date +%s%3N; }
times=""
r=1
while [ "$r" -le "$runs" ]; do
    start=$(ms_now)
    "$bin/mdctl" names --json > "$work/names.json" 2> "$work/progress.txt"
    end=$(ms_now)
    echo "run $r: $((end - start)) ms"
    times="$times $((end - start))"
    r=$((r + 1))
done
grep -q '"Tr254", ""]}' "$work/names.json" || { echo "unexpected names:" >&2; head -c 300 "$work/names.json" >&2; exit 1; }

median=$(printf '%s\n' $times | sort -n | awk '{ a[NR] = $1 } END { print a[int((NR + 1) / 2)] }')
floor=$((256 * read_ms))
echo "command: mdctl names --json (255 tracks, name-read latency ${read_ms} ms)"
echo "median:  ${median} ms over ${runs} runs"
echo "floor:   ${floor} ms (256 x ${read_ms} ms)"
awk -v m="$median" -v f="$floor" 'BEGIN { printf "ratio:   %.3f\n", m / f }'
