# Shared by the end-to-end scripts and the live measurements: an Xvfb display for one game
# process (1024 × 768 unless XVFB_SCREEN says otherwise, e.g. 1920x1080), and helpers that look
# at its windows and act on them with xdotool. Sourced, not run.
export QT_QPA_PLATFORM=xcb
unset WAYLAND_DISPLAY

work=$(mktemp -d)
# Nothing the script starts reaches the desktop it was started from: not the player's display,
# session bus, sound server or sound card.
unset WAYLAND_SOCKET XDG_SESSION_TYPE
mkdir -m 700 "$work/runtime"
export XDG_RUNTIME_DIR="$work/runtime"
export DBUS_SESSION_BUS_ADDRESS="unix:path=$work/runtime/no-session-bus"
game_pid=""
pids="" # the servers started for the script, which end with it
sound_pids="" # the sound server's processes, which a restart replaces
trap 'kill $game_pid $sound_pids $pids 2>/dev/null; rm -rf "$work"' EXIT

# Unless the script starts a sound server of its own (start_sound_server) there is none, and
# ALSA's default device is a null one.
export PULSE_SERVER="unix:$work/no-sound-server" PIPEWIRE_RUNTIME_DIR="$work/no-sound-server"
printf 'pcm.!default { type null }\n' >"$work/alsa.conf"
export ALSA_CONFIG_PATH="$work/alsa.conf"

# Says what failed, with the end of every log the script has written.
fail() {
    echo "FAIL: $*" >&2
    for log in "$work"/*.log; do
        [ -s "$log" ] && { echo "--- ${log##*/}"; tail -20 "$log"; } >&2
    done
    exit 1
}

# Runs the command every 0.1 s until it succeeds, at most N times.
retry() {
    local n=$1
    shift
    for _ in $(seq "$n"); do
        "$@" && return 0
        sleep 0.1
    done
    return 1
}

# Xvfb picks a free display number and writes it to the file, and keeps its state (such as the
# desktop's DPI) when a client leaves. A busy machine may be slow to get it to answer.
Xvfb -displayfd 3 -screen 0 "${XVFB_SCREEN:-1024x768}x24" -nolisten tcp -noreset \
    3>"$work/display" >"$work/xvfb.log" 2>&1 &
pids=$!
retry 100 test -s "$work/display" || fail "Xvfb did not start"
export DISPLAY=":$(cat "$work/display")"
retry 100 xprop -root >/dev/null 2>&1 || fail "Xvfb on $DISPLAY does not answer"

# Starts the game, a command with its arguments, writing to game.log.
play() {
    "$@" >"$work/game.log" 2>&1 &
    game_pid=$!
}

# The names of the game's windows that are showing, sorted, on one line.
showing() {
    local id
    for id in $(xdotool search --onlyvisible --pid "$game_pid" --name '.' 2>/dev/null); do
        xdotool getwindowname "$id"
    done | sort | tr '\n' ' ' | sed 's/ $//'
}

is_showing() { [ "$(showing)" = "$1" ]; }

# Waits up to 10 s for exactly these windows, then lets them settle before the next input.
expect_showing() {
    retry 100 is_showing "$1" || fail "expected windows [$1], found [$(showing)]"
    echo "showing: $1"
    sleep 0.5
}

# The id of the showing game window with this exact name (a search by pid also turns up the
# root window, which has no name).
window() {
    local id
    for id in $(xdotool search --onlyvisible --pid "$game_pid" --name "^$1\$" 2>/dev/null); do
        [ "$(xdotool getwindowname "$id")" = "$1" ] && { echo "$id"; return 0; }
    done
    return 1
}

# The id of the named window, waiting up to 10 s for it to show.
wait_for_window() { retry 100 window "$1" || fail "no window $1 (showing: $(showing))"; }

game_ended() { ! kill -0 "$game_pid" 2>/dev/null; }

# Waits up to 30 s (a loaded machine may be slow to close its windows) for the game to end by
# itself, and checks its exit status: 0, or any other with "failing" as the second argument.
expect_game_ends() {
    local status want=-eq
    [ "${2:-}" = failing ] && want=-ne
    retry 300 game_ended || fail "the game did not end $1"
    wait "$game_pid"
    status=$?
    game_pid=""
    [ "$status" "$want" 0 ] || fail "exit status $status $1"
    echo "ended $1 with status $status"
}

