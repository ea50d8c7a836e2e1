#include <gtest/gtest.h>

#include <QPainter>

#include "platform/surface.h"

using platform::RasterOp;
using platform::Surface;

namespace {

constexpr QRgb kMagenta = 0xFF00FF;

// A surface whose every pixel is different, so a test can tell where a pixel came from.
Surface pattern(int w, int h, int salt = 0) {
    Surface s(w, h);
    for (int y = 0; y < h; ++y) {
        for (int x = 0; x < w; ++x) {
            s.setPixel(x, y, qRgb((x * 7 + salt) & 0xFF, (y * 5 + salt) & 0xFF, (x + y) & 0xFF));
        }
    }
    return s;
}

// Qt's raster engine as the reference for scaled copies.
QImage qtStretch(const Surface& dst, const QRect& target, const Surface& src, const QRect& source,
                 QPainter::CompositionMode mode) {
    QImage out = dst.image().copy();
    QPainter p(&out);
    p.setCompositionMode(mode);
    p.drawImage(target, src.image(), source);
    return out;
}

void expectSameImage(const Surface& ours, const QImage& reference) {
    ASSERT_EQ(ours.width(), reference.width());
    int differences = 0;
    for (int y = 0; y < ours.height(); ++y) {
        for (int x = 0; x < ours.width(); ++x) {
            if (ours.pixel(x, y) != (reference.pixel(x, y) & 0xFFFFFF) && ++differences < 4) {
                ADD_FAILURE() << "pixel (" << x << ", " << y << ")";
            }
        }
    }
    EXPECT_EQ(differences, 0);
}

}  // namespace

TEST(Blit, CopiesARectangleExactly) {
    const Surface src = pattern(40, 30);
    Surface dst(50, 50, kMagenta);
    platform::bitBlt(dst, 5, 6, 10, 8, src, 12, 3);
    for (int y = 0; y < 50; ++y) {
        for (int x = 0; x < 50; ++x) {
            const bool inside = x >= 5 && x < 15 && y >= 6 && y < 14;
            EXPECT_EQ(dst.pixel(x, y), inside ? src.pixel(x - 5 + 12, y - 6 + 3) : kMagenta)
                << x << "," << y;
        }
    }
}

TEST(Blit, WholeRowsOfImagesOfOneWidthCopyExactlyIncludingClippedRows) {
    const Surface src = pattern(37, 30);
    Surface dst(37, 25, kMagenta);
    // Full-width copies, shifted down and up, and running past both images' last rows.
    platform::bitBlt(dst, 0, 3, 37, 40, src, 0, 5);
    for (int y = 0; y < 25; ++y) {
        for (int x = 0; x < 37; ++x) {
            const int sy = y - 3 + 5;
            EXPECT_EQ(dst.pixel(x, y), y >= 3 && sy < 30 ? src.pixel(x, sy) : kMagenta)
                << x << "," << y;
        }
    }
    Surface up(37, 25, kMagenta);
    platform::bitBlt(up, 0, -4, 37, 10, src, 0, 0);
    for (int y = 0; y < 25; ++y) {
        EXPECT_EQ(up.pixel(36, y), y < 6 ? src.pixel(36, y + 4) : kMagenta) << y;
    }
}

TEST(Blit, ClipsToBothImagesAndLeavesTheRestUntouched) {
    const Surface src = pattern(32, 32);
    Surface dst(40, 40, kMagenta);
    // The source rectangle reaches 8 pixels past the right and bottom of its image, and the
    // destination starts above and left of its own.
    platform::bitBlt(dst, -4, -2, 32, 32, src, 8, 8);
    for (int y = 0; y < 40; ++y) {
        for (int x = 0; x < 40; ++x) {
            const int sx = x + 4 + 8;
            const int sy = y + 2 + 8;
            const bool copied = x < 28 && y < 30 && sx < 32 && sy < 32;
            EXPECT_EQ(dst.pixel(x, y), copied ? src.pixel(sx, sy) : kMagenta) << x << "," << y;
        }
    }
    // Entirely outside: nothing happens, and nothing crashes.
    const Surface before = dst;
    platform::bitBlt(dst, 0, 0, 10, 10, src, 40, 40);
    platform::bitBlt(dst, 45, 0, 10, 10, src, 0, 0);
    platform::stretchBlt(dst, 0, 0, 20, 20, src, -40, 0, 10, 10);
    platform::transparentBlt(dst, 0, 0, 20, 20, src, 0, 100, 10, 10, 0);
    EXPECT_EQ(dst.image(), before.image());
}

TEST(Blit, ScaledSourceOutsideItsImageLeavesThoseDestinationPixels) {
    const Surface src = pattern(16, 16);
    Surface dst(64, 64, kMagenta);
    // A 2× copy of a source rectangle whose right half lies outside the image.
    platform::stretchBlt(dst, 0, 0, 32, 32, src, 8, 0, 16, 16);
    for (int y = 0; y < 32; ++y) {
        for (int x = 0; x < 32; ++x) {
            EXPECT_EQ(dst.pixel(x, y), x < 16 ? src.pixel(8 + x / 2, y / 2) : kMagenta)
                << x << "," << y;
        }
    }
}

