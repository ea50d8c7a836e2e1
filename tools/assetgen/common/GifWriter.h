#pragma once

#include <QString>

#include "IndexedImage.h"

namespace assetgen {

// Writes a single-frame GIF89a. A palette entry with zero alpha becomes the GIF's transparent
// colour. Returns false when the file cannot be written.
bool writeGif(const QString& path, const IndexedImage& image);

}  // namespace assetgen
