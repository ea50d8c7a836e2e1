#!/usr/bin/env bash
# The title screen for real, under Xvfb, with a private sound server whose one sink is a null
# sink: QUIT to the title, record the sink's monitor for 3 s and find the theme in it; press
# Load Game, find the dialog "Open Saved Game File" (the music still playing), cancel it, and
# find the title still animating; New Game silences the sink within 50 ms and leaves no stream
# open on the map; back on the title, Exit ends the game with status 0.
# Usage: title_music.sh path/to/velmora
set -u
. "$(dirname "$0")/xvfb_lib.sh"
start_sound_server
rate=44100
monitor=(parec --device=velmora_sink.monitor --raw --format=s16le --rate=$rate --channels=2)

# Records `seconds` of the sink's output and finds sound in it. A loaded machine may start the
# recorder late: half a second of samples is enough to judge.
expect_sound() {
    local peak samples
    read -r peak samples <<<"$(timeout "$1" "${monitor[@]}" 2>/dev/null | od -An -v -td2 -w2 |
        awk '{ v = $1 < 0 ? -$1 : $1; if (v > m) m = v; n++ } END { print m + 0, n + 0 }')"
    echo "$2: peak $peak of 32767 in $samples samples"
    [ "$samples" -gt $rate ] || fail "$2: the monitor gave too little ($samples samples)"
    [ "$peak" -gt 1000 ] || fail "$2: no sound in the sink"
}

play "$1"
expect_showing "Map"
quit_map_to_title
expect_sound 3 "title"
pactl list short sink-inputs | grep -q . || fail "the game has no stream on the sink"

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

# New Game, recorded by a recorder started well before the click. The frames it has written
# place the click: read just before xdotool starts (for the log), and by xdotool itself right
# after the click, which decides. Frames on their way to the file (in 5 ms fragments) are
# allowed for with 10 ms.
"${monitor[@]}" --latency-msec=5 >"$work/new_game.raw" 2>/dev/null &
recorder=$!
frames_written() { echo $(($(stat -c %s "$work/new_game.raw") / 4)); }
recording() { [ "$(frames_written)" -gt $((rate / 2)) ]; }
retry 200 recording || fail "the recorder gave too little"
printf '#!/bin/sh\nstat -c %%s "%s" >"%s"\n' "$work/new_game.raw" "$work/clicked" >"$work/mark"
chmod +x "$work/mark"
xdotool mousemove --window "$(window Intro)" 510 306 # New Game
sleep 0.3
before=$(frames_written)
xdotool click --delay 0 1 exec --sync "$work/mark"
sleep 1
kill "$recorder"
wait "$recorder" 2>/dev/null
after=$(($(cat "$work/clicked") / 4))
# The last sample that is not silent and the loudest of the half second before the click; then
# the largest step between neighbouring samples in the stop (the last 10 ms of sound and the first
# of silence) and before it. A cut would step as far as the music is loud; a fade steps no
# further than the music does.
read -r last loud <<<"$(od -An -v -td2 -w4 "$work/new_game.raw" | awk -v before="$before" -v rate=$rate '
    { l = $1 < 0 ? -$1 : $1; r = $2 < 0 ? -$2 : $2; m = l > r ? l : r
      if (m > 2) last = NR - 1
      if (NR - 1 < before && NR - 1 >= before - rate / 2 && m > loud) loud = m }
    END { print last + 0, loud + 0 }')"
read -r step_before step_after <<<"$(od -An -v -td2 -w4 "$work/new_game.raw" | awk -v last="$last" -v rate=$rate '
    NR > 1 { dl = $1 - pl; dr = $2 - pr; dl = dl < 0 ? -dl : dl; dr = dr < 0 ? -dr : dr
             d = dl > dr ? dl : dr; i = NR - 1
             if (i < last - rate / 100) { if (d > sb) sb = d } else if (i <= last + 1 && d > sa) sa = d }
    { pl = $1; pr = $2 }
    END { print sb + 0, sa + 0 }')"
ms() { echo $((($1) * 1000 / rate)); }
echo "New Game: the last sound $(ms "$last - before") ms after the moment before the click," \
    "$(ms "$last - after") ms after the moment after it ($(ms "$after - before") ms apart);" \
    "playing before it: peak $loud; largest step before the stop $step_before, in the stop $step_after"
[ "$loud" -gt 300 ] || fail "no music before New Game"
[ $((last - after)) -le $((rate * (50 + 10) / 1000)) ] || fail "the music went on after New Game"
[ "$step_after" -le "$step_before" ] || fail "the music clicked as it stopped"
expect_showing "Map"
no_stream() { [ -z "$(pactl list short sink-inputs)" ]; }
retry 20 no_stream || fail "a sound stream stays open on the map: $(pactl list short sink-inputs)"
echo "no sound stream open on the map"

quit_map_to_title
expect_sound 2 "the title again"
click_title Exit
expect_game_ends "on Exit"
