// The generator's own writers and readers: RLE8 BMP, GIF, MIDI, note names and sprite outlines.
#include <gtest/gtest.h>

#include <QBuffer>
#include <QImageReader>
#include <QTemporaryDir>

#include "characters/sprite_canvas.h"
#include "common/bmp_writer.h"
#include "common/gif_writer.h"
#include "common/indexed_image.h"
#include "midi_reader.h"
#include "music/notation.h"
#include "music/smf.h"

using namespace assetgen;

namespace {

IndexedImage pattern(int w, int h) {
    IndexedImage img;
    img.width = w;
    img.height = h;
    for (int i = 0; i < 7; ++i) {
        img.palette.push_back(qRgb(i * 30, 255 - i * 30, (i * 77) % 256));
    }
    for (int y = 0; y < h; ++y) {
        for (int x = 0; x < w; ++x) {
            int v = 0;
            if (y % 4 == 1) {
                v = (x * 7 + y) % 7;  // no runs: literal blocks, odd and even lengths
            } else if (y % 4 == 2) {
                v = (x / (1 + y % 3)) % 2 ? 3 : 5;  // runs of one, two and three
            } else if (y % 4 == 3) {
                v = x < w - 1 ? 6 : 1;  // a run longer than 255, then a single pixel
            }
            img.pixels.push_back(static_cast<std::uint8_t>(v));
        }
    }
    return img;
}

TEST(Rle8Writer, QtReadsBackEveryPixel) {
    for (int w : {1, 2, 3, 5, 301, 600}) {
        const IndexedImage img = pattern(w, 9);
        const QImage back =
            QImage::fromData(bmpRle8File(img), "BMP").convertToFormat(QImage::Format_RGB32);
        ASSERT_EQ(back.size(), QSize(w, 9)) << w;
        for (int y = 0; y < 9; ++y) {
            for (int x = 0; x < w; ++x) {
                ASSERT_EQ(back.pixel(x, y), img.palette[img.at(x, y)])
                    << w << ": " << x << "," << y;
            }
        }
    }
}

TEST(Rle8Writer, CompressesRuns) {
    IndexedImage flat;
    flat.width = 1000;
    flat.height = 10;
    flat.palette = {qRgb(1, 2, 3)};
    flat.pixels.assign(10000, 0);
    EXPECT_LT(encodeRle8(flat).size(), 200);
}

TEST(GifWriter, KeepsPaletteAndTransparency) {
    QImage art(5, 4, QImage::Format_ARGB32);
    art.fill(Qt::transparent);
    art.setPixel(1, 1, qRgb(200, 10, 10));
    art.setPixel(2, 2, qRgb(10, 10, 200));
    QTemporaryDir dir;
    const QString path = dir.filePath(QStringLiteral("t.gif"));
    ASSERT_TRUE(writeGif(path, indexExact(art, true)));
    const QImage back = QImage(path).convertToFormat(QImage::Format_ARGB32);
    ASSERT_EQ(back.size(), QSize(5, 4));
    EXPECT_EQ(qAlpha(back.pixel(0, 0)), 0);
    EXPECT_EQ(back.pixel(1, 1), qRgb(200, 10, 10));
    EXPECT_EQ(back.pixel(2, 2), qRgb(10, 10, 200));
}

TEST(IndexExact, RefusesMoreThan256Colours) {
    QImage many(300, 1, QImage::Format_RGB32);
    for (int x = 0; x < 300; ++x) {
        many.setPixel(x, 0, qRgb(x % 256, x / 256, 0));
    }
    EXPECT_THROW(indexExact(many), std::runtime_error);
}

TEST(MidiWriter, RunningStatusAndLongDeltasReadBack) {
    midi::Track conductor;
    conductor.tempo(0, 120.0);
    conductor.end(480 * 8);
    midi::Track part;
    part.program(0, 2, 40);
    part.note(0, 480, 2, 60, 90);
    part.note(480, 480, 2, 62, 90);
    part.note(200000, 10, 2, 64, 90);  // a delta needing three bytes
    part.end(200010);
    const MidiFileData read = readMidi(midi::file({conductor, part}, 480));
    ASSERT_EQ(read.tracks.size(), 2u);
    int ons = 0, running = 0;
    for (const MidiEvent& e : read.tracks[1].events) {
        ons += (e.status & 0xf0) == 0x90 && e.data2 > 0 ? 1 : 0;
        running += e.runningStatus ? 1 : 0;
    }
    EXPECT_EQ(ons, 3);
    EXPECT_GT(running, 0);
    EXPECT_EQ(read.lastTick(), 200010u);
    EXPECT_NEAR(read.seconds(960), 1.0, 1e-9);
}

TEST(Notation, NoteNamesAndLengths) {
    EXPECT_EQ(music::keyOf(QStringLiteral("C4")), 60);
    EXPECT_EQ(music::keyOf(QStringLiteral("A4")), 69);
    EXPECT_EQ(music::keyOf(QStringLiteral("Bb3")), 58);
    EXPECT_EQ(music::keyOf(QStringLiteral("F#5")), 78);
    const auto notes = music::phrase(QStringLiteral("C5:q. D5:e | r:h E5:w"));
    ASSERT_EQ(notes.size(), 4u);
    EXPECT_EQ(notes[1].start, 720u);
    EXPECT_EQ(notes[2].key, -1);
    EXPECT_EQ(music::lengthOf(notes), 4u * 480 + 1920);
    EXPECT_THROW(music::phrase(QStringLiteral("H4:q")), std::invalid_argument);
    EXPECT_THROW(music::phrase(QStringLiteral("C4:x")), std::invalid_argument);
    const music::Chord gb = music::chordOf(QStringLiteral("G7/B"));
    EXPECT_EQ(gb.root, 7);
    EXPECT_EQ(gb.bass, 11);
    EXPECT_EQ(gb.tones.size(), 4u);
}

TEST(SpriteCanvas, OutlinesShapesAndFillsEnclosedGaps) {
    SpriteCanvas c;
    const int mat = c.addMaterial(QColor(200, 100, 50));
    // A ring: its hole must not show the transparent key.
    c.shape(
        [](double x, double y) {
            const double d = (x - 16) * (x - 16) + (y - 16) * (y - 16);
            return d < 100 && d > 16;
        },
        mat, Shading::Round);
    const QImage img = c.render();
    EXPECT_EQ(img.pixel(0, 0) & 0xffffffu, 0u);
    EXPECT_NE(img.pixel(16, 16) & 0xffffffu, 0u);
    EXPECT_NE(img.pixel(16, 5) & 0xffffffu, 0u) << "outline just outside the ring";
    const QImage mirrored = c.render(true);
    EXPECT_EQ(mirrored.pixel(31 - 9, 16), img.pixel(9, 16));
}

}  // namespace
