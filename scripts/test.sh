#!/usr/bin/env bash
# Installs what is missing, builds the suite and runs every test.
#   scripts/test.sh            the default build (build/default)
#   scripts/test.sh asan       the AddressSanitizer + UndefinedBehaviorSanitizer build (build/asan)
# Besides the unit tests, CTest runs scripts/check-tools.sh (every program's --help, --version
# and usage errors) and scripts/check-install.sh (the tree installed under a temporary DESTDIR,
# its desktop entries validated).
set -euo pipefail
cd "$(dirname "$0")/.."
preset="${1:-default}"

scripts/install-deps.sh
start=$(date +%s)
cmake --preset "$preset" >/dev/null
cmake --build --preset "$preset"
built=$(date +%s)
export ASAN_OPTIONS="${ASAN_OPTIONS:-abort_on_error=1}"
export UBSAN_OPTIONS="${UBSAN_OPTIONS:-print_stacktrace=1:halt_on_error=1}"
ctest --preset "$preset"
echo "build $((built - start)) s, tests $(($(date +%s) - built)) s ($preset)"
