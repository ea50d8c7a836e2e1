// Loading pictures: the files a player may put where the game's pictures are, as other tools
// write them or as a broken disk, a failed copy or a malicious file leaves them, each loaded with
// exactly its pixels or ending the game with the picture error naming it; pictures served from
// memory only while their file is unchanged; and the sprite sheet every figure is drawn from.
#include <gtest/gtest.h>

#include <QBuffer>
#include <QDateTime>
#include <QFile>
#include <QImageWriter>
#include <QTemporaryDir>
#include <QtEndian>

#include "core/sprite_sheet.h"
#include "platform/gif_screen.h"
#include "platform/picture.h"
#include "support/test_images.h"

namespace ts = testing_support;
using velmora::Int16;
using velmora::Int32;

namespace {

const QVector<QRgb> kPalette{qRgb(0, 0, 0), qRgb(250, 10, 10), qRgb(10, 250, 10),
                             qRgb(20, 30, 240)};

QImage indexed(int w = 37, int h = 21, int first = 0) {
    return ts::indexedImage(w, h, kPalette,
                            [first](int x, int y) { return (first + x / 3 + y) % 4; });
}

QByteArray encoded(const QImage& image, const char* format, bool progressive = false) {
    QByteArray bytes;
    QBuffer buffer(&bytes);
    buffer.open(QIODevice::WriteOnly);
    QImageWriter writer(&buffer, format);
    writer.setQuality(100);
    writer.setProgressiveScanWrite(progressive);
    writer.write(image);
    return bytes;
}

QByteArray patched(QByteArray bytes, qsizetype at, quint32 value, bool bigEndian = false) {
    bigEndian ? qToBigEndian(value, bytes.data() + at) : qToLittleEndian(value, bytes.data() + at);
    return bytes;
}

// A JPEG carrying a thumbnail, itself a whole JPEG with its own end marker, in an application
// segment before the picture, as cameras write them.
QByteArray withThumbnail(const QByteArray& jpeg) {
    const QByteArray segment = QByteArray("\xFF\xE1..Exif\0\0", 10) + jpeg;
    return jpeg.left(2) + patched(segment, 0, 0xFFE10000u + segment.size() - 2, true) + jpeg.mid(2);
}

// Cut inside the scan of the picture, well before its end marker.
QByteArray cutInScan(const QByteArray& jpeg) {
    return jpeg.left(jpeg.lastIndexOf("\xFF\xDA") + 40);
}

// A 4 × 2 picture, top row first, as red, green, blue and alpha.
constexpr quint8 kMaskPixels[8][4] = {{200, 100, 50, 255}, {10, 20, 30, 128},   {5, 6, 7, 0},
                                      {0, 0, 255, 255},    {1, 2, 3, 255},      {16, 32, 48, 255},
                                      {0, 0, 0, 255},      {255, 255, 255, 255}};

// That picture as a BMP of 32 bits with an info header of `headerSize` bytes (52 or 56) holding
// the colour masks, here in the byte order red, green, blue, alpha.
QByteArray maskBmp(quint32 headerSize) {
    QByteArray out("BM");
    for (quint32 field :
         {14 + headerSize + 32, 0u, 14 + headerSize, headerSize, 4u, 2u, 1u | 32u << 16, 3u, 32u,
          2835u, 2835u, 0u, 0u, 0xFFu, 0xFF00u, 0xFF0000u, 0xFF000000u}) {
        ts::put32(out, field);
    }
    out.chop(headerSize == 56 ? 0 : 4);  // the 52-byte header has no alpha mask
    const char* pixels = reinterpret_cast<const char*>(kMaskPixels);
    return out + QByteArray(pixels + 16, 16) + QByteArray(pixels, 16);  // bottom row first
}

QImage maskPixels(bool alpha) {
    return QImage(&kMaskPixels[0][0], 4, 2, 16, QImage::Format_RGBA8888)
        .convertToFormat(alpha ? QImage::Format_ARGB32 : QImage::Format_RGB32);
}

// The 8-bit BMP with the older 12-byte core header instead: 16-bit sizes, 3-byte colours.
QByteArray coreBmp(const QImage& image) {
    const QByteArray info = ts::bmp8(image, false);
    const QByteArray pixels = info.mid(54 + 4 * image.colorCount());
    const quint32 offset = 14 + 12 + 3 * 256;
    QByteArray out("BM");
    for (quint32 field : {offset + quint32(pixels.size()), 0u, offset, 12u,
                          quint32(image.width() | image.height() << 16), 1u | 8u << 16}) {
        ts::put32(out, field);
    }
    for (int i = 0; i < 256; ++i) {
        out.append(i < image.colorCount() ? info.mid(54 + 4 * i, 3) : QByteArray(3, '\0'));
    }
    return out + pixels;
}

}  // namespace

