// The generator's own RLE8 BMP and GIF writers and its note names.
#include <gtest/gtest.h>

#include "common/bmp_writer.h"
#include "common/gif_writer.h"
#include "common/indexed_image.h"
#include "music/notation.h"

using namespace assetgen;

namespace {

// Rows of no runs (odd and even literal blocks), runs of one to three, and a run over 255.
IndexedImage pattern(int w, int h) {
    IndexedImage img{w, h, {}, {}};
    for (int i = 0; i < 7; ++i) {
        img.palette.push_back(qRgb(i * 30, 255 - i * 30, (i * 77) % 256));
    }
    for (int y = 0; y < h; ++y) {
        for (int x = 0; x < w; ++x) {
            const int kinds[] = {0, (x * 7 + y) % 7, (x / (1 + y % 3)) % 2 ? 3 : 5,
                                 x < w - 1 ? 6 : 1};
            img.pixels.push_back(static_cast<std::uint8_t>(kinds[y % 4]));
        }
    }
    return img;
}

TEST(Rle8Writer, EveryPixelReadsBackAndTheBitmapEndsAsTheFormatSays) {
    for (int w : {1, 2, 3, 5, 301, 600}) {
        const IndexedImage img = pattern(w, 9);
        // Qt reads on without it, but by the format's rules the bitmap ends with its own mark.
        EXPECT_TRUE(encodeRle8(img).endsWith(QByteArray("\0\1", 2))) << w;
        const QImage back =
            QImage::fromData(bmpRle8File(img), "BMP").convertToFormat(QImage::Format_RGB32);
        ASSERT_EQ(back.size(), QSize(w, 9)) << w;
        for (int i = 0; i < w * 9; ++i) {
            ASSERT_EQ(back.pixel(i % w, i / w), img.palette[img.pixels[i]]) << w << ": " << i;
        }
    }
}

TEST(GifWriter, KeepsPaletteAndTransparency) {
    QImage art(5, 4, QImage::Format_ARGB32);
    art.fill(Qt::transparent);
    art.setPixel(1, 1, qRgb(200, 10, 10));
    art.setPixel(2, 2, qRgb(10, 10, 200));
    const QImage back = QImage::fromData(encodeGif(indexExact(art, true)), "GIF")
                            .convertToFormat(QImage::Format_ARGB32);
    ASSERT_EQ(back.size(), QSize(5, 4));
    EXPECT_EQ(qAlpha(back.pixel(0, 0)), 0);
    EXPECT_EQ(back.pixel(1, 1), qRgb(200, 10, 10));
    EXPECT_EQ(back.pixel(2, 2), qRgb(10, 10, 200));
    QImage many(300, 1, QImage::Format_RGB32);
    for (int x = 0; x < 300; ++x) {
        many.setPixel(x, 0, qRgb(x % 256, x / 256, 0));
    }
    EXPECT_THROW(indexExact(many), std::runtime_error) << "more than 256 colours";
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

}  // namespace
