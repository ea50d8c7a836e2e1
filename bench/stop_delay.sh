#!/usr/bin/env bash
# Measures how soon New Game silences the title's music, under PulseAudio and under PipeWire:
# runs the end-to-end title test (tests/e2e/title_music.sh, which says how the moment is read)
# RUNS times per sound server and game, in turns, and prints per server and game the median and
# range of the last sound after the click, in ms (the first try of each run), and how many runs
# the test failed.
# Usage: bench/stop_delay.sh [path/to/velmora] [baseline/velmora] [runs=5]
set -u
game="${1:-build/velmora}"
baseline="${2:-}"
runs="${3:-5}"
test_script="$(dirname "$0")/../tests/e2e/title_music.sh"
games=("$game")
[ -n "$baseline" ] && games=("$baseline" "$game")
log=$(mktemp)
trap 'rm -f "$log"' EXIT

for server in pulseaudio pipewire; do
    declare -A delays=() failed=()
    for run in $(seq "$runs"); do
        for i in "${!games[@]}"; do
            SOUND_SERVER=$server timeout 300 bash "$test_script" "${games[$i]}" >"$log" 2>&1 ||
                failed[$i]=$((${failed[$i]:-0} + 1))
            # The first try's: the test tries again after a miss.
            delay=$(sed -n 's/.*, \(-\{0,1\}[0-9]*\) ms after the moment after it.*/\1/p' "$log" |
                head -1)
            echo "run $run, $server, ${games[$i]}: ${delay:-none} ms$(grep -o 'FAIL: .*' "$log" |
                sed 's/^/, /')"
            [ -n "$delay" ] && delays[$i]="${delays[$i]:-} $delay"
        done
    done
    for i in "${!games[@]}"; do
        # shellcheck disable=SC2086
        printf '%s\n' ${delays[$i]:-} | sort -n | awk -v label="$server, ${games[$i]}" \
            -v failed="${failed[$i]:-0}" '{ v[NR] = $1 }
            END { m = NR % 2 ? v[(NR + 1) / 2] : (v[NR / 2] + v[NR / 2 + 1]) / 2
                  printf "%s: the last sound median %s ms after the click, range %s to %s ms over %d runs; %d failed\n", label, m, v[1], v[NR], NR, failed }'
    done
    unset delays failed
done