TEST(Picture, EachFileLoadsWithItsPixelsOrEndsTheGameNamingIt) {
    const QImage rgb = indexed().convertToFormat(QImage::Format_RGB32);
    QImage clear = indexed();  // colour 0 transparent, as the cursor pictures have it
    clear.setColor(0, qRgba(0, 0, 0, 0));
    clear.convertTo(QImage::Format_ARGB32);
    QImage white(48, 40, QImage::Format_RGB32);
    white.fill(Qt::white);
    const QByteArray jpeg = encoded(white, "JPEG");
    const QByteArray gif = ts::gifBytes(indexed());
    const QByteArray bmp24 = ts::bmp24(rgb);
    QImage big(5800, 5800, QImage::Format_Indexed8);  // more than Qt's readers take unless told
    big.setColorTable(kPalette);
    big.fill(2);
    const qsizetype frame = jpeg.indexOf("\xFF\xC0");
    constexpr quint32 k60000s = 60000u * 65537u;  // two 16-bit fields of 60000
    const std::string huge =
        ": the picture is too large: 60000 × 60000 pixels, the limit is 16384 × 16384 pixels";
    const auto claiming = [&bmp24](qint32 width, qint32 height) {
        return patched(patched(bmp24, 18, quint32(width)), 22, quint32(height));
    };
    const struct {
        const char* name;
        QByteArray bytes;
        QImage pixels;          // null: the file is refused
        std::string says = {};  // what the refusal adds after the file's name
    } samples[]{
        // Refused, first, while the process is small.
        {"zero bytes", "", {}},
        {"text", "This is not a picture.\n", {}},
        {"all one byte", QByteArray(4000, '\xFF'), {}},
        {"a PNG", encoded(white, "PNG"), {}},
        {"a 24-bit BMP cut to half", bmp24.left(bmp24.size() / 2), {}},
        {"a BMP short of its last row's padding", bmp24.chopped(20), {}},
        {"a run-length BMP cut", ts::bmp8(indexed(), true).chopped(10), {}},
        {"a BMP with the core header, cut", coreBmp(indexed()).chopped(40), {}},
        {"a BMP cut in its core header", coreBmp(indexed()).left(20), {}},
        {"a BMP with the 56-byte header, cut", maskBmp(56).left(90), {}},
        {"a BMP of negative width", claiming(-37, 21), {}},
        {"a BMP of 0 × 0", claiming(0, 0), {}},
        {"a BMP claiming 2^31 × 2^31", claiming(INT32_MAX, INT32_MAX), {}},
        {"a BMP claiming 60000 × 60000", claiming(60000, 60000), {}},
        {"a BMP whose pixels lie past its end", patched(bmp24, 10, 0x7FFFFFF0u), {}},
        {"a GIF cut inside its image data", gif.chopped(12), {}},
        {"a GIF without the block that ends its image", gif.chopped(2), {}},
        {"a GIF of its header and screen only", gif.left(13 + 256 * 3), {}},
        {"a JPEG cut to half", jpeg.left(jpeg.size() / 2), {}},
        {"a JPEG cut in its scan, then a newline", cutInScan(jpeg) + "\n", {}},
        {"a JPEG cut in its scan after a thumbnail's end", cutInScan(withThumbnail(jpeg)), {}},
        {"a JPEG cut in its scan, then a marker's first byte", cutInScan(jpeg) + "\xFF", {}},
        {"a core-header BMP claiming 60000 × 60000", patched(coreBmp(indexed()), 18, k60000s), {}},
        {"a GIF claiming 60000 × 60000", patched(patched(gif, 6, k60000s), 786, k60000s), {}, huge},
        {"a JPEG claiming 60000 × 60000", patched(jpeg, frame + 5, k60000s, true), {}, huge},
        // Loaded.
        {"an 8-bit BMP", ts::bmp8(indexed(), false), rgb},
        {"a run-length BMP", ts::bmp8(indexed(), true), rgb},
        {"a 24-bit BMP", bmp24, rgb},
        {"a BMP with the core header", coreBmp(indexed()), rgb},
        {"a BMP with the 56-byte header", maskBmp(56), maskPixels(true)},
        {"a BMP with the 52-byte header", maskBmp(52), maskPixels(false)},
        {"a GIF", gif, rgb},
        {"a GIF with a transparent colour", ts::gifBytes(indexed(), {.transparentIndex = 0}),
         clear},
        {"a GIF without its trailer", gif.chopped(1), rgb},
        {"a GIF padded after its trailer", gif + QByteArray(300, '\0'), rgb},
        {"a GIF without its trailer, padded", gif.chopped(1) + "\r\n", rgb},
        {"a JPEG", jpeg, white},
        {"a JPEG with a newline after its end marker", jpeg + "\n", white},
        {"a JPEG with a trailer holding markers",
         jpeg + QByteArray("\xFF\xD8\xFF\xE0trailer\xFF\xD9\0\0", 16), white},
        {"a progressive JPEG with a trailer", encoded(white, "JPEG", true) + "trailer", white},
        {"a JPEG with a thumbnail", withThumbnail(jpeg), white},
        {"a BMP of 5800 × 5800, as large as a world map", ts::bmp8(big, true), big},
    };
    QTemporaryDir dir;
    for (const auto& sample : samples) {
        SCOPED_TRACE(sample.name);
        // Told by their content, whatever their names.
        const QString path = dir.filePath(QStringLiteral("%1.bmp").arg(sample.name));
        ts::writeFile(path, sample.bytes);
        if (sample.pixels.isNull()) {
            const std::string error = ts::invalidPicture(path) + sample.says;
            EXPECT_EQ(ts::runtimeError([&] { platform::Picture::load(path); }), error);
            EXPECT_EQ(ts::runtimeError([&] { platform::readImage(path); }), error);
            continue;
        }
        // The pictures keep their colours; images (the cursors) their transparency too.
        EXPECT_TRUE(ts::sameRgb(platform::Picture::load(path).surface().image(), sample.pixels));
        EXPECT_EQ(platform::readImage(path).convertToFormat(QImage::Format_Alpha8),
                  sample.pixels.convertToFormat(QImage::Format_Alpha8));
    }
}

