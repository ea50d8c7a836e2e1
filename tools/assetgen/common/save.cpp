#include "save.h"

#include <QBuffer>
#include <stdexcept>

#include "bmp_writer.h"
#include "gif_writer.h"

namespace assetgen {

void saveBytes(const QString& path, const QByteArray& bytes) {
    if (!writeFile(path, bytes)) {
        throw std::runtime_error("cannot write " + path.toStdString());
    }
}

void saveImage(const QString& path, const QImage& image, const char* format, int quality) {
    QByteArray bytes;
    QBuffer buffer(&bytes);
    buffer.open(QIODevice::WriteOnly);
    if (!image.save(&buffer, format, quality)) {
        throw std::runtime_error("cannot encode " + path.toStdString());
    }
    saveBytes(path, bytes);
}

void saveGif(const QString& path, const IndexedImage& image) {
    if (!writeGif(path, image)) {
        throw std::runtime_error("cannot write " + path.toStdString());
    }
}

}  // namespace assetgen
