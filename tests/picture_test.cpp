// Pictures as the game loads them, from other tools or broken, and the sprite sheet of its figures.
#include <gtest/gtest.h>
#include <sys/resource.h>

#include <QBuffer>
#include <QDateTime>
#include <QFile>
#include <QFileInfo>
#include <QImageWriter>
#include <QTemporaryDir>
#include <QtEndian>

#include "core/sprite_sheet.h"
#include "map/frm_map_controls.h"
#include "menu/frm_menu_controls.h"
#include "platform/pictures/gif_screen.h"
#include "platform/pictures/picture.h"
#include "support/harness.h"
#include "support/test_images.h"

namespace ts = testing_support;

namespace {

const QVector<QRgb> kPalette{qRgb(0, 0, 0), qRgb(250, 10, 10), qRgb(10, 250, 10),
                             qRgb(20, 30, 240)};

QImage indexed(int w = 37, int h = 21, int first = 0) {
    return ts::indexedImage(w, h, kPalette,
                            [first](int x, int y) { return (first + x / 3 + y) % 4; });
}

std::string runtimeError(const std::function<void()>& action) {
    try {
        action();
    } catch (const platform::RuntimeError& e) {
        return e.what();
    }
    return {};
}

std::string invalidPicture(const QString& path) {
    return "Run-time error '481': Invalid picture: " + path.toStdString();
}

long peakKilobytes() {
    rusage usage{};
    getrusage(RUSAGE_SELF, &usage);
    return usage.ru_maxrss;
}

QByteArray encoded(const QImage& image, const char* format, bool progressive = false) {
    QBuffer buffer;
    buffer.open(QIODevice::WriteOnly);
    QImageWriter writer(&buffer, format);
    writer.setQuality(100);
    writer.setProgressiveScanWrite(progressive);
    writer.write(image);
    return buffer.data();
}

QByteArray patched(QByteArray bytes, qsizetype at, quint32 value, bool bigEndian = false) {
    bigEndian ? qToBigEndian(value, bytes.data() + at) : qToLittleEndian(value, bytes.data() + at);
    return bytes;
}

// A JPEG carrying a whole JPEG as its thumbnail, end marker and all, as cameras write them.
QByteArray withThumbnail(const QByteArray& jpeg) {
    const QByteArray segment = QByteArray("\xFF\xE1..Exif\0\0", 10) + jpeg;
    return jpeg.left(2) + patched(segment, 0, 0xFFE10000u + segment.size() - 2, true) + jpeg.mid(2);
}

QByteArray cutInScan(const QByteArray& jpeg) {
    return jpeg.left(jpeg.lastIndexOf("\xFF\xDA") + 40);
}

QByteArray le32(std::initializer_list<quint32> fields) {
    QByteArray out;
    for (quint32 field : fields) {
        out.append(4, '\0');
        qToLittleEndian(field, out.data() + out.size() - 4);
    }
    return out;
}

// A 4 × 2 picture, top row first, as red, green, blue and alpha.
constexpr quint8 kMaskPixels[8][4] = {{200, 100, 50, 255}, {10, 20, 30, 128},   {5, 6, 7, 0},
                                      {0, 0, 255, 255},    {1, 2, 3, 255},      {16, 32, 48, 255},
                                      {0, 0, 0, 255},      {255, 255, 255, 255}};

// That picture as a 32-bit BMP whose info header of 52 or 56 bytes holds the colour masks.
QByteArray maskBmp(quint32 headerSize) {
    QByteArray out = "BM" + le32({14 + headerSize + 36, 0u, 14 + headerSize + 4, headerSize, 4u, 2u,
                                  1u | 32u << 16, 3u, 32u, 2835u, 2835u, 0u, 0u, 0xFFu, 0xFF00u,
                                  0xFF0000u, 0xFF000000u});
    out.chop(headerSize == 56 ? 0 : 4);  // the 52-byte header has no alpha mask
    const char* pixels = reinterpret_cast<const char*>(kMaskPixels);
    // Four bytes of gap: the pixels lie where the header says, not right after it.
    return out + QByteArray(4, '\0') + QByteArray(pixels + 16, 16) + QByteArray(pixels, 16);
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
    QByteArray out = "BM" + le32({offset + quint32(pixels.size()), 0u, offset, 12u,
                                  quint32(image.width() | image.height() << 16), 1u | 8u << 16});
    for (int i = 0; i < 256; ++i) {
        out.append(i < image.colorCount() ? info.mid(54 + 4 * i, 3) : QByteArray(3, '\0'));
    }
    return out + pixels;
}

enum class Where { Map, Battle, Target, Title };

// From a fresh start to where the game reads a picture, then `ms` on.
void reach(ts::Harness& h, Where where, int ms) {
    h.start();
    if (where == Where::Battle || where == Where::Target) {
        h.click(h.map().ui().cmdBattle);
    }
    if (where == Where::Target) {
        h.press(h.battle(), Qt::Key_Space);
    }
    if (where == Where::Title) {
        h.press(h.map(), Qt::Key_Escape);
        h.click(h.menu().ui().cmdQuit);
    }
    h.advance(ms);
}

}  // namespace