TEST(Picture, TheGameReadsGifScreensWithQtsPixels) {
    // Qt's reader takes screens of fewer than 16384 × 16384 pixels and the game's own reading
    // the larger ones; both must give the same pixels.
    const QSize s(40, 30);
    const struct {
        const char* name;
        QSize image;
        ts::GifShape gif;
    } shapes[]{
        {"whole screen", {40, 30}, {}},
        {"interlaced and transparent", {40, 30}, {.interlaced = true, .transparentIndex = 0}},
        {"own colour table", {40, 30}, {.localTable = true}},
        {"inside the screen", {10, 8}, {.left = 5, .top = 4, .screen = s}},
        {"inside, transparent", {10, 8}, {.left = 5, .top = 4, .screen = s, .transparentIndex = 1}},
        {"past the screen's corner", {10, 8}, {.left = 35, .top = 26, .screen = s}},
        {"wider and taller than the screen", {50, 36}, {.screen = s}},
        {"interlaced, taller than the screen", {40, 50}, {.screen = s, .interlaced = true}},
        {"right of the screen", {10, 8}, {.left = 45, .screen = s}},
        {"data for half its rows", {40, 30}, {.rows = 15}},
        {"interlaced, data for a third of its rows", {40, 30}, {.interlaced = true, .rows = 10}},
        {"codes of every length", {200, 150}, {}},
    };
    for (const auto& shape : shapes) {
        SCOPED_TRACE(shape.name);
        const QByteArray bytes =
            ts::gifBytes(ts::indexedImage(shape.image.width(), shape.image.height(), kPalette,
                                          [](int x, int y) { return (x / 2 + y + x * y % 5) % 4; }),
                         shape.gif);
        const QImage qt = QImage::fromData(bytes, "GIF");
        ASSERT_FALSE(qt.isNull());
        EXPECT_EQ(platform::readGifScreen(bytes), qt);
    }
}

