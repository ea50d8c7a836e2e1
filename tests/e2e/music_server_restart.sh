#!/usr/bin/env bash
# The sound server restarts while the title plays, as a desktop update does: the private server
# (SOUND_SERVER as in title_music.sh; PipeWire restarts with its session manager and its
# PulseAudio server) ends, stays away for a second and comes back with its sink. On the same
# visit to the title, the theme is in the sink within 2 s of the server answering again; then
# Exit ends the game with status 0. How the timing is measured: sound_lib.sh.
# Usage: [SOUND_SERVER=pipewire] music_server_restart.sh path/to/velmora
set -u
. "$(dirname "$0")/xvfb_lib.sh"
. "$(dirname "$0")/sound_lib.sh"
start_sound_server
# As on desktops, ALSA's default device is no way around the server: while the server is away
# there is no output at all.
printf 'pcm.!default { type hw card 29 }\n' >"$ALSA_CONFIG_PATH"
game=$(game_with_soundfont "$1" "$judged_soundfont") || fail "no soundfont $judged_soundfont"

play "$game"
expect_showing "Map"
quit_map_to_title
expect_sound 2 "title"
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
click_title Exit
expect_game_ends "on Exit"
