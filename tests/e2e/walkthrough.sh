#!/usr/bin/env bash
# Plays the game in a real X window under Xvfb: Map → Escape → QUIT → Intro → New Game → Map →
# Battle Test → four attacks on foe 1 → Escape → Continue → Escape → QUIT → Intro → Exit,
# checking after each step which windows are showing, reading the screen back (foe 1 gone, foe 2
# still standing), and checking the exit status at the end.
# Usage: walkthrough.sh path/to/velmora
set -u
. "$(dirname "$0")/xvfb_lib.sh"
play "$1"

expect_showing "Map"
sleep 0.5
# The map fills the display with tiles: the far corner is not the empty dark green.
corner=$(pixel 1000 740)
echo "map corner pixel: $corner"
[ -n "$corner" ] && [ "$corner" != "008000" ] && [ "$corner" != "000000" ] ||
    fail "the map corner shows no tile ($corner)"
quit_map_to_title
click_title New
expect_showing "Map"

click_in Map 50 188 # Battle Test: 1275 × 615 twips at (120, 2520)
expect_showing "Battle Map"
sleep 0.5
# Foes 1 and 2 stand at (683, 404) and (683, 512), 64 × 64 pixels each.
foes=(64x64+683+404 64x64+683+512)
screenshot "$work/before" "${foes[@]}"
# Four attacks on foe 1 with Space (choose the target, then strike): 10 hit points, 3 a blow.
for blow in 1 2 3 4; do
    key_in Battle space
    sleep 0.2
    key_in Battle space
    sleep 0.8 # the step forward and back, the two flash frames and the repaint after them
done
screenshot "$work/after" "${foes[@]}"
gone=$(differing "$work/before-1.png" "$work/after-1.png")
kept=$(differing "$work/before-2.png" "$work/after-2.png")
echo "pixels changed where foe 1 stood: $gone; where foe 2 stands: $kept"
[ "${gone:-0}" -gt 100 ] 2>/dev/null || fail "foe 1 is still there after four blows ($gone)"
[ "$kept" = "0" ] || fail "foe 2 changed ($kept pixels)"
key_in Battle Escape
expect_showing "Battle Map Menu"
click_in Menu 150 44 # Continue: 3135 × 615 twips at (720, 360)
expect_showing "Battle Map"
key_in Battle Escape
expect_showing "Battle Map Menu"
click_in Menu 156 284 # QUIT
expect_showing "Intro"
click_title Exit
expect_game_ends "on Exit"
