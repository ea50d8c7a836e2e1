#!/usr/bin/env bash
# The game installed in a folder whose name has a blank, with its tile set missing: the map
# cannot be drawn, so the game shows a message naming the file, writes it to stderr and ends
# with a non-zero status once the message is dismissed.
# Usage: missing_picture.sh path/to/velmora
set -u
built="$1"
. "$(dirname "$0")/xvfb_lib.sh"

folder="$work/my games/velmora"
mkdir -p "$folder"
cp "$built" "$folder/"
cp -r "$(dirname "$built")"/{Characters,Background,Pictures,Music} "$folder/"
rm "$folder/Background/World/ts0.bmp"

"$folder/velmora" >"$work/game.log" 2>&1 &
game_pid=$!
expect_showing "Velmora"
key_in Velmora Return
for _ in $(seq 100); do kill -0 "$game_pid" 2>/dev/null || break; sleep 0.1; done
kill -0 "$game_pid" 2>/dev/null && fail "the game did not end after the message"
wait "$game_pid"
status=$?
game_pid=""
cat "$work/game.log"
[ "$status" -ne 0 ] || fail "exit status 0 after a run-time error"
grep -q "my games/velmora/Background/World/ts0.bmp" "$work/game.log" ||
    fail "stderr does not name the missing file"
echo "exit status $status; missing picture reported"
