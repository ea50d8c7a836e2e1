# Shared by the end-to-end scripts: an Xvfb display of 1024 × 768 for one game process, and
# helpers that look at its windows and act on them with xdotool. Sourced, not run.
export QT_QPA_PLATFORM=xcb
unset WAYLAND_DISPLAY

fail() { echo "FAIL: $*" >&2; exit 1; }

work=$(mktemp -d)
# Xvfb picks a free display number and writes it to the file.
Xvfb -displayfd 3 -screen 0 1024x768x24 -nolisten tcp 3>"$work/display" >"$work/xvfb.log" 2>&1 &
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
    for _ in $(seq 50); do
        xprop -root _NET_SUPPORTING_WM_CHECK 2>/dev/null | grep -q 'window id' && return 0
        sleep 0.1
    done
    fail "the window manager did not start"
}

# "x y width height" of the named window on the screen, frame excluded.
geometry() {
    local id
    id=$(window "$1")
    xwininfo -id "$id" | awk '/Absolute upper-left X/ {x=$NF} /Absolute upper-left Y/ {y=$NF}
        /^ *Width:/ {w=$NF} /^ *Height:/ {h=$NF} END {print x, y, w, h}'
}
