#!/usr/bin/env bash
# The Debian package: its metadata, its files, and the game unpacked from it. The game starts
# from the unpacked bin/velmora link under Xvfb with a window manager, shows the "Map" window
# and ends with status 0 when that window is closed; with --windowed the map is an ordinary
# framed window instead of covering the display. The shell can match its windows to the desktop
# entry: by the window class under X11 and by the app id under a Wayland compositor (a headless
# Weston that logs the protocol). Outside any window system, the unpacked game's --help and
# --version print and leave with status 0, an unknown option prints the usage to stderr and
# leaves with status 2 before looking for a display, and with no display (or one that cannot be
# reached) the game says so in one line and leaves with status 1 instead of aborting. Copied to
# a folder whose name has a blank and with its tile set missing, the game cannot draw the map: it
# shows a message naming the file, writes it to stderr and ends with a non-zero status once the
# message is dismissed.
# Usage: package_test.sh <velmora_*.deb | build folder>   (a build folder is packed with cpack)
set -u
. "$(dirname "$0")/xvfb_lib.sh"

deb="$1"
if [ -d "$1" ]; then
    (cd "$1" && cpack -G DEB -B "$work/cpack" >"$work/cpack.log" 2>&1) || fail "cpack failed"
    deb=$(ls "$work"/cpack/velmora_*.deb)
fi
[ -f "$deb" ] || fail "no package at $deb"

field() { dpkg-deb -f "$deb" "$1"; }
version=$(field Version)
depends=$(field Depends)
[ "$(field Package) $(field Section)" = "velmora games" ] || fail "$(field Package) in $(field Section)"
# A summary line and a long text, as prose rather than a list.
[ "$(field Description | grep -c .)" -ge 2 ] || fail "the description has no long text"
field Description | grep -q ';' && fail "the description has list separators in it"
for need in libc6 libqt6widgets6 libqt6gui6 libqt6core6 qt6-qpa-plugins timgm6mb-soundfont; do
    grep -q "$need" <<<"$depends" || fail "Depends lacks $need: $depends"
done
field Recommends | grep -q "qt6-wayland" || fail "Recommends lacks qt6-wayland: $(field Recommends)"
echo "package velmora $version, depends: $depends"

root="$work/root"
dpkg-deb -x "$deb" "$root"
[ -L "$root/usr/bin/velmora" ] || fail "usr/bin/velmora is not a link"
[ "$(readlink -f "$root/usr/bin/velmora")" = "$(readlink -f "$root/usr/lib/velmora/velmora")" ] ||
    fail "usr/bin/velmora does not lead to usr/lib/velmora/velmora"
for file in Characters/Char000.bmp Characters/Char063.bmp Background/World/ts0.bmp \
    Background/Battle/plains.gif Background/hills.gif Pictures/Title.jpg Music/Theme.mid; do
    [ -f "$root/usr/lib/velmora/$file" ] || fail "missing usr/lib/velmora/$file"
done
desktop="$root/usr/share/applications/org.velmora.Velmora.desktop"
grep -qx "Name=Velmora" "$desktop" && grep -qx "Categories=Game;RolePlaying;" "$desktop" ||
    fail "the desktop entry's name or categories"
wm_class=$(sed -n 's/^StartupWMClass=//p' "$desktop")
[ -n "$wm_class" ] || fail "the desktop entry has no StartupWMClass"
icon=$(sed -n 's/^Icon=//p' "$desktop")
for size in 48 64 128 256; do
    png="$root/usr/share/icons/hicolor/${size}x${size}/apps/$icon.png"
    file "$png" | grep -q "PNG image data, $size x $size" || fail "no $size pixel icon"
done
metainfo="$root/usr/share/metainfo/org.velmora.Velmora.metainfo.xml"
appstreamcli validate --no-net "$metainfo" || fail "the metainfo does not validate"
grep -q "version=\"${version%-*}\"" "$metainfo" || fail "the metainfo's release is not $version"
sed -n '/<supports>/,/<\/supports>/p' "$metainfo" | grep -q "<control>gamepad</control>" ||
    fail "the metainfo does not name the gamepad among the controls"
