// Pictures as other tools write them, made here with known pixels: each either loads with
// exactly those pixels or ends the game with the picture error naming the file.
#include <gif_lib.h>
#include <gtest/gtest.h>

#include <QBuffer>
#include <QFile>
#include <QImageWriter>
#include <QTemporaryDir>
#include <QtEndian>
#include <algorithm>
#include <functional>
#include <vector>

#include "platform/gif_screen.h"
#include "platform/picture.h"
#include "platform/runtime_error.h"
#include "support/test_images.h"

using platform::RuntimeError;
namespace ts = testing_support;

namespace {

const QVector<QRgb> kPalette{qRgb(0, 0, 0), qRgb(250, 10, 10), qRgb(10, 250, 10),
                             qRgb(20, 30, 240)};

QImage indexed() {
    return ts::indexedImage(37, 21, kPalette, [](int x, int y) { return (x / 3 + y) % 4; });
}

QByteArray readAll(const QString& path) {
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}

QByteArray gif() {
    QTemporaryDir dir;
    ts::writeGif(dir.filePath("p.gif"), indexed());
    return readAll(dir.filePath("p.gif"));
}

QImage white() {
    QImage image(48, 40, QImage::Format_RGB32);
    image.fill(Qt::white);
    return image;
}

QByteArray jpeg(bool progressive = false) {
    QByteArray bytes;
    QBuffer buffer(&bytes);
    buffer.open(QIODevice::WriteOnly);
    QImageWriter writer(&buffer, "JPEG");
    writer.setQuality(100);
    writer.setProgressiveScanWrite(progressive);
    writer.write(white());
    return bytes;
}

// A JPEG carrying a thumbnail, itself a whole JPEG with its own end marker, in an application
// segment before the picture, as cameras write them.
QByteArray jpegWithThumbnail() {
    const QByteArray thumbnail = jpeg();
    QByteArray segment("Exif\0\0", 6);
    segment.append(thumbnail);
    const QByteArray main = jpeg();
    QByteArray out = main.left(2);
    out.append("\xFF\xE1", 2);
    out.append(static_cast<char>((segment.size() + 2) >> 8));
    out.append(static_cast<char>((segment.size() + 2) & 0xFF));
    return out + segment + main.mid(2);
}

// Cut inside the scan of the picture, well before its end marker.
QByteArray cutInScan(const QByteArray& jpegBytes) {
    return jpegBytes.left(jpegBytes.lastIndexOf("\xFF\xDA") + 40);
}

QByteArray withoutTrailer(const QByteArray& gifBytes) {
    return gifBytes.left(gifBytes.size() - 1);
}

// A 4 × 2 picture, top row first, as red, green, blue and alpha.
constexpr quint8 kMaskPixels[8][4] = {{200, 100, 50, 255}, {10, 20, 30, 128},   {5, 6, 7, 0},
                                      {0, 0, 255, 255},    {1, 2, 3, 255},      {16, 32, 48, 255},
                                      {0, 0, 0, 255},      {255, 255, 255, 255}};

// That picture as a BMP of 32 bits with an info header of `headerSize` bytes (52 or 56) holding
// the colour masks, here in the byte order red, green, blue, alpha.
QByteArray maskBmp(quint32 headerSize) {
    const quint32 offset = 14 + headerSize;
    QByteArray out("BM");
    for (quint32 field : {offset + 32, 0u, offset, headerSize, 4u, 2u, 1u | 32u << 16, 3u, 32u,
                          2835u, 2835u, 0u, 0u, 0xFFu, 0xFF00u, 0xFF0000u, 0xFF000000u}) {
        ts::put32(out, field);
    }
    out.chop(headerSize == 56 ? 0 : 4);       // the 52-byte header has no alpha mask
    for (int i : {4, 5, 6, 7, 0, 1, 2, 3}) {  // bottom row first
        out.append(reinterpret_cast<const char*>(kMaskPixels[i]), 4);
    }
    return out;
}

QImage maskBmpPixels() {
    QImage image(4, 2, QImage::Format_RGB32);
    for (int i = 0; i < 8; ++i) {
        const quint8* p = kMaskPixels[i];
        image.setPixel(i % 4, i / 4, qRgb(p[0], p[1], p[2]));
    }
    return image;
}

struct Sample {
    const char* name;
    std::function<QByteArray()> bytes;
    std::function<QImage()> pixels;  // null: the file is refused
};

const std::vector<Sample>& samples() {
    static const std::vector<Sample> all{
        {"a JPEG with a newline after its end marker", [] { return jpeg() + "\n"; }, white},
        {"a JPEG with a trailer holding markers",
         [] { return jpeg() + QByteArray("\xFF\xD8\xFF\xE0trailer\xFF\xD9\0\0", 16); }, white},
        {"a progressive JPEG with a trailer", [] { return jpeg(true) + "trailer"; }, white},
        {"a JPEG with a thumbnail", jpegWithThumbnail, white},
        {"a JPEG cut in its scan, with a newline after", [] { return cutInScan(jpeg()) + "\n"; },
         nullptr},
        {"a JPEG cut in its scan after a thumbnail's end marker",
         [] { return cutInScan(jpegWithThumbnail()); }, nullptr},
        {"a JPEG cut in its scan that ends in an end marker's first byte",
         [] { return cutInScan(jpeg()) + "\xFF"; }, nullptr},
        {"a GIF without its trailer", [] { return withoutTrailer(gif()); }, indexed},
        {"a GIF padded after its trailer", [] { return gif() + QByteArray(300, '\0'); }, indexed},
        {"a GIF without its trailer, padded", [] { return withoutTrailer(gif()) + "\r\n"; },
         indexed},
        {"a GIF cut inside its image data", [] { return gif().left(gif().size() - 12); }, nullptr},
        {"a GIF cut between its image's blocks",
         [] {
             const QByteArray g = gif();
             return g.left(g.size() - 2);  // the empty block that closes the image is missing
         },
         nullptr},
        {"a GIF of its header and screen only", [] { return gif().left(13 + 256 * 3); }, nullptr},
        {"a BMP with the 56-byte header", [] { return maskBmp(56); }, maskBmpPixels},
        {"a BMP with the 52-byte header", [] { return maskBmp(52); }, maskBmpPixels},
        {"a BMP with the 56-byte header, cut", [] { return maskBmp(56).left(14 + 56 + 20); },
         nullptr},
    };
    return all;
}

}  // namespace

