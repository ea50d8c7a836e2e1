#include "support/test_images.h"

#include <gif_lib.h>
#include <sys/resource.h>

#include <QDir>
#include <QFile>
#include <QPainter>
#include <QtEndian>
#include <algorithm>
#include <stdexcept>

#include "platform/base/runtime_error.h"

namespace testing_support {

// The file and 40-byte info headers of a BMP, for a palette of `paletteSize` colours after them.
static QByteArray bmpHeaders(int width, int height, int bits, quint32 compression, quint32 dataSize,
                             int paletteSize) {
    const quint32 offset = 14 + 40 + static_cast<quint32>(paletteSize) * 4;
    QByteArray out("BM");
    for (quint32 field :
         {offset + dataSize, 0u, offset, 40u, static_cast<quint32>(width),
          static_cast<quint32>(height), 1u | static_cast<quint32>(bits) << 16, compression,
          dataSize, 2835u, 2835u, static_cast<quint32>(paletteSize), 0u}) {
        put32(out, field);
    }
    return out;
}

void put32(QByteArray& out, quint32 v) {
    char b[4];
    qToLittleEndian(v, b);
    out.append(b, 4);
}

void writeFile(const QString& path, const QByteArray& bytes) {
    QDir().mkpath(QFileInfo(path).absolutePath());
    QFile file(path);
    if (!file.open(QIODevice::WriteOnly) || file.write(bytes) != bytes.size()) {
        throw std::runtime_error("cannot write " + path.toStdString());
    }
}

QImage indexedImage(int width, int height, const QVector<QRgb>& palette,
                    const std::function<int(int, int)>& index) {
    QImage image(width, height, QImage::Format_Indexed8);
    image.setColorTable(palette);
    for (int y = 0; y < height; ++y) {
        for (int x = 0; x < width; ++x) {
            image.setPixel(x, y, static_cast<uint>(index(x, y)));
        }
    }
    return image;
}

QByteArray bmp24(const QImage& image) {
    const QImage bgr = image.convertToFormat(QImage::Format_BGR888);
    const int w = image.width() * 3;
    const int stride = (w + 3) & ~3;
    QByteArray out = bmpHeaders(image.width(), image.height(), 24, 0,
                                static_cast<quint32>(stride * image.height()), 0);
    for (int y = image.height() - 1; y >= 0; --y) {
        out.append(reinterpret_cast<const char*>(bgr.constScanLine(y)), w);
        out.append(stride - w, '\0');
    }
    return out;
}

QByteArray bmp8(const QImage& indexed, bool rle8) {
    const int w = indexed.width();
    const int h = indexed.height();
    QByteArray data;
    for (int y = h - 1; y >= 0; --y) {
        const uchar* line = indexed.constScanLine(y);
        if (!rle8) {
            data.append(reinterpret_cast<const char*>(line), w).append((4 - w % 4) % 4, '\0');
            continue;
        }
        for (int x = 0; x < w;) {
            int run = 1;
            while (x + run < w && run < 255 && line[x + run] == line[x]) {
                ++run;
            }
            data.append(static_cast<char>(run)).append(static_cast<char>(line[x]));
            x += run;
        }
        data.append('\0').append(y == 0 ? '\1'
                                        : '\0');  // end of line; of the bitmap after the last
    }
    const QVector<QRgb> palette = indexed.colorTable();
    QByteArray out = bmpHeaders(w, h, 8, rle8 ? 1 : 0, static_cast<quint32>(data.size()),
                                static_cast<int>(palette.size()));
    for (QRgb c : palette) {
        put32(out, c & 0xFFFFFFu);  // blue, green, red and a zero
    }
    return out + data;
}

static int appendGif(GifFileType* gif, const GifByteType* bytes, int n) {
    static_cast<QByteArray*>(gif->UserData)->append(reinterpret_cast<const char*>(bytes), n);
    return n;
}

QByteArray gifBytes(const QImage& indexed, const GifShape& shape) {
    QByteArray out;
    int error = 0;
    GifFileType* gif = EGifOpen(&out, appendGif, &error);
    QVector<GifColorType> colours(256);
    for (int i = 0; i < indexed.colorCount(); ++i) {
        const QRgb c = indexed.color(i);
        colours[i] = {GifByteType(qRed(c)), GifByteType(qGreen(c)), GifByteType(qBlue(c))};
    }
    ColorMapObject* global = GifMakeMapObject(256, colours.data());
    std::reverse(colours.begin(), colours.end());
    ColorMapObject* local = GifMakeMapObject(256, colours.data());
    EGifSetGifVersion(gif, true);
    const QSize screen = shape.screen.isEmpty() ? indexed.size() : shape.screen;
    EGifPutScreenDesc(gif, screen.width(), screen.height(), 8, 2, global);
    if (shape.transparentIndex >= 0) {
        GraphicsControlBlock gcb{DISPOSAL_UNSPECIFIED, false, 0, shape.transparentIndex};
        GifByteType ext[4];
        EGifGCBToExtension(&gcb, ext);
        EGifPutExtension(gif, GRAPHICS_EXT_FUNC_CODE, 4, ext);
    }
    const int rows = shape.rows < 0 ? indexed.height() : shape.rows;
    EGifPutImageDesc(gif, shape.left, shape.top, indexed.width(), rows, shape.interlaced,
                     shape.localTable ? local : nullptr);
    for (int y = 0; y < rows; ++y) {
        EGifPutLine(gif, const_cast<GifByteType*>(indexed.constScanLine(y)), indexed.width());
    }
    EGifCloseFile(gif, &error);
    GifFreeMapObject(global);
    GifFreeMapObject(local);
    if (rows != indexed.height()) {
        // The descriptor claims the full height; the data holds `rows` rows.
        const qsizetype descriptor = out.indexOf(',', 13 + 256 * 3);
        qToLittleEndian<quint16>(static_cast<quint16>(indexed.height()),
                                 out.data() + descriptor + 7);
    }
    return out;
}

void writeGif(const QString& path, const QImage& indexed, int transparentIndex) {
    writeFile(path, gifBytes(indexed, {.transparentIndex = transparentIndex}));
}

QRgb tilePixel(int x, int y) {
    return qRgb(x & 0xFF, y & 0xFF, ((x >> 8) << 4) | ((y >> 8) & 0x0F));
}

QRgb figureColour(int sprite, int frameX, int frameY) {
    return qRgb(1 + sprite * 3, 40 + frameX * 2 + frameY, 200);
}

bool isFigurePixel(int xInFrame, int yInFrame) {
    const bool hole = xInFrame == 16 && yInFrame == 16;
    return xInFrame >= 8 && xInFrame < 24 && yInFrame >= 4 && yInFrame < 28 && !hole;
}

void writeGameAssets(const QString& folder, int tileWidth, int tileHeight) {
    for (int n = 0; n < 64; ++n) {
        QImage sprite(64, 128, QImage::Format_RGB32);
        for (int y = 0; y < 128; ++y) {
            for (int x = 0; x < 64; ++x) {
                const QRgb figure = figureColour(n, x / 32 * 32, y / 32 * 32);
                sprite.setPixel(x, y, isFigurePixel(x % 32, y % 32) ? figure : qRgb(0, 0, 0));
            }
        }
        writeFile(folder + QStringLiteral("/Characters/Char%1.bmp").arg(n, 3, 10, QLatin1Char('0')),
                  bmp24(sprite));
    }
    QImage tiles(tileWidth, tileHeight, QImage::Format_RGB32);
    for (int y = 0; y < tileHeight; ++y) {
        for (int x = 0; x < tileWidth; ++x) {
            tiles.setPixel(x, y, tilePixel(x, y));
        }
    }
    writeFile(folder + QStringLiteral("/Background/World/ts0.bmp"), bmp24(tiles));

    const QVector<QRgb> sky{qRgb(90, 140, 220), qRgb(60, 150, 60), qRgb(0, 0, 0), qRgb(0, 0, 255)};
    const auto landscape = indexedImage(96, 32, sky, [](int, int y) { return y < 16 ? 0 : 1; });
    for (const char* name : {"hills", "plains", "forest"}) {
        writeGif(folder + QStringLiteral("/Background/%1.gif").arg(QLatin1String(name)), landscape);
    }
    writeGif(folder + QStringLiteral("/Background/Battle/plains.gif"),
             indexedImage(64, 48, sky, [](int, int y) { return y < 20 ? 0 : 1; }));
    const auto arrow = indexedImage(30, 32, sky, [](int x, int y) {
        return (x >= 10 && x < 20 && y < 16) || (y >= 16 && std::abs(x - 15) < 32 - y) ? 3 : 2;
    });
    for (const char* name : {"ArrowBlue1", "ArrowBlue2", "ArrowRed1", "ArrowRed2"}) {
        writeGif(folder + QStringLiteral("/Pictures/%1.gif").arg(QLatin1String(name)), arrow, 2);
    }
    QImage title(600, 113, QImage::Format_RGB32);
    title.fill(Qt::white);
    QPainter(&title).fillRect(100, 30, 400, 50, QColor(120, 20, 40));
    title.save(folder + QStringLiteral("/Pictures/Title.jpg"), "JPEG", 100);
    writeFile(folder + QStringLiteral("/Music/Theme.mid"), QByteArray("MThd"));
}

::testing::AssertionResult sameRgb(const QImage& actual, const QImage& expected) {
    if (actual.size() != expected.size()) {
        return ::testing::AssertionFailure() << "the sizes differ";
    }
    for (int y = 0; y < expected.height(); ++y) {
        for (int x = 0; x < expected.width(); ++x) {
            if (((actual.pixel(x, y) ^ expected.pixel(x, y)) & 0xFFFFFFu) != 0) {
                return ::testing::AssertionFailure()
                       << "the first to differ is (" << x << ", " << y << ")";
            }
        }
    }
    return ::testing::AssertionSuccess();
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

}  // namespace testing_support
