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
mkdir -m 700 "$work/runtime"
fail() { echo "FAIL: $*" >&2; exit 1; }

# run STATUS COMMAND...: runs the command with no display, expecting that exit status; sets out
# and err (the game's stdout and stderr), and lines (how many lines stderr has).
run() {
    local want=$1 status
    shift
    # Nothing of the desktop the script runs from: no display, session bus or sound server.
    env -u DISPLAY -u WAYLAND_DISPLAY -u QT_QPA_PLATFORM -u XDG_SESSION_TYPE \
        -u DBUS_SESSION_BUS_ADDRESS XDG_RUNTIME_DIR="$work/runtime" "$@" >"$work/out" 2>"$work/err"
    status=$?
    out=$(cat "$work/out")
    err=$(cat "$work/err")
    lines=$(wc -l <"$work/err")
    [ "$status" -eq "$want" ] || fail "$*: status $status, not $want (Qt aborts with 134): $err"
    echo "$*: status $status"
}

run 0 "$game" --help
[ -z "$err" ] || fail "--help wrote to stderr: $err"
for option in --help --version --windowed --no-music; do
    grep -q -e "$option" <<<"$out" || fail "--help does not list $option"
done
run 0 "$game" --version
grep -Eqx 'Velmora [0-9]+\.[0-9]+\.[0-9]+' <<<"$out" || fail "--version printed: $out"
run 2 "$game" --no-such-option
[ -z "$out" ] && grep -q "no-such-option" <<<"$err" && grep -q "^Usage: velmora" <<<"$err" ||
    fail "an unknown option should be named, with the usage, on stderr only: [$out] [$err]"
run 1 "$game"
[ -z "$out" ] && [ "$lines" -eq 1 ] && grep -q "DISPLAY" <<<"$err" ||
    fail "no display should be said in one line on stderr: [$out] [$err]"
# A display that is named but has no server behind it.
run 1 env DISPLAY=:173 "$game" --windowed --no-music
[ "$lines" -eq 1 ] && grep -q ":173" <<<"$err" || fail "the unreachable display, in one line: $err"
