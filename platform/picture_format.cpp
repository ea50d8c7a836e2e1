#include "platform/picture_format.h"

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
    // The end-of-image marker closes the file; some writers pad after it.
    QByteArray trimmed = data;
    while (!trimmed.isEmpty() && trimmed.back() == '\0') {
        trimmed.chop(1);
    }
    return trimmed.endsWith("\xFF\xD9");
}

bool gifComplete(const QByteArray& data) {
    return data.endsWith('\x3B');
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

}  // namespace platform
