#include <gtest/gtest.h>

#include <QDataStream>
#include <QDateTime>
#include <QFile>
#include <QTemporaryDir>
#include <algorithm>
#include <cstring>
#include <functional>
#include <vector>

#include "platform/asset_paths.h"
#include "platform/picture.h"
#include "platform/runtime_error.h"
#include "support/test_images.h"

using platform::RuntimeError;
namespace ts = testing_support;

namespace {

QVector<QRgb> fourColours() {
    return {qRgb(0, 0, 0), qRgb(250, 10, 10), qRgb(10, 250, 10), qRgb(20, 30, 240)};
}

int fourIndex(int x, int y) {
    return (x / 3 + y) % 4;
}

void expectFourColourPicture(const platform::Picture& picture, int w, int h) {
    ASSERT_EQ(picture.width(), w);
    ASSERT_EQ(picture.height(), h);
    const QVector<QRgb> palette = fourColours();
    for (int y = 0; y < h; ++y) {
        for (int x = 0; x < w; ++x) {
            ASSERT_EQ(picture.surface().pixel(x, y), palette[fourIndex(x, y)] & 0xFFFFFF)
                << x << "," << y;
        }
    }
}

platform::RuntimeError::Kind loadError(const QString& path) {
    try {
        platform::Picture::load(path);
    } catch (const platform::RuntimeError& e) {
        EXPECT_NE(std::string(e.what()).find(path.toStdString()), std::string::npos)
            << "the message names the file: " << e.what();
        return e.kind();
    }
    ADD_FAILURE() << "no error for " << path.toStdString();
    return platform::RuntimeError::Kind::Overflow;
}

void truncate(const QString& path, qint64 keep) {
    QFile file(path);
    ASSERT_TRUE(file.open(QIODevice::ReadWrite));
    ASSERT_TRUE(file.resize(keep));
}

}  // namespace

TEST(Picture, ReadsTheFormatsTheGameShips) {
    QTemporaryDir dir;
    const QImage indexed = ts::indexedImage(37, 21, fourColours(), fourIndex);
    ts::writeBmp8(dir.filePath("plain8.bmp"), indexed, false);
    ts::writeBmp8(dir.filePath("rle8.bmp"), indexed, true);
    ts::writeGif(dir.filePath("p.gif"), indexed);
    ts::writeBmp24(dir.filePath("p24.bmp"), indexed.convertToFormat(QImage::Format_RGB32));
    for (const char* name : {"plain8.bmp", "rle8.bmp", "p.gif", "p24.bmp"}) {
        SCOPED_TRACE(name);
        expectFourColourPicture(platform::Picture::load(dir.filePath(name)), 37, 21);
    }
    QImage photo(600, 113, QImage::Format_RGB32);
    photo.fill(Qt::white);
    ts::writeJpeg(dir.filePath("t.jpg"), photo);
    const auto title = platform::Picture::load(dir.filePath("t.jpg"));
    EXPECT_EQ(title.width(), 600);
    EXPECT_EQ(title.height(), 113);
    EXPECT_EQ(title.surface().pixel(10, 10), 0xFFFFFFu);
}

TEST(Picture, GifTransparencyIsKeptForImages) {
    QTemporaryDir dir;
    ts::writeGif(dir.filePath("arrow.gif"), ts::indexedImage(30, 32, fourColours(), fourIndex), 0);
    const QImage image = platform::readImage(dir.filePath("arrow.gif"));
    EXPECT_EQ(qAlpha(image.pixel(0, 0)), 0);  // index 0
    EXPECT_EQ(qAlpha(image.pixel(3, 0)), 255);
}

TEST(Picture, MissingTruncatedOrGarbledFilesAreRunTimeErrorsNamingTheFile) {
    QTemporaryDir dir;
    EXPECT_EQ(loadError(dir.filePath("nothing here.bmp")),
              platform::RuntimeError::Kind::FileNotFound);
    EXPECT_EQ(loadError(dir.path()), platform::RuntimeError::Kind::FileNotFound) << "a folder";

    const QImage indexed = ts::indexedImage(64, 64, fourColours(), fourIndex);
    ts::writeBmp8(dir.filePath("cut8.bmp"), indexed, false);
    truncate(dir.filePath("cut8.bmp"), 2000);
    ts::writeBmp8(dir.filePath("cutrle.bmp"), indexed, true);
    truncate(dir.filePath("cutrle.bmp"), QFileInfo(dir.filePath("cutrle.bmp")).size() - 10);
    ts::writeGif(dir.filePath("cut.gif"), indexed);
    truncate(dir.filePath("cut.gif"), QFileInfo(dir.filePath("cut.gif")).size() - 20);
    QImage photo(200, 200, QImage::Format_RGB32);
    photo.fill(Qt::darkCyan);
    ts::writeJpeg(dir.filePath("cut.jpg"), photo);
    truncate(dir.filePath("cut.jpg"), QFileInfo(dir.filePath("cut.jpg")).size() / 2);
    QFile garbage(dir.filePath("garbage.gif"));
    ASSERT_TRUE(garbage.open(QIODevice::WriteOnly));
    garbage.write("this is not a picture at all");
    garbage.close();
    for (const char* name : {"cut8.bmp", "cutrle.bmp", "cut.gif", "cut.jpg", "garbage.gif"}) {
        EXPECT_EQ(loadError(dir.filePath(name)), platform::RuntimeError::Kind::InvalidPicture)
            << name;
    }
}

