#pragma once

#include <QByteArray>
#include <QString>

#include "indexed_image.h"

namespace assetgen {

// Encodes the rows of an 8-bit picture with the BMP run-length scheme (RLE8), bottom row first.
QByteArray encodeRle8(const IndexedImage& image);

// A complete 8-bit BMP file with an RLE8-compressed bitmap.
QByteArray bmpRle8File(const IndexedImage& image);

// Writes an 8-bit, uncompressed BMP file (used for the small character pictures).
QByteArray bmp8File(const IndexedImage& image);

bool writeFile(const QString& path, const QByteArray& bytes);

}  // namespace assetgen
