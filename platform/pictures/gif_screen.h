#pragma once

#include <QByteArray>
#include <QImage>

namespace platform {

// The first image of a GIF drawn into its logical screen, as Qt's reader gives it: 32-bit RGB,
// or ARGB when the image has a transparent colour, whose pixels stay clear. Qt's reader takes
// screens of fewer than 16384 × 16384 pixels; this one reads that size too. A null image when
// the bytes hold no whole first image.
QImage readGifScreen(const QByteArray& data);

}  // namespace platform