TEST(AssetPaths, MapBackslashNamesBesideTheFolderEvenWithBlanks) {
    const platform::AssetPaths paths(QStringLiteral("/opt/my games/velmora"));
    EXPECT_EQ(paths.resolve("\\Characters\\Char007.bmp"),
              QStringLiteral("/opt/my games/velmora/Characters/Char007.bmp"));
    EXPECT_EQ(paths.folder(), QStringLiteral("/opt/my games/velmora"));

    QTemporaryDir dir;
    const QString folder = dir.filePath("with blank");
    ts::writeGif(folder + "/Background/World/x.gif",
                 ts::indexedImage(4, 4, fourColours(), fourIndex));
    EXPECT_EQ(
        platform::Picture::load(platform::AssetPaths(folder).resolve("\\Background\\World\\x.gif"))
            .width(),
        4);
}

namespace {

// A BMP with the older 12-byte core header: 16-bit sizes and a palette of 3-byte entries, as
// some tools still write.
QByteArray coreHeaderBmp8(const QImage& indexed) {
    const int w = indexed.width();
    const int h = indexed.height();
    const int stride = (w + 3) / 4 * 4;
    const int paletteBytes = 256 * 3;
    const int offset = 14 + 12 + paletteBytes;
    QByteArray out;
    QDataStream s(&out, QIODevice::WriteOnly);
    s.setByteOrder(QDataStream::LittleEndian);
    s.writeRawData("BM", 2);
    s << quint32(offset + stride * h) << quint32(0) << quint32(offset);
    s << quint32(12) << quint16(w) << quint16(h) << quint16(1) << quint16(8);
    for (int i = 0; i < 256; ++i) {
        const QRgb c = i < indexed.colorCount() ? indexed.color(i) : 0;
        s << quint8(qBlue(c)) << quint8(qGreen(c)) << quint8(qRed(c));
    }
    for (int y = h - 1; y >= 0; --y) {
        for (int x = 0; x < stride; ++x) {
            s << quint8(x < w ? indexed.pixelIndex(x, y) : 0);
        }
    }
    return out;
}

}  // namespace

TEST(Picture, BmpWithTheOlderCoreHeaderLoadsWithItsPixelsAndIsCheckedByThatHeader) {
    QTemporaryDir dir;
    const QByteArray bytes = coreHeaderBmp8(ts::indexedImage(37, 21, fourColours(), fourIndex));
    ts::writeFile(dir.filePath("core.bmp"), bytes);
    expectFourColourPicture(platform::Picture::load(dir.filePath("core.bmp")), 37, 21);

    ts::writeFile(dir.filePath("cutcore.bmp"), bytes.left(bytes.size() - 40));
    EXPECT_EQ(loadError(dir.filePath("cutcore.bmp")), RuntimeError::Kind::InvalidPicture);
    ts::writeFile(dir.filePath("stub.bmp"), bytes.left(20));
    EXPECT_EQ(loadError(dir.filePath("stub.bmp")), RuntimeError::Kind::InvalidPicture);
}

