#!/usr/bin/env bash
# Measures the processor time the whole game process takes while it shows one scene, live in an
# X server of 1920 × 1080, as a percentage of one core.
# Usage: live_cpu.sh SCENE [path/to/velmora] [seconds]   (default build/velmora, 20 s)
#   battle       the battle's target choice: the command cursor and the target cursor both
#                ticking
#   title        the title screen scrolling, its music playing into a null sound sink
#   map          the map at rest, as the game starts, no pad connected
#   map-pad      the same with a virtual pad plugged in and left untouched (the preloaded module
#                bench/libvelmora-virtual-pad.so beside the game, or the one VIRTUAL_PAD names)
#   map-after-title  the map at rest after a visit to the title (5 s of its music) and New Game
#   fluidsynth   not the game: FluidSynth's own command-line player playing the theme into the
#                null sink, the cost of the synthesis alone to read the title's beside
# Both the game and FluidSynth's player play with the soundfont SOUNDFONT names (TimGM6mb unless
# told), given to a copy of the game, whatever the system's default.
set -u
scene="${1:?usage: live_cpu.sh SCENE [path/to/velmora] [seconds]}"
game="${2:-build/velmora}"
seconds="${3:-20}"

XVFB_SCREEN=1920x1080
. "$(dirname "$0")/../tests/e2e/xvfb_lib.sh"
# The music plays into the null sink of a sound server of this script's own.
start_sound_server
soundfont="${SOUNDFONT:-$judged_soundfont}"
game=$(game_with_soundfont "$game" "$soundfont") || fail "no soundfont $soundfont"

if [ "$scene" = fluidsynth ]; then
    # The game's gain, its soundfont and its theme, reverb and chorus on as in the game,
    # rendered as fast as it goes into a file: its processor time over the theme's length.
    theme="$(dirname "$game")/Music/Theme.mid"
    t0=$(awk '{ print $14 + $15 + $16 + $17 }' /proc/$$/stat)
    fluidsynth -ni -q -r 44100 -g 0.8 -F "$work/theme.raw" -T raw \
        "$soundfont" "$theme" >"$work/fluidsynth.log" 2>&1 ||
        fail "fluidsynth failed: $(cat "$work/fluidsynth.log")"
    t1=$(awk '{ print $14 + $15 + $16 + $17 }' /proc/$$/stat)
    frames=$(($(stat -c %s "$work/theme.raw") / 4))
    awk -v c="$((t1 - t0))" -v hz="$(getconf CLK_TCK)" -v f="$frames" 'BEGIN {
        printf "FluidSynth rendering the theme: %.2f %% of one core in real time (%.2f s for %.1f s)\n", 100 * c / hz / (f / 44100), c / hz, f / 44100
    }'
    exit 0
fi
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
    title | map-after-title)
        # Escape, then QUIT: 3135 × 615 twips at (780, 3960) in the menu.
        key_in Map Escape
        wait_for_window Menu >/dev/null
        sleep 0.5
        click_in Menu 156 284
        wait_for_window Intro >/dev/null
        if [ "$scene" = map-after-title ]; then
            sleep 5
            # New Game: (240, 120) twips in the panel of 3675 × 3135 twips, centred.
            click_in Intro $((960 - 122 + 120)) $((540 - 104 + 26))
            wait_for_window Map >/dev/null
        fi
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
case "$scene" in
    title)
        pactl list short sink-inputs | grep -q . || fail "no music reached the sound server"
        ;;
    map-after-title)
        pactl list short sink-inputs | grep -q . && fail "a sound stream stays open on the map"
        ;;
    map-pad)
        grep -q "the game opened" "$work/game.log" || fail "the game did not open the virtual pad"
        ;;
esac
# LIVE_CPU_SCREENSHOT=file.png keeps a picture of the measured scene.
[ -n "${LIVE_CPU_SCREENSHOT:-}" ] && import -window root "$LIVE_CPU_SCREENSHOT"
awk -v c="$((c1 - c0))" -v hz="$hz" -v t0="$t0" -v t1="$t1" -v s="$scene" 'BEGIN {
    printf "scene %s at 1920x1080: %.2f %% of one core over %.1f s\n", s, 100 * c / hz / (t1 - t0), t1 - t0
}'