# Clicks at (x, y) inside the named window.
click_in() { xdotool mousemove --window "$(window "$1")" "$2" "$3" click 1; }

key_in() {
    local id
    id=$(window "$1")
    xdotool windowfocus --sync "$id" 2>/dev/null || xdotool windowfocus "$id"
    xdotool key "$2"
}

# Clicks New, Load or Exit on the title, whose 3675 × 3135 twips panel is centred on the screen
# at 15 twips per pixel, its buttons at (240, 120), (240, 780) and (240, 2400) twips.
click_title() {
    local y=26 size=${XVFB_SCREEN:-1024x768}
    [ "$1" = Load ] && y=70
    [ "$1" = Exit ] && y=178
    click_in Intro $((${size%x*} / 2 - 2)) $((${size#*x} / 2 - 104 + y))
}

# From the map to the title: Escape, then QUIT (3135 × 615 twips at (780, 3960) in the menu).
quit_map_to_title() {
    key_in Map Escape
    expect_showing "Map Menu"
    click_in Menu 156 284
    expect_showing "Intro"
}

# Starts a window manager on the display, as on a player's desktop.
with_window_manager() {
    openbox --sm-disable >"$work/openbox.log" 2>&1 &
    pids="$pids $!"
    retry 200 eval 'xprop -root _NET_SUPPORTING_WM_CHECK 2>/dev/null | grep -q "window id"' ||
        fail "the window manager did not start"
}

# Sets the desktop's DPI as X desktops do, through the Xft.dpi resource that Qt reads. Start the
# window manager first: while it is connected the display keeps its resources.
desktop_dpi() {
    echo "Xft.dpi: $1" | xrdb -merge
    xrdb -query | grep -q "^Xft.dpi:[[:space:]]*$1\$" || fail "the desktop's DPI is not $1"
}

# A sound server of the script's own, $SOUND_SERVER: "pulseaudio" (the default) or "pipewire"
# (PipeWire with its session manager and its PulseAudio server, on a session bus of its own).
# Its one sink is a null sink, "velmora_sink", the default one; the game started after this plays
# into it, and pactl talks to it. Nothing of the user's own session is reached: the runtime
# folder, home, configuration and bus are the script's, and ALSA's default stays the null device.
start_sound_server() {
    sound_server=${SOUND_SERVER:-pulseaudio}
    mkdir -p "$work/home/.config"
    export HOME="$work/home" XDG_CONFIG_HOME="$work/home/.config"
    unset PIPEWIRE_RUNTIME_DIR PIPEWIRE_REMOTE PULSE_SINK PULSE_COOKIE
    case "$sound_server" in
        pulseaudio)
            export PULSE_SERVER="unix:$work/pulse.sock"
            ;;
        pipewire)
            mkdir -p "$XDG_CONFIG_HOME/pipewire/pipewire.conf.d"
            # The sink is part of the server's own configuration, so that it is there again,
            # the default, as soon as a restarted server answers.
            cat >"$XDG_CONFIG_HOME/pipewire/pipewire.conf.d/velmora-sink.conf" <<'CONF'
context.objects = [
    { factory = adapter
      args = { factory.name = support.null-audio-sink node.name = velmora_sink
               media.class = Audio/Sink audio.position = [ FL FR ] priority.session = 5000
               monitor.channel-volumes = true } }
]
CONF
            # Its session manager leaves the machine's sound cards, cameras and Bluetooth alone.
            mkdir -p "$XDG_CONFIG_HOME/wireplumber/main.lua.d" \
                "$XDG_CONFIG_HOME/wireplumber/bluetooth.lua.d"
            printf '%s.enabled = false\n' alsa_monitor v4l2_monitor libcamera_monitor \
                >"$XDG_CONFIG_HOME/wireplumber/main.lua.d/60-velmora.lua"
            echo 'bluez_monitor.enabled = false' \
                >"$XDG_CONFIG_HOME/wireplumber/bluetooth.lua.d/60-velmora.lua"
            dbus-daemon --session --fork --print-pid=3 --address="unix:path=$work/runtime/bus" \
                3>"$work/dbus.pid" >"$work/dbus.log" 2>&1 || fail "no session bus"
            pids="$pids $(cat "$work/dbus.pid")"
            export DBUS_SESSION_BUS_ADDRESS="unix:path=$work/runtime/bus"
            export PULSE_SERVER="unix:$work/runtime/pulse/native"
            ;;
        *) fail "unknown sound server $sound_server" ;;
    esac
    sound_server_up
}