TEST(Picture, EachFileLoadsWithItsPixelsOrEndsTheGameNamingIt) {
    const QImage rgb = indexed().convertToFormat(QImage::Format_RGB32);
    QImage clear = indexed();  // colour 0 transparent, as the cursor pictures have it
    clear.setColor(0, 0);
    QImage white(48, 40, QImage::Format_RGB32);
    white.fill(Qt::white);
    const QByteArray jpeg = encoded(white, "JPEG");
    const QByteArray gif = ts::gifBytes(indexed());
    const QByteArray bmp24 = ts::bmp24(rgb);
    QImage big(5800, 5800, QImage::Format_Indexed8);  // more than Qt's readers take unless told
    big.setColorTable(kPalette);
    big.fill(2);
    const QByteArray rle = ts::bmp8(indexed(), true), core = coreBmp(indexed());
    constexpr quint32 k60000s = 60000u * 65537u, kTall = 37u | 60000u << 16;  // 16-bit fields
    const QByteArray tallGif = patched(patched(gif, 6, kTall), 786, kTall);   // screen, image
    const QByteArray hugeJpeg = patched(jpeg, jpeg.indexOf("\xFF\xC0") + 5, k60000s, true);
    const auto claiming = [&bmp24](qint32 width, qint32 height) {
        return patched(patched(bmp24, 18, quint32(width)), 22, quint32(height));
    };
    const struct {
        const char* name;
        QByteArray bytes;
        QImage pixels;                   // null: the file is refused
        const char* tooLarge = nullptr;  // the size a refusal as too large names
    } samples[]{
        // Refused, first, while the process is small: none takes more than a few hundred MB.
        {"zero bytes", "", {}},
        {"all one byte", QByteArray(4000, '\xFF'), {}},
        {"a PNG", encoded(white, "PNG"), {}},
        // Many writers leave a BMP's file size out: the pixels must be there all the same.
        {"a BMP short of its last row's padding", patched(bmp24.chopped(20), 2, 0), {}},
        {"a run-length BMP without its end", patched(rle.chopped(2), 2, 0), {}},
        {"a BMP with the core header, cut", patched(core.chopped(40), 2, 0), {}},
        {"a BMP cut in its core header", core.left(20), {}},
        {"a BMP with the 56-byte header, cut", maskBmp(56).left(90), {}},
        {"a BMP of negative width", claiming(-37, 21), {}},
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
        {"a core-header BMP claiming 60000 × 60000", patched(core, 18, k60000s), {}},
        {"a GIF claiming 37 × 60000", tallGif, {}, "37 × 60000"},
        {"a JPEG claiming 60000 × 60000", hugeJpeg, {}, "60000 × 60000"},
        // Loaded.
        {"an 8-bit BMP", ts::bmp8(indexed(), false), rgb},
        {"a run-length BMP", rle, rgb},
        {"a 24-bit BMP", bmp24, rgb},
        {"a BMP with the core header", core, rgb},
        {"a BMP with the 56-byte header", maskBmp(56), maskPixels(true)},
        {"a BMP with the 52-byte header", maskBmp(52), maskPixels(false)},
        {"a GIF", gif, rgb},
        {"a GIF with a transparent colour", ts::gifBytes(indexed(), {.transparentIndex = 0}),
         clear.convertToFormat(QImage::Format_ARGB32)},
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
    const long before = peakKilobytes();
    for (const auto& sample : samples) {
        SCOPED_TRACE(sample.name);
        // All named .bmp: the game tells a format by its content.
        const QString path = dir.filePath(QStringLiteral("%1.bmp").arg(sample.name));
        ts::writeFile(path, sample.bytes);
        if (sample.pixels.isNull()) {
            std::string error = invalidPicture(path);
            if (sample.tooLarge != nullptr) {
                error += std::string(": the picture is too large: ") + sample.tooLarge +
                         " pixels, the limit is 16384 × 16384 pixels";
            }
            EXPECT_EQ(runtimeError([&] { platform::Picture::load(path); }), error);
            EXPECT_EQ(runtimeError([&] { platform::readImage(path); }), error);
            EXPECT_LT(peakKilobytes() - before, 512 * 1024) << "kilobytes at the peak";
            continue;
        }
        // The pictures keep their colours; images (the cursors) their transparency too.
        EXPECT_TRUE(ts::sameRgb(platform::Picture::load(path).surface().image(), sample.pixels));
        EXPECT_EQ(platform::readImage(path).convertToFormat(QImage::Format_Alpha8),
                  sample.pixels.convertToFormat(QImage::Format_Alpha8));
    }
}

TEST(Picture, TheGameReadsGifScreensWithQtsPixels) {
    // The game reads the screens too large for Qt's reader itself, to the same pixels.
    const QSize s(40, 30);
    const struct {
        const char* name;
        QSize image;
        ts::GifShape gif;
    } shapes[]{
        {"interlaced and transparent", {40, 30}, {.interlaced = true, .transparentIndex = 0}},
        {"own colour table", {40, 30}, {.localTable = true}},
        {"inside the screen", {10, 8}, {.left = 5, .top = 4, .screen = s}},
        {"inside, transparent", {10, 8}, {.left = 5, .top = 4, .screen = s, .transparentIndex = 1}},
        {"past the screen's corner", {10, 8}, {.left = 35, .top = 26, .screen = s}},
        {"wider and taller than the screen", {50, 36}, {.screen = s}},
        {"interlaced, taller than the screen", {40, 50}, {.screen = s, .interlaced = true}},
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

TEST(Picture, AFileIsServedFromMemoryOnlyWhileAPictureOfItIsHeldAndTheFileIsUnchanged) {
    QTemporaryDir dir;
    const QString path = dir.filePath("tiles.bmp");
    ts::writeFile(path, ts::bmp8(indexed(), true));
    platform::Picture held = platform::Picture::load(path);
    const qint64 pixels = held.surface().image().cacheKey();
    EXPECT_EQ(platform::Picture::load(path).surface().image().cacheKey(), pixels);
    held = platform::Picture();
    held = platform::Picture::load(path);
    EXPECT_NE(held.surface().image().cacheKey(), pixels) << "freed, then read again";
    EXPECT_TRUE(ts::sameRgb(held.surface().image(), indexed()));
    EXPECT_TRUE(ts::sameRgb(platform::readImage(path), indexed()));  // now in its cache too
    // Saved again while held, with other pixels of the same size in bytes: its new time tells.
    ts::writeFile(path, ts::bmp8(indexed(37, 21, 1), true));
    QFile file(path);
    ASSERT_TRUE(file.open(QIODevice::ReadWrite));
    ASSERT_TRUE(file.setFileTime(QDateTime::currentDateTime().addSecs(60),
                                 QFileDevice::FileModificationTime));
    EXPECT_TRUE(ts::sameRgb(platform::Picture::load(path).surface().image(), indexed(37, 21, 1)));
    EXPECT_TRUE(ts::sameRgb(platform::readImage(path), indexed(37, 21, 1)));
    ASSERT_TRUE(file.remove());
    const std::string missing = "Run-time error '53': File not found: " + path.toStdString();
    EXPECT_EQ(runtimeError([&] { platform::Picture::load(path); }), missing);
    EXPECT_EQ(runtimeError([&] { platform::readImage(path); }), missing);
}

TEST(Picture, AGifScreenOfTheLargestSizeLoads) {
#if defined(__SANITIZE_ADDRESS__)
    GTEST_SKIP() << "its 1 GiB of pixels is at the sanitized run's limit for one allocation";
#endif
    // A world map's screen, its one image at the top left, background colour 2 elsewhere.
    QTemporaryDir dir;
    const QString path = dir.filePath("world.gif");
    ts::writeFile(path, ts::gifBytes(indexed(), {.screen = {16384, 16384}}));
    const platform::Picture world = platform::Picture::load(path);
    ASSERT_EQ(QSize(world.width(), world.height()), QSize(16384, 16384));
    EXPECT_TRUE(ts::sameRgb(world.surface().image().copy(0, 0, 37, 21), indexed()));
    EXPECT_EQ(world.surface().pixel(16383, 16383), 0x0AFA0Au);  // colour 2
    EXPECT_EQ(world.surface().pixel(37, 0), 0x0AFA0Au);
}

TEST(SpriteSheet, RefusesAPictureNumberOutsideTheSixtyFour) {
    ts::Harness h;
    h.start();
    for (const int outside : {-1, 64}) {
        EXPECT_EQ(runtimeError([&] { h.game().sprites->picture(velmora::Int16(outside)); }),
                  "Run-time error '9': Subscript out of range");
    }
}

TEST(HostileFiles, EachPictureTheGameReadsEndsTheGameNamingTheFile) {
    // Emptied, cut or grown to gigabytes: the game ends naming it, with a failing status.
    constexpr qint64 kHalf = -1;
    constexpr qint64 kGigabytes = qint64{3} << 30;  // sparse: no room on disk
    const struct {
        const char* file;
        Where where;
        int ms;
        qint64 size;  // what is left of the file
    } cases[]{
        {"/Characters/Char000.bmp", Where::Map, 0, kHalf},
        {"/Characters/Char063.bmp", Where::Map, 0, 0},
        {"/Background/World/ts0.bmp", Where::Map, 0, kGigabytes},
        {"/Background/Battle/plains.gif", Where::Battle, 0, 20},
        {"/Pictures/ArrowBlue1.gif", Where::Battle, 100, kHalf},
        {"/Pictures/ArrowBlue2.gif", Where::Battle, 100, 0},
        {"/Pictures/ArrowRed1.gif", Where::Target, 100, 20},
        {"/Pictures/ArrowRed2.gif", Where::Target, 100, kHalf},
        {"/Pictures/Title.jpg", Where::Title, 0, kHalf},
        {"/Background/hills.gif", Where::Title, 0, 0},
        // A scene lasts 193 ticks of 100 ms on a 1024-pixel display; the next loads its picture.
        {"/Background/plains.gif", Where::Title, 193 * 100, 20},
        {"/Background/forest.gif", Where::Title, 2 * 193 * 100, kHalf},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.file);
        ts::Harness h;
        const QString path = h.assetFolder() + QLatin1String(c.file);
        ASSERT_TRUE(QFile::resize(path, c.size == kHalf ? QFileInfo(path).size() / 2 : c.size));
        const long before = peakKilobytes();
        std::string error = invalidPicture(path);
        if (c.size == kGigabytes) {
            // 1 GiB for the pixels of the largest picture and 16 MiB for what goes with them.
            error += ": the picture is too large: 3221225472 bytes, the limit is 1090519040 bytes";
        }
        EXPECT_EQ(runtimeError([&] { reach(h, c.where, c.ms); }), error);
        EXPECT_EQ(h.reporter.messages, std::vector<std::string>{error});
        EXPECT_TRUE(h.ended());
        EXPECT_NE(h.exitCode(), 0);
        EXPECT_LT(peakKilobytes() - before, 512 * 1024) << "kilobytes at the peak";
    }
}
