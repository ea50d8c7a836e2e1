#include "platform/pictures/surface.h"

#include <algorithm>
#include <cstring>
#include <vector>

namespace platform {
namespace {

constexpr std::uint32_t kOpaque = 0xFF000000u;
constexpr std::uint32_t kRgbMask = 0x00FFFFFFu;

// Source index of destination pixel i when srcLen pixels are scaled to dstLen: the pixel under
// the centre of the destination pixel, stepped in 16.16 fixed point with ties going to the lower
// pixel. This is the sampling of Qt's raster engine, so our pixels equal a QPainter drawImage.
int sampleIndex(int i, int srcLen, int dstLen) {
    if (srcLen == dstLen) {
        return i;
    }
    const auto step = static_cast<long long>(65536.0 / (static_cast<double>(dstLen) / srcLen));
    const long long v = (step / 2 + static_cast<long long>(i) * step - 1) >> 16;
    return static_cast<int>(std::clamp<long long>(v, 0, srcLen - 1));
}

// Destination indexes [first, last) along one axis whose own position lies inside [0, dstSize)
// and whose source position lies inside [0, srcSize); `map` gives the source of each index.
struct Span {
    int first = 0;
    int last = 0;
    bool empty() const { return first >= last; }
};

template <class Map>
Span clipSpan(int pos, int len, int dstSize, int srcSize, Map map) {
    Span s{std::max(0, -pos), std::min(len, dstSize - pos)};
    // The mapping is monotonic, so the valid source range is one contiguous run.
    while (!s.empty() && map(s.first) < 0) {
        ++s.first;
    }
    while (!s.empty() && map(s.last - 1) >= srcSize) {
        --s.last;
    }
    return s;
}

inline std::uint32_t combine(std::uint32_t d, std::uint32_t s, RasterOp op) {
    switch (op) {
        case RasterOp::Copy:
            return s | kOpaque;
        case RasterOp::Paint:
            return (d | s) | kOpaque;
        case RasterOp::Invert:
            return ((d ^ s) & kRgbMask) | kOpaque;
    }
    return d;
}

}  // namespace

Surface::Surface(int width, int height, QRgb fill)
    : image_(std::max(width, 0), std::max(height, 0), QImage::Format_RGB32) {
    image_.fill(fill | kOpaque);
}

Surface::Surface(const QImage& image) : image_(image.convertToFormat(QImage::Format_RGB32)) {}

void Surface::fill(QRgb colour) {
    image_.fill(colour | kOpaque);
}

void Surface::resize(int width, int height, QRgb fill) {
    if (width == this->width() && height == this->height()) {
        return;
    }
    Surface resized(width, height, fill);
    bitBlt(resized, 0, 0, this->width(), this->height(), *this, 0, 0);
    *this = std::move(resized);
}

std::uint32_t* Surface::pixels() {
    return reinterpret_cast<std::uint32_t*>(image_.bits());
}

const std::uint32_t* Surface::pixels() const {
    return reinterpret_cast<const std::uint32_t*>(image_.constBits());
}

void bitBlt(Surface& dst, int x, int y, int w, int h, const Surface& src, int sx, int sy,
            RasterOp op) {
    if (w <= 0 || h <= 0) {
        return;
    }
    if (&dst == &src) {
        // Overlapping copies within one surface read from a snapshot of the source.
        const Surface snapshot = src;
        bitBlt(dst, x, y, w, h, snapshot, sx, sy, op);
        return;
    }
    const Span cols = clipSpan(x, w, dst.width(), src.width(), [sx](int i) { return sx + i; });
    const Span rows = clipSpan(y, h, dst.height(), src.height(), [sy](int j) { return sy + j; });
    if (cols.empty() || rows.empty()) {
        return;
    }
    const int count = cols.last - cols.first;
    // One detach check for the whole copy, not one per row.
    std::uint32_t* const dstPixels = dst.pixels();
    const std::uint32_t* const srcPixels = src.pixels();
    if (op == RasterOp::Copy && x == 0 && sx == 0 && cols.first == 0 && count == dst.stride() &&
        count == src.stride()) {
        // Whole rows of images of one width: the rows follow each other in both, one copy.
        std::memcpy(
            dstPixels + (y + rows.first) * dst.stride(),
            srcPixels + (sy + rows.first) * src.stride(),
            static_cast<std::size_t>(rows.last - rows.first) * count * sizeof(std::uint32_t));
        return;
    }
    for (int j = rows.first; j < rows.last; ++j) {
        std::uint32_t* d = dstPixels + (y + j) * dst.stride() + x + cols.first;
        const std::uint32_t* s = srcPixels + (sy + j) * src.stride() + sx + cols.first;
        if (op == RasterOp::Copy) {
            std::memcpy(d, s, static_cast<std::size_t>(count) * sizeof(std::uint32_t));
        } else {
            for (int i = 0; i < count; ++i) {
                d[i] = combine(d[i], s[i], op);
            }
        }
    }
}

namespace {

// The scaled blits share their walk over the destination; `put` combines one pixel.
template <class Put>
void scaledWalk(Surface& dst, int x, int y, int w, int h, const Surface& src, int sx, int sy,
                int sw, int sh, bool rowsMayRepeat, Put put) {
    if (w <= 0 || h <= 0 || sw <= 0 || sh <= 0) {
        return;
    }
    auto mapX = [&](int i) { return sx + sampleIndex(i, sw, w); };
    auto mapY = [&](int j) { return sy + sampleIndex(j, sh, h); };
    const Span cols = clipSpan(x, w, dst.width(), src.width(), mapX);
    const Span rows = clipSpan(y, h, dst.height(), src.height(), mapY);
    if (cols.empty() || rows.empty()) {
        return;
    }
    std::vector<int> srcX(static_cast<std::size_t>(cols.last - cols.first));
    for (int i = cols.first; i < cols.last; ++i) {
        srcX[static_cast<std::size_t>(i - cols.first)] = mapX(i);
    }
    const std::size_t rowBytes = srcX.size() * sizeof(std::uint32_t);
    std::uint32_t* const dstPixels = dst.pixels();
    const std::uint32_t* const srcPixels = src.pixels();
    const std::ptrdiff_t dstStride = dst.stride();
    int previousSrcRow = -1;
    for (int j = rows.first; j < rows.last; ++j) {
        const int srcRow = mapY(j);
        std::uint32_t* d = dstPixels + (y + j) * dstStride + x + cols.first;
        if (rowsMayRepeat && srcRow == previousSrcRow) {
            // Enlarging repeats source rows: the row just written is the answer again.
            std::memcpy(d, d - dstStride, rowBytes);
            continue;
        }
        const std::uint32_t* s = srcPixels + srcRow * src.stride();
        for (std::size_t i = 0; i < srcX.size(); ++i) {
            put(d[i], s[srcX[i]]);
        }
        previousSrcRow = srcRow;
    }
}

}  // namespace

void stretchBlt(Surface& dst, int x, int y, int w, int h, const Surface& src, int sx, int sy,
                int sw, int sh, RasterOp op) {
    if (w == sw && h == sh) {
        bitBlt(dst, x, y, w, h, src, sx, sy, op);
        return;
    }
    if (&dst == &src) {
        const Surface snapshot = src;
        stretchBlt(dst, x, y, w, h, snapshot, sx, sy, sw, sh, op);
        return;
    }
    scaledWalk(dst, x, y, w, h, src, sx, sy, sw, sh, op == RasterOp::Copy,
               [op](std::uint32_t& d, std::uint32_t s) { d = combine(d, s, op); });
}

void transparentBlt(Surface& dst, int x, int y, int w, int h, const Surface& src, int sx, int sy,
                    int sw, int sh, QRgb key) {
    if (&dst == &src) {
        const Surface snapshot = src;
        transparentBlt(dst, x, y, w, h, snapshot, sx, sy, sw, sh, key);
        return;
    }
    const std::uint32_t keyRgb = key & kRgbMask;
    scaledWalk(dst, x, y, w, h, src, sx, sy, sw, sh, false,
               [keyRgb](std::uint32_t& d, std::uint32_t s) {
                   if ((s & kRgbMask) != keyRgb) {
                       d = s | kOpaque;
                   }
               });
}

}  // namespace platform
