// Every picture the game reads is there, in the format and size the game's layout expects.
#include <gtest/gtest.h>

#include <QImageReader>

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
    };
    for (const auto& e : pictures) {
        QImageReader reader(assetPath(QString::fromLatin1(e.path)));
        EXPECT_EQ(reader.format(), QByteArray(e.format)) << e.path;
        EXPECT_EQ(reader.size(), e.size) << e.path;
        EXPECT_FALSE(reader.read().isNull())
            << e.path << ": " << reader.errorString().toStdString();
    }
    // The window icon: a shield on a clear surround.
    const QImage icon = loadAsset(QStringLiteral("Pictures/Velmora.png"));
    EXPECT_EQ(qAlpha(icon.pixel(0, 0)), 0);
    EXPECT_EQ(qAlpha(icon.pixel(128, 128)), 255);
}

}  // namespace
