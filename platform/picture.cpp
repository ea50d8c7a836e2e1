#include "platform/picture.h"

#include <QBuffer>
#include <QFile>
#include <QFileInfo>
#include <QImageReader>

#include "platform/runtime_error.h"
#include "platform/picture_format.h"

namespace platform {

QImage readImage(const QString& path) {
    QFile file(path);
    if (!QFileInfo(path).isFile() || !file.open(QIODevice::ReadOnly)) {
        raise(RuntimeError::Kind::FileNotFound, path.toStdString());
    }
    const QByteArray data = file.readAll();
    QBuffer buffer;
    buffer.setData(data);
    buffer.open(QIODevice::ReadOnly);
    QImageReader reader(&buffer);
    const QByteArray format = reader.format();
    QImage image = reader.read();
    // Qt fills in what is missing from a truncated BMP or JPEG without failing; such a file is
    // as unusable as one that does not decode at all.
    if (image.isNull() || !isComplete(data, format)) {
        raise(RuntimeError::Kind::InvalidPicture, path.toStdString());
    }
    return image;
}

Picture Picture::load(const QString& path) {
    Picture picture;
    picture.pixels_ = Surface(readImage(path));
    return picture;
}

}  // namespace platform
