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
. "$(dirname "$0")/xvfb_lib.sh"

# weston_on SOCKET ARGS...: starts Weston and waits up to 20 s for its socket.
weston_on() {
    weston --no-config --socket="$1" "${@:2}" >"$work/weston-$1.log" 2>&1 &
    weston_pid=$!
    pids="$pids $weston_pid"
    retry 200 test -S "$XDG_RUNTIME_DIR/$1" || fail "Weston did not start on $1"
}

# The game on that Wayland display only; it must not try X.
play_on() { play env -u DISPLAY -u QT_QPA_PLATFORM WAYLAND_DISPLAY="$1" "$game" --no-music; }
tried_x() { grep -qi "xcb" "$work/game.log"; }

# The tile set's part under the screen's (or output's) WxH+X+Y part, each pixel n × n.
tiles_under() {
    local w h x y
    IFS='x+' read -r w h x y <<<"$1"
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
err=$(cat "$work/err")
[ "$status" -eq 1 ] && [ "$(wc -l <"$work/err")" -eq 1 ] &&
    grep -q 'Wayland display "wayland-0"' <<<"$err" && grep -q "install the package qt6-wayland" \
    <<<"$err" || fail "no Wayland plugin: status $status, $err"
echo "no Wayland plugin: $err"

# --- Headless: whole tiles over the whole output, at scale 1 and 2 ---
# The screenshooter writes wayland-screenshot-<time>.png into its working folder.
output_shows_tiles() {
    local shot
    rm -f "$work/shots"/*.png
    (cd "$work/shots" && WAYLAND_DISPLAY="$1" weston-screenshooter >/dev/null 2>&1)
    shot=$(ls "$work/shots"/*.png 2>/dev/null | head -1)
    [ -n "$shot" ] && convert "$shot" -crop "$part" +repage "$work/output.png" &&
        [ "$(differing "$work/output.png" "$work/tiles.png")" = 0 ]
}
mkdir -p "$work/shots"
part="640x400+320+200"
for scale in 1 2; do
    weston_on "headless-$scale" --backend=headless-backend.so --use-pixman --debug --width=1280 \
        --height=800 --scale="$scale"
    play_on "headless-$scale"
    tiles_under "$part" "$scale" "$work/tiles.png"
    retry 60 output_shows_tiles "headless-$scale" ||
        fail "scale $scale: the output does not show whole tiles"
    kill -0 "$game_pid" 2>/dev/null || fail "scale $scale: the game ended"
    ! tried_x || fail "the game tried X"
    echo "headless Weston, scale $scale: the map covers the output, each tile pixel $scale × $scale"
    kill "$game_pid" "$weston_pid"
    wait "$game_pid" "$weston_pid" 2>/dev/null
done

# --- Weston's X11 back end in Xvfb: the whole flow with input ---
# The pointer rests at the top right, off the parts compared, before Weston takes the screen.
xdotool mousemove 1010 10
# Weston's kiosk shell: under its desktop shell this back end now and then leaves the pause
# menu without any input (clicks and keys alike); the desktop shell is the headless runs' above.
weston_on nested --backend=x11-backend.so --use-pixman --width=1024 --height=768 \
    --shell=kiosk-shell.so
play_on nested

screen() { import -window root "$work/screen.png" 2>/dev/null; }
# How many screen pixels have this colour.
count() {
    convert "$work/screen.png" -fill black +opaque "#$1" -fill white -opaque "#$1" \
        -format "%[fx:int(mean*w*h+0.5)]" info:
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
seen() { screen && "$@"; }
# act WHAT TEST ACTION...: does the action until the test holds, up to 10 times 3 s apart.
# A window that has just appeared may not take input yet; a repeated key or click lands where
# it does nothing.
act() {
    for _ in $(seq 10); do
        "${@:3}"
        retry 30 seen "$2" && { echo "$1"; return 0; }
    done
    fail "$1: not seen"
}
# A button of the window in front: clicked at (X, Y), or when the click is not taken (a window
# just shown may miss its first pointer events) reached with the keys given after.
attempt=0
click_or_keys() {
    attempt=$((attempt + 1))
    if [ $((attempt % 2)) = 0 ]; then click "$1" "$2"; else xdotool key "${@:3}"; fi
}
# Clicks, then moves the pointer (which Weston draws) to the top right, off the parts compared.
click() {
    xdotool mousemove "$1" "$2" sleep 0.2 mousemove_relative 1 1 sleep 0.2 click 1 sleep 0.2 \
        mousemove 1010 10
}

retry 150 seen map_showing || fail "the map does not cover the output at its own pixels"
echo "the map covers the output at its own pixels"
act "Escape: the pause menu" menu_showing xdotool key Escape
read -r mx my <<<"$(menu_at)"
# Continue: (720, 360) twips, the first button.
act "Continue: the map again" map_showing click_or_keys $((mx + 152)) $((my + 44)) space
act "Battle Test: the battle" battle_showing click 50 188 # (120, 2520) twips
xdotool key space                                         # target choice
act "Escape in battle: the pause menu" menu_showing xdotool key Escape
read -r mx my <<<"$(menu_at)"
# QUIT: (780, 3960) twips, the third button.
act "QUIT: the menu has gone" menu_gone click_or_keys $((mx + 156)) $((my + 284)) Tab Tab space
# Exit on the title: the panel is centred; Exit sits at (240, 2400) twips in it.
for _ in $(seq 100); do
    kill -0 "$game_pid" 2>/dev/null || break
    click 510 458
    sleep 0.3
done
expect_game_ends "on Exit on the title"
! tried_x || fail "the game tried X"
