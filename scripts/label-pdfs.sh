#!/usr/bin/env bash
# Prints the two demo albums' labels to PDF as a person with the suite would: the simulated card
# plays the disc, mdctl reads its names into the controller's label file, and slvtool prints
# the label editor's page at offsets 0 with the default fonts of a fresh profile.
#   scripts/label-pdfs.sh [OUT_DIR]   (default docs/labels)
# The test slvtool_print_test reads the PDFs in docs/labels back and checks where the labels lie.
set -euo pipefail
cd "$(dirname "$0")/.."
out="${1:-docs/labels}"
bin=build/default/bin
tmp=$(mktemp -d)
daemon=""
cleanup() {
  [ -n "$daemon" ] && kill "$daemon" 2>/dev/null || true
  rm -rf "$tmp"
}
trap cleanup EXIT
export VTOVIKMD_SOCKET="$tmp/card" XDG_CONFIG_HOME="$tmp/config"
mkdir -p "$out"

for album in english:en japanese:ja; do
  name=${album%%:*}
  export TOVIK_LANG=${album##*:}
  "$bin/vtovikmd" --disc "cardsim/discs/$name-album.json" --latency 1 >/dev/null &
  daemon=$!
  # The unit reads the disc first; the label file comes once the names can be read.
  for _ in $(seq 100); do
    "$bin/mdctl" label "$tmp/$name.slv" >/dev/null 2>&1 && break
    sleep 0.1
  done
  "$bin/vtovikmd-ctl" quit >/dev/null
  wait "$daemon" || true
  daemon=""
  "$bin/slvtool" print "$tmp/$name.slv" --pdf "$out/$name-album.pdf" --offset 0 0
  echo "$out/$name-album.pdf"
done
