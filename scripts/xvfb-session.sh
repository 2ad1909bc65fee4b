# Sourced by the screenshot scripts: a private Xvfb on display :$number with its own runtime,
# configuration and card socket, and the programs started on it ended when the script ends.
#   number=97 screen=1400x900x24 source scripts/xvfb-session.sh
# Gives root, bin, out, discs, work and pids (add the pid of everything started to pids).
set -euo pipefail
root=$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)
bin=$root/build/default/bin
out=$root/docs/screenshots
discs=$root/cardsim/discs

"$root/scripts/install-deps.sh" xdotool x11-apps imagemagick  # clicks, xwd and convert
work=$(mktemp -d)
export DISPLAY=":$number" VTOVIKMD_SOCKET="vtovikmd-shots-$$"
export TOVIK_RUNTIME_DIR="$work/runtime" XDG_RUNTIME_DIR="$work/xdg" XDG_CONFIG_HOME="$work/config"
mkdir -p -m 700 "$TOVIK_RUNTIME_DIR" "$XDG_RUNTIME_DIR" "$XDG_CONFIG_HOME"
pids=()
cleanup() {
    for p in "${pids[@]}"; do kill "$p" 2>/dev/null || true; done
    rm -rf "$work"
}
trap cleanup EXIT

if [ -e "/tmp/.X$number-lock" ]; then
    echo "display :$number is in use; give a free display number" >&2
    exit 1
fi
Xvfb "$DISPLAY" -screen 0 "$screen" -nolisten tcp > /dev/null 2>&1 & pids+=($!)
sleep 1
cd "$work"
