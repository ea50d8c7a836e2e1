#!/usr/bin/env bash
# Under a window manager, the map, battle and title screens cover exactly the display, with
# their captions as titles, and the pause menu is a small window centred above whichever screen
# opened it. Usage: full_screen.sh path/to/velmora
set -u
game="$1"
. "$(dirname "$0")/xvfb_lib.sh"
with_window_manager

"$game" >"$work/game.log" 2>&1 &
game_pid=$!

# The menu: 4770 × 4890 twips of client area at 15 twips per pixel, centred on the display,
# and visible above the screen beneath (its blue shows in the middle of the screen).
expect_menu_above() {
    local got x y w h centre
    got=$(geometry Menu)
    read -r x y w h <<<"$got"
    [ "$w" = 318 ] && [ "$h" = 326 ] || fail "menu client size $w × $h"
    [ $((x + w / 2 - 512)) -ge -40 ] && [ $((x + w / 2 - 512)) -le 40 ] &&
        [ $((y + h / 2 - 384)) -ge -40 ] && [ $((y + h / 2 - 384)) -le 40 ] ||
        fail "menu not centred: $got"
    centre=$(pixel $((x + 10)) $((y + h / 2)))
    [ "$(echo "$centre" | tr A-F a-f)" = "8080ff" ] || fail "the menu is not on top: $centre at its left edge"
    echo "menu above at $got"
}

expect_showing "Map"
expect_covers_screen Map 1024 768
key_in Map Escape
expect_showing "Map Menu"
expect_menu_above
click_in Menu 110 40 # Continue
expect_showing "Map"

click_in Map 50 188 # Battle Test
expect_showing "Battle Map"
expect_covers_screen Battle 1024 768
key_in Battle Escape
expect_showing "Battle Map Menu"
expect_menu_above
click_in Menu 156 284 # QUIT
expect_showing "Intro"
expect_covers_screen Intro 1024 768

click_in Intro $((512 - 122 + 120)) $((384 - 104 + 178)) # Exit
expect_game_ends "on Exit"
echo "full-screen checks passed"
