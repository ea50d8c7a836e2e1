// The title's keyed drawing against the platform's transparentBlt, at every kind of clipping.

#include <gtest/gtest.h>

#include "platform/surface.h"
#include "title/keyed_picture.h"

namespace {

constexpr QRgb kWhite = qRgb(255, 255, 255);

platform::Surface pattern(int width, int height, int seed) {
    platform::Surface s(width, height);
    for (int y = 0; y < height; ++y) {
        for (int x = 0; x < width; ++x) {
            const int v = (x * 7 + y * 13 + seed) % 23;
            // About a third white, in runs of varying length, some touching the edges.
            s.setPixel(x, y, v < 8 ? kWhite : qRgb(v * 9, 255 - v * 5, (x * y + seed) & 0xFF));
        }
    }
    return s;
}

}  // namespace

TEST(KeyedPicture, DrawsTheSamePixelsAsTransparentBltAndPutsBackExactlyThem) {
    const platform::Surface beneath = pattern(100, 50, 11);
    // The title is read as 60 × 17 here; a smaller picture leaves the rest of that area alone.
    for (const platform::Surface& title : {pattern(60, 17, 3), pattern(40, 10, 5)}) {
        velmora::KeyedPicture keyed;
        EXPECT_TRUE(keyed.prepare(title, QRect(0, 0, 60, 17), kWhite));
        EXPECT_FALSE(keyed.prepare(title, QRect(0, 0, 60, 17), kWhite)) << "found once";
        for (const QPoint p : {QPoint(20, 10), QPoint(-30, 5), QPoint(70, 40), QPoint(-59, -16),
                               QPoint(99, 49), QPoint(-60, 0), QPoint(100, 0), QPoint(0, -17),
                               QPoint(0, 50), QPoint(-5, 45), QPoint(40, 33)}) {
            platform::Surface expected = beneath;
            platform::transparentBlt(expected, p.x(), p.y(), 60, 17, title, 0, 0, 60, 17, kWhite);
            platform::Surface drawn = beneath;
            keyed.draw(drawn, p.x(), p.y());
            EXPECT_TRUE(drawn.image() == expected.image()) << p.x() << "," << p.y();
            keyed.restore(drawn, p.x(), p.y(), beneath);
            EXPECT_TRUE(drawn.image() == beneath.image()) << p.x() << "," << p.y();
        }
    }
}
