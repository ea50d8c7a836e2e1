#!/usr/bin/env bash
# Under a window manager, the map, battle and title screens cover exactly the display, with
# their captions as titles, and the pause menu is a small window centred above whichever screen
# opened it. Usage: full_screen.sh path/to/velmora
set -u
. "$(dirname "$0")/xvfb_lib.sh"
with_window_manager
play "$1"

# The menu: 4770 × 4890 twips of client area at 15 twips per pixel, centred on the display,
# and above the screen beneath: its blue shows at its left edge.
expect_menu_above() {
    local x y w h
    read -r x y w h <<<"$(geometry Menu)"
    [ "$w $h" = "318 326" ] || fail "menu client size $w × $h"
    [ $(((x + w / 2 - 512) ** 2)) -le 1600 ] && [ $(((y + h / 2 - 384) ** 2)) -le 1600 ] ||
        fail "menu not centred: $x $y $w $h"
    [ "$(pixel $((x + 10)) $((y + h / 2)) | tr A-F a-f)" = 8080ff ] || fail "the menu is not on top"
    echo "menu above at $x $y $w $h"
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
click_title Exit
expect_game_ends "on Exit"
