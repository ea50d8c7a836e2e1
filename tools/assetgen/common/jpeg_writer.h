#pragma once

#include <QByteArray>
#include <QImage>

namespace assetgen {

// Encodes a picture as baseline JPEG with full-resolution colour (no chroma subsampling), so
// that sharp edges against a keyed background colour stay clean.
QByteArray encodeJpeg(const QImage& image, int quality);

}  // namespace assetgen
