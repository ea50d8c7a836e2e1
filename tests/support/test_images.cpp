#include "support/test_images.h"

#include <gif_lib.h>

#include "common/bmp_writer.h"

#include <QBuffer>
#include <QDir>
#include <QFile>
#include <QPainter>
#include <QtEndian>
#include <algorithm>
#include <stdexcept>

namespace testing_support {

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
    QBuffer buffer;
    buffer.open(QIODevice::WriteOnly);
    image.convertToFormat(QImage::Format_RGB32).save(&buffer, "BMP");  // 24 bits a pixel
    return buffer.data();
}

QByteArray bmp8(const QImage& indexed, bool rle8) {
    const assetgen::IndexedImage pixels = assetgen::indexExact(indexed);
    return rle8 ? assetgen::bmpRle8File(pixels) : assetgen::bmp8File(pixels);
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
    if (actual.convertToFormat(QImage::Format_RGB32) ==
        expected.convertToFormat(QImage::Format_RGB32)) {
        return ::testing::AssertionSuccess();
    }
    return ::testing::AssertionFailure() << "the pixels differ";
}

}  // namespace testing_support
