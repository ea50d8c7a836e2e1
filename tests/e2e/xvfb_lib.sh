# Shared by the end-to-end scripts and the live measurements: an Xvfb display for one game
# process (1024 × 768 unless XVFB_SCREEN says otherwise, e.g. 1920x1080), and helpers that look
# at its windows and act on them with xdotool. Sourced, not run.
export QT_QPA_PLATFORM=xcb
unset WAYLAND_DISPLAY

fail() { echo "FAIL: $*" >&2; exit 1; }

work=$(mktemp -d)
# Xvfb picks a free display number and writes it to the file. It keeps its state (resources such
# as the desktop's DPI) when a client leaves.
Xvfb -displayfd 3 -screen 0 "${XVFB_SCREEN:-1024x768}x24" -nolisten tcp -noreset 3>"$work/display" >"$work/xvfb.log" 2>&1 &
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
# The server answers before anything is started on it (a busy machine may be slow to get there).
for _ in $(seq 100); do xprop -root >/dev/null 2>&1 && break; sleep 0.1; done
kill -0 "$xvfb_pid" 2>/dev/null && xprop -root >/dev/null 2>&1 ||
    { cat "$work/xvfb.log" >&2; fail "Xvfb on $DISPLAY does not answer"; }

# The names of the game's windows that are showing, sorted, on one line.
showing() {
    local ids names=""
    ids=$(xdotool search --onlyvisible --pid "$game_pid" --name '.' 2>/dev/null)
    for id in $ids; do names="$names $(xdotool getwindowname "$id")"; done
    echo $names | tr ' ' '\n' | sort | tr '\n' ' ' | sed 's/ $//'
}

expect_showing() {
    local want="$1" got=""
    for _ in $(seq 100); do
        got=$(showing)
        if [ "$got" = "$want" ]; then
            echo "showing: $got"
            sleep 0.5 # let the new window settle before the next input
            return 0
        fi
        sleep 0.1
    done
    fail "expected windows [$want], found [$got]"
}

# The id of the showing game window with this exact name (a search by pid also turns up the
# root window, which has no name).
window() {
    local id
    for id in $(xdotool search --onlyvisible --pid "$game_pid" --name "^$1\$" 2>/dev/null); do
        if [ "$(xdotool getwindowname "$id")" = "$1" ]; then
            echo "$id"
            return
        fi
    done
}

# The id of the named window, waiting up to 10 s for it to show.
wait_for_window() {
    local id
    for _ in $(seq 100); do
        id=$(window "$1")
        [ -n "$id" ] && { echo "$id"; return 0; }
        sleep 0.1
    done
    fail "no window $1 (showing: $(showing))"
}

# Waits up to 30 s (a loaded machine may be slow to close its windows) for the game to end by
# itself, and checks that it ended with status 0.
expect_game_ends() {
    local status
    for _ in $(seq 300); do kill -0 "$game_pid" 2>/dev/null || break; sleep 0.1; done
    kill -0 "$game_pid" 2>/dev/null && fail "the game did not end $1"
    wait "$game_pid"
    status=$?
    game_pid=""
    [ "$status" -eq 0 ] || { cat "$work/game.log"; fail "exit status $status"; }
    echo "ended $1 with status 0"
}

# Clicks at (x, y) inside the named window.
click_in() {
    local id
    id=$(window "$1")
    xdotool mousemove --window "$id" "$2" "$3" click 1
}

key_in() {
    local id
    id=$(window "$1")
    xdotool windowfocus --sync "$id" 2>/dev/null || xdotool windowfocus "$id"
    xdotool key "$2"
}

# The colour of one screen pixel as rrggbb.
pixel() {
    import -window root "$work/screen.png" &&
        convert "$work/screen.png" -format "%[hex:p{$1,$2}]" info: | cut -c1-6
}