TEST(PictureCorpus, FilesOfOtherToolsLoadWithTheirPixelsOrEndTheGameNamingTheFile) {
    QTemporaryDir dir;
    for (const Sample& sample : samples()) {
        SCOPED_TRACE(sample.name);
        const QString path = dir.filePath(QStringLiteral("%1.pic").arg(sample.name));
        ts::writeFile(path, sample.bytes());
        if (!sample.pixels) {
            try {
                platform::Picture::load(path);
                ADD_FAILURE() << "loaded";
            } catch (const RuntimeError& e) {
                EXPECT_EQ(e.kind(), RuntimeError::Kind::InvalidPicture);
                EXPECT_NE(std::string(e.what()).find(path.toStdString()), std::string::npos);
            }
            continue;
        }
        const QImage expected = sample.pixels();
        const platform::Picture picture = platform::Picture::load(path);
        ASSERT_EQ(picture.width(), expected.width());
        ASSERT_EQ(picture.height(), expected.height());
        for (int y = 0; y < expected.height(); ++y) {
            for (int x = 0; x < expected.width(); ++x) {
                ASSERT_EQ(picture.surface().pixel(x, y), expected.pixel(x, y) & 0xFFFFFFu)
                    << x << "," << y;
            }
        }
    }
}

TEST(PictureCorpus, TheAlphaMaskOfA56ByteHeaderBmpIsKeptForImages) {
    QTemporaryDir dir;
    ts::writeFile(dir.filePath("alpha.bmp"), maskBmp(56));
    const QImage image = platform::readImage(dir.filePath("alpha.bmp"));
    for (int i = 0; i < 8; ++i) {
        EXPECT_EQ(qAlpha(image.pixel(i % 4, i / 4)), kMaskPixels[i][3]) << i;
    }
}

