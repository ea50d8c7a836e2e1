#!/usr/bin/env bash
# The title screen for real, under Xvfb, with a private sound server whose one sink is a null
# sink: PulseAudio, or PipeWire with its PulseAudio server when SOUND_SERVER=pipewire. QUIT to
# the title, record the sink's monitor for 3 s and find the theme in it; press Load Game, find the
# dialog "Open Saved Game File" (the music still playing), cancel it, and find the title still
# animating; New Game silences the sink within 50 ms without a click and leaves no stream open on
# the map; back on the title, Exit ends the game with status 0. The game plays with the soundfont
# the checks are judged with, whatever the system's default. How the timing is measured, where
# that falls short, and when a miss is tried again: sound_lib.sh.
# Usage: [SOUND_SERVER=pipewire] title_music.sh path/to/velmora
set -u
. "$(dirname "$0")/xvfb_lib.sh"
. "$(dirname "$0")/sound_lib.sh"
start_sound_server
echo "sound server: $(pactl info | sed -n 's/^Server Name: //p')"
game=$(game_with_soundfont "$1" "$judged_soundfont") || fail "no soundfont $judged_soundfont"

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
click_title Exit
expect_game_ends "on Exit"
