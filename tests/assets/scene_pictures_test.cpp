// The pictures the game reads, in the format and size its layout expects, and the scenes as it
// draws them: the overworld, the title's landscapes and lettering, the battlefield and its arrows.
#include <gtest/gtest.h>

#include <QFile>
#include <QImageReader>
#include <algorithm>
#include <cmath>

#include "asset_paths.h"

namespace {

TEST(AssetFiles, PicturesHaveTheirFormatAndSize) {
    const struct {
        const char* path;
        const char* format;
        QSize size;
    } pictures[] = {
        // The title's landscapes are three times as wide as high, so that they repeat seamlessly.
        {"Background/hills.gif", "gif", {1536, 512}},
        {"Background/plains.gif", "gif", {1536, 512}},
        {"Background/forest.gif", "gif", {1536, 512}},
        {"Background/Battle/plains.gif", "gif", {640, 480}},
        {"Pictures/Title.jpg", "jpeg", {600, 113}},
        {"Pictures/ArrowBlue1.gif", "gif", {30, 32}},
        {"Pictures/ArrowBlue2.gif", "gif", {30, 32}},
        {"Pictures/ArrowRed1.gif", "gif", {30, 32}},
        {"Pictures/ArrowRed2.gif", "gif", {30, 32}},
        {"Pictures/Velmora.png", "png", {256, 256}},
        // Whole 32-pixel tiles over a 3840 × 2160 display.
        {"Background/World/ts0.bmp", "bmp", {3840, 2176}},
    };
    for (const auto& e : pictures) {
        QImageReader reader(assetPath(QString::fromLatin1(e.path)));
        EXPECT_EQ(reader.format(), QByteArray(e.format)) << e.path;
        EXPECT_EQ(reader.size(), e.size) << e.path;
        EXPECT_FALSE(reader.read().isNull())
            << e.path << ": " << reader.errorString().toStdString();
    }
    // The world: 8 bits a pixel, compressed as RLE8, so that it stays small on disk.
    QFile world(assetPath(QStringLiteral("Background/World/ts0.bmp")));
    ASSERT_TRUE(world.open(QIODevice::ReadOnly));
    EXPECT_EQ(world.read(34).mid(28), QByteArray("\x08\x00\x01\x00\x00\x00", 6));
    EXPECT_LT(world.size(), 4 * 1024 * 1024);
    // The window icon: a shield on a clear surround.
    const QImage icon = loadAsset(QStringLiteral("Pictures/Velmora.png"));
    EXPECT_EQ(qAlpha(icon.pixel(0, 0)), 0);
    EXPECT_EQ(qAlpha(icon.pixel(128, 128)), 255);
}

TEST(WorldPicture, OpenGroundAtTheStartWaterForestAndMountainsBeyond) {
    const QImage img = loadAsset(QStringLiteral("Background/World/ts0.bmp"));
    // The party starts in the top left: 8 × 14 tiles of grass and paths.
    const int open = countPixels(img.copy(0, 0, 8 * 32, 14 * 32), [](QRgb c) {
        const int r = qRed(c), g = qGreen(c), b = qBlue(c);
        return (g > r && g > b + 30 && g > 110) || (r > g && g > b && r > 150);
    });
    EXPECT_GT(open, 8 * 32 * 14 * 32 * 97 / 100);
    // Water, forest and mountains beyond, among every 8th pixel along and down.
    const auto water = [](QRgb c) { return qBlue(c) > qRed(c) + 60 && qBlue(c) > qGreen(c); };
    const auto forest = [](QRgb c) {
        return qGreen(c) > qRed(c) + 30 && qGreen(c) < 140 && qBlue(c) < 110;
    };
    const auto rock = [](QRgb c) {
        const int r = qRed(c);
        return std::abs(r - qGreen(c)) < 24 && r > qBlue(c) && r < 190 && r > 90;
    };
    const int samples = (img.width() + 7) / 8 * ((img.height() + 7) / 8);
    EXPECT_GT(countPixels(img, water, 8), samples / 20);
    EXPECT_GT(countPixels(img, forest, 8), samples / 20);
    EXPECT_GT(countPixels(img, rock, 8), samples / 50);
}

// The title scrolls each landscape round and round: where its right edge meets its left, no
// more rows change sharply than between all but the most different 1 % of neighbouring columns.
// Sky above and ground below all along.
TEST(Landscapes, SeamlessLoopsOfSkyAboveGround) {
    for (const char* name : {"hills", "plains", "forest"}) {
        const QImage img = loadAsset(QStringLiteral("Background/%1.gif").arg(QLatin1String(name)));
        const int w = img.width();
        const auto sharp = [&img](int a, int b) {
            int rows = 0;
            for (int y = 0; y < img.height(); ++y) {
                const QRgb p = img.pixel(a, y), q = img.pixel(b, y);
                const int d = std::abs(qRed(p) - qRed(q)) + std::abs(qGreen(p) - qGreen(q)) +
                              std::abs(qBlue(p) - qBlue(q));
                rows += d > 90 ? 1 : 0;
            }
            return rows;
        };
        std::vector<int> inside;
        for (int x = 0; x + 1 < w; ++x) {
            inside.push_back(sharp(x, x + 1));
        }
        std::nth_element(inside.begin(), inside.end() - w / 100, inside.end());
        EXPECT_LE(sharp(w - 1, 0), inside.end()[-w / 100]) << name;
        int blueSky = 0;
        for (int x = 0; x < w; x += 16) {
            const QRgb sky = img.pixel(x, 4), ground = img.pixel(x, img.height() - 3);
            blueSky += qBlue(sky) > qRed(sky) + 40 ? 1 : 0;
            EXPECT_GT(qGreen(ground), qBlue(ground)) << name << " x " << x;
        }
        EXPECT_GT(blueSky, w / 16 * 3 / 4) << name << ": clouds may cover some of the sky";
    }
}

// The battle's arrows point down at the chosen fighter: a clear surround, an opaque shaft, a
// head wider than the shaft, blue for the party and red for the foes.
TEST(Arrows, OpaqueColouredShaftAndHeadOnAClearSurround) {
    for (const char* name : {"ArrowBlue1", "ArrowBlue2", "ArrowRed1", "ArrowRed2"}) {
        const QImage img = loadAsset(QStringLiteral("Pictures/%1.gif").arg(QLatin1String(name)));
        const auto clear = [&img](int x, int y) { return qAlpha(img.pixel(x, y)) == 0; };
        ASSERT_TRUE(img.hasAlphaChannel()) << name;
        EXPECT_TRUE(clear(0, 0) && clear(29, 0) && clear(0, 31) && clear(29, 31)) << name;
        EXPECT_FALSE(clear(15, 5) || clear(15, 20) || clear(15, 29)) << name << ": shaft and tip";
        EXPECT_TRUE(clear(3, 5) && !clear(4, 15) && clear(4, 28)) << name << ": the head";
        const QRgb body = img.pixel(15, 20);
        if (QByteArray(name).contains("Blue")) {
            EXPECT_GT(qBlue(body), qRed(body) + 60) << name;
        } else {
            EXPECT_GT(qRed(body), qBlue(body) + 40) << name;
        }
    }
}

// The title's lettering is drawn with white keyed out: white corners, a dark outline, and few
// pale pixels, which would leave a halo.
TEST(Title, WhiteCornersDarkEdgedLetteringAndLittleNearWhite) {
    const QImage img = loadAsset(QStringLiteral("Pictures/Title.jpg"));
    for (QPoint p : {QPoint(0, 0), QPoint(599, 0), QPoint(0, 112), QPoint(599, 112)}) {
        EXPECT_EQ(img.pixel(p) & 0xffffffu, 0xffffffu) << p.x() << "," << p.y();
    }
    const int total = img.width() * img.height();
    const int white = countPixels(img, [](QRgb c) { return (c & 0xffffffu) == 0xffffffu; });
    EXPECT_GT(white, total / 3);
    EXPECT_LT(white, total * 9 / 10);
    const auto dark = [](QRgb c) { return std::max({qRed(c), qGreen(c), qBlue(c)}) < 80; };
    const auto pale = [](QRgb c) {
        return std::min({qRed(c), qGreen(c), qBlue(c)}) >= 200 && (c & 0xffffffu) != 0xffffffu;
    };
    EXPECT_GT(countPixels(img, dark), total / 20) << "the lettering has a dark outline";
    EXPECT_LT(countPixels(img, pale), total / 40) << "pale pixels would leave a halo";
}

}  // namespace