namespace {

// A GIF of one image on a screen, written by the GIF library: the image's place and size, its
// own colour table, interlacing and transparency as asked. `rows` below the image's height
// leaves its data short, as a writer that stopped early would.
struct GifShape {
    const char* name;
    int screenWidth = 40;
    int screenHeight = 30;
    int left = 0;
    int top = 0;
    int width = 40;
    int height = 30;
    bool interlaced = false;
    int transparentIndex = -1;
    bool localTable = false;
    int rows = -1;
};

QByteArray shapedGif(const GifShape& shape) {
    QTemporaryDir dir;
    const QString path = dir.filePath("g.gif");
    int error = 0;
    GifFileType* gif = EGifOpenFileName(path.toLocal8Bit().constData(), false, &error);
    std::vector<GifColorType> colours(8);
    for (int i = 0; i < 8; ++i) {
        colours[i] =
            GifColorType{static_cast<GifByteType>(i * 30), static_cast<GifByteType>(200 - i * 20),
                         static_cast<GifByteType>(i * i * 3)};
    }
    ColorMapObject* global = GifMakeMapObject(8, colours.data());
    std::reverse(colours.begin(), colours.end());
    ColorMapObject* local = GifMakeMapObject(8, colours.data());
    EGifSetGifVersion(gif, true);
    EGifPutScreenDesc(gif, shape.screenWidth, shape.screenHeight, 3, 2, global);
    if (shape.transparentIndex >= 0) {
        GraphicsControlBlock gcb{DISPOSAL_UNSPECIFIED, false, 0, shape.transparentIndex};
        GifByteType ext[4];
        EGifGCBToExtension(&gcb, ext);
        EGifPutExtension(gif, GRAPHICS_EXT_FUNC_CODE, 4, ext);
    }
    const int rows = shape.rows < 0 ? shape.height : shape.rows;
    EGifPutImageDesc(gif, shape.left, shape.top, shape.width, rows, shape.interlaced,
                     shape.localTable ? local : nullptr);
    std::vector<GifPixelType> line(static_cast<std::size_t>(shape.width));
    for (int y = 0; y < rows; ++y) {
        for (int x = 0; x < shape.width; ++x) {
            line[static_cast<std::size_t>(x)] = static_cast<GifPixelType>((x / 2 + y) % 8);
        }
        EGifPutLine(gif, line.data(), shape.width);
    }
    EGifCloseFile(gif, &error);
    GifFreeMapObject(global);
    GifFreeMapObject(local);
    QByteArray bytes = readAll(path);
    if (rows != shape.height) {
        // The descriptor claims the full height; the data holds `rows` rows.
        const qsizetype descriptor = bytes.indexOf(',', 13 + 8 * 3);
        qToLittleEndian<quint16>(static_cast<quint16>(shape.height), bytes.data() + descriptor + 7);
    }
    return bytes;
}

}  // namespace

TEST(PictureCorpus, TheGameReadsGifScreensWithQtsPixels) {
    // What Qt's reader gives for screens it takes, the game's own reading of the screens it
    // does not take must give too.
    const std::vector<GifShape> shapes{
        {"whole screen"},
        {.name = "transparent", .transparentIndex = 3},
        {.name = "interlaced", .interlaced = true},
        {.name = "interlaced and transparent", .interlaced = true, .transparentIndex = 0},
        {.name = "own colour table", .localTable = true},
        {.name = "inside the screen", .left = 5, .top = 4, .width = 10, .height = 8},
        {.name = "inside, transparent",
         .left = 5,
         .top = 4,
         .width = 10,
         .height = 8,
         .transparentIndex = 1},
        {.name = "past the screen's corner", .left = 35, .top = 26, .width = 10, .height = 8},
        {.name = "wider and taller than the screen", .width = 50, .height = 36},
        {.name = "interlaced, taller than the screen", .height = 50, .interlaced = true},
        {.name = "right of the screen", .left = 45, .width = 10, .height = 8},
        {.name = "data for half its rows", .rows = 15},
        {.name = "interlaced, data for a third of its rows", .interlaced = true, .rows = 10},
    };
    for (const GifShape& shape : shapes) {
        SCOPED_TRACE(shape.name);
        const QByteArray bytes = shapedGif(shape);
        const QImage qt = QImage::fromData(bytes, "GIF");
        const QImage own = platform::readGifScreen(bytes);
        ASSERT_FALSE(qt.isNull());
        ASSERT_EQ(own.size(), qt.size());
        EXPECT_EQ(own.format(), qt.format());
        for (int y = 0; y < qt.height(); ++y) {
            for (int x = 0; x < qt.width(); ++x) {
                ASSERT_EQ(own.pixel(x, y), qt.pixel(x, y)) << x << "," << y;
            }
        }
    }
}

TEST(PictureCorpus, AGifOfTheLargestSizeLoads) {
#if defined(__SANITIZE_ADDRESS__)
    GTEST_SKIP() << "its 1 GiB of pixels is at the sanitized run's limit for one allocation";
#endif
    constexpr int kSide = 16384;
    QTemporaryDir dir;
    const QString path = dir.filePath("world.gif");
    ts::writeFile(path, shapedGif({.name = "largest",
                                   .screenWidth = kSide,
                                   .screenHeight = kSide,
                                   .width = kSide,
                                   .height = kSide}));
    const platform::Picture picture = platform::Picture::load(path);
    ASSERT_EQ(picture.width(), kSide);
    ASSERT_EQ(picture.height(), kSide);
    const auto expected = [](int x, int y) {
        const int i = (x / 2 + y) % 8;
        return qRgb(i * 30, 200 - i * 20, i * i * 3) & 0xFFFFFFu;
    };
    for (int y = 0; y < kSide; y += 1021) {
        for (int x = 0; x < kSide; x += 1019) {
            ASSERT_EQ(picture.surface().pixel(x, y), expected(x, y)) << x << "," << y;
        }
    }
    EXPECT_EQ(picture.surface().pixel(kSide - 1, kSide - 1), expected(kSide - 1, kSide - 1));
}