TEST(Blit, XorTwiceRestoresAndOrLightens) {
    const Surface original = pattern(20, 20, 3);
    const Surface sprite = pattern(10, 10, 99);
    Surface dst = original;
    platform::stretchBlt(dst, 2, 2, 20, 20, sprite, 0, 0, 10, 10, RasterOp::Invert);
    EXPECT_EQ(dst.pixel(2, 2), original.pixel(2, 2) ^ sprite.pixel(0, 0));
    EXPECT_NE(dst.image(), original.image());
    platform::stretchBlt(dst, 2, 2, 20, 20, sprite, 0, 0, 10, 10, RasterOp::Invert);
    EXPECT_EQ(dst.image(), original.image());

    platform::bitBlt(dst, 0, 0, 10, 10, sprite, 0, 0, RasterOp::Paint);
    EXPECT_EQ(dst.pixel(3, 4), original.pixel(3, 4) | sprite.pixel(3, 4));
    // Black leaves the destination as it is under both operations.
    Surface black(4, 4, 0);
    Surface again = original;
    platform::stretchBlt(again, 0, 0, 8, 8, black, 0, 0, 4, 4, RasterOp::Invert);
    platform::bitBlt(again, 0, 0, 4, 4, black, 0, 0, RasterOp::Paint);
    EXPECT_EQ(again.image(), original.image());
}

TEST(Blit, DoubleSizeMakesEachPixelATwoByTwoBlock) {
    const Surface src = pattern(32, 32);
    Surface dst(64, 64, kMagenta);
    platform::stretchBlt(dst, 0, 0, 64, 64, src, 0, 0, 32, 32);
    for (int y = 0; y < 64; ++y) {
        for (int x = 0; x < 64; ++x) {
            ASSERT_EQ(dst.pixel(x, y), src.pixel(x / 2, y / 2)) << x << "," << y;
        }
    }
}

TEST(Blit, ScaledCopiesMatchQtsRasterEngine) {
    struct Case {
        int sw, sh, w, h;
    };
    for (const Case c :
         {Case{640, 480, 1024, 768}, Case{640, 480, 1366, 768}, Case{96, 32, 2304, 768},
          Case{30, 32, 45, 47}, Case{100, 90, 33, 41}, Case{7, 5, 64, 64}}) {
        SCOPED_TRACE(std::to_string(c.sw) + "x" + std::to_string(c.sh) + " to " +
                     std::to_string(c.w) + "x" + std::to_string(c.h));
        const Surface src = pattern(c.sw + 3, c.sh + 2, 11);
        const Surface background = pattern(c.w + 6, c.h + 4, 57);
        Surface ours = background;
        platform::stretchBlt(ours, 6, 4, c.w, c.h, src, 3, 2, c.sw, c.sh);
        expectSameImage(ours, qtStretch(background, QRect(6, 4, c.w, c.h), src,
                                        QRect(3, 2, c.sw, c.sh), QPainter::CompositionMode_Source));
        // The raster operations sample the source exactly as the copy does.
        Surface xored = background;
        platform::stretchBlt(xored, 6, 4, c.w, c.h, src, 3, 2, c.sw, c.sh, RasterOp::Invert);
        for (int y = 0; y < xored.height(); ++y) {
            for (int x = 0; x < xored.width(); ++x) {
                const bool inside = x >= 6 && y >= 4 && x < 6 + c.w && y < 4 + c.h;
                ASSERT_EQ(xored.pixel(x, y), inside ? background.pixel(x, y) ^ ours.pixel(x, y)
                                                    : background.pixel(x, y));
            }
        }
    }
}

TEST(Blit, DoubleSizeRasterOperationsMatchQtsRasterEngine) {
    const Surface sprite = pattern(64, 128, 5);
    const Surface background = pattern(80, 80, 77);
    for (const auto& [op, mode] :
         {std::pair{RasterOp::Invert, QPainter::RasterOp_SourceXorDestination},
          std::pair{RasterOp::Paint, QPainter::RasterOp_SourceOrDestination}}) {
        Surface ours = background;
        platform::stretchBlt(ours, 7, 9, 64, 64, sprite, 32, 96, 32, 32, op);
        expectSameImage(
            ours, qtStretch(background, QRect(7, 9, 64, 64), sprite, QRect(32, 96, 32, 32), mode));
    }
}

TEST(Blit, ColourKeyShowsTheBackgroundThroughKeyPixelsOnly) {
    Surface sprite(4, 4, 0);  // black: transparent
    sprite.setPixel(1, 1, qRgb(200, 10, 10));
    sprite.setPixel(2, 3, qRgb(1, 0, 0));  // almost black is not the key
    for (int scale : {1, 2}) {
        const Surface background = pattern(12, 12);
        Surface dst = background;
        platform::transparentBlt(dst, 2, 2, 4 * scale, 4 * scale, sprite, 0, 0, 4, 4, 0);
        for (int y = 0; y < 12; ++y) {
            for (int x = 0; x < 12; ++x) {
                const int sx = (x - 2) / scale;
                const int sy = (y - 2) / scale;
                const bool inside = x >= 2 && y >= 2 && sx < 4 && sy < 4;
                const QRgb expected = inside && sprite.pixel(sx, sy) != 0 ? sprite.pixel(sx, sy)
                                                                          : background.pixel(x, y);
                EXPECT_EQ(dst.pixel(x, y), expected)
                    << "scale " << scale << " at " << x << "," << y;
            }
        }
    }
    // A white key, as the title uses: black is then drawn like any colour.
    Surface title(2, 1, 0xFFFFFF);
    title.setPixel(1, 0, 0);
    Surface dst(2, 1, kMagenta);
    platform::transparentBlt(dst, 0, 0, 2, 1, title, 0, 0, 2, 1, 0xFFFFFF);
    EXPECT_EQ(dst.pixel(0, 0), kMagenta);
    EXPECT_EQ(dst.pixel(1, 0), 0u);
}

TEST(Blit, CopyWithinOneSurfaceReadsTheOriginalPixels) {
    Surface s = pattern(20, 1);
    const Surface before = s;
    platform::bitBlt(s, 2, 0, 10, 1, s, 0, 0);
    for (int x = 0; x < 10; ++x) {
        EXPECT_EQ(s.pixel(x + 2, 0), before.pixel(x, 0));
    }
}
