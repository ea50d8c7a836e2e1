#!/usr/bin/env bash
# The command line and the display, outside any window system: --help and --version print and
# leave with status 0, an unknown option prints the usage to stderr and leaves with status 2
# before looking for a display, and with no display (or one that cannot be reached) the game
# says so in one line and leaves with status 1 instead of aborting.
# Usage: no_display.sh path/to/velmora
set -u
game="$1"
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
fail() { echo "FAIL: $*" >&2; exit 1; }

# Runs the game with the given arguments and no display; sets status, out and err.
run() {
    env -u DISPLAY -u WAYLAND_DISPLAY -u QT_QPA_PLATFORM "$@" >"$work/out" 2>"$work/err"
    status=$?
    out=$(cat "$work/out")
    err=$(cat "$work/err")
}

run "$game" --help
[ "$status" -eq 0 ] || fail "--help: status $status"
[ -z "$err" ] || fail "--help wrote to stderr: $err"
for option in --help --version --windowed --no-music; do
    grep -q -e "$option" "$work/out" || fail "--help does not list $option"
done
echo "--help: status 0, lists the options"

run "$game" --version
[ "$status" -eq 0 ] || fail "--version: status $status"
echo "$out" | grep -Eq '^Velmora [0-9]+\.[0-9]+\.[0-9]+$' || fail "--version printed: $out"
echo "--version: $out"

run "$game" --no-such-option
[ "$status" -eq 2 ] || fail "unknown option: status $status"
[ -z "$out" ] || fail "unknown option wrote to stdout: $out"
grep -q "no-such-option" "$work/err" || fail "the error does not name the option: $err"
grep -q "^Usage: velmora" "$work/err" || fail "no usage on stderr: $err"
echo "unknown option: status 2, usage on stderr"

run "$game"
[ "$status" -eq 1 ] || fail "no display: status $status (Qt aborts with 134)"
[ -z "$out" ] || fail "no display wrote to stdout: $out"
[ "$(wc -l <"$work/err")" -eq 1 ] || fail "no display: not one line on stderr: $err"
grep -q "DISPLAY" "$work/err" || fail "no display: the line does not say so: $err"
echo "no display: status 1, $err"

# A display that is named but has no server behind it.
run env DISPLAY=:173 "$game" --windowed --no-music
[ "$status" -eq 1 ] || fail "unreachable display: status $status"
[ "$(wc -l <"$work/err")" -eq 1 ] || fail "unreachable display: not one line on stderr: $err"
grep -q ":173" "$work/err" || fail "unreachable display: the line does not name it: $err"
echo "unreachable display: status 1, $err"
echo "no-display checks passed"
