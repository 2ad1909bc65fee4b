#!/usr/bin/env bash
# Takes the pictures of Rotela's disc editing in docs/screenshots/ against the simulated card, on
# a private Xvfb, driving Rotela with xdotool as a person would: the TOCEDIT popup, confirmation
# mode, the track list editor and the name dialog, in English and Japanese. The Japanese run
# renames and reorders the Japanese album and prints what `mdctl names` then reads from the disc.
#
#   scripts/editing-screenshots.sh [DISPLAY_NUMBER]     (default 93; it must be free)
number=${1:-93} screen=1024x768x24 source "$(dirname "$0")/xvfb-session.sh"

daemon=""
unit() {  # a fresh unit with this disc
    [ -n "$daemon" ] && { kill "$daemon"; wait "$daemon" 2>/dev/null || true; }
    "$bin/vtovikmd" --disc "$discs/$1" > /dev/null & daemon=$!; pids+=("$daemon")
    sleep 2  # the unit reads the table of contents
}
rotela=""
start() {  # Rotela, in the language given (en, ja)
    TOVIK_LANG=$1 "$bin/rotela" > /dev/null 2>&1 & rotela=$!; pids+=("$rotela")
    sleep 3  # the model, the first status, the names
}
stop() { kill "$rotela"; wait "$rotela" 2>/dev/null || true; }
find() { xdotool search --onlyvisible --name "$1" | head -1; }
# Clicks at a point of a window's client area (x y), then takes the pointer away.
click() {
    xdotool mousemove --window "$1" "$2" "$3" click --repeat "${4:-1}" --delay 80 1
    sleep "${5:-0.4}"
}
keys() { xdotool key --delay 60 "$@"; sleep 0.4; }
# Types into the window under the pointer (there is no window manager to give the focus).
type() { xdotool mousemove --window "$1" 60 16; xdotool key ctrl+a; xdotool type --delay 60 "$2"; sleep 0.4; }
shot() { xwd -id "$1" -silent | convert xwd:- "$out/$2.png"; echo "$out/$2.png"; }
rootshot() { xwd -root -silent | convert xwd:- -crop "$2" +repage "$out/$1.png"; echo "$out/$1.png"; }

# The panel's TOCEDIT button, UP of confirmation mode (in its client pixels), and the popup's
# items by keyboard: Down from the top, Up from the bottom.
tocedit="538 155"
edit_up="556 102"
popup() { click "$(find 'TOVIK MD')" $tocedit 1 0.6; }
# The editor's list rows and buttons (its client pixels).
row() { echo 100 $((70 + 15 * $1)); }
movedown="397 103"
move="380 136"
change_disc="410 21"
exit_editor="380 295"

language() {  # LANG DISC NAME
    local lang=$1
    unit "$2"
    start "$lang"
    local panel
    panel=$(find 'TOVIK MD')

    # The popup at track 2, then confirmation mode for MOVE with its target raised to 3.
    click "$panel" 591 70 1 1.5  # UP: the next track
    popup
    rootshot "editing-popup-$lang" 760x320+0+0
    keys Down Down Down Return
    click "$panel" $edit_up 1 0.2
    click "$panel" $edit_up 1 0.6
    shot "$panel" "editing-confirm-move-$lang"
    xdotool mousemove --window "$panel" 300 100; keys Escape

    # The track list editor, with a track selected and the mark two rows below it.
    popup
    keys Up Return
    sleep 3
    local editor
    editor=$(find "$3")
    click "$editor" $(row 1) 1 0.3
    click "$editor" $movedown 1 0.2
    click "$editor" $movedown 1 0.4
    shot "$editor" "editing-track-list-$lang"

    # The name dialog for the selected track.
    click "$editor" $(row 1) 2 1
    local dialog
    dialog=$(find "$4")
    type "$dialog" "$5"
    shot "$dialog" "editing-name-dialog-$lang"
}

language en english-album.json "Edit Track list" "Track name Edit" "Lanterns on the Bay"
keys Escape
click "$(find 'Edit Track list')" $exit_editor 1 2
stop

# Japanese: rename track 3, move track 2 to the end, rename the disc; the disc keeps it all.
language ja japanese-album.json "トラックリストの編集" "トラック名の編集" "ﾄｳｷｮｳ ﾅｲﾄ"
keys Return
sleep 2
editor=$(find "トラックリストの編集")
click "$editor" $(row 2) 2 1
type "$(find 'トラック名の編集')" "ｺﾝﾊﾞﾝﾜ TOKYO"
keys Return
sleep 2
click "$editor" $(row 1) 1 0.3
for _ in 1 2 3 4 5 6 7; do click "$editor" $movedown 1 0.15; done
click "$editor" $move 1 1
xdotool mousemove --window "$(find '^Rotela$')" 30 30; keys Return  # "Track Move 2 -> 8": OK
sleep 2.5
shot "$editor" editing-track-list-after-ja
click "$editor" $change_disc 1 1
type "$(find 'ディスク名の編集')" "ﾊﾙﾉ ｻｸﾗ"
keys Return
sleep 2
click "$editor" $exit_editor 1 3
shot "$(find 'TOVIK MD')" editing-after-ja
stop
echo "mdctl names (Japanese):"
TOVIK_LANG=ja "$bin/mdctl" names 2> /dev/null
