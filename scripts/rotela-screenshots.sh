#!/usr/bin/env bash
# Takes the pictures of Rotela's panel in docs/screenshots/ (and the help page's picture) against
# the simulated card, on a private Xvfb, driving the panel with xdotool as a person would.
#
#   scripts/rotela-screenshots.sh [DISPLAY_NUMBER]     (default 97; it must be free)
number=${1:-97} screen=1400x900x24 source "$(dirname "$0")/xvfb-session.sh"

# Control centres in the panel's client pixels.
declare -A at=([POWER]="45 51" [ACCESS]="115 51" [PLAY]="583 44" [STOP]="534 44" [REC]="567 98")

daemon=""
unit() {  # a fresh unit with this disc (none: no disc)
    [ -n "$daemon" ] && { kill "$daemon"; wait "$daemon" 2>/dev/null || true; }
    if [ -n "${1:-}" ]; then "$bin/vtovikmd" --disc "$discs/$1" > /dev/null & else "$bin/vtovikmd" > /dev/null & fi
    daemon=$!; pids+=("$daemon")
    sleep 2  # the unit reads the table of contents
}
panel=""
start() {  # Rotela, in the language given (en, ja)
    TOVIK_LANG=$1 "$bin/rotela" > /dev/null 2>&1 & panel=$!; pids+=("$panel")
    sleep 2.5  # the model, then the first status a second later, then the names
}
window() { xdotool search --name "TOVIK MD" | head -1; }
scale=1
click() {
    read -r x y <<< "${at[$1]}"
    xdotool mousemove --window "$(window)" $((x * scale)) $((y * scale)) click 1
    xdotool mousemove 1300 850  # no button left under the pointer
}
shot() { xwd -id "$(window)" -silent | convert xwd:- "$out/$1.png"; echo "$out/$1.png"; }
stop() { kill "$panel"; wait "$panel" 2>/dev/null || true; }

unit english-album.json
start en
shot rotela-stopped
click ACCESS; sleep 1.5
shot rotela-pc-access-off
click ACCESS; sleep 1.5
click PLAY; sleep 4.2
shot rotela-playing
cp "$out/rotela-playing.png" "$root/resources/rotela/help/panel.png"
"$bin/vtovikmd-ctl" eject > /dev/null; sleep 1.5
shot rotela-no-disc
stop

unit blank-74.json
start en
click ACCESS; sleep 1.5
click REC; sleep 1.5
click PLAY; sleep 5.3
shot rotela-recording
stop

unit japanese-album.json
start ja
click PLAY; sleep 3.2
shot rotela-japanese
cp "$out/rotela-japanese.png" "$root/resources/rotela/help/panel-ja.png"
stop

# The panel at twice the size, as on a high-density screen.
unit english-album.json
scale=2
QT_SCALE_FACTOR=2 start en
click PLAY; sleep 2.2
shot rotela-playing-2x
stop
