#!/usr/bin/env bash
# The command-line conventions of every program, checked on the built programs:
#   --help       the usage on standard output, nothing on standard error, exit 0
#   --version    "PROGRAM (TOVIK desktop suite) VERSION", exit 0
#   wrong words  a message on standard error, nothing on standard output, the usage status
#   mdctl COMMAND --help, slvtool COMMAND --help: that command's usage, exit 0
#   every line printed ends with a newline, also with a card (vtovikmd-ctl state, quit)
#   bash completion offers mdctl's and slvtool's commands and options
# CTest runs it (test "tool_conventions"):
#   scripts/check-tools.sh BIN_DIR VERSION
set -uo pipefail
bin=$1
version=$2
here=$(cd "$(dirname "$0")/.." && pwd)
tmp=$(mktemp -d)
daemon=""
cleanup() {
    [ -n "$daemon" ] && kill "$daemon" 2>/dev/null
    rm -rf "$tmp"
}
trap cleanup EXIT
unset DISPLAY WAYLAND_DISPLAY  # the GUI programs answer without a display
export TOVIK_LANG=en

failures=0
fail() {
    echo "FAIL: $*"
    failures=$((failures + 1))
}

# run PROGRAM WORDS...: the status in $status, the output in $tmp/out and $tmp/err.
run() {
    "$bin/$1" "${@:2}" >"$tmp/out" 2>"$tmp/err" </dev/null
    status=$?
    local s
    for s in out err; do
        [ -s "$tmp/$s" ] && [ -n "$(tail -c1 "$tmp/$s")" ] && fail "$*: the last line on std$s has no newline"
    done
}

# expect PROGRAM WORDS... -- STATUS STREAM: exit status and the one stream that has text.
expect() {
    local words=() status_wanted stream
    while [ "$1" != "--" ]; do words+=("$1"); shift; done
    status_wanted=$2
    stream=$3
    run "${words[@]}"
    [ "$status" -eq "$status_wanted" ] || fail "${words[*]}: exit status $status, expected $status_wanted"
    local other=err
    [ "$stream" = err ] && other=out
    [ -s "$tmp/$stream" ] || fail "${words[*]}: nothing on std$stream"
    [ -s "$tmp/$other" ] && fail "${words[*]}: unexpected std$other: $(head -c 200 "$tmp/$other")"
}

for program in rotela sleevon traymote mdctl slvtool vtovikmd vtovikmd-ctl; do
    [ -x "$bin/$program" ] || { fail "$program is not built"; continue; }
    expect "$program" --help -- 0 out
    grep -q "^usage: $program" "$tmp/out" || fail "$program --help does not start with its usage"
    expect "$program" --version -- 0 out
    [ "$(cat "$tmp/out")" = "$program (TOVIK desktop suite) $version" ] ||
        fail "$program --version printed '$(cat "$tmp/out")'"
done

# Wrong arguments: each tool's documented usage status.
expect mdctl -- 1 err
expect mdctl warp -- 1 err
expect mdctl volume 31 -- 1 err
expect slvtool -- 2 err
expect slvtool dump -- 2 err
expect vtovikmd --warp -- 2 err
expect vtovikmd --latency -5 -- 2 err
expect vtovikmd-ctl -- 2 err
expect vtovikmd-ctl power maybe -- 2 err

# Each command's own usage.
commands=$("$bin/mdctl" --help | sed -n 's/^  mdctl \([a-z][a-z-]*\).*/\1/p')
[ "$(echo "$commands" | wc -w)" -ge 9 ] || fail "mdctl --help lists only: $commands"
for command in $commands; do
    expect mdctl "$command" --help -- 0 out
    grep -q "^usage: mdctl $command" "$tmp/out" || fail "mdctl $command --help: $(cat "$tmp/out")"
done
for command in dump make print; do
    expect slvtool "$command" --help -- 0 out
    grep -q "^usage: slvtool $command" "$tmp/out" || fail "slvtool $command --help: $(cat "$tmp/out")"
done

# With a card: the daemon on a socket of its own.
export VTOVIKMD_SOCKET="$tmp/card"
"$bin/vtovikmd" --disc "$here/cardsim/discs/english-album.json" --latency 1 >"$tmp/daemon.out" 2>&1 &
daemon=$!
for _ in $(seq 150); do [ -S "$VTOVIKMD_SOCKET" ] && break; sleep 0.1; done
expect vtovikmd-ctl state -- 0 out
expect mdctl status -- 0 out
expect mdctl send play -- 0 out
expect vtovikmd-ctl quit -- 0 out
[ "$(cat "$tmp/out")" = quitting ] || fail "vtovikmd-ctl quit printed '$(cat "$tmp/out")'"
for _ in $(seq 150); do kill -0 "$daemon" 2>/dev/null || break; sleep 0.1; done
if wait "$daemon"; then daemon=""; else fail "vtovikmd did not stop with status 0 on quit"; daemon=""; fi
[ -n "$(tail -c1 "$tmp/daemon.out")" ] && fail "vtovikmd's last line has no newline"
expect mdctl status -- 2 err  # no driver now

# bash completion, through the tools' own usage.
completion=/usr/share/bash-completion/bash_completion
if [ ! -f "$completion" ]; then
    fail "bash-completion is not installed (scripts/install-deps.sh installs it)"
else
    replies=$(PATH="$bin:$PATH" bash -c '
        source "$1"; source "$2"
        complete_words() {
            COMP_WORDS=("$@"); COMP_CWORD=$((${#COMP_WORDS[@]} - 1)); COMPREPLY=()
            COMP_LINE="$*"; COMP_POINT=${#COMP_LINE}
            _tovik_tool "$1" "${COMP_WORDS[-1]}" "${COMP_WORDS[-2]}"
            echo "$*: ${COMPREPLY[*]}"
        }
        complete_words mdctl na
        complete_words mdctl send --json pl
        complete_words slvtool ""
        complete_words slvtool dump x.slv --j
    ' _ "$completion" "$here/dist/bash-completion/tovik-tools" 2>&1)
    for wanted in "mdctl na: names" "mdctl send --json pl: play" "slvtool : dump make print" \
                  "slvtool dump x.slv --j: --japanese --json"; do
        grep -qxF "$wanted" <<<"$replies" || fail "completion: expected '$wanted', got: $replies"
    done
fi

if [ "$failures" -gt 0 ]; then
    echo "$failures check(s) failed"
    exit 1
fi
echo "every program keeps the command-line conventions"
