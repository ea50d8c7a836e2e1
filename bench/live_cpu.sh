#!/usr/bin/env bash
# Measures the processor time the whole game process takes while it shows one scene, live in an
# X server of 1920 × 1080, as a percentage of one core.
# Usage: live_cpu.sh SCENE [path/to/velmora] [seconds]   (default build/velmora, 20 s)
#   battle   the battle's target choice: the command cursor and the target cursor both ticking
#   title    the title screen scrolling, its music playing into a null sound sink
set -u
scene="${1:?usage: live_cpu.sh SCENE [path/to/velmora] [seconds]}"
game="${2:-build/velmora}"
seconds="${3:-20}"

export QT_QPA_PLATFORM=xcb
unset WAYLAND_DISPLAY
fail() { echo "FAIL: $*" >&2; exit 1; }

work=$(mktemp -d)
Xvfb -displayfd 3 -screen 0 1920x1080x24 -nolisten tcp 3>"$work/display" >"$work/xvfb.log" 2>&1 &
xvfb_pid=$!
game_pid=""
cleanup() {
    [ -n "$game_pid" ] && kill "$game_pid" 2>/dev/null
    kill "$xvfb_pid" 2>/dev/null
    rm -rf "$work"
}
trap cleanup EXIT
for _ in $(seq 100); do [ -s "$work/display" ] && break; sleep 0.1; done
[ -s "$work/display" ] || fail "Xvfb did not start"
export DISPLAY=":$(cat "$work/display")"

# The title plays its music into the null sink of a sound server of this script's own.
if [ "$scene" = title ]; then
    mkdir -p "$work/runtime" "$work/home"
    chmod 700 "$work/runtime"
    XDG_RUNTIME_DIR="$work/runtime" HOME="$work/home" pulseaudio -n --daemonize=no \
        --exit-idle-time=-1 --use-pid-file=no --disable-shm=yes -F /dev/null \
        --load="module-null-sink sink_name=velmora_sink" \
        --load="module-native-protocol-unix socket=$work/pulse.sock auth-anonymous=1" \
        >"$work/pulse.log" 2>&1 &
    pulse_pid=$!
    trap 'kill $pulse_pid 2>/dev/null; cleanup' EXIT
    export PULSE_SERVER="unix:$work/pulse.sock"
    for _ in $(seq 100); do pactl info >/dev/null 2>&1 && break; sleep 0.1; done
    pactl info >/dev/null 2>&1 || fail "the sound server did not start"
fi

"$game" >"$work/game.log" 2>&1 &
game_pid=$!

# The id of the game's showing window with this name, waiting for it to appear.
window() {
    local id
    for _ in $(seq 100); do
        for id in $(xdotool search --onlyvisible --pid "$game_pid" --name "^$1\$" 2>/dev/null); do
            if [ "$(xdotool getwindowname "$id")" = "$1" ]; then
                echo "$id"
                return
            fi
        done
        sleep 0.1
    done
    fail "no window $1"
}
click_in() { xdotool mousemove --window "$(window "$1")" "$2" "$3" click 1; }
key_in() {
    local id
    id=$(window "$1")
    xdotool windowfocus --sync "$id" 2>/dev/null || xdotool windowfocus "$id"
    xdotool key "$2"
}

window Map >/dev/null
sleep 1
case "$scene" in
    battle)
        # Battle Test: 1275 × 615 twips at (120, 2520) on the map, 15 twips per pixel.
        click_in Map 50 188
        window Battle >/dev/null
        sleep 0.5
        key_in Battle space # Attack: the target choice begins
        ;;
    title)
        # Escape, then QUIT: 3135 × 615 twips at (780, 3960) in the menu.
        key_in Map Escape
        window Menu >/dev/null
        sleep 0.5
        click_in Menu 156 284
        window Intro >/dev/null
        ;;
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
if [ "$scene" = title ]; then
    pactl list short sink-inputs | grep -q . || fail "no music reached the sound server"
fi
# LIVE_CPU_SCREENSHOT=file.png keeps a picture of the measured scene.
[ -n "${LIVE_CPU_SCREENSHOT:-}" ] && import -window root "$LIVE_CPU_SCREENSHOT"
awk -v c="$((c1 - c0))" -v hz="$hz" -v t0="$t0" -v t1="$t1" -v s="$scene" 'BEGIN {
    printf "scene %s at 1920x1080: %.2f %% of one core over %.1f s\n", s, 100 * c / hz / (t1 - t0), t1 - t0
}'
