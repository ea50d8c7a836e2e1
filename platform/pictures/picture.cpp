#include "platform/pictures/picture.h"

#include <QBuffer>
#include <QCache>
#include <QDateTime>
#include <QFile>
#include <QFileInfo>
#include <QHash>
#include <QImageReader>

#include "platform/base/runtime_error.h"
#include "platform/pictures/gif_screen.h"
#include "platform/pictures/picture_format.h"

namespace platform {
namespace {

// The largest picture the game loads, in pixels a side: 1 GiB of pixels at 32 bits.
#ifndef VELMORA_LARGEST_PICTURE_SIDE
#define VELMORA_LARGEST_PICTURE_SIDE 16384
#endif
constexpr int kLargestSide = VELMORA_LARGEST_PICTURE_SIDE;
constexpr qint64 kLargestPixelBytes = qint64{kLargestSide} * kLargestSide * 4;
// The largest file: the largest picture's pixels unpacked at 32 bits, and room for headers,
// palettes, colour profiles and metadata. Nothing larger is read.
constexpr qint64 kLargestFile = kLargestPixelBytes + (qint64{16} << 20);

[[noreturn]] void refuseAsTooLarge(const QString& path, const QString& size, const QString& limit) {
    raise(RuntimeError::Kind::InvalidPicture,
          QStringLiteral("%1: the picture is too large: %2, the limit is %3")
              .arg(path, size, limit)
              .toStdString());
}

// Qt's readers refuse to allocate more than a set number of megabytes, 128 unless told
// otherwise; the game's own pictures may take as much as the largest picture it loads.
class AllocationLimit {
  public:
    AllocationLimit() : previous_(QImageReader::allocationLimit()) {
        QImageReader::setAllocationLimit(static_cast<int>(kLargestPixelBytes >> 20));
    }
    ~AllocationLimit() { QImageReader::setAllocationLimit(previous_); }
    AllocationLimit(const AllocationLimit&) = delete;
    AllocationLimit& operator=(const AllocationLimit&) = delete;

  private:
    int previous_;
};

QImage decodeImage(const QString& path) {
    QFile file(path);
    if (!QFileInfo(path).isFile() || !file.open(QIODevice::ReadOnly)) {
        raise(RuntimeError::Kind::FileNotFound, path.toStdString());
    }
    if (file.size() > kLargestFile) {
        refuseAsTooLarge(path, QStringLiteral("%1 bytes").arg(file.size()),
                         QStringLiteral("%1 bytes").arg(kLargestFile));
    }
    // Qt's reader does not know the BMP headers that carry colour masks without a colour
    // space; the same fields behind the header it knows give the same pixels.
    const QByteArray data = withFullMaskHeader(file.readAll());
    QBuffer buffer;
    buffer.setData(data);
    buffer.open(QIODevice::ReadOnly);
    QImageReader reader(&buffer);
    // The format is told by the content, and only the three the game reads are decoded.
    const QByteArray format = reader.format();
    if (format != "bmp" && format != "gif" && format != "jpeg") {
        raise(RuntimeError::Kind::InvalidPicture, path.toStdString());
    }
    // The size the header claims, refused before anything is allocated for it. A GIF's images
    // are drawn into its logical screen, which is what the reader allocates.
    const QSize size = format == "gif" ? gifScreenSize(data) : reader.size();
    if (size.width() > kLargestSide || size.height() > kLargestSide) {
        refuseAsTooLarge(path,
                         QStringLiteral("%1 × %2 pixels").arg(size.width()).arg(size.height()),
                         QStringLiteral("%1 × %1 pixels").arg(kLargestSide));
    }
    // Qt fills in what is missing from a truncated BMP or JPEG without failing; such a file is
    // as unusable as one that does not decode at all, and is refused before decoding.
    if (!isComplete(data, format)) {
        raise(RuntimeError::Kind::InvalidPicture, path.toStdString());
    }
    // Qt's reader refuses GIF screens of 16384 × 16384 pixels or more, the game reads those.
    constexpr qint64 kLargestQtGif = qint64{16384} * 16384;
    const AllocationLimit limit;
    QImage image = format == "gif" && qint64{size.width()} * size.height() >= kLargestQtGif
                       ? readGifScreen(data)
                       : reader.read();
    if (image.isNull()) {
        raise(RuntimeError::Kind::InvalidPicture, path.toStdString());
    }
    return image;
}

// When a file was last changed on disk, as far as the game can tell: its size and time.
struct Stamp {
    qint64 size = 0;
    QDateTime modified;
    bool operator==(const Stamp&) const = default;
};

// Decoded pictures by path, served again while the file on disk keeps its size and
// modification time. A file that changed is decoded anew; one that vanished is an error as
// before. The cache holds at most kBudget bytes of pixels, dropping the least used first.
class DecodedImages {
  public:
    QImage get(const QString& path) {
        const QFileInfo info(path);
        if (!info.isFile()) {
            cache_.remove(path);
            return decodeImage(path);  // raises the file error
        }
        const Stamp stamp{info.size(), info.lastModified()};
        if (const Entry* hit = cache_.object(path); hit != nullptr && hit->stamp == stamp) {
            return hit->image;
        }
        QImage image = decodeImage(path);
        cache_.insert(path, new Entry{stamp, image}, std::max<qsizetype>(1, image.sizeInBytes()));
        return image;
    }

  private:
    static constexpr qsizetype kBudget = 192 * 1024 * 1024;
    struct Entry {
        Stamp stamp;
        QImage image;
    };
    QCache<QString, Entry> cache_{kBudget};
};

}  // namespace

QImage readImage(const QString& path) {
    static DecodedImages cache;
    return cache.get(path);
}

const Surface& Picture::surface() const {
    static const Surface none;
    return pixels_ ? *pixels_ : none;
}

Picture Picture::load(const QString& path) {
    // The pictures still held somewhere, by file: a file unchanged on disk is served from them.
    // The cache holds none itself, so a picture's pixels go with the last picture holding them,
    // such as the tile set of a map screen that has closed.
    struct Held {
        Stamp stamp;
        std::weak_ptr<const Surface> pixels;
    };
    static QHash<QString, Held> held;
    held.removeIf([](const auto& entry) { return entry.value().pixels.expired(); });
    const QFileInfo info(path);
    const Stamp stamp{info.size(), info.lastModified()};
    Picture picture;
    if (const auto hit = held.constFind(path);
        info.isFile() && hit != held.cend() && hit->stamp == stamp) {
        picture.pixels_ = hit->pixels.lock();
    }
    if (!picture.pixels_) {
        // Converted where it lies: a picture of the largest size is 1 GiB.
        QImage image = decodeImage(path);  // raises the file errors
        image.convertTo(QImage::Format_RGB32);
        picture.pixels_ = std::make_shared<const Surface>(image);
        held.insert(path, Held{stamp, picture.pixels_});
    }
    return picture;
}

}  // namespace platform
