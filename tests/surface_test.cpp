// The blits every screen draws with, pixel by pixel: copies, stretches, key and raster ops.
#include <gtest/gtest.h>

#include <QPainter>

#include "platform/pictures/surface.h"
#include "support/test_images.h"

using platform::RasterOp;
using platform::Surface;
using testing_support::sameRgb;

namespace {

// Every pixel different; keyed, a third is the black key and some only just not black.
Surface pattern(int w, int h, int salt, bool keyed = false) {
    Surface s(w, h);
    for (int y = 0; y < h; ++y) {
        for (int x = 0; x < w; ++x) {
            const QRgb key = (x + y) % 4 == 0 ? qRgb(1, 0, 0) : 0;
            s.setPixel(x, y,
                       keyed && (x + 2 * y) % 3 == 0
                           ? key
                           : qRgb((x * 7 + salt) & 0xFF, (y * 5 + salt) & 0xFF, (x + y) & 0xFF));
        }
    }
    return s;
}

enum class Blit { Copy, Paint, Invert, Key };

struct Case {
    const char* name;
    Blit blit;
    QSize source;  // empty: the destination is its own source
    QSize destination;
    QRect to;
    QRect from;
};

// What Qt's raster engine leaves; keyed, what was there wherever the source pixel is black.
QImage reference(const Case& c, const Surface& before, const Surface& src) {
    QImage out = before.image().copy();
    QPainter painter(&out);
    painter.setCompositionMode(c.blit == Blit::Paint    ? QPainter::RasterOp_SourceOrDestination
                               : c.blit == Blit::Invert ? QPainter::RasterOp_SourceXorDestination
                                                        : QPainter::CompositionMode_Source);
    painter.drawImage(c.to, src.image(), c.from);
    painter.end();
    for (int y = 0; y < out.height() && c.blit == Blit::Key; ++y) {
        for (int x = 0; x < out.width(); ++x) {
            if ((out.pixel(x, y) & 0xFFFFFFu) == 0) {
                out.setPixel(x, y, before.pixel(x, y));
            }
        }
    }
    return out;
}

}  // namespace

TEST(Blit, EachBlitLeavesThePixelsOfQtsRasterEngine) {
    const QSize s32(32, 32);
    const Case cases[]{
        {"a rectangle inside both", Blit::Copy, s32, {50, 50}, {5, 6, 10, 8}, {12, 3, 10, 8}},
        {"clipped on every side", Blit::Copy, s32, {40, 40}, {-4, -2, 32, 32}, {8, 8, 32, 32}},
        {"whole rows, down", Blit::Copy, {37, 32}, {37, 25}, {0, 3, 37, 40}, {0, 5, 37, 40}},
        {"whole rows, up", Blit::Copy, {37, 32}, {37, 25}, {0, -4, 37, 10}, {0, 0, 37, 10}},
        {"entirely outside", Blit::Copy, s32, {40, 40}, {45, 0, 10, 10}, {0, 0, 10, 10}},
        {"within itself, overlapping", Blit::Copy, {}, s32, {2, 1, 10, 20}, {0, 0, 10, 20}},
        {"twice the size", Blit::Copy, s32, {70, 70}, {3, 2, 64, 64}, {0, 0, 32, 32}},
        {"twice, half outside", Blit::Copy, s32, {64, 64}, {0, 0, 32, 32}, {24, 0, 16, 16}},
        {"twice as high only", Blit::Copy, s32, {40, 70}, {1, 1, 30, 64}, {2, 0, 30, 32}},
        {"within itself, halved", Blit::Copy, {}, s32, {4, 4, 10, 10}, {0, 0, 20, 20}},
        {"onto 4:3", Blit::Copy, {643, 482}, {1030, 772}, {6, 4, 1024, 768}, {3, 2, 640, 480}},
        {"onto 16:9", Blit::Copy, {643, 482}, {1372, 772}, {6, 4, 1366, 768}, {3, 2, 640, 480}},
        {"onto 32:9", Blit::Copy, {99, 34}, {2310, 772}, {6, 4, 2304, 768}, {3, 2, 96, 32}},
        {"up by 3:2", Blit::Copy, s32, {51, 51}, {6, 4, 45, 47}, {1, 0, 30, 32}},
        {"down by 3:1", Blit::Copy, {103, 92}, {39, 45}, {6, 4, 33, 41}, {3, 2, 100, 90}},
        {"up by 9", Blit::Copy, s32, {70, 68}, {6, 4, 64, 64}, {3, 2, 7, 5}},
        {"lightened, same size", Blit::Paint, s32, {40, 40}, {3, 4, 20, 20}, {2, 2, 20, 20}},
        {"lightened, twice", Blit::Paint, s32, {70, 70}, {3, 4, 64, 64}, {0, 0, 32, 32}},
        {"inverted, twice", Blit::Invert, s32, {70, 70}, {3, 4, 64, 64}, {0, 0, 32, 32}},
        {"keyed, same size", Blit::Key, s32, {40, 40}, {2, 2, 32, 32}, {0, 0, 32, 32}},
        {"keyed, twice, clipped", Blit::Key, s32, {60, 60}, {-3, 5, 64, 64}, {0, 0, 32, 32}},
        {"keyed, outside the source", Blit::Key, s32, {40, 40}, {0, 0, 20, 20}, {0, 100, 10, 10}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        Surface dst = pattern(c.destination.width(), c.destination.height(), 57);
        const Surface other = pattern(c.source.width(), c.source.height(), 3, c.blit == Blit::Key);
        const Surface& src = c.source.isEmpty() ? dst : other;
        const QImage want = reference(c, dst, src);
        const QRect& t = c.to;
        const QRect& f = c.from;
        if (c.blit == Blit::Key) {
            platform::transparentBlt(dst, t.x(), t.y(), t.width(), t.height(), src, f.x(), f.y(),
                                     f.width(), f.height(), 0);
        } else {
            const RasterOp op[] = {RasterOp::Copy, RasterOp::Paint, RasterOp::Invert};
            platform::stretchBlt(dst, t.x(), t.y(), t.width(), t.height(), src, f.x(), f.y(),
                                 f.width(), f.height(), op[static_cast<int>(c.blit)]);
        }
        EXPECT_TRUE(sameRgb(dst.image(), want));
    }
}

TEST(Surface, AResizedPictureBoxKeepsItsDrawingAndFillsTheNewRoom) {
    Surface s = pattern(20, 10, 0);
    s.resize(30, 6, 0xFF00FF);
    QImage expected(30, 6, QImage::Format_RGB32);
    expected.fill(0xFF00FF);
    QPainter(&expected).drawImage(0, 0, pattern(20, 10, 0).image());
    EXPECT_TRUE(sameRgb(s.image(), expected));
}
