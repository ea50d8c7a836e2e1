#pragma once

#include <QByteArray>
#include <QImage>
#include <QString>

#include "indexed_image.h"

namespace assetgen {

// Saving helpers that throw std::runtime_error on failure, naming the file.
void saveBytes(const QString& path, const QByteArray& bytes);
void saveImage(const QString& path, const QImage& image, const char* format, int quality = -1);
void saveGif(const QString& path, const IndexedImage& image);

}  // namespace assetgen