for option in help version windowed 'no\-music'; do
    grep -qF -- "\\-\\-$option" "$root/usr/share/man/man6/velmora.6" ||
        fail "the man page does not list --$option"
done
echo "files, desktop entry, icons, metainfo and man page in place"

game="$root/usr/bin/velmora"
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
[ "$out" = "Velmora ${version%-*}" ] || fail "--version printed $out, not ${version%-*}"
run 2 "$game" --no-such-option
[ -z "$out" ] && grep -q "no-such-option" <<<"$err" && grep -q "^Usage: velmora" <<<"$err" ||
    fail "an unknown option should be named, with the usage, on stderr only: [$out] [$err]"
run 1 "$game"
[ -z "$out" ] && [ "$lines" -eq 1 ] && grep -q "DISPLAY" <<<"$err" ||
    fail "no display should be said in one line on stderr: [$out] [$err]"
# A display that is named but has no server behind it.
run 1 env DISPLAY=:173 "$game" --windowed --no-music
[ "$lines" -eq 1 ] && grep -q ":173" <<<"$err" || fail "the unreachable display, in one line: $err"

# Starts the unpacked game and closes its map window as the player would, with Alt+F4; the
# map covers the display, or with --windowed it does not.
with_window_manager
for windowed in "" --windowed; do
    play "$game" $windowed --no-music
    expect_showing "Map"
    # WM_CLASS(STRING) = "velmora", "Velmora": the instance, then the class the entry names.
    class=$(xprop -id "$(window Map)" WM_CLASS | sed -n 's/.*= "[^"]*", "\([^"]*\)"$/\1/p')
    [ "$class" = "$wm_class" ] || fail "the map's window class is \"$class\", not \"$wm_class\""
    placed=$(geometry Map)
    echo "map window at $placed with $windowed --no-music (x y width height)"
    [ "$placed" = "0 0 1024 768" ]
    covers=$?
    [ -z "$windowed" ]
    [ "$covers" = $? ] || fail "the map ${windowed:+with $windowed }at [$placed]"
    key_in Map alt+F4
    expect_game_ends "when its map window closed"
done
echo "X11: the window class is the entry's StartupWMClass, $wm_class"

folder="$work/my games/velmora"
mkdir -p "$folder"
cp -r "$root/usr/lib/velmora/." "$folder/"
rm "$folder/Background/World/ts0.bmp"
play "$folder/velmora"
expect_showing "Velmora"
key_in Velmora Return
expect_game_ends "after the message" failing
grep "my games/velmora/Background/World/ts0.bmp" "$work/game.log" ||
    fail "stderr does not name the missing file"

# Under Wayland the shell knows a window by its app id, which must name the desktop entry.
weston --no-config --socket=velmora-package --backend=headless-backend.so --use-pixman \
    --width=1024 --height=768 --log="$work/weston.log" --logger-scopes=log,proto \
    >"$work/weston-out.log" 2>&1 &
pids="$pids $!"
retry 200 test -S "$XDG_RUNTIME_DIR/velmora-package" || fail "Weston did not start"
play env -u DISPLAY -u QT_QPA_PLATFORM WAYLAND_DISPLAY=velmora-package "$game" \
    --no-music
app_id() { sed -n 's/.*xdg_toplevel@[0-9]*\.set_app_id("\(.*\)")$/\1/p' "$work/weston.log"; }
retry 150 eval '[ -n "$(app_id)" ]' || fail "the game set no app id under Weston"
ids=$(app_id | sort -u | tr '\n' ' ')
[ "$ids" = "$(basename "$desktop" .desktop) " ] ||
    fail "Wayland app ids [$ids], not the desktop entry's"
echo "Wayland: the app id is the desktop entry's, $ids"
