#include "bmp_writer.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <cstdint>

namespace assetgen {

namespace {

void putU16(QByteArray& out, std::uint32_t v) {
    out.append(static_cast<char>(v & 0xff));
    out.append(static_cast<char>((v >> 8) & 0xff));
}

void putU32(QByteArray& out, std::uint32_t v) {
    putU16(out, v & 0xffff);
    putU16(out, v >> 16);
}

void putByte(QByteArray& out, int v) {
    out.append(static_cast<char>(v));
}

// Length of the run of equal pixels starting at `x`, at most 255.
int runLength(const std::uint8_t* row, int width, int x) {
    int n = 1;
    while (x + n < width && n < 255 && row[x + n] == row[x]) {
        ++n;
    }
    return n;
}

void encodeRow(QByteArray& out, const std::uint8_t* row, int width) {
    int x = 0;
    while (x < width) {
        int run = runLength(row, width, x);
        if (run >= 3) {
            putByte(out, run);
            putByte(out, row[x]);
            x += run;
            continue;
        }
        // Gather pixels that do not start a run of three or more into a literal block.
        int end = x;
        while (end < width && end - x < 255 && runLength(row, width, end) < 3) {
            ++end;
        }
        int count = end - x;
        if (count < 3) {
            // Literal blocks need at least three pixels; shorter ones become tiny runs.
            for (int i = 0; i < count; ++i) {
                putByte(out, 1);
                putByte(out, row[x + i]);
            }
        } else {
            putByte(out, 0);
            putByte(out, count);
            for (int i = 0; i < count; ++i) {
                putByte(out, row[x + i]);
            }
            if (count % 2 != 0) {
                putByte(out, 0);
            }
        }
        x = end;
    }
}

QByteArray fileWithBitmap(const IndexedImage& image, const QByteArray& bitmap,
                          std::uint32_t compression) {
    const std::uint32_t colours = static_cast<std::uint32_t>(image.palette.size());
    const std::uint32_t offset = 14 + 40 + colours * 4;
    QByteArray out;
    out.append("BM");
    putU32(out, offset + static_cast<std::uint32_t>(bitmap.size()));
    putU32(out, 0);
    putU32(out, offset);
    putU32(out, 40);
    putU32(out, static_cast<std::uint32_t>(image.width));
    putU32(out, static_cast<std::uint32_t>(image.height));
    putU16(out, 1);
    putU16(out, 8);
    putU32(out, compression);
    putU32(out, static_cast<std::uint32_t>(bitmap.size()));
    putU32(out, 2835);
    putU32(out, 2835);
    putU32(out, colours);
    putU32(out, 0);
    for (QRgb c : image.palette) {
        putByte(out, qBlue(c));
        putByte(out, qGreen(c));
        putByte(out, qRed(c));
        putByte(out, 0);
    }
    out.append(bitmap);
    return out;
}

}  // namespace

QByteArray encodeRle8(const IndexedImage& image) {
    QByteArray out;
    for (int y = image.height - 1; y >= 0; --y) {
        encodeRow(out, image.pixels.data() + static_cast<size_t>(y) * image.width, image.width);
        putByte(out, 0);
        putByte(out, y == 0 ? 1 : 0);
    }
    return out;
}

QByteArray bmpRle8File(const IndexedImage& image) {
    return fileWithBitmap(image, encodeRle8(image), 1);
}

QByteArray bmp8File(const IndexedImage& image) {
    const int stride = (image.width + 3) / 4 * 4;
    QByteArray bitmap;
    for (int y = image.height - 1; y >= 0; --y) {
        const auto* row = image.pixels.data() + static_cast<size_t>(y) * image.width;
        bitmap.append(reinterpret_cast<const char*>(row), image.width);
        bitmap.append(stride - image.width, '\0');
    }
    return fileWithBitmap(image, bitmap, 0);
}

bool writeFile(const QString& path, const QByteArray& bytes) {
    QDir().mkpath(QFileInfo(path).absolutePath());
    QFile file(path);
    if (!file.open(QIODevice::WriteOnly | QIODevice::Truncate)) {
        return false;
    }
    return file.write(bytes) == bytes.size();
}

}  // namespace assetgen
