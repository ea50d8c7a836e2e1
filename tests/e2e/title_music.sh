#!/usr/bin/env bash
# The title screen for real, under Xvfb, with a private sound server whose one sink is a null
# sink: PulseAudio, or PipeWire with its PulseAudio server when SOUND_SERVER=pipewire. QUIT to
# the title, record the sink's monitor for 3 s and find the theme in it; press Load Game, find the
# dialog "Open Saved Game File" (the music still playing), cancel it, and find the title still
# animating; New Game silences the sink within 50 ms without a click and leaves no stream open on
# the map. Back on the title, the server restarts, as a desktop update does (PipeWire with its
# session manager and its PulseAudio server): it stays away for a second, and on the same visit
# the theme is in the sink within 2 s of its return. Then, under PulseAudio, the sink is suspended
# as audio tools and desktop settings do, and its stream stalls: the game still ends when asked,
# within 1 s and with status 0, on Exit and, on a second start under a window manager, when the
# title is closed with Alt+F4 (the last screen left). The game plays with the soundfont the checks
# are judged with, whatever the system's default. How the timing is measured, where that falls
# short, and when a miss is tried again: sound_lib.sh.
# Usage: [SOUND_SERVER=pipewire] title_music.sh path/to/velmora
set -u
. "$(dirname "$0")/xvfb_lib.sh"
. "$(dirname "$0")/sound_lib.sh"
start_sound_server
echo "sound server: $(pactl info | sed -n 's/^Server Name: //p')"
# As on desktops, ALSA's default device is no way around the server: while the server is away
# there is no output at all.
printf 'pcm.!default { type hw card 29 }\n' >"$ALSA_CONFIG_PATH"
game=$(game_with_soundfont "$1" "$judged_soundfont") || fail "no soundfont $judged_soundfont"

suspend_sink() {
    pactl suspend-sink velmora_sink 1 || fail "the sink would not suspend"
    sleep 1
    pactl list short sinks | grep -q 'velmora_sink.*SUSPENDED' || fail "the sink is not suspended"
    echo "sink suspended under the title"
}
# Does what the arguments say to the game, then waits up to 3 s for it to end, which it must
# within 1 s, with status 0.
expect_ends_within_a_second() {
    local what="$1" start elapsed
    shift
    start=$(date +%s%3N)
    "$@"
    retry 30 game_ended || fail "with the sink suspended, the game still ran 3 s after $what"
    elapsed=$(($(date +%s%3N) - start))
    echo "$what: the game ended after $elapsed ms"
    [ "$elapsed" -le 1000 ] || fail "with the sink suspended, the game took $elapsed ms to end"
    expect_game_ends "after $what"
    pactl suspend-sink velmora_sink 0
}

play "$game"
expect_showing "Map"
quit_map_to_title
expect_sound 3 "title"
has_stream || fail "the game has no stream on the sink"

click_title Load
wait_for_window "Open Saved Game File" >/dev/null
expect_sound 2 "behind the dialog Open Saved Game File"
key_in "Open Saved Game File" Escape
expect_showing "Intro"
# The landscape between the panel and the figure moves.
screenshot "$work/first" 1024x90+0+495
sleep 1
screenshot "$work/second" 1024x90+0+495
changed=$(differing "$work/first-1.png" "$work/second-1.png")
echo "landscape pixels changed in 1 s: $changed"
[ "$changed" -gt 1000 ] 2>/dev/null || fail "the title stopped animating ($changed)"

expect_new_game_silences
expect_showing "Map"
expect_no_stream "on the map"

quit_map_to_title
expect_sound 2 "the title again"

stop_sound_server
echo "sound server ended"
sleep 1
sound_server_up
back=$(date +%s%3N)
echo "sound server back"
# Records from the server's return for 3 s; the recorder's own start is counted in.
"${monitor[@]}" --latency-msec=10 >"$work/back.raw" 2>"$work/recorder.log" &
recorder=$!
started=$(date +%s%3N)
sleep 3
kill "$recorder"
wait "$recorder" 2>/dev/null
first=$(first_sound "$work/back.raw")
[ -n "$first" ] || fail "no music within 3 s of the server's return ($(stat -c %s \
    "$work/back.raw") bytes recorded; the game's streams on the sink: $(pactl list short \
    sink-inputs | wc -l))"
after=$((started - back + first * 1000 / rate))
echo "the theme back $after ms after the server's return"
[ "$after" -le 2000 ] || fail "the music came back $after ms after the server's return"
expect_showing "Intro"
# PipeWire's PulseAudio server does not suspend its sinks when asked: the rest is PulseAudio's.
if [ "$sound_server" = pipewire ]; then
    click_title Exit
    expect_game_ends "on Exit"
    exit 0
fi

suspend_sink
expect_ends_within_a_second "Exit" click_title Exit

with_window_manager
play "$game"
expect_showing "Map"
quit_map_to_title
expect_sound 2 "title, second start"
suspend_sink
expect_ends_within_a_second "a close by the window manager" key_in Intro alt+F4
