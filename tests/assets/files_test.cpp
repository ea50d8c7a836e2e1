// Every file the game reads is there, in the format and size it expects.
#include <gtest/gtest.h>

#include <QFileInfo>
#include <QImageReader>
#include <set>

#include "asset_paths.h"

namespace {

struct Expected {
    const char* path;
    const char* format;
    int width;
    int height;
};

const Expected kPictures[] = {
    {"Background/hills.gif", "gif", 1536, 512},  {"Background/plains.gif", "gif", 1536, 512},
    {"Background/forest.gif", "gif", 1536, 512}, {"Background/Battle/plains.gif", "gif", 640, 480},
    {"Pictures/Title.jpg", "jpeg", 600, 113},    {"Pictures/ArrowBlue1.gif", "gif", 30, 32},
    {"Pictures/ArrowBlue2.gif", "gif", 30, 32},  {"Pictures/ArrowRed1.gif", "gif", 30, 32},
    {"Pictures/ArrowRed2.gif", "gif", 30, 32},   {"Pictures/Velmora.png", "png", 256, 256},
};

TEST(AssetFiles, PicturesHaveTheirFormatAndSize) {
    for (const Expected& e : kPictures) {
        QImageReader reader(assetPath(QString::fromLatin1(e.path)));
        EXPECT_EQ(reader.format(), QByteArray(e.format)) << e.path;
        EXPECT_EQ(reader.size(), QSize(e.width, e.height)) << e.path;
        EXPECT_FALSE(reader.read().isNull())
            << e.path << ": " << reader.errorString().toStdString();
    }
}

TEST(AssetFiles, SixtyFourCharacterPicturesOfAtLeast64By128) {
    for (int i = 0; i < 64; ++i) {
        QImageReader reader(characterPath(i));
        EXPECT_EQ(reader.format(), QByteArray("bmp")) << i;
        const QImage img = reader.read();
        ASSERT_FALSE(img.isNull()) << i;
        EXPECT_GE(img.width(), 64) << i;
        EXPECT_GE(img.height(), 128) << i;
    }
    EXPECT_FALSE(QFileInfo::exists(characterPath(64)));
}

TEST(AssetFiles, LandscapesAreThreeTimesAsWideAsHighWith256Colours) {
    for (const char* name : {"hills", "plains", "forest"}) {
        const QString path =
            assetPath(QStringLiteral("Background/%1.gif").arg(QLatin1String(name)));
        QFile file(path);
        ASSERT_TRUE(file.open(QIODevice::ReadOnly)) << name;
        const QByteArray head = file.read(13);
        EXPECT_TRUE(head.startsWith("GIF89a") || head.startsWith("GIF87a")) << name;
        EXPECT_TRUE(static_cast<unsigned char>(head[10]) & 0x80) << name << ": global colour table";
        const QImage img = QImage(path).convertToFormat(QImage::Format_RGB32);
        ASSERT_FALSE(img.isNull()) << name;
        EXPECT_EQ(img.width(), 3 * img.height()) << name;
        std::set<QRgb> colours;
        for (int y = 0; y < img.height(); ++y) {
            for (int x = 0; x < img.width(); ++x) {
                colours.insert(img.pixel(x, y));
            }
        }
        EXPECT_LE(colours.size(), 256u) << name;
        EXPECT_GT(colours.size(), 24u) << name << " has too few colours for a landscape";
    }
}

TEST(AssetFiles, IconHasAnAlphaChannel) {
    const QImage icon = loadAsset(QStringLiteral("Pictures/Velmora.png"));
    ASSERT_TRUE(icon.hasAlphaChannel());
    EXPECT_EQ(qAlpha(icon.pixel(0, 0)), 0);
    EXPECT_EQ(qAlpha(icon.pixel(128, 128)), 255);
}

TEST(AssetFiles, ThemeIsAStandardMidiFile) {
    QFile file(assetPath(QStringLiteral("Music/Theme.mid")));
    ASSERT_TRUE(file.open(QIODevice::ReadOnly));
    EXPECT_EQ(file.read(4), QByteArray("MThd"));
}

}  // namespace
