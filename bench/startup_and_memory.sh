#!/usr/bin/env bash
# Measures the real game under Xvfb: the time from launch until the "Map" window shows its first
# frame, as the median of RUNS starts, and the peak memory of the process (VmHWM) on the map, in
# battle and on the title, its music playing into the null sink of a sound server of the script's
# own with the soundfont SOUNDFONT names (TimGM6mb unless told; bench/title_memory.sh compares
# fonts).
# Usage: bench/startup_and_memory.sh path/to/velmora [runs=10] [WIDTHxHEIGHT=1920x1080]
set -u
runs="${2:-10}"
size="${3:-1920x1080}"
XVFB_SCREEN="$size"
. "$(dirname "$0")/../tests/e2e/xvfb_lib.sh"
start_sound_server
game=$(game_with_soundfont "$1" "${SOUNDFONT:-$judged_soundfont}") || fail "no soundfont"

map_window() { xdotool search --onlyvisible --pid "$game_pid" --name '^Map$' 2>/dev/null | head -1; }
wait_for() { # name
    for _ in $(seq 500); do
        xdotool search --onlyvisible --pid "$game_pid" --name "^$1\$" >/dev/null 2>&1 && return 0
        sleep 0.01
    done
    echo "no $1 window" >&2
    exit 1
}
stop_game() { kill "$game_pid"; wait "$game_pid" 2>/dev/null; game_pid=""; }
peak() { sed -n 's/^VmHWM: *//p' "/proc/$game_pid/status"; }

times=()
for i in $(seq "$runs"); do
    start=$(date +%s%N)
    "$game" >"$work/game.log" 2>&1 &
    game_pid=$!
    while [ -z "$(map_window)" ]; do :; done
    end=$(date +%s%N)
    times+=($(((end - start) / 1000000)))
    # The frame is the map's: its middle is no longer the window's empty black.
    import -window root -crop 1x1+$((${size%x*} / 2))+$((${size#*x} / 2)) txt:- | grep -qv "#000000" ||
        echo "run $i: the map's middle is black" >&2
    stop_game
done
sorted=$(printf '%s\n' "${times[@]}" | sort -n)
echo "start-up to the first map frame at $size, ms: $(echo $sorted)"
echo "median: $(printf '%s\n' "${times[@]}" | sort -n | awk '{a[NR]=$1} END {print (NR % 2 ? a[(NR+1)/2] : (a[NR/2] + a[NR/2+1]) / 2)}') ms"

"$game" >"$work/game.log" 2>&1 &
game_pid=$!
wait_for Map
sleep 2
echo "peak memory on the map: $(peak)"
click_in Map 50 188 # Battle Test
wait_for Battle
sleep 5
echo "peak memory in battle: $(peak)"
stop_game

"$game" >"$work/game.log" 2>&1 &
game_pid=$!
wait_for Map
sleep 1
key_in Map Escape
wait_for Menu
click_in Menu 156 284 # QUIT
wait_for Intro
sleep 10
echo "peak memory on the title (map visited first): $(peak)"
stop_game