TEST(Picture, AFileChangedOrRemovedOnDiskIsNotServedFromMemory) {
    QTemporaryDir dir;
    const QString path = dir.filePath("tiles.bmp");
    ts::writeFile(path, ts::bmp8(indexed(), true));
    for (int time = 0; time < 2; ++time) {  // the second time from memory
        EXPECT_TRUE(ts::sameRgb(platform::Picture::load(path).surface().image(), indexed()));
    }
    // Saved again with other pixels, of the same size in bytes: its new time tells.
    ts::writeFile(path, ts::bmp8(indexed(37, 21, 1), true));
    QFile file(path);
    ASSERT_TRUE(file.open(QIODevice::ReadWrite));
    ASSERT_TRUE(file.setFileTime(QDateTime::currentDateTime().addSecs(60),
                                 QFileDevice::FileModificationTime));
    EXPECT_TRUE(ts::sameRgb(platform::Picture::load(path).surface().image(), indexed(37, 21, 1)));
    EXPECT_TRUE(ts::sameRgb(platform::readImage(path), indexed(37, 21, 1)));
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
    ts::writeFile(path, ts::gifBytes(indexed(), {.screen = {16384, 16384}}));
    const platform::Picture world = platform::Picture::load(path);
    ASSERT_EQ(world.width(), 16384);
    ASSERT_EQ(world.height(), 16384);
    EXPECT_TRUE(ts::sameRgb(world.surface().image().copy(0, 0, 37, 21), indexed()));
    EXPECT_EQ(world.surface().pixel(16383, 16383), 0x0AFA0Au);  // colour 2
    EXPECT_EQ(world.surface().pixel(37, 0), 0x0AFA0Au);
}

TEST(SpriteSheet, DrawsTheFramesOfPictures0To63AtOneAndTwiceTheirSizeThroughBlack) {
    QTemporaryDir dir;
    ts::writeGameAssets(dir.path(), 16, 16);
    velmora::SpriteSheet sheet;
    sheet.load(platform::AssetPaths(dir.path()));
    // Picture 0 facing left on the map, picture 63's second step facing down in battle.
    for (const auto& [sprite, size, frameX, frameY] :
         {std::tuple{0, 32, 0, 96}, std::tuple{63, 64, 32, 64}}) {
        SCOPED_TRACE(sprite);
        platform::Surface dst(size + 4, size + 4, 0x123456);
        QImage expected = dst.image().copy();
        sheet.draw(dst, 2, 2, size, Int16(sprite), Int32(frameX), Int32(frameY));
        for (int y = 0; y < size; ++y) {
            for (int x = 0; x < size; ++x) {
                if (ts::isFigurePixel(x * 32 / size, y * 32 / size)) {
                    expected.setPixel(x + 2, y + 2, ts::figureColour(sprite, frameX, frameY));
                }
            }
        }
        EXPECT_TRUE(ts::sameRgb(dst.image(), expected));
    }
    for (const int outside : {-1, 64}) {
        EXPECT_EQ(ts::runtimeError([&] { sheet.picture(Int16(outside)); }),
                  "Run-time error '9': Subscript out of range");
    }
}
