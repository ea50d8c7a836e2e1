// The pictures the game reads, in the format and size its layout expects.
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

// The title scrolls each landscape round: its seam is no sharper than 99 % of its neighbouring
// columns, with sky above and ground below all along.
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

}  // namespace
