#include "title/keyed_picture.h"

#include <algorithm>
#include <cstring>

namespace velmora {

bool KeyedPicture::prepare(const platform::Surface& picture, QRect area, QRgb key) {
    key &= 0xFFFFFFu;
    const qint64 pictureKey = picture.image().cacheKey();
    if (prepared_ && pictureKey == pictureKey_ && area == area_ && key == key_) {
        return false;
    }
    prepared_ = true;
    picture_ = picture;
    pictureKey_ = pictureKey;
    area_ = area;
    key_ = key;
    runs_.clear();
    // Only the part of the area that lies on the picture is ever drawn.
    const QRect inside = area & QRect(0, 0, picture.width(), picture.height());
    for (int y = inside.top(); y <= inside.bottom(); ++y) {
        int x = inside.left();
        while (x <= inside.right()) {
            while (x <= inside.right() && picture.pixel(x, y) == key) {
                ++x;
            }
            const int first = x;
            while (x <= inside.right() && picture.pixel(x, y) != key) {
                ++x;
            }
            if (x > first) {
                runs_.push_back({y - area.top(), first - area.left(), x - first});
            }
        }
    }
    return true;
}

template <class Copy>
void KeyedPicture::forEachRun(const platform::Surface& dst, int x, int y, Copy copy) const {
    const int width = dst.width();
    const int height = dst.height();
    for (const Run& run : runs_) {
        const int dstRow = y + run.row;
        if (dstRow < 0 || dstRow >= height) {
            continue;
        }
        const int start = x + run.first;
        const int begin = std::max(start, 0);
        const int end = std::min(start + run.count, width);
        if (begin < end) {
            copy(dstRow, begin, run.row, run.first + (begin - start), end - begin);
        }
    }
}

void KeyedPicture::draw(platform::Surface& dst, int x, int y) const {
    std::uint32_t* const to = dst.pixels();
    const std::ptrdiff_t toStride = dst.stride();
    const std::uint32_t* const from =
        picture_.pixels() + area_.top() * picture_.stride() + area_.left();
    const std::ptrdiff_t fromStride = picture_.stride();
    forEachRun(dst, x, y, [&](int dstRow, int dstColumn, int row, int column, int count) {
        std::memcpy(to + dstRow * toStride + dstColumn, from + row * fromStride + column,
                    static_cast<std::size_t>(count) * sizeof(std::uint32_t));
    });
}

void KeyedPicture::restore(platform::Surface& dst, int x, int y,
                           const platform::Surface& beneath) const {
    std::uint32_t* const to = dst.pixels();
    const std::ptrdiff_t toStride = dst.stride();
    const std::uint32_t* const from = beneath.pixels();
    const std::ptrdiff_t fromStride = beneath.stride();
    const int width = beneath.width();
    const int height = beneath.height();
    forEachRun(dst, x, y, [&](int dstRow, int dstColumn, int, int, int count) {
        if (dstRow < height && dstColumn + count <= width) {
            std::memcpy(to + dstRow * toStride + dstColumn, from + dstRow * fromStride + dstColumn,
                        static_cast<std::size_t>(count) * sizeof(std::uint32_t));
        }
    });
}

}  // namespace velmora
