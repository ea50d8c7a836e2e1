#!/usr/bin/env bash
# The real program played on the desktops players have, under Xvfb with a window manager:
# unscaled, scaled by 150 % (Xft.dpi 144, or QT_SCALE_FACTOR=1.5), at 192 DPI with Qt's scaling
# off and on, and on a display of an odd height. In each: the map, the battle and the title cover
# exactly the screen, map tiles are whole multiples of the tile set's pixels, the pause menu is a
# small window centred above whichever screen opened it, the battle's panels stay still while a
# target is chosen, four blows take foe 1 and leave foe 2, Continue goes back to the battle, and
# QUIT then Exit ends the game with status 0.
# Usage: scaled_displays.sh path/to/velmora
set -u
game="$1"
here=$(dirname "$0")
tiles="$(dirname "$game")/Background/World/ts0.bmp"
[ -f "$tiles" ] || { echo "FAIL: no tile set beside the game" >&2; exit 1; }

# scenario SCREEN DPI SCALE TWIPS [VARIABLE=VALUE ...]: a WxH screen at a desktop DPI, where
# the game should see each logical pixel as SCALE × SCALE screen pixels at TWIPS twips per pixel.
scenario() (
    XVFB_SCREEN=$1
    local dpi=$2 n=$3 t=$4 off
    shift 4
    . "$here/xvfb_lib.sh"
    with_window_manager
    [ "$dpi" = 96 ] || desktop_dpi "$dpi"
    local w=${XVFB_SCREEN%x*} h=${XVFB_SCREEN#*x}
    local lw=$((w / n)) lh=$((h / n))
    # Twips to screen pixels.
    px() { awk -v v="$1" -v t="$t" -v n="$n" 'BEGIN { printf "%d", int(v / t + 0.5) * n }'; }
    # The menu: 4770 × 4890 twips of client area, centred on the screen, and above the screen
    # beneath: its blue shows at its left edge.
    menu_above() {
        local x y mw mh
        read -r x y mw mh <<<"$(geometry Menu)"
        [ "$mw $mh" = "$(px 4770) $(px 4890)" ] || fail "menu client size $mw × $mh"
        [ $(((x + mw / 2 - w / 2) ** 2)) -le 1600 ] && [ $(((y + mh / 2 - h / 2) ** 2)) -le 1600 ] ||
            fail "menu not centred: $x $y $mw $mh"
        [ "$(pixel $((x + 10)) $((y + mh / 2)) | tr A-F a-f)" = 8080ff ] || fail "menu not on top"
        echo "menu above at $x $y $mw $mh"
    }

    play env "$@" "$game" --no-music
    expect_showing "Map"
    expect_covers_screen Map "$w" "$h"
    # Tiles: the tile set's own pixels, each an n × n block, away from the buttons and the leader.
    screenshot "$work/map" "$((w / 2))x$((h / 2))+$((w / 4))+$((h / 4))"
    convert "$tiles" -crop "$((lw / 2))x$((lh / 2))+$((lw / 4))+$((lh / 4))" +repage \
        -scale "$((n * 100))%" "$work/tiles.png"
    off=$(differing "$work/map-1.png" "$work/tiles.png")
    [ "$off" = 0 ] || fail "map tiles are not whole multiples of the tile set: $off pixels differ"
    echo "map tiles: each pixel of the tile set is $n × $n on the screen"
    key_in Map Escape
    expect_showing "Map Menu"
    menu_above
    click_in Menu "$(px $((720 + 1567)))" "$(px $((360 + 307)))" # Continue
    expect_showing "Map"

    # Battle Test: 1275 × 615 twips at (120, 2520).
    click_in Map "$(px $((120 + 637)))" "$(px $((2520 + 307)))"
    expect_showing "Battle Map"
    expect_covers_screen Battle "$w" "$h"
    # Foe 1, 64 × 64 pixels at (width / 1.5, height / 1.9), and the lower half of foe 2 below it,
    # at (width / 1.5, height / 1.5): on a small screen foe 1 reaches into foe 2's upper half.
    local x=$(((lw * 2 + 1) / 3)) foes
    foes=("$((64 * n))x$((64 * n))+$((x * n))+$(((lh * 20 + 19) / 38 * n))"
        "$((64 * n))x$((32 * n))+$((x * n))+$(((lh * 2 + 1) / 3 * n + 32 * n))")
    screenshot "$work/before" "${foes[@]}"
    key_in Battle space # target choice: both arrows bob, the active member walks
    sleep 0.5
    # The party panel (a quarter of the height), the command window under it and the foe list.
    local bar=$(((lh + 2) / 4 * n))
    local panels=("${w}x${bar}+0+0" "$(px 1935)x$(px 1875)+0+$bar"
        "$(px 2595)x$(px 2235)+$((w - $(px 2595)))+0")
    screenshot "$work/first" "${panels[@]}"
    for shot in 1 2 3 4 5 6 7 8; do
        screenshot "$work/now" "${panels[@]}"
        for i in 1 2 3; do
            off=$(differing "$work/first-$i.png" "$work/now-$i.png")
            [ "$off" = 0 ] || fail "panel $i changed in target choice ($off pixels, screenshot $shot)"
        done
        sleep 0.07
    done
    echo "battle: the panels stayed still through 8 screenshots of the target choice"
    # Four blows on foe 1 (10 hit points, 3 a blow), each struck with Space after the target
    # choice, then the step forward and back, the two flash frames and the repaint after them.
    for blow in 1 2 3 4; do
        [ "$blow" = 1 ] || { key_in Battle space && sleep 0.2; }
        key_in Battle space
        sleep 0.8
    done
    screenshot "$work/after" "${foes[@]}"
    local gone kept
    gone=$(differing "$work/before-1.png" "$work/after-1.png")
    kept=$(differing "$work/before-2.png" "$work/after-2.png")
    echo "pixels changed where foe 1 stood: $gone; where foe 2 stands: $kept"
    [ "${gone:-0}" -gt 100 ] 2>/dev/null || fail "foe 1 is still there after four blows ($gone)"
    [ "$kept" = 0 ] || fail "foe 2 changed ($kept pixels)"

    key_in Battle Escape
    expect_showing "Battle Map Menu"
    menu_above
    click_in Menu "$(px $((720 + 1567)))" "$(px $((360 + 307)))" # Continue
    expect_showing "Battle Map"
    key_in Battle Escape
    expect_showing "Battle Map Menu"
    click_in Menu "$(px $((780 + 1567)))" "$(px $((3960 + 307)))" # QUIT
    expect_showing "Intro"
    expect_covers_screen Intro "$w" "$h"
    # Exit: 3135 × 555 twips at (240, 2400) in the 3675 × 3135 panel centred on the screen.
    click_in Intro "$(px $((lw * t / 2 - 3675 / 2 + 240 + 1567)))" \
        "$(px $((lh * t / 2 - 3135 / 2 + 2400 + 277)))"
    expect_game_ends "on Exit"
)

status=0
run() {
    echo "== $*"
    "$@" || status=1
}
run scenario 1024x768 96 1 15                            # unscaled
run scenario 1024x768 144 1 10                           # 150 %: one screen pixel a pixel
run scenario 1024x768 96 1 10 QT_SCALE_FACTOR=1.5         # the same, asked of Qt directly
run scenario 1024x768 192 1 7 QT_ENABLE_HIGHDPI_SCALING=0 # 200 %, Qt's scaling off: 7.5 twips
run scenario 1024x768 192 2 15                           # 200 %: two screen pixels a pixel
run scenario 1024x670 96 1 15                            # a height that is no multiple of four
exit "$status"
