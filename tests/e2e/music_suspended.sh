#!/usr/bin/env bash
# A game that always ends when asked, whatever the sound server does: with the title's music
# playing into a private sound server (SOUND_SERVER as in title_music.sh) under a window manager,
# the sink is suspended, as audio tools and desktop settings do, and its stream stalls. Exit then
# ends the game within 1 s, with status 0; on a second start, so does closing the title with the
# window manager (Alt+F4), the last screen left.
# Usage: [SOUND_SERVER=pipewire] music_suspended.sh path/to/velmora
set -u
. "$(dirname "$0")/xvfb_lib.sh"
. "$(dirname "$0")/sound_lib.sh"
start_sound_server
with_window_manager
game=$(game_with_soundfont "$1" "$judged_soundfont") || fail "no soundfont $judged_soundfont"

# Starts the game, goes to the title, hears it and suspends the sink under it.
title_on_suspended_sink() {
    play "$game"
    expect_showing "Map"
    quit_map_to_title
    expect_sound 2 "title"
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

title_on_suspended_sink
expect_ends_within_a_second "Exit" click_title Exit
title_on_suspended_sink
expect_ends_within_a_second "a close by the window manager" key_in Intro alt+F4
