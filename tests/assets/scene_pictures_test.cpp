// Arrows, title, landscapes and the battlefield as the game draws them.
#include <gtest/gtest.h>

#include <cmath>

#include "asset_paths.h"

namespace {

bool transparent(const QImage& img, int x, int y) {
    return qAlpha(img.pixel(x, y)) == 0;
}

TEST(Arrows, SurroundTransparentShaftAndHeadOpaqueAndColoured) {
    for (const char* name : {"ArrowBlue1", "ArrowBlue2", "ArrowRed1", "ArrowRed2"}) {
        const QImage img = loadAsset(QStringLiteral("Pictures/%1.gif").arg(QLatin1String(name)));
        ASSERT_FALSE(img.isNull()) << name;
        ASSERT_TRUE(img.hasAlphaChannel()) << name;
        EXPECT_TRUE(transparent(img, 0, 0) && transparent(img, 29, 0) && transparent(img, 0, 31) &&
                    transparent(img, 29, 31))
            << name;
        // Shaft, head and tip are opaque; beside the shaft is clear.
        EXPECT_FALSE(transparent(img, 15, 5)) << name;
        EXPECT_FALSE(transparent(img, 15, 20)) << name;
        EXPECT_FALSE(transparent(img, 15, 29)) << name;
        EXPECT_TRUE(transparent(img, 3, 5)) << name;
        // The head is wider than the shaft: it points down.
        EXPECT_FALSE(transparent(img, 4, 15)) << name;
        EXPECT_TRUE(transparent(img, 4, 28)) << name;
        const QRgb body = img.pixel(15, 20);
        if (QByteArray(name).contains("Blue")) {
            EXPECT_GT(qBlue(body), qRed(body) + 60) << name;
        } else {
            EXPECT_GT(qRed(body), qBlue(body) + 40) << name;
        }
    }
}

TEST(Title, WhiteCornersDarkEdgedLetteringAndLittleNearWhite) {
    const QImage img =
        loadAsset(QStringLiteral("Pictures/Title.jpg")).convertToFormat(QImage::Format_RGB32);
    ASSERT_EQ(img.size(), QSize(600, 113));
    for (QPoint p : {QPoint(0, 0), QPoint(599, 0), QPoint(0, 112), QPoint(599, 112)}) {
        EXPECT_EQ(img.pixel(p) & 0xffffffu, 0xffffffu) << p.x() << "," << p.y();
    }
    int white = 0, nearWhite = 0, dark = 0;
    for (int y = 0; y < img.height(); ++y) {
        for (int x = 0; x < img.width(); ++x) {
            const QRgb c = img.pixel(x, y);
            const int lo = std::min({qRed(c), qGreen(c), qBlue(c)});
            const int hi = std::max({qRed(c), qGreen(c), qBlue(c)});
            white += (c & 0xffffffu) == 0xffffffu ? 1 : 0;
            nearWhite += lo >= 200 && (c & 0xffffffu) != 0xffffffu ? 1 : 0;
            dark += hi < 80 ? 1 : 0;
        }
    }
    const int total = img.width() * img.height();
    EXPECT_GT(white, total / 3);
    EXPECT_LT(white, total * 9 / 10);
    EXPECT_GT(dark, total / 20) << "the lettering has a dark outline";
    EXPECT_LT(nearWhite, total / 40) << "pale pixels would leave a halo where white is keyed out";
}

double columnDifference(const QImage& img, int a, int b) {
    double sum = 0;
    for (int y = 0; y < img.height(); ++y) {
        const QRgb p = img.pixel(a, y), q = img.pixel(b, y);
        sum += std::abs(qRed(p) - qRed(q)) + std::abs(qGreen(p) - qGreen(q)) +
               std::abs(qBlue(p) - qBlue(q));
    }
    return sum / img.height();
}

TEST(Landscapes, LeftAndRightEdgesJoinLikeNeighbouringColumns) {
    for (const char* name : {"hills", "plains", "forest"}) {
        const QImage img = loadAsset(QStringLiteral("Background/%1.gif").arg(QLatin1String(name)))
                               .convertToFormat(QImage::Format_RGB32);
        ASSERT_FALSE(img.isNull());
        const int w = img.width();
        double typical = 0;
        for (int x = 100; x < w - 100; x += 97) {
            typical += columnDifference(img, x, x + 1);
        }
        typical /= static_cast<double>((w - 200) / 97 + 1);
        EXPECT_LT(columnDifference(img, w - 1, 0), typical * 3 + 4) << name;
    }
}

TEST(Landscapes, SkyAboveGroundBelow) {
    for (const char* name : {"hills", "plains", "forest"}) {
        const QImage img = loadAsset(QStringLiteral("Background/%1.gif").arg(QLatin1String(name)));
        int blueSky = 0, columns = 0;
        for (int x = 0; x < img.width(); x += 16) {
            const QRgb sky = img.pixel(x, 4);
            const QRgb ground = img.pixel(x, img.height() - 3);
            blueSky += qBlue(sky) > qRed(sky) + 40 ? 1 : 0;
            ++columns;
            EXPECT_GT(qGreen(ground), qBlue(ground)) << name << " x " << x;
        }
        EXPECT_GT(blueSky, columns * 3 / 4) << name << ": clouds may cover some of the sky";
    }
}

TEST(Battlefield, GroundWhereTheFightersStand) {
    const QImage img = loadAsset(QStringLiteral("Background/Battle/plains.gif"));
    ASSERT_EQ(img.size(), QSize(640, 480));
    const QRgb sky = img.pixel(320, 10);
    EXPECT_GT(qBlue(sky), qRed(sky) + 40);
    for (double row : {0.53, 0.67, 0.80, 0.95}) {
        for (int x = 40; x < 640; x += 80) {
            const QRgb c = img.pixel(x, static_cast<int>(row * 480));
            EXPECT_LT(qBlue(c), std::max(qRed(c), qGreen(c))) << "x " << x << " row " << row;
        }
    }
}

}  // namespace
