#!/usr/bin/env bash
# The title's music on a system with ALSA and no sound server, as in a sandbox without the
# server's socket: the home's ALSA configuration makes the default device a file, and
# PULSE_SERVER points nowhere. The game starts several times (ALSA_STARTS, 5 unless told) and
# visits the title twice each time (New Game, then QUIT again): on every visit the file fills
# with the theme within 4 s of the title showing and nothing is said about the sound; Exit ends
# the game. Then the default device names a sound card that does not exist: the title shows and
# plays on silently, the game says so in one line, and Exit ends it. The home, runtime folder
# and configuration are the script's own.
# Usage: music_alsa.sh path/to/velmora
set -u
. "$(dirname "$0")/xvfb_lib.sh"
mkdir -p "$work/home/.config"
export HOME="$work/home" XDG_CONFIG_HOME="$work/home/.config"
export PULSE_SERVER=unix:/nonexistent
unset PIPEWIRE_RUNTIME_DIR PIPEWIRE_REMOTE ALSA_CONFIG_PATH
game=$(game_with_soundfont "$1" "$judged_soundfont") || fail "no soundfont $judged_soundfont"
out="$work/alsa.raw"
rate=44100

# The loudest sample of the last quarter second the device took (32-bit floats, two channels),
# in thousandths of full scale.
recent_peak() {
    tail -c $((rate / 4 * 8)) "$out" 2>/dev/null | od -An -v -tf4 -w4 |
        awk '{ v = $1 < 0 ? -$1 : $1; if (v > m) m = v } END { printf "%d\n", 1000 * m }'
}
sounding() { [ "$(recent_peak)" -gt 30 ]; }

# Lines the game said on its own behalf.
said() { grep '^velmora:' "$work/game.log"; }

cat >"$HOME/.asoundrc" <<EOF
pcm.!default { type file slave.pcm "null" file "$out" format "raw" }
EOF
# Each visit to the title opens the output anew: two visits a start.
listen() {
    if retry 40 sounding; then
        echo "$1: the theme in the file, peak $(recent_peak) of 1000"
    else
        silent=$((silent + 1))
        echo "$1: silent ($(stat -c %s "$out" 2>/dev/null || echo no) bytes written)"
    fi
    [ -z "$(said)" ] || fail "$1: the game said [$(said)] while ALSA plays"
}
silent=0
starts=${ALSA_STARTS:-5}
for start in $(seq "$starts"); do
    rm -f "$out"
    play "$game"
    expect_showing "Map"
    quit_map_to_title
    listen "start $start"
    click_title New
    expect_showing "Map"
    rm -f "$out"
    quit_map_to_title
    listen "start $start, the title again"
    click_title Exit
    expect_game_ends "on Exit, start $start"
done
[ "$silent" -eq 0 ] || fail "silent through ALSA in $silent of $((2 * starts)) visits to the title"

cat >"$HOME/.asoundrc" <<EOF
pcm.!default { type hw card 29 }
EOF
play "$game"
expect_showing "Map"
quit_map_to_title
sleep 2
expect_showing "Intro"
[ "$(said | wc -l)" -eq 1 ] || fail "with no output at all the game said [$(said)], not one line"
echo "no output at all: $(said)"
click_title Exit
expect_game_ends "on Exit with no output"
