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
    const platform::Surface title = pattern(60, 17, 3);
    const platform::Surface beneath = pattern(100, 50, 11);
    velmora::KeyedPicture keyed;
    EXPECT_TRUE(keyed.prepare(title, QRect(0, 0, 60, 17), kWhite));
    EXPECT_FALSE(keyed.prepare(title, QRect(0, 0, 60, 17), kWhite)) << "found once";
    const QPoint places[] = {{20, 10}, {-30, 5}, {70, 40}, {-59, -16}, {99, 49},
                             {-60, 0}, {100, 0}, {0, -17}, {0, 50},    {-5, 45}};
    for (const QPoint p : places) {
        platform::Surface expected = beneath;
        platform::transparentBlt(expected, p.x(), p.y(), 60, 17, title, 0, 0, 60, 17, kWhite);
        platform::Surface drawn = beneath;
        keyed.draw(drawn, p.x(), p.y());
        EXPECT_TRUE(drawn.image() == expected.image()) << p.x() << "," << p.y();
        keyed.restore(drawn, p.x(), p.y(), beneath);
        EXPECT_TRUE(drawn.image() == beneath.image()) << p.x() << "," << p.y();
    }
}

TEST(KeyedPicture, AnAreaLargerThanThePictureDrawsOnlyThePicture) {
    // The title is read as 600 × 113; a smaller file leaves the rest of that area untouched.
    const platform::Surface small = pattern(40, 10, 5);
    const platform::Surface beneath = pattern(90, 30, 2);
    velmora::KeyedPicture keyed;
    keyed.prepare(small, QRect(0, 0, 60, 17), kWhite);
    platform::Surface expected = beneath;
    platform::transparentBlt(expected, 7, 3, 60, 17, small, 0, 0, 60, 17, kWhite);
    platform::Surface drawn = beneath;
    keyed.draw(drawn, 7, 3);
    EXPECT_TRUE(drawn.image() == expected.image());
    // Another picture is prepared afresh.
    EXPECT_TRUE(keyed.prepare(pattern(60, 17, 8), QRect(0, 0, 60, 17), kWhite));
}
