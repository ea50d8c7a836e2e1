#!/usr/bin/env bash
# The Debian package: its metadata, its files, and the game unpacked from it. The game starts
# from the unpacked bin/velmora link under Xvfb with a window manager, shows the "Map" window
# and ends with status 0 when that window is closed; with --windowed the map is an ordinary
# framed window instead of covering the display.
# Usage: package_test.sh <velmora_*.deb | build folder>   (a build folder is packed with cpack)
set -u
. "$(dirname "$0")/xvfb_lib.sh"

if [ -d "$1" ]; then
    (cd "$1" && cpack -G DEB -B "$work/cpack" >"$work/cpack.log" 2>&1) ||
        { cat "$work/cpack.log"; fail "cpack failed"; }
    deb=$(ls "$work"/cpack/velmora_*.deb)
else
    deb="$1"
fi
[ -f "$deb" ] || fail "no package at $deb"

field() { dpkg-deb -f "$deb" "$1"; }
[ "$(field Package)" = velmora ] || fail "package name $(field Package)"
version=$(field Version)
echo "$version" | grep -Eq '^[0-9]+\.[0-9]+\.[0-9]+-[0-9]+$' || fail "version $version"
[ -n "$(field Maintainer)" ] || fail "no maintainer"
[ "$(field Section)" = games ] || fail "section $(field Section)"
field Description | head -1 | grep -q . || fail "no description"
[ "$(field Description | wc -l)" -ge 2 ] || fail "the description has no long text"
field Description | grep -q ';' && fail "the description has list separators in it"
depends=$(field Depends)
for need in libc6 libqt6widgets6 libqt6gui6 libqt6core6 qt6-qpa-plugins timgm6mb-soundfont; do
    echo "$depends" | grep -q "$need" || fail "Depends lacks $need: $depends"
done
field Recommends | grep -q "qt6-wayland" || fail "Recommends lacks qt6-wayland: $(field Recommends)"
echo "package $(field Package) $version, $(field Installed-Size) KiB installed"
echo "depends: $depends"

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
grep -qx "Name=Velmora" "$desktop" || fail "the desktop entry has no Name=Velmora"
grep -qx "Categories=Game;RolePlaying;" "$desktop" || fail "the desktop entry's categories"
icon=$(sed -n 's/^Icon=//p' "$desktop")
for size in 48 64 128 256; do
    png="$root/usr/share/icons/hicolor/${size}x${size}/apps/$icon.png"
    file "$png" | grep -q "PNG image data, $size x $size" || fail "no $size pixel icon"
done
appstreamcli validate --no-net "$root/usr/share/metainfo/org.velmora.Velmora.metainfo.xml" ||
    fail "the metainfo does not validate"
grep -q "version=\"${version%-*}\"" "$root/usr/share/metainfo/org.velmora.Velmora.metainfo.xml" ||
    fail "the metainfo's release is not $version"
for option in help version windowed 'no\-music'; do
    grep -qF -- "\\-\\-$option" "$root/usr/share/man/man6/velmora.6" ||
        fail "the man page does not list --$option"
done
[ "$("$root/usr/bin/velmora" --version)" = "Velmora ${version%-*}" ] ||
    fail "--version does not print ${version%-*}"
echo "files, desktop entry, icons, metainfo and man page in place"

with_window_manager

# Starts the unpacked game and closes its map window as the player would, with Alt+F4.
play_and_close() {
    "$root/usr/bin/velmora" "$@" >"$work/game.log" 2>&1 &
    game_pid=$!
    expect_showing "Map"
    echo "map window at $(geometry Map) with $* (x y width height)"
    placed=$(geometry Map)
    key_in Map alt+F4
    expect_game_ends "when its map window closed"
}

play_and_close --no-music
[ "$placed" = "0 0 1024 768" ] || fail "the map should cover the display, found [$placed]"
play_and_close --windowed --no-music
[ "$placed" != "0 0 1024 768" ] || fail "with --windowed the map still covers the display"
echo "package test passed"
