#pragma once

#include <QByteArray>
#include <QString>

#include "indexed_image.h"

namespace assetgen {

// Encodes a single-frame GIF89a; empty on failure.
QByteArray encodeGif(const IndexedImage& image);

// Writes a single-frame GIF89a. A palette entry with zero alpha becomes the GIF's transparent
// colour. Returns false when the file cannot be written.
bool writeGif(const QString& path, const IndexedImage& image);

}  // namespace assetgen
