#pragma once

#include <QImage>
#include <QRgb>
#include <cstdint>
#include <vector>

namespace assetgen {

// A picture of at most 256 colours: a palette and one palette index per pixel, rows top down.
struct IndexedImage {
    int width = 0;
    int height = 0;
    std::vector<QRgb> palette;
    std::vector<std::uint8_t> pixels;

    std::uint8_t at(int x, int y) const { return pixels[static_cast<size_t>(y) * width + x]; }
    QImage toQImage() const;
};

// Converts a picture that already uses at most 256 distinct colours, keeping every colour
// exactly. The palette is ordered by colour value so the result does not depend on pixel order.
// Colours with alpha below 128 all become the single transparent entry when `keepAlpha` is set.
// Throws std::runtime_error when the picture has more than 256 colours.
IndexedImage indexExact(const QImage& image, bool keepAlpha = false);

// Index of the palette's transparent entry, or -1.
int transparentIndex(const IndexedImage& image);

}  // namespace assetgen
