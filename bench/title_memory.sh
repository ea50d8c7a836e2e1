#!/usr/bin/env bash
# Measures the title screen's peak memory (VmHWM) with each soundfont, live in an X server
# (1920 × 1080 unless told), the music playing into the null sink of a sound server of this
# script's own: the game starts on the map, QUITs to the title and plays there for 10 s. The game
# plays with the soundfont its own "Music" folder holds, so each font is given to a copy of the
# game whatever the system's default. With a second game (the baseline, say the build of another
# commit), the two are measured in turns, run by run. Prints every run and, per game and font,
# the median and the range, in MB.
# Usage: bench/title_memory.sh [path/to/velmora] [baseline/velmora] [runs=5] [WIDTHxHEIGHT]
#   SOUNDFONTS="a.sf2 b.sf2" chooses the fonts (TimGM6mb and FluidR3 unless told).
set -u
game="${1:-build/velmora}"
baseline="${2:-}"
runs="${3:-5}"
XVFB_SCREEN="${4:-1920x1080}"
. "$(dirname "$0")/../tests/e2e/xvfb_lib.sh"
start_sound_server
fonts=${SOUNDFONTS:-/usr/share/sounds/sf2/TimGM6mb.sf2 /usr/share/sounds/sf2/FluidR3_GM.sf2}

# The title's peak after 10 s of it, in kB, for the game given.
title_peak() {
    play "$1"
    expect_showing "Map" >/dev/null
    quit_map_to_title >/dev/null
    sleep 10
    pactl list short sink-inputs | grep -q . || fail "no music reached the sound server"
    sed -n 's/^VmHWM:[[:space:]]*\([0-9]*\) kB/\1/p' "/proc/$game_pid/status"
    kill "$game_pid"
    wait "$game_pid" 2>/dev/null
    game_pid=""
}

summary() { # label, then values in kB
    local label="$1"
    shift
    printf '%s\n' "$@" | sort -n | awk -v label="$label" '{ v[NR] = $1 / 1024 }
        END { m = NR % 2 ? v[(NR + 1) / 2] : (v[NR / 2] + v[NR / 2 + 1]) / 2
              printf "%s: median %.1f MB, range %.1f to %.1f MB over %d runs\n", label, m, v[1], v[NR], NR }'
}

games=("$game")
[ -n "$baseline" ] && games=("$baseline" "$game")
for font in $fonts; do
    copies=()
    for g in "${games[@]}"; do
        copy=$(game_with_soundfont "$g" "$font") || fail "no soundfont $font"
        copies+=("$copy")
    done
    declare -A peaks=()
    for run in $(seq "$runs"); do
        for i in "${!copies[@]}"; do
            peak=$(title_peak "${copies[$i]}")
            echo "run $run, ${games[$i]}, $(basename "$font"): $peak kB"
            peaks[$i]="${peaks[$i]:-} $peak"
        done
    done
    for i in "${!games[@]}"; do
        # shellcheck disable=SC2086
        summary "title at $XVFB_SCREEN, ${games[$i]}, $(basename "$font")" ${peaks[$i]}
    done
    unset peaks
done
