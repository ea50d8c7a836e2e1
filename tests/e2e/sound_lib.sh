# Shared by the end-to-end scripts that listen to the game: what reaches the sound server's null
# sink, read back from its monitor. Sourced after xvfb_lib.sh and start_sound_server, not run.
#
# How far the timing holds. The number of frames the recorder (parec) has written places a moment
# on the sink's timeline only while the sink renders close to real time:
# - At the default latency a null sink renders about a second ahead; every recorder here asks for
#   a few milliseconds, and a moment read from the file allows a fragment for the frames in flight.
# - The game fades what the server holds, from just past what it plays. Were the sink far ahead,
#   the monitor would show the music taken back, never heard: a stop may look late and cut here
#   and still be heard in time, never the other way round.
# - PipeWire renders a quantum at a time, short when a recorder asks for a short latency; its sink
#   runs at 48 kHz and the server converts to the recorder's 44.1 kHz, within a frame.
# - The click's moment is read by a program xdotool runs right after it, which may start late: the
#   stop is judged against it plus a fragment, and the moment before xdotool starts is logged.
rate=44100
monitor=(parec --device=velmora_sink.monitor --raw --format=s16le --rate=$rate --channels=2)

# Records `seconds` of the sink's output and finds sound in it. A loaded machine may start the
# recorder late, or feed it in bursts: it records until it has that many seconds of frames, for
# up to 10 s more.
expect_sound() {
    local recorder peak samples bytes=$(($1 * rate * 4))
    "${monitor[@]}" --latency-msec=10 >"$work/heard.raw" 2>/dev/null &
    recorder=$!
    enough() { [ "$(stat -c %s "$work/heard.raw")" -ge "$bytes" ]; }
    retry $((10 * $1 + 100)) enough
    kill "$recorder"
    wait "$recorder" 2>/dev/null
    read -r peak samples <<<"$(head -c "$bytes" "$work/heard.raw" | od -An -v -td2 -w2 |
        awk '{ v = $1 < 0 ? -$1 : $1; if (v > m) m = v; n++ } END { print m + 0, n + 0 }')"
    echo "$2: peak $peak of 32767 in $samples samples"
    [ "$samples" -ge $(($1 * rate * 2)) ] || fail "$2: the monitor gave too little ($samples samples)"
    [ "$peak" -gt 1000 ] || fail "$2: no sound in the sink"
}

# The frame of the first sound (a sample above 1000) in a raw recording, or nothing.
first_sound() {
    od -An -v -td2 -w4 "$1" | awk '{ l = $1 < 0 ? -$1 : $1; r = $2 < 0 ? -$2 : $2
        if (l > 1000 || r > 1000) { print NR - 1; exit } }'
}

has_stream() { pactl list short sink-inputs 2>/dev/null | grep -q .; }
no_stream() { [ -z "$(pactl list short sink-inputs 2>/dev/null)" ]; }

# Clicks New Game on the title while a recorder runs, and judges whether the sink fell silent
# within 50 ms of the click, without a click of its own: the largest step between neighbouring
# samples in the stop (the last 10 ms of sound and the first of silence) is no larger than the
# largest in the music before it. A cut would step as far as the music is loud; a fade steps no
# further than the music does. Sets `missed` to what went wrong, or to nothing.
new_game_stop() {
    local recorder before after last loud step_before step_after size=${XVFB_SCREEN:-1024x768}
    missed=""
    "${monitor[@]}" --latency-msec=5 >"$work/new_game.raw" 2>/dev/null &
    recorder=$!
    frames_written() { echo $(($(stat -c %s "$work/new_game.raw") / 4)); }
    recording() { [ "$(frames_written)" -gt $((rate / 2)) ]; }
    retry 200 recording || fail "the recorder gave too little"
    printf '#!/bin/sh\nstat -c %%s "%s" >"%s"\n' "$work/new_game.raw" "$work/clicked" >"$work/mark"
    chmod +x "$work/mark"
    xdotool mousemove --window "$(window Intro)" $((${size%x*} / 2 - 2)) $((${size#*x} / 2 - 78))
    sleep 0.3
    before=$(frames_written)
    xdotool click --delay 0 1 exec --sync "$work/mark"
    sleep 1
    kill "$recorder"
    wait "$recorder" 2>/dev/null
    after=$(($(cat "$work/clicked") / 4))
    # The last sample that is not silent and the loudest of the half second before the click;
    # then the largest steps before the stop and in it.
    read -r last loud <<<"$(od -An -v -td2 -w4 "$work/new_game.raw" | awk -v before="$before" \
        -v rate=$rate '
        { l = $1 < 0 ? -$1 : $1; r = $2 < 0 ? -$2 : $2; m = l > r ? l : r
          if (m > 2) last = NR - 1
          if (NR - 1 < before && NR - 1 >= before - rate / 2 && m > loud) loud = m }
        END { print last + 0, loud + 0 }')"
    read -r step_before step_after <<<"$(od -An -v -td2 -w4 "$work/new_game.raw" | awk \
        -v last="$last" -v rate=$rate '
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
    [ $((last - after)) -le $((rate * (50 + 10) / 1000)) ] || missed="the music went on after New Game"
    [ "$step_after" -le "$step_before" ] || missed="${missed:+$missed; }the music clicked as it stopped"
    [ -z "$missed" ]
}

# New Game stops the music as new_game_stop judges, on the map. The click, the new map's loading
# before the stop and the sound server's thread all wait for a core: on a machine busy with other
# work, one of them may run late enough to miss the mark once. So a miss is tried again from the
# title, twice at most; a game that stops late or with a click every time fails.
expect_new_game_silences() {
    local try
    for try in 1 2 3; do
        new_game_stop && return 0
        echo "try $try: $missed"
        [ "$try" -lt 3 ] || break
        expect_showing "Map"
        quit_map_to_title
        expect_sound 2 "the title before another try"
    done
    fail "$missed, three times"
}

# Waits up to 2 s for the game's stream to leave the sink.
expect_no_stream() {
    retry 20 no_stream || fail "a sound stream stays open $1: $(pactl list short sink-inputs)"
    echo "no sound stream open $1"
}
