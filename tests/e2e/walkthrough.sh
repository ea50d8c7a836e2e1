#!/usr/bin/env bash
# Plays the game in a real X window under Xvfb: Map → Escape → QUIT → Intro → New Game → Map →
# Battle Test → Escape → QUIT → Intro → Exit, checking after each step which windows are
# showing, reading the screen back, and checking the exit status at the end.
# Usage: walkthrough.sh path/to/velmora
set -u
game="$1"
export QT_QPA_PLATFORM=xcb
unset WAYLAND_DISPLAY

fail() { echo "FAIL: $*" >&2; exit 1; }

work=$(mktemp -d)
display_number=$((90 + RANDOM % 400))
Xvfb ":$display_number" -screen 0 1024x768x24 -nolisten tcp >"$work/xvfb.log" 2>&1 &
xvfb_pid=$!
game_pid=""
cleanup() {
    [ -n "$game_pid" ] && kill "$game_pid" 2>/dev/null
    kill "$xvfb_pid" 2>/dev/null
    rm -rf "$work"
}
trap cleanup EXIT
export DISPLAY=":$display_number"
for _ in $(seq 50); do xdpyinfo >/dev/null 2>&1 && break; sleep 0.1; done
xdpyinfo >/dev/null 2>&1 || fail "Xvfb did not start"

# The names of the game's windows that are showing, sorted, on one line.
showing() {
    local ids names=""
    ids=$(xdotool search --onlyvisible --pid "$game_pid" --name '.' 2>/dev/null)
    for id in $ids; do names="$names $(xdotool getwindowname "$id")"; done
    echo $names | tr ' ' '\n' | sort | tr '\n' ' ' | sed 's/ $//'
}

expect_showing() {
    local want="$1" got=""
    for _ in $(seq 100); do
        got=$(showing)
        if [ "$got" = "$want" ]; then
            echo "showing: $got"
            sleep 0.5 # let the new window settle before the next input
            return 0
        fi
        sleep 0.1
    done
    fail "expected windows [$want], found [$got]"
}

# The id of the showing game window with this exact name (a search by pid also turns up the
# root window, which has no name).
window() {
    local id
    for id in $(xdotool search --onlyvisible --pid "$game_pid" --name "^$1\$" 2>/dev/null); do
        if [ "$(xdotool getwindowname "$id")" = "$1" ]; then
            echo "$id"
            return
        fi
    done
}

# Clicks at (x, y) inside the named window.
click_in() {
    local id
    id=$(window "$1")
    xdotool mousemove --window "$id" "$2" "$3" click 1
}

key_in() {
    local id
    id=$(window "$1")
    xdotool windowfocus --sync "$id" 2>/dev/null || xdotool windowfocus "$id"
    xdotool key "$2"
}

# The colour of one screen pixel as rrggbb.
pixel() {
    import -window root "$work/screen.png" &&
        convert "$work/screen.png" -format "%[hex:p{$1,$2}]" info: | cut -c1-6
}

"$game" >"$work/game.log" 2>&1 &
game_pid=$!

expect_showing "Map"
sleep 0.5
# The map fills the display with tiles: the far corner is not the empty dark green.
corner=$(pixel 1000 740)
echo "map corner pixel: $corner"
[ -n "$corner" ] && [ "$corner" != "008000" ] && [ "$corner" != "000000" ] ||
    fail "the map corner shows no tile ($corner)"

key_in Map Escape
expect_showing "Map Menu"
# QUIT: 3135 × 615 twips at (780, 3960) in the menu, 15 twips per pixel.
click_in Menu 156 284
expect_showing "Intro"

# New Game: the title's panel is centred; New Game sits at (240, 120) twips inside it.
click_in Intro $((512 - 122 + 120)) $((384 - 104 + 26))
expect_showing "Map"

# Battle Test: 1275 × 615 twips at (120, 2520).
click_in Map 50 188
expect_showing "Battle Map"
key_in Battle Escape
expect_showing "Battle Map Menu"
click_in Menu 156 284
expect_showing "Intro"

# Exit: (240, 2400) twips inside the panel.
click_in Intro $((512 - 122 + 120)) $((384 - 104 + 178))
for _ in $(seq 100); do kill -0 "$game_pid" 2>/dev/null || break; sleep 0.1; done
kill -0 "$game_pid" 2>/dev/null && fail "the game did not end on Exit"
wait "$game_pid"
status=$?
game_pid=""
[ "$status" -eq 0 ] || { cat "$work/game.log"; fail "exit status $status"; }
echo "exit status 0"
echo "walkthrough passed"
