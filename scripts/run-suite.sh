#!/usr/bin/env bash
# Runs the suite on the simulated card: builds it if needed, starts vtovikmd with a demo disc,
# then Traymote, which starts Rotela once the unit has read the disc. Without a display it shows
# the suite working through its command-line tools instead.
#   scripts/run-suite.sh [DISC.json]
set -euo pipefail
cd "$(dirname "$0")/.."
disc="${1:-cardsim/discs/english-album.json}"
bin=build/default/bin

if [ ! -x "$bin/rotela" ] || [ ! -x "$bin/traymote" ]; then
  scripts/install-deps.sh
  cmake --preset default >/dev/null
  cmake --build --preset default
fi

have() { [ -x "$bin/$1" ]; }

daemon_pid=""
cleanup() {
  [ -n "$daemon_pid" ] && kill "$daemon_pid" 2>/dev/null || true
}
trap cleanup EXIT

if have vtovikmd; then
  if [ -f "$disc" ]; then
    "$bin/vtovikmd" --disc "$disc" &
  else
    "$bin/vtovikmd" &
  fi
  daemon_pid=$!
  # Traymote started before the daemon listens would find no driver and end at once; the tools
  # want the unit to have read the disc's table of contents.
  for _ in $(seq 100); do
    "$bin/vtovikmd-ctl" state 2>/dev/null | grep -q '"loading": false' && break
    sleep 0.1
  done
  echo "vtovikmd is serving the simulated card (disc: $disc)"
else
  echo "vtovikmd is not built yet: the programs will report a missing driver."
fi

if [ -n "${DISPLAY:-}${WAYLAND_DISPLAY:-}" ]; then
  echo "Starting Traymote: Rotela appears once the unit has read the disc."
  echo "Choose Close from the tray icon's menu (or press Ctrl+C here) to end the suite."
  "$bin/traymote"
  exit 0
fi

echo "No display here: showing the suite through its command-line tools."
run() { echo; echo "\$ $*"; "$@" || true; }
have vtovikmd-ctl && run "$bin/vtovikmd-ctl" state
have mdctl && run "$bin/mdctl" status
have mdctl && run "$bin/mdctl" send play
have mdctl && run "$bin/mdctl" names
have mdctl && run "$bin/mdctl" encode-name --japanese "ｺﾝﾆﾁﾊ"
if have mdctl && have slvtool; then
  tmp=$(mktemp -d)
  (cd "$tmp" && "$OLDPWD/$bin/mdctl" label >/dev/null 2>&1 || true)
  [ -f "$tmp/EditingLabel.slv" ] && run "$bin/slvtool" dump "$tmp/EditingLabel.slv"
  rm -rf "$tmp"
fi
have mdctl && run "$bin/mdctl" send stop