# Starts a window manager on the display, as on a player's desktop.
with_window_manager() {
    openbox --sm-disable >"$work/openbox.log" 2>&1 &
    wm_pid=$!
    local previous_cleanup
    previous_cleanup=$(trap -p EXIT | sed "s/^trap -- '\(.*\)' EXIT$/\1/")
    trap "kill $wm_pid 2>/dev/null; $previous_cleanup" EXIT
    for _ in $(seq 200); do
        xprop -root _NET_SUPPORTING_WM_CHECK 2>/dev/null | grep -q 'window id' && return 0
        sleep 0.1
    done
    cat "$work/openbox.log" >&2
    fail "the window manager did not start"
}

# "x y width height" of the named window on the screen, frame excluded.
geometry() {
    local id
    id=$(window "$1")
    xwininfo -id "$id" | awk '/Absolute upper-left X/ {x=$NF} /Absolute upper-left Y/ {y=$NF}
        /^ *Width:/ {w=$NF} /^ *Height:/ {h=$NF} END {print x, y, w, h}'
}

# A sound server of the script's own whose one sink is a null sink, "velmora_sink"; the game
# started after this plays into it.
start_sound_server() {
    mkdir -p "$work/runtime" "$work/home"
    chmod 700 "$work/runtime"
    XDG_RUNTIME_DIR="$work/runtime" HOME="$work/home" pulseaudio -n --daemonize=no \
        --exit-idle-time=-1 --use-pid-file=no --disable-shm=yes -F /dev/null \
        --load="module-null-sink sink_name=velmora_sink" \
        --load="module-native-protocol-unix socket=$work/pulse.sock auth-anonymous=1" \
        >"$work/pulse.log" 2>&1 &
    local pulse_pid=$!
    trap "kill $pulse_pid 2>/dev/null; $(trap -p EXIT | sed "s/^trap -- '\(.*\)' EXIT$/\1/")" EXIT
    export PULSE_SERVER="unix:$work/pulse.sock"
    for _ in $(seq 100); do pactl info >/dev/null 2>&1 && break; sleep 0.1; done
    pactl info >/dev/null 2>&1 || { cat "$work/pulse.log"; fail "the sound server did not start"; }
}

# Sets the desktop's DPI as X desktops do, through the Xft.dpi resource that Qt reads. Start the
# window manager first: while it is connected the display keeps its resources.
desktop_dpi() {
    echo "Xft.dpi: $1" | xrdb -merge
    xrdb -query | grep -q "^Xft.dpi:[[:space:]]*$1\$" || fail "the desktop's DPI is not $1"
}

# The screen, or the WxH+X+Y parts of it given after the file's prefix, as PNG files named
# prefix-1.png, prefix-2.png, ... (one grab for all of them).
screenshot() {
    local prefix="$1" i=0 part
    shift
    import -window root "$work/root.png" || fail "no screenshot"
    if [ $# -eq 0 ]; then
        cp "$work/root.png" "$prefix.png"
        return
    fi
    for part in "$@"; do
        i=$((i + 1))
        convert "$work/root.png" -crop "$part" +repage "$prefix-$i.png"
    done
}

# From the map to the title: Escape, then QUIT (3135 × 615 twips at (780, 3960) in the menu,
# 15 twips per pixel).
quit_map_to_title() {
    key_in Map Escape
    expect_showing "Map Menu"
    click_in Menu 156 284
    expect_showing "Intro"
}

# How many pixels two pictures of one size differ in.
differing() { compare -metric AE "$1" "$2" null: 2>&1 | cut -d' ' -f1; }

# Waits up to 10 s for the named window to cover exactly the screen, "width height" in pixels.
expect_covers_screen() {
    local got=""
    for _ in $(seq 100); do
        got=$(geometry "$1")
        [ "$got" = "0 0 $2 $3" ] && { echo "$1 covers the screen, $2 × $3"; return 0; }
        sleep 0.1
    done
    fail "$1 should cover exactly the screen ($2 × $3), found [$got]"
}
