#!/usr/bin/env bash
# Measures the processor time the whole game process takes while it shows one scene, live in an
# X server of 1920 × 1080, as a percentage of one core.
# Usage: live_cpu.sh SCENE [path/to/velmora] [seconds]   (default build/velmora, 20 s)
#   battle   the battle's target choice: the command cursor and the target cursor both ticking
#   title    the title screen scrolling, its music playing into a null sound sink
#   map      the map standing idle, no pad connected
#   map-pad  the same with a virtual pad plugged in and left untouched (the preloaded module
#            bench/libvelmora-virtual-pad.so beside the game, or the one VIRTUAL_PAD names)
set -u
scene="${1:?usage: live_cpu.sh SCENE [path/to/velmora] [seconds]}"
game="${2:-build/velmora}"
seconds="${3:-20}"

XVFB_SCREEN=1920x1080
. "$(dirname "$0")/../tests/e2e/xvfb_lib.sh"
# The title plays its music into the null sink of a sound server of this script's own.
[ "$scene" = title ] && start_sound_server

if [ "$scene" = map-pad ]; then
    pad_module="${VIRTUAL_PAD:-$(dirname "$game")/bench/libvelmora-virtual-pad.so}"
    [ -f "$pad_module" ] || fail "no virtual pad module $pad_module"
    LD_PRELOAD="$(realpath "$pad_module")" "$game" >"$work/game.log" 2>&1 &
else
    "$game" >"$work/game.log" 2>&1 &
fi
game_pid=$!

wait_for_window Map >/dev/null
sleep 1
case "$scene" in
    battle)
        # Battle Test: 1275 × 615 twips at (120, 2520) on the map, 15 twips per pixel.
        click_in Map 50 188
        wait_for_window Battle >/dev/null
        sleep 0.5
        key_in Battle space # Attack: the target choice begins
        ;;
    title)
        # Escape, then QUIT: 3135 × 615 twips at (780, 3960) in the menu.
        key_in Map Escape
        wait_for_window Menu >/dev/null
        sleep 0.5
        click_in Menu 156 284
        wait_for_window Intro >/dev/null
        ;;
    map | map-pad) ;;
    *)
        fail "unknown scene $scene"
        ;;
esac
sleep 2 # let start-up work settle

# utime + stime of every thread of the process, in clock ticks.
cpu_ticks() { sed 's/.*) //' "/proc/$game_pid/stat" | awk '{ print $12 + $13 }'; }
hz=$(getconf CLK_TCK)
t0=$(date +%s.%N)
c0=$(cpu_ticks)
sleep "$seconds"
c1=$(cpu_ticks)
t1=$(date +%s.%N)
kill -0 "$game_pid" 2>/dev/null || fail "the game ended during the measurement"
if [ "$scene" = map-pad ]; then
    grep -q "the game opened" "$work/game.log" || fail "the game did not open the virtual pad"
fi
if [ "$scene" = title ]; then
    pactl list short sink-inputs | grep -q . || fail "no music reached the sound server"
fi
# LIVE_CPU_SCREENSHOT=file.png keeps a picture of the measured scene.
[ -n "${LIVE_CPU_SCREENSHOT:-}" ] && import -window root "$LIVE_CPU_SCREENSHOT"
awk -v c="$((c1 - c0))" -v hz="$hz" -v t0="$t0" -v t1="$t1" -v s="$scene" 'BEGIN {
    printf "scene %s at 1920x1080: %.2f %% of one core over %.1f s\n", s, 100 * c / hz / (t1 - t0), t1 - t0
}'