sound_server_up() {
    if [ "$sound_server" = pulseaudio ]; then
        pulseaudio -n --daemonize=no --exit-idle-time=-1 --use-pid-file=no --disable-shm=yes \
            -F /dev/null --load="module-null-sink sink_name=velmora_sink" \
            --load="module-native-protocol-unix socket=$work/pulse.sock auth-anonymous=1" \
            >>"$work/pulse.log" 2>&1 &
        sound_pids=$!
    else
        pipewire >>"$work/pipewire.log" 2>&1 &
        sound_pids=$!
        # Its session manager and PulseAudio server give up on a PipeWire not yet listening.
        retry 100 test -S "$XDG_RUNTIME_DIR/pipewire-0" || fail "PipeWire did not start"
        wireplumber >>"$work/wireplumber.log" 2>&1 &
        sound_pids="$sound_pids $!"
        pipewire-pulse >>"$work/pipewire-pulse.log" 2>&1 &
        sound_pids="$sound_pids $!"
    fi
    retry 100 sink_ready || fail "the sound server ($sound_server) did not start"
}

none_running() {
    local pid
    for pid; do kill -0 "$pid" 2>/dev/null && return 1; done
    return 0
}

sink_ready() { pactl info 2>/dev/null | grep -q '^Default Sink: velmora_sink$'; }

# Ends the sound server as a desktop's service manager does (SIGTERM), waiting up to 5 s.
stop_sound_server() {
    kill $sound_pids 2>/dev/null
    retry 50 none_running $sound_pids || fail "the sound server did not end"
    wait $sound_pids 2>/dev/null
    sound_pids=""
}

# "x y width height" of the named window on the screen, frame excluded.
geometry() {
    xwininfo -id "$(window "$1")" | awk '/Absolute upper-left X/ {x=$NF}
        /Absolute upper-left Y/ {y=$NF} /^ *Width:/ {w=$NF} /^ *Height:/ {h=$NF}
        END {print x, y, w, h}'
}

covers() { [ "$(geometry "$1")" = "0 0 $2 $3" ]; }

# Waits up to 10 s for the named window to cover exactly the screen, "width height" in pixels.
expect_covers_screen() {
    retry 100 covers "$@" || fail "$1 should cover exactly the screen ($2 × $3): $(geometry "$1")"
    echo "$1 covers the screen, $2 × $3"
}

# The screen, or the WxH+X+Y parts of it given after the file's prefix, as PNG files named
# prefix-1.png, prefix-2.png, ... (one grab for all of them).
screenshot() {
    local prefix="$1" i=0 part
    shift
    import -window root "$work/root.png" || fail "no screenshot"
    [ $# -eq 0 ] && cp "$work/root.png" "$prefix.png"
    for part in "$@"; do
        i=$((i + 1))
        convert "$work/root.png" -crop "$part" +repage "$prefix-$i.png"
    done
}

# The colour of one screen pixel as rrggbb.
pixel() {
    screenshot "$work/pixel" "1x1+$1+$2" && convert "$work/pixel-1.png" -format "%[hex:p{0,0}]" \
        info: | cut -c1-6
}

# How many pixels two pictures of one size differ in.
differing() { compare -metric AE "$1" "$2" null: 2>&1 | cut -d' ' -f1; }

# The soundfont that the tests judging the theme's sound, and the measurements, play it with.
judged_soundfont=/usr/share/sounds/sf2/TimGM6mb.sf2

# A copy of the game whose "Music" folder also holds the soundfont given, which the game then
# plays with whatever the system's default: the copy's path. Its other folders are the game's.
game_with_soundfont() {
    local from dir
    from=$(dirname "$(realpath "$1")")
    [ -f "$2" ] || return 1
    dir=$(mktemp -d "$work/game.XXXX") && mkdir "$dir/Music" && cp "$1" "$dir/" || return 1
    for folder in Characters Background Pictures; do ln -s "$from/$folder" "$dir/"; done
    ln -s "$from"/Music/* "$(realpath "$2")" "$dir/Music/" && echo "$dir/$(basename "$1")"
}
