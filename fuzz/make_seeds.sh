#!/usr/bin/env bash
# Makes the committed seed corpora from the shipped assets, kept small: whole small files, and
# corners of the large ones written in the formats and variants the game's files use.
# Needs ImageMagick. Usage: fuzz/make_seeds.sh (from anywhere); rewrites fuzz/corpus.
set -eu
here="$(cd "$(dirname "$0")" && pwd)"
assets="$here/../assets"
corpus="$here/corpus"
rm -rf "$corpus"
mkdir -p "$corpus"/{picture-bmp,picture-gif,picture-jpeg,sprite-number,midi-file,music-command}

# BMP: a character as shipped (8-bit, uncompressed), a corner of the tile set as it is shipped
# (8-bit run-length), the same as 24-bit and with the older 12-byte core header.
cp "$assets/Characters/Char000.bmp" "$corpus/picture-bmp/char000.bmp"
convert "$assets/Background/World/ts0.bmp" -crop 48x40+0+0 +repage -colors 64 -type Palette \
    -compress RLE BMP3:"$corpus/picture-bmp/tiles-rle8.bmp"
convert "$assets/Background/World/ts0.bmp" -crop 24x20+32+0 +repage -type TrueColor \
    BMP3:"$corpus/picture-bmp/tiles-24.bmp"
convert "$assets/Characters/Char048.bmp" -crop 32x32+0+96 +repage -type Palette \
    BMP2:"$corpus/picture-bmp/foe-core.bmp"

# GIF: an arrow as shipped (transparent), a strip of a landscape and of the battlefield.
cp "$assets/Pictures/ArrowBlue1.gif" "$corpus/picture-gif/arrow.gif"
convert "$assets/Background/hills.gif" -crop 64x32+0+240 +repage "$corpus/picture-gif/hills.gif"
convert "$assets/Background/Battle/plains.gif" -crop 48x24+0+0 +repage \
    "$corpus/picture-gif/battle.gif"

# JPEG: a corner of the title, baseline and progressive.
convert "$assets/Pictures/Title.jpg" -crop 64x32+0+0 +repage -quality 75 \
    -type TrueColor "$corpus/picture-jpeg/title.jpg"
convert "$assets/Pictures/Title.jpg" -crop 48x24+64+40 +repage -quality 60 -interlace Plane \
    "$corpus/picture-jpeg/title-progressive.jpg"

# Texts a player types into the sprite box.
printf '%s' "12" >"$corpus/sprite-number/plain"
printf '%s' "  63abc" >"$corpus/sprite-number/trailing"
printf '%s' "-1.5e1" >"$corpus/sprite-number/exponent"
printf '%s' "+.5" >"$corpus/sprite-number/fraction"
printf '%s' "7e" >"$corpus/sprite-number/bare-exponent"
# The theme as shipped, and its header with the first track cut to its first events.
cp "$assets/Music/Theme.mid" "$corpus/midi-file/theme.mid"
head -c 64 "$assets/Music/Theme.mid" >"$corpus/midi-file/theme-head.mid"

# What the title's music watchdog sends, and a folder with blanks in its name.
printf '%s\n' "status backplay mode" "close all" \
    'open $THEME type sequencer alias backplay' "play backplay" "status backplay mode" \
    >"$corpus/music-command/watchdog"
printf '%s\n' 'open "/tmp/my games/Music/Theme.mid" type sequencer alias backplay' \
    "play backplay" "close backplay" >"$corpus/music-command/blanks"
printf '%s\n' 'open $THEME alias tune' "play tune" "play tune" "status tune mode" \
    "close all" >"$corpus/music-command/restart"
ls -l "$corpus"/*
