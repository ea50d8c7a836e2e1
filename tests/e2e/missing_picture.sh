#!/usr/bin/env bash
# The game installed in a folder whose name has a blank, with its tile set missing: the map
# cannot be drawn, so the game shows a message naming the file, writes it to stderr and ends
# with a non-zero status once the message is dismissed.
# Usage: missing_picture.sh path/to/velmora
set -u
. "$(dirname "$0")/xvfb_lib.sh"

folder="$work/my games/velmora"
mkdir -p "$folder"
cp -r "$1" "$(dirname "$1")"/{Characters,Background,Pictures,Music} "$folder/"
rm "$folder/Background/World/ts0.bmp"
play "$folder/velmora"
expect_showing "Velmora"
key_in Velmora Return
expect_game_ends "after the message" failing
grep "my games/velmora/Background/World/ts0.bmp" "$work/game.log" ||
    fail "stderr does not name the missing file"