TEST(Picture, AFileChangedOrRemovedOnDiskIsNotServedFromMemory) {
    QTemporaryDir dir;
    const QString path = dir.filePath("tiles.bmp");
    const QImage first = ts::indexedImage(37, 21, fourColours(), fourIndex);
    ts::writeBmp8(path, first, true);
    expectFourColourPicture(platform::Picture::load(path), 37, 21);
    expectFourColourPicture(platform::Picture::load(path), 37, 21);  // again, from memory

    // Re-saved with other pixels, even at the same size in bytes and with its old time: the
    // time is what tells, so give it a new one as any writer would.
    const QImage second = ts::indexedImage(37, 21, fourColours(),
                                           [](int x, int y) { return (fourIndex(x, y) + 1) % 4; });
    ts::writeBmp8(path, second, true);
    {
        QFile file(path);
        ASSERT_TRUE(file.open(QIODevice::ReadWrite));
        ASSERT_TRUE(file.setFileTime(QDateTime::currentDateTime().addSecs(60),
                                     QFileDevice::FileModificationTime));
    }
    const platform::Picture reloaded = platform::Picture::load(path);
    EXPECT_EQ(reloaded.surface().pixel(0, 0), fourColours()[1] & 0xFFFFFF);
    EXPECT_EQ(platform::readImage(path).pixel(0, 0) & 0xFFFFFF, fourColours()[1] & 0xFFFFFF);

    ASSERT_TRUE(QFile::remove(path));
    EXPECT_EQ(loadError(path), RuntimeError::Kind::FileNotFound);
    try {
        platform::readImage(path);
        ADD_FAILURE() << "a removed file is an error";
    } catch (const RuntimeError& e) {
        EXPECT_EQ(e.kind(), RuntimeError::Kind::FileNotFound);
    }
}

namespace {

// An indexed picture of runs 200 pixels long, quick to make at any size.
QImage runsPicture(int w, int h) {
    QImage image(w, h, QImage::Format_Indexed8);
    image.setColorTable(fourColours());
    for (int y = 0; y < h; ++y) {
        for (int x = 0; x < w; x += 200) {
            std::memset(image.scanLine(y) + x, (x / 200 + y / 200) % 4, std::min(200, w - x));
        }
    }
    return image;
}

}  // namespace

TEST(Picture, PicturesUpTo16384PixelsASideLoadAndLargerOnesAreTooLarge) {
    QTemporaryDir dir;
    struct Case {
        const char* name;
        int w;
        int h;
        std::function<void(const QString&, const QImage&)> write;
    };
    const auto rle = [](const QString& p, const QImage& i) { ts::writeBmp8(p, i, true); };
    const auto gif = [](const QString& p, const QImage& i) { ts::writeGif(p, i); };
    const auto jpeg = [](const QString& p, const QImage& i) {
        ts::writeJpeg(p, i.convertToFormat(QImage::Format_RGB32));
    };
    const std::vector<Case> cases{
        {"tiles.bmp", 5800, 5800, rle}, {"wide.bmp", 16384, 8, rle},
        {"tall.gif", 8, 16384, gif},    {"wider.bmp", 16385, 8, rle},
        {"taller.gif", 8, 16385, gif},  {"wider.jpg", 16385, 16, jpeg},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        const QString path = dir.filePath(c.name);
        const QImage written = runsPicture(c.w, c.h);
        c.write(path, written);
        if (c.w <= 16384 && c.h <= 16384) {
            const platform::Picture picture = platform::Picture::load(path);
            ASSERT_EQ(picture.width(), c.w);
            ASSERT_EQ(picture.height(), c.h);
            for (int y = 0; y < c.h; y += std::max(1, c.h / 60)) {
                for (int x = 0; x < c.w; x += std::max(1, c.w / 60)) {
                    ASSERT_EQ(picture.surface().pixel(x, y), written.pixel(x, y) & 0xFFFFFFu);
                }
            }
            EXPECT_EQ(picture.surface().pixel(c.w - 1, c.h - 1),
                      written.pixel(c.w - 1, c.h - 1) & 0xFFFFFFu);
            continue;
        }
        EXPECT_EQ(loadError(path), RuntimeError::Kind::InvalidPicture);
        try {
            platform::Picture::load(path);
        } catch (const RuntimeError& e) {
            const std::string size = std::to_string(c.w) + " × " + std::to_string(c.h) + " pixels";
            EXPECT_NE(std::string(e.what()).find("too large: " + size), std::string::npos)
                << e.what();
            EXPECT_NE(std::string(e.what()).find("limit is 16384 × 16384"), std::string::npos)
                << e.what();
        }
    }
}

TEST(Picture, AFileBeyondTheLargestPictureIsTooLargeAndIsNotRead) {
    QTemporaryDir dir;
    const QString path = dir.filePath("huge.gif");
    {
        QFile file(path);  // sparse: it takes no room on disk
        ASSERT_TRUE(file.open(QIODevice::WriteOnly));
        ASSERT_TRUE(file.resize(qint64{2} << 30));
    }
    EXPECT_EQ(loadError(path), RuntimeError::Kind::InvalidPicture);
    try {
        platform::Picture::load(path);
    } catch (const RuntimeError& e) {
        // 1 GiB for the pixels of the largest picture and 16 MiB for what goes with them.
        EXPECT_NE(std::string(e.what()).find(
                      "too large: 2147483648 bytes, the limit is 1090519040 bytes"),
                  std::string::npos)
            << e.what();
    }
}
