#include "title/stretched_landscape.h"

#include <algorithm>
#include <cmath>
#include <cstring>

namespace velmora {

float titleCanvasWidth(float width, float height, float twipsPerPixelX, float twipsPerPixelY) {
    const float threeHeights = height * 3;
    if (width <= threeHeights) {
        return threeHeights;
    }
    // On 16:9 the canvas reaches 3 - 16/9 = 11/9 heights past the window: a whole number of
    // pixels here.
    const double beyond = std::nearbyint(static_cast<double>(height / twipsPerPixelY) * 11 / 9);
    return width + static_cast<float>(beyond) * twipsPerPixelX;
}

void drawLandscape(platform::Surface& canvas, const platform::Surface& picture, QSize stretched) {
    platform::stretchBlt(canvas, 0, 0, stretched.width(), stretched.height(), picture, 0, 0,
                         picture.width(), picture.height());
    const int tile = stretched.width();
    if (tile <= 0 || tile >= canvas.width()) {
        return;
    }
    // Row by row within the one canvas: the repeats never overlap the stretch they copy.
    const int rows = std::min(stretched.height(), canvas.height());
    std::uint32_t* const pixels = canvas.pixels();
    for (int y = 0; y < rows; ++y) {
        std::uint32_t* row = pixels + y * canvas.stride();
        for (int x = tile; x < canvas.width(); x += tile) {
            const int count = std::min(tile, canvas.width() - x);
            std::memcpy(row + x, row, static_cast<std::size_t>(count) * sizeof(std::uint32_t));
        }
    }
}

const platform::Surface& StretchedLandscape::draw(const platform::Surface& picture, QSize canvas,
                                                  QRgb background, QSize stretched, bool& remade) {
    // A picture's key changes whenever its pixels do, and no two pictures share one.
    const qint64 key = picture.image().cacheKey();
    remade = result_.isNull() || key != pictureKey_ || canvas != canvas_ ||
             stretched != stretched_ || background != background_;
    if (remade) {
        // The memory of the last scene is used again: a canvas of three display widths is
        // large, and fresh memory costs a page fault a page.
        if (result_.width() != canvas.width() || result_.height() != canvas.height()) {
            result_ = platform::Surface(canvas.width(), canvas.height(), background);
        } else if (picture.isNull() || stretched.width() < canvas.width() ||
                   stretched.height() < canvas.height()) {
            result_.fill(background);
        }
        drawLandscape(result_, picture, stretched);
        pictureKey_ = key;
        canvas_ = canvas;
        stretched_ = stretched;
        background_ = background;
    }
    return result_;
}

void StretchedLandscape::release() {
    result_ = platform::Surface();
}

}  // namespace velmora
