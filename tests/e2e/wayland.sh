#!/usr/bin/env bash
# The game under a Wayland compositor (Weston), natively: only WAYLAND_DISPLAY is set, so Qt's
# Wayland plugin draws it. Without that plugin the game says in one line what to install. Under a
# headless Weston the map covers the output with whole tiles, at output scale 1 and 2. Under
# Weston's X11 back end inside Xvfb, which takes xdotool's input (the headless one has none): the
# full-screen map, the modal pause menu, the battle, the title and Exit with status 0.
# Usage: wayland.sh path/to/velmora
set -u
game="$1"
tiles="$(dirname "$game")/Background/World/ts0.bmp"
work=$(mktemp -d)
pids=""
cleanup() {
    for pid in $pids; do kill "$pid" 2>/dev/null; done
    rm -rf "$work"
}
trap cleanup EXIT
fail() {
    echo "FAIL: $*" >&2
    for log in "$work"/*.log; do echo "--- $log" >&2; tail -20 "$log" >&2; done
    exit 1
}
# Weston wants a runtime folder of its own that only its user can enter.
export XDG_RUNTIME_DIR="$work/runtime"
mkdir -p "$XDG_RUNTIME_DIR" && chmod 700 "$XDG_RUNTIME_DIR"
differing() { compare -metric AE "$1" "$2" null: 2>&1 | cut -d' ' -f1; }

# weston_on SOCKET ARGS...: starts Weston and waits up to 20 s for its socket.
weston_on() {
    local socket="$1"
    shift
    weston --no-config --socket="$socket" "$@" >"$work/weston-$socket.log" 2>&1 &
    weston_pid=$!
    pids="$pids $weston_pid"
    for _ in $(seq 200); do [ -S "$XDG_RUNTIME_DIR/$socket" ] && return 0; sleep 0.1; done
    fail "Weston did not start on $socket"
}

# play SOCKET: starts the game on that Wayland display only.
play() {
    env -u DISPLAY -u QT_QPA_PLATFORM WAYLAND_DISPLAY="$1" "$game" --no-music \
        >"$work/game-$1.log" 2>&1 &
    game_pid=$!
    pids="$pids $game_pid"
}

# The tile set's part under the screen's (or output's) WxH+X+Y part, each pixel n × n.
tiles_under() {
    local w=${1%%x*} rest=${1#*x}
    local h=${rest%%+*} x=${rest#*+}
    local y=${x#*+}
    x=${x%%+*}
    convert "$tiles" -crop "$((w / $2))x$((h / $2))+$((x / $2))+$((y / $2))" +repage \
        -scale "$(($2 * 100))%" "$3"
}

# --- Without Qt's Wayland plugin and with no X display: one line that says what to install ---
# A qt.conf beside a copy of the game points Qt at a plugin folder that has only the X plugin.
mkdir -p "$work/bare/platforms" "$work/copy"
ln -s "$(qtpaths6 --query QT_INSTALL_PLUGINS 2>/dev/null ||
    echo /usr/lib/x86_64-linux-gnu/qt6/plugins)/platforms/libqxcb.so" "$work/bare/platforms/"
cp "$game" "$work/copy/velmora"
printf '[Paths]\nPlugins=%s\n' "$work/bare" >"$work/copy/qt.conf"
env -u DISPLAY -u QT_QPA_PLATFORM WAYLAND_DISPLAY=wayland-0 "$work/copy/velmora" --no-music \
    >"$work/out" 2>"$work/err"
status=$?
[ "$status" -eq 1 ] || fail "no Wayland plugin: status $status"
[ "$(wc -l <"$work/err")" -eq 1 ] || fail "no Wayland plugin: not one line: $(cat "$work/err")"
grep -q 'Wayland display "wayland-0"' "$work/err" && grep -q "install the package qt6-wayland" \
    "$work/err" || fail "no Wayland plugin: $(cat "$work/err")"
echo "no Wayland plugin: $(cat "$work/err")"

# --- Headless: whole tiles over the whole output, at scale 1 and 2 ---
headless() {
    local scale=$1 socket="headless-$1" part="640x400+320+200" off=""
    weston_on "$socket" --backend=headless-backend.so --use-pixman --debug --width=1280 \
        --height=800 --scale="$scale"
    play "$socket"
    tiles_under "$part" "$scale" "$work/tiles-$scale.png"
    mkdir -p "$work/shots-$scale"
    # The screenshooter writes wayland-screenshot-<time>.png into its working folder.
    for _ in $(seq 60); do
        rm -f "$work/shots-$scale"/*.png
        (cd "$work/shots-$scale" && WAYLAND_DISPLAY="$socket" weston-screenshooter >/dev/null 2>&1)
        local shot
        shot=$(ls "$work/shots-$scale"/*.png 2>/dev/null | head -1)
        if [ -n "$shot" ]; then
            convert "$shot" -crop "$part" +repage "$work/output-$scale.png"
            off=$(differing "$work/output-$scale.png" "$work/tiles-$scale.png")
            [ "$off" = 0 ] && break
        fi
        sleep 0.25
    done
    [ "$off" = 0 ] || fail "scale $scale: the output does not show whole tiles ($off pixels differ)"
    kill -0 "$game_pid" 2>/dev/null || fail "scale $scale: the game ended"
    grep -qi "xcb" "$work/game-$socket.log" && fail "the game tried X"
    echo "headless Weston, scale $scale: the map covers the output, each tile pixel $scale × $scale"
    kill "$game_pid" "$weston_pid"
    wait "$game_pid" "$weston_pid" 2>/dev/null
}
headless 1
headless 2

# --- Weston's X11 back end in Xvfb: the whole flow with input ---
Xvfb -displayfd 3 -screen 0 1024x768x24 -nolisten tcp -noreset 3>"$work/display" \
    >"$work/xvfb.log" 2>&1 &
pids="$pids $!"
for _ in $(seq 100); do [ -s "$work/display" ] && break; sleep 0.1; done
[ -s "$work/display" ] || fail "Xvfb did not start"
export DISPLAY=":$(cat "$work/display")"
for _ in $(seq 100); do xprop -root >/dev/null 2>&1 && break; sleep 0.1; done
# The pointer rests at the top right, off the parts compared, before Weston takes the screen.
xdotool mousemove 1010 10
# Weston's kiosk shell: under its desktop shell this back end now and then leaves the pause
# menu without any input (clicks and keys alike); the desktop shell is the headless runs' above.
weston_on nested --backend=x11-backend.so --use-pixman --width=1024 --height=768 \
    --shell=kiosk-shell.so
play nested

screen() { import -window root "$work/screen.png" 2>/dev/null; }
# How many screen pixels have this colour.
count() {
    convert "$work/screen.png" -fill black +opaque "#$1" -fill white -opaque "#$1" \
        -format "%[fx:int(mean*w*h+0.5)]" info:
}
# Polls up to 15 s until the test given as a command holds.
until_true() {
    local what="$1"
    shift
    for _ in $(seq 150); do
        screen && "$@" && { echo "$what"; return 0; }
        sleep 0.1
    done
    fail "$what: not seen"
}
map_showing() {
    convert "$work/screen.png" -crop "512x384+256+192" +repage "$work/map.png"
    [ "$(differing "$work/map.png" "$work/tiles-map.png")" = 0 ]
}
tiles_under "512x384+256+192" 1 "$work/tiles-map.png"
menu_showing() { [ "$(count 8080ff)" -gt 60000 ]; }
menu_gone() { [ "$(count 8080ff)" -lt 1000 ]; }
battle_showing() { [ "$(count ff8000)" -gt 200 ] && ! map_showing; }
# The menu's client area: its blue background, whose top left is the menu's own.
menu_at() {
    convert "$work/screen.png" -fill black +opaque "#8080ff" -fill white -opaque "#8080ff" \
        -trim -format "%X %Y" info: | tr -d '+'
}
# act WHAT TEST ACTION...: does the action until the test holds, up to 10 times 3 s apart.
# A window that has just appeared may not take input yet; a repeated key or click lands where
# it does nothing.
act() {
    local what="$1" test="$2"
    shift 2
    for _ in $(seq 10); do
        "$@"
        for _ in $(seq 30); do
            screen && "$test" && { echo "$what"; return 0; }
            sleep 0.1
        done
    done
    fail "$what: not seen"
}
# press WHAT TEST X Y KEY...: a button of the window in front, clicked at (X, Y), or when the
# click is not taken (a window just shown may miss its first pointer events) reached with keys.
press() {
    local what="$1" test="$2" x="$3" y="$4"
    shift 4
    for attempt in $(seq 10); do
        if [ $((attempt % 2)) = 0 ]; then click "$x" "$y"; else xdotool key "$@"; fi
        for _ in $(seq 30); do
            screen && "$test" && { echo "$what (attempt $attempt)"; return 0; }
            sleep 0.1
        done
    done
    fail "$what: not seen"
}
# Clicks, then moves the pointer (which Weston draws) to the top right, off the parts compared.
click() {
    xdotool mousemove "$1" "$2" sleep 0.2 mousemove_relative 1 1 sleep 0.2 click 1 sleep 0.2 \
        mousemove 1010 10
}

xdotool mousemove 1010 10
until_true "the map covers the output at its own pixels" map_showing
act "Escape: the pause menu" menu_showing xdotool key Escape
read -r mx my <<<"$(menu_at)"
# Continue: (720, 360) twips, the first button.
press "Continue: the map again" map_showing $((mx + 152)) $((my + 44)) space
act "Battle Test: the battle" battle_showing click 50 188                   # (120, 2520) twips
xdotool key space                                                           # target choice
act "Escape in battle: the pause menu" menu_showing xdotool key Escape
read -r mx my <<<"$(menu_at)"
# QUIT: (780, 3960) twips, the third button.
press "QUIT: the menu has gone" menu_gone $((mx + 156)) $((my + 284)) Tab Tab space
# Exit on the title: the panel is centred; Exit sits at (240, 2400) twips in it.
for _ in $(seq 100); do
    kill -0 "$game_pid" 2>/dev/null || break
    click $((512 - 122 + 120)) $((384 - 104 + 178))
    sleep 0.3
done
kill -0 "$game_pid" 2>/dev/null && fail "Exit on the title did not end the game"
wait "$game_pid"
status=$?
[ "$status" -eq 0 ] || fail "the game ended with status $status"
grep -qi "xcb" "$work/game-nested.log" && fail "the game tried X"
echo "Exit on the title: the game ended with status 0"
echo "wayland checks passed"
