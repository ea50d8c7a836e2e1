#include "indexed_image.h"

#include <algorithm>
#include <map>
#include <stdexcept>
#include <string>

namespace assetgen {

QImage IndexedImage::toQImage() const {
    QImage out(width, height, QImage::Format_Indexed8);
    QList<QRgb> table(palette.begin(), palette.end());
    out.setColorTable(table);
    for (int y = 0; y < height; ++y) {
        std::copy_n(pixels.begin() + static_cast<std::ptrdiff_t>(y) * width, width,
                    out.scanLine(y));
    }
    return out;
}

IndexedImage indexExact(const QImage& image, bool keepAlpha) {
    QImage src = image.convertToFormat(QImage::Format_ARGB32);
    auto normalise = [keepAlpha](QRgb c) -> QRgb {
        if (!keepAlpha) {
            return c | 0xff000000u;
        }
        return qAlpha(c) < 128 ? 0u : (c | 0xff000000u);
    };
    std::map<QRgb, int> lookup;
    for (int y = 0; y < src.height(); ++y) {
        const QRgb* line = reinterpret_cast<const QRgb*>(src.constScanLine(y));
        for (int x = 0; x < src.width(); ++x) {
            lookup.emplace(normalise(line[x]), 0);
        }
    }
    if (lookup.size() > 256) {
        throw std::runtime_error("picture uses " + std::to_string(lookup.size()) +
                                 " colours, more than 256");
    }
    IndexedImage out;
    out.width = src.width();
    out.height = src.height();
    for (auto& [colour, index] : lookup) {
        index = static_cast<int>(out.palette.size());
        out.palette.push_back(colour);
    }
    out.pixels.resize(static_cast<size_t>(out.width) * out.height);
    for (int y = 0; y < src.height(); ++y) {
        const QRgb* line = reinterpret_cast<const QRgb*>(src.constScanLine(y));
        for (int x = 0; x < src.width(); ++x) {
            out.pixels[static_cast<size_t>(y) * out.width + x] =
                static_cast<std::uint8_t>(lookup[normalise(line[x])]);
        }
    }
    return out;
}

int transparentIndex(const IndexedImage& image) {
    for (size_t i = 0; i < image.palette.size(); ++i) {
        if (qAlpha(image.palette[i]) == 0) {
            return static_cast<int>(i);
        }
    }
    return -1;
}

}  // namespace assetgen
