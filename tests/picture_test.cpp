// Loading pictures: served from memory only while the file is unchanged, the largest GIF screen,
// and the sprite sheet the figures on the map and in battle are drawn from.
#include <gtest/gtest.h>

#include <QDateTime>
#include <QFile>
#include <QTemporaryDir>

#include "core/sprite_sheet.h"
#include "platform/picture.h"
#include "support/test_images.h"

namespace ts = testing_support;
using velmora::Int16;
using velmora::Int32;

namespace {

QImage picture(int firstColour) {
    return ts::indexedImage(
        37, 21, {qRgb(0, 0, 0), qRgb(250, 10, 10), qRgb(10, 250, 10), qRgb(20, 30, 240)},
        [firstColour](int x, int y) { return (firstColour + x / 3 + y) % 4; });
}

}  // namespace

TEST(Picture, AFileChangedOrRemovedOnDiskIsNotServedFromMemory) {
    QTemporaryDir dir;
    const QString path = dir.filePath("tiles.bmp");
    ts::writeBmp8(path, picture(0), true);
    for (int time = 0; time < 2; ++time) {  // the second time from memory
        EXPECT_TRUE(ts::sameRgb(platform::Picture::load(path).surface().image(), picture(0)));
    }
    // Saved again with other pixels, of the same size in bytes: its new time tells.
    ts::writeBmp8(path, picture(1), true);
    QFile file(path);
    ASSERT_TRUE(file.open(QIODevice::ReadWrite));
    ASSERT_TRUE(file.setFileTime(QDateTime::currentDateTime().addSecs(60),
                                 QFileDevice::FileModificationTime));
    EXPECT_TRUE(ts::sameRgb(platform::Picture::load(path).surface().image(), picture(1)));
    EXPECT_TRUE(ts::sameRgb(platform::readImage(path), picture(1)));
    ASSERT_TRUE(file.remove());
    const std::string missing = "Run-time error '53': File not found: " + path.toStdString();
    EXPECT_EQ(ts::runtimeError([&] { platform::Picture::load(path); }), missing);
    EXPECT_EQ(ts::runtimeError([&] { platform::readImage(path); }), missing);
}

TEST(Picture, AGifScreenOfTheLargestSizeLoads) {
#if defined(__SANITIZE_ADDRESS__)
    GTEST_SKIP() << "its 1 GiB of pixels is at the sanitized run's limit for one allocation";
#endif
    // A world map of 16384 × 16384 pixels, more than Qt's reader takes, its one image at the
    // top left and the screen's background colour everywhere else.
    QTemporaryDir dir;
    const QString path = dir.filePath("world.gif");
    ts::writeFile(path, ts::gifBytes(picture(0), {.screenWidth = 16384, .screenHeight = 16384}));
    const platform::Picture world = platform::Picture::load(path);
    ASSERT_EQ(world.width(), 16384);
    ASSERT_EQ(world.height(), 16384);
    EXPECT_TRUE(ts::sameRgb(world.surface().image().copy(0, 0, 37, 21), picture(0)));
    EXPECT_EQ(world.surface().pixel(16383, 16383), 0x0AFA0Au);  // colour 2
    EXPECT_EQ(world.surface().pixel(37, 0), 0x0AFA0Au);
}

TEST(SpriteSheet, DrawsTheFramesOfPictures0To63AtOneAndTwiceTheirSizeThroughBlack) {
    QTemporaryDir dir;
    ts::writeGameAssets(dir.path(), 16, 16);
    velmora::SpriteSheet sheet;
    sheet.load(platform::AssetPaths(dir.path()));
    for (const int sprite : {0, 63}) {
        for (const int size : {32, 64}) {
            for (const auto& [frameX, frameY] : {std::pair{0, 96}, std::pair{32, 64}}) {
                SCOPED_TRACE(std::to_string(sprite) + " at " + std::to_string(size));
                platform::Surface dst(size + 4, size + 4, 0x123456);
                QImage expected = dst.image().copy();
                sheet.draw(dst, 2, 2, size, Int16(sprite), Int32(frameX), Int32(frameY));
                for (int y = 0; y < size; ++y) {
                    for (int x = 0; x < size; ++x) {
                        if (ts::isFigurePixel(x * 32 / size, y * 32 / size)) {
                            expected.setPixel(x + 2, y + 2,
                                              ts::figureColour(sprite, frameX, frameY));
                        }
                    }
                }
                EXPECT_TRUE(ts::sameRgb(dst.image(), expected));
            }
        }
    }
    for (const int outside : {-1, 64}) {
        EXPECT_EQ(ts::runtimeError([&] { sheet.picture(Int16(outside)); }),
                  "Run-time error '9': Subscript out of range");
    }
}
