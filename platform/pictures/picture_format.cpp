#include "platform/pictures/picture_format.h"

#include <QtEndian>
#include <cstdint>
#include <cstdlib>

namespace platform {
namespace {

std::uint32_t le32(const QByteArray& data, int offset) {
    return qFromLittleEndian<std::uint32_t>(data.constData() + offset);
}

std::uint16_t le16(const QByteArray& data, int offset) {
    return qFromLittleEndian<std::uint16_t>(data.constData() + offset);
}

bool bmpComplete(const QByteArray& data) {
    constexpr int kFileHeader = 14;
    constexpr qint64 kCoreHeader = 12;  // the older header: 16-bit sizes, no compression
    if (data.size() < kFileHeader + 4) {
        return false;
    }
    const qint64 headerSize = le32(data, kFileHeader);
    // Any other header is read as the 40-byte one, whose fields must all be there.
    if (headerSize < kCoreHeader ||
        data.size() < kFileHeader + (headerSize == kCoreHeader ? kCoreHeader : 40)) {
        return false;
    }
    const qint64 fileSize = le32(data, 2);
    const qint64 pixelOffset = le32(data, 10);
    if (fileSize > data.size() || pixelOffset > data.size()) {
        return false;
    }
    qint64 width = 0;
    qint64 height = 0;
    qint64 bitsPerPixel = 0;
    std::uint32_t compression = 0;
    qint64 imageSize = 0;
    if (headerSize == kCoreHeader) {
        width = le16(data, 18);
        height = le16(data, 20);
        bitsPerPixel = le16(data, 24);
    } else {
        width = static_cast<std::int32_t>(le32(data, 18));
        height = std::abs(qint64{static_cast<std::int32_t>(le32(data, 22))});
        bitsPerPixel = le16(data, 28);
        compression = le32(data, 30);
        imageSize = le32(data, 34);
    }
    constexpr std::uint32_t kRgb = 0;
    constexpr std::uint32_t kBitfields = 3;
    if (compression == kRgb || compression == kBitfields) {
        // Rows times stride, compared without multiplying: a header may claim 2^31 of each.
        const qint64 stride = ((width * bitsPerPixel + 31) / 32) * 4;
        return height == 0 || stride <= (data.size() - pixelOffset) / height;
    }
    // Run-length data: its stored length must be there.
    return pixelOffset + imageSize <= data.size();
}

bool jpegComplete(const QByteArray& data) {
    const auto byte = [&data](qsizetype i) { return static_cast<std::uint8_t>(data[i]); };
    const qsizetype size = data.size();
    if (size < 2 || byte(0) != 0xFF || byte(1) != 0xD8) {
        return false;
    }
    // Segment by segment up to the end-of-image marker; whatever follows it (a trailer, a
    // newline, padding) is not part of the picture. The entropy-coded data of a scan runs to
    // the next marker that is neither a stuffed zero nor a restart marker.
    constexpr std::uint8_t kEndOfImage = 0xD9;
    constexpr std::uint8_t kStartOfScan = 0xDA;
    const auto isRestart = [](std::uint8_t code) { return code >= 0xD0 && code <= 0xD7; };
    bool scanned = false;
    qsizetype pos = 2;
    for (;;) {
        // Stray bytes before a marker are skipped, as decoders do; fill bytes 0xFF too.
        pos = data.indexOf('\xFF', pos);
        while (pos >= 0 && pos < size && byte(pos) == 0xFF) {
            ++pos;
        }
        if (pos < 0 || pos >= size) {
            return false;
        }
        const std::uint8_t code = byte(pos++);
        if (code == kEndOfImage) {
            return scanned;
        }
        if (code == 0x00 || code == 0x01 || isRestart(code)) {
            continue;  // no length follows
        }
        if (pos + 2 > size) {
            return false;
        }
        const qsizetype length = qFromBigEndian<std::uint16_t>(data.constData() + pos);
        if (length < 2 || length > size - pos) {
            return false;
        }
        pos += length;
        if (code != kStartOfScan) {
            continue;
        }
        scanned = true;
        for (;;) {
            pos = data.indexOf('\xFF', pos);
            if (pos < 0 || pos + 1 >= size) {
                return false;
            }
            const std::uint8_t next = byte(pos + 1);
            if (next != 0x00 && next != 0xFF && !isRestart(next)) {
                break;  // a marker: the scan is over
            }
            pos += next == 0xFF ? 1 : 2;
        }
    }
}

bool gifComplete(const QByteArray& data) {
    const auto byte = [&data](qsizetype i) { return static_cast<std::uint8_t>(data[i]); };
    const qsizetype size = data.size();
    constexpr qsizetype kScreenEnd = 13;  // signature and logical screen descriptor
    if (size < kScreenEnd) {
        return false;
    }
    const auto colourTable = [&byte](qsizetype flagsAt) -> qsizetype {
        const std::uint8_t flags = byte(flagsAt);
        return (flags & 0x80) != 0 ? qsizetype{3} << ((flags & 7) + 1) : 0;
    };
    qsizetype pos = kScreenEnd + colourTable(10);
    // Block by block. Each block must be whole; after a whole image, the end of the bytes, the
    // trailer or anything that starts no block ends the picture: many writers pad after the
    // trailer, and old ones leave it out.
    bool image = false;
    for (;;) {
        if (pos >= size) {
            return image;
        }
        const std::uint8_t introducer = byte(pos++);
        if (introducer == 0x2C) {  // image descriptor, its colour table and code size
            constexpr qsizetype kDescriptor = 9;
            if (pos + kDescriptor >= size) {
                return false;
            }
            pos += kDescriptor + colourTable(pos + kDescriptor - 1) + 1;
        } else if (introducer == 0x21) {  // extension: its label
            ++pos;
        } else {
            return image;
        }
        // Data sub-blocks up to the empty one.
        for (;;) {
            if (pos >= size) {
                return false;
            }
            const std::uint8_t length = byte(pos++);
            if (length == 0) {
                break;
            }
            pos += length;
        }
        image = image || introducer == 0x2C;
    }
}

}  // namespace

bool isComplete(const QByteArray& data, const QByteArray& format) {
    if (format == "bmp") {
        return bmpComplete(data);
    }
    if (format == "jpeg" || format == "jpg") {
        return jpegComplete(data);
    }
    if (format == "gif") {
        return gifComplete(data);
    }
    return true;
}

QSize gifScreenSize(const QByteArray& data) {
    constexpr int kScreenEnd = 10;
    if (data.size() < kScreenEnd || !data.startsWith("GIF")) {
        return {};
    }
    return {le16(data, 6), le16(data, 8)};
}

QByteArray withFullMaskHeader(const QByteArray& data) {
    constexpr int kFileHeader = 14;
    constexpr std::uint32_t kMasksHeader = 52;      // the 40-byte fields and three colour masks
    constexpr std::uint32_t kAlphaMaskHeader = 56;  // and an alpha mask
    constexpr std::uint32_t kFullMaskHeader = 108;  // and a colour space
    if (data.size() < kFileHeader + 4 || !data.startsWith("BM")) {
        return data;
    }
    const std::uint32_t headerSize = le32(data, kFileHeader);
    if ((headerSize != kMasksHeader && headerSize != kAlphaMaskHeader) ||
        data.size() < kFileHeader + static_cast<qsizetype>(headerSize)) {
        return data;
    }
    // What the 108-byte header adds: the alpha mask the 52-byte one lacks (none), the colour
    // space (sRGB), its end points and gammas (unused with sRGB).
    QByteArray added(static_cast<qsizetype>(kFullMaskHeader - headerSize), '\0');
    constexpr std::uint32_t kSrgb = 0x73524742;  // "sRGB"
    qToLittleEndian(kSrgb, added.data() + (kAlphaMaskHeader - headerSize));
    QByteArray out = data;
    out.insert(kFileHeader + static_cast<qsizetype>(headerSize), added);
    const auto grow = [&out, &added](int offset) {
        qToLittleEndian<std::uint32_t>(le32(out, offset) + static_cast<std::uint32_t>(added.size()),
                                       out.data() + offset);
    };
    grow(2);   // the file's size
    grow(10);  // where the pixels start
    qToLittleEndian(kFullMaskHeader, out.data() + kFileHeader);
    return out;
}

}  // namespace platform
