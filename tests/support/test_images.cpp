#include "support/test_images.h"

#include <gif_lib.h>

#include <QDir>
#include <QFile>
#include <QtEndian>
#include <stdexcept>

namespace testing_support {
namespace {

QByteArray bmpHeaders(int width, int height, int bits, quint32 compression, quint32 dataSize,
                      int paletteSize) {
    const quint32 offset = 14 + 40 + static_cast<quint32>(paletteSize) * 4;
    QByteArray out;
    out.append("BM");
    put32(out, offset + dataSize);
    put32(out, 0);
    put32(out, offset);
    put32(out, 40);
    put32(out, static_cast<quint32>(width));
    put32(out, static_cast<quint32>(height));
    put16(out, 1);
    put16(out, static_cast<quint16>(bits));
    put32(out, compression);
    put32(out, dataSize);
    put32(out, 2835);
    put32(out, 2835);
    put32(out, static_cast<quint32>(paletteSize));
    put32(out, 0);
    return out;
}

}  // namespace

void put16(QByteArray& out, quint16 v) {
    char b[2];
    qToLittleEndian(v, b);
    out.append(b, 2);
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

void writeBmp24(const QString& path, const QImage& image) {
    const int w = image.width();
    const int h = image.height();
    const int stride = (w * 3 + 3) & ~3;
    QByteArray out = bmpHeaders(w, h, 24, 0, static_cast<quint32>(stride * h), 0);
    for (int y = h - 1; y >= 0; --y) {
        QByteArray row(stride, '\0');
        for (int x = 0; x < w; ++x) {
            const QRgb p = image.pixel(x, y);
            row[x * 3] = static_cast<char>(qBlue(p));
            row[x * 3 + 1] = static_cast<char>(qGreen(p));
            row[x * 3 + 2] = static_cast<char>(qRed(p));
        }
        out.append(row);
    }
    writeFile(path, out);
}

void writeBmp8(const QString& path, const QImage& indexed, bool rle8) {
    const int w = indexed.width();
    const int h = indexed.height();
    QByteArray data;
    for (int y = h - 1; y >= 0; --y) {
        const uchar* line = indexed.constScanLine(y);
        if (!rle8) {
            QByteArray row(reinterpret_cast<const char*>(line), w);
            row.append(QByteArray((4 - w % 4) % 4, '\0'));
            data.append(row);
            continue;
        }
        for (int x = 0; x < w;) {
            int run = 1;
            while (x + run < w && run < 255 && line[x + run] == line[x]) {
                ++run;
            }
            data.append(static_cast<char>(run));
            data.append(static_cast<char>(line[x]));
            x += run;
        }
        data.append('\0');
        data.append(y == 0 ? '\1' : '\0');  // end of line, or end of bitmap after the last
    }
    const QVector<QRgb> palette = indexed.colorTable();
    QByteArray out = bmpHeaders(w, h, 8, rle8 ? 1 : 0, static_cast<quint32>(data.size()),
                                static_cast<int>(palette.size()));
    for (QRgb c : palette) {
        out.append(static_cast<char>(qBlue(c)));
        out.append(static_cast<char>(qGreen(c)));
        out.append(static_cast<char>(qRed(c)));
        out.append('\0');
    }
    out.append(data);
    writeFile(path, out);
}

void writeGif(const QString& path, const QImage& indexed, int transparentIndex) {
    QDir().mkpath(QFileInfo(path).absolutePath());
    int error = 0;
    GifFileType* gif = EGifOpenFileName(path.toLocal8Bit().constData(), false, &error);
    if (gif == nullptr) {
        throw std::runtime_error("cannot write " + path.toStdString());
    }
    QVector<GifColorType> colours(256);
    const QVector<QRgb> palette = indexed.colorTable();
    for (qsizetype i = 0; i < palette.size(); ++i) {
        colours[i] = GifColorType{static_cast<GifByteType>(qRed(palette[i])),
                                  static_cast<GifByteType>(qGreen(palette[i])),
                                  static_cast<GifByteType>(qBlue(palette[i]))};
    }
    ColorMapObject* map = GifMakeMapObject(256, colours.data());
    EGifSetGifVersion(gif, true);
    EGifPutScreenDesc(gif, indexed.width(), indexed.height(), 8, 0, map);
    if (transparentIndex >= 0) {
        GraphicsControlBlock gcb{DISPOSAL_UNSPECIFIED, false, 0, transparentIndex};
        GifByteType ext[4];
        EGifGCBToExtension(&gcb, ext);
        EGifPutExtension(gif, GRAPHICS_EXT_FUNC_CODE, 4, ext);
    }
    EGifPutImageDesc(gif, 0, 0, indexed.width(), indexed.height(), false, nullptr);
    for (int y = 0; y < indexed.height(); ++y) {
        EGifPutLine(gif, const_cast<GifByteType*>(indexed.constScanLine(y)), indexed.width());
    }
    EGifCloseFile(gif, &error);
    GifFreeMapObject(map);
}

void writeJpeg(const QString& path, const QImage& image, int quality) {
    QDir().mkpath(QFileInfo(path).absolutePath());
    if (!image.save(path, "JPEG", quality)) {
        throw std::runtime_error("cannot write " + path.toStdString());
    }
}

QRgb tilePixel(int x, int y) {
    return qRgb(x & 0xFF, y & 0xFF, ((x >> 8) << 4) | ((y >> 8) & 0x0F));
}

QRgb figureColour(int sprite, int frameX, int frameY) {
    return qRgb(1 + sprite * 3, 40 + frameX * 2 + frameY, 200);
}

bool isFigurePixel(int xInFrame, int yInFrame) {
    const bool inBody = xInFrame >= 8 && xInFrame < 24 && yInFrame >= 4 && yInFrame < 28;
    const bool hole = xInFrame == 16 && yInFrame == 16;
    return inBody && !hole;
}

void writeGameAssets(const QString& folder, int tileWidth, int tileHeight) {
    for (int n = 0; n < 64; ++n) {
        QImage sprite(64, 128, QImage::Format_RGB32);
        for (int y = 0; y < 128; ++y) {
            for (int x = 0; x < 64; ++x) {
                const int fx = x / 32 * 32;
                const int fy = y / 32 * 32;
                sprite.setPixel(
                    x, y, isFigurePixel(x - fx, y - fy) ? figureColour(n, fx, fy) : qRgb(0, 0, 0));
            }
        }
        writeBmp24(
            folder + QStringLiteral("/Characters/Char%1.bmp").arg(n, 3, 10, QLatin1Char('0')),
            sprite);
    }
    QImage tiles(tileWidth, tileHeight, QImage::Format_RGB32);
    for (int y = 0; y < tileHeight; ++y) {
        for (int x = 0; x < tileWidth; ++x) {
            tiles.setPixel(x, y, tilePixel(x, y));
        }
    }
    writeBmp24(folder + QStringLiteral("/Background/World/ts0.bmp"), tiles);

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
    for (int y = 30; y < 80; ++y) {
        for (int x = 100; x < 500; ++x) {
            title.setPixel(x, y, qRgb(120, 20, 40));
        }
    }
    writeJpeg(folder + QStringLiteral("/Pictures/Title.jpg"), title);
    writeFile(folder + QStringLiteral("/Music/Theme.mid"), QByteArray("MThd"));
}

}  // namespace testing_support
