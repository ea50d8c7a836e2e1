#include "platform/picture.h"

#include <QBuffer>
#include <QCache>
#include <QDateTime>
#include <QFile>
#include <QFileInfo>
#include <QImageReader>

#include "platform/picture_format.h"
#include "platform/runtime_error.h"

namespace platform {
namespace {

QImage decodeImage(const QString& path) {
    QFile file(path);
    if (!QFileInfo(path).isFile() || !file.open(QIODevice::ReadOnly)) {
        raise(RuntimeError::Kind::FileNotFound, path.toStdString());
    }
    // No picture the reader would decode is larger on disk than in memory, so a file beyond the
    // reader's allocation limit is refused before it is read.
    if (file.size() > qint64(QImageReader::allocationLimit()) * 1024 * 1024) {
        raise(RuntimeError::Kind::InvalidPicture, path.toStdString());
    }
    const QByteArray data = file.readAll();
    QBuffer buffer;
    buffer.setData(data);
    buffer.open(QIODevice::ReadOnly);
    QImageReader reader(&buffer);
    // The format is told by the content, and only the three the game reads are decoded. Qt
    // fills in what is missing from a truncated BMP or JPEG without failing; such a file is as
    // unusable as one that does not decode at all, and is refused before decoding.
    const QByteArray format = reader.format();
    if ((format != "bmp" && format != "gif" && format != "jpeg") || !isComplete(data, format)) {
        raise(RuntimeError::Kind::InvalidPicture, path.toStdString());
    }
    QImage image = reader.read();
    if (image.isNull()) {
        raise(RuntimeError::Kind::InvalidPicture, path.toStdString());
    }
    return image;
}

// Decoded pictures by path, served again while the file on disk keeps its size and
// modification time. A file that changed is decoded anew; one that vanished is an error as
// before. The cache holds at most kBudget bytes of pixels, dropping the least used first.
template <class T>
class DecodedCache {
  public:
    template <class Decode>
    T get(const QString& path, Decode decode) {
        const QFileInfo info(path);
        if (!info.isFile()) {
            cache_.remove(path);
            return decode(path);  // raises the file error
        }
        const Stamp stamp{info.size(), info.lastModified()};
        if (const Entry* hit = cache_.object(path); hit != nullptr && hit->stamp == stamp) {
            return hit->value;
        }
        T value = decode(path);
        cache_.insert(path, new Entry{stamp, value}, costOf(value));
        return value;
    }

  private:
    static constexpr qsizetype kBudget = 192 * 1024 * 1024;
    struct Stamp {
        qint64 size = 0;
        QDateTime modified;
        bool operator==(const Stamp&) const = default;
    };
    struct Entry {
        Stamp stamp;
        T value;
    };
    static qsizetype costOf(const QImage& image) {
        return std::max<qsizetype>(1, image.sizeInBytes());
    }
    static qsizetype costOf(const Surface& surface) { return costOf(surface.image()); }

    QCache<QString, Entry> cache_{kBudget};
};

}  // namespace

QImage readImage(const QString& path) {
    static DecodedCache<QImage> cache;
    return cache.get(path, decodeImage);
}

Picture Picture::load(const QString& path) {
    static DecodedCache<Surface> cache;
    Picture picture;
    picture.pixels_ = cache.get(path, [](const QString& p) { return Surface(decodeImage(p)); });
    return picture;
}

}  // namespace platform
