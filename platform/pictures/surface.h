#pragma once

#include <QImage>
#include <QRgb>
#include <cstdint>

namespace platform {

// An off-screen RGB image that can be drawn on and read back as a blit source, whether or not
// anything shows it. Picture boxes keep their drawing in one; loaded pictures are one.
class Surface {
  public:
    Surface() = default;
    Surface(int width, int height, QRgb fill = qRgb(0, 0, 0));
    // Takes the pixels of any image, dropping its alpha channel.
    explicit Surface(const QImage& image);

    int width() const { return image_.width(); }
    int height() const { return image_.height(); }
    bool isNull() const { return image_.isNull(); }

    // The colour at (x, y) as 0xRRGGBB.
    QRgb pixel(int x, int y) const { return image_.pixel(x, y) & 0xFFFFFFu; }
    void setPixel(int x, int y, QRgb colour) { image_.setPixel(x, y, colour | 0xFF000000u); }

    void fill(QRgb colour);
    // New size; what overlaps the old image is kept, the rest is filled with `fill`.
    void resize(int width, int height, QRgb fill);

    const QImage& image() const { return image_; }
    // Direct access for the blit loops: the first row and the distance between rows, in pixels.
    std::uint32_t* pixels();
    const std::uint32_t* pixels() const;
    std::ptrdiff_t stride() const { return image_.bytesPerLine() / 4; }

  private:
    QImage image_;
};

// How a blit combines the source with the destination.
enum class RasterOp {
    Copy,    // destination = source
    Paint,   // destination = destination OR source
    Invert,  // destination = destination XOR source
};

// Every blit is clipped to both images: destination pixels whose own position or whose source
// pixel lies outside its image are left untouched.

// Copies a w × h rectangle from (sx, sy) of `src` to (x, y) of `dst`.
void bitBlt(Surface& dst, int x, int y, int w, int h, const Surface& src, int sx, int sy,
            RasterOp op = RasterOp::Copy);

// Copies the sw × sh rectangle at (sx, sy) of `src` onto the w × h rectangle at (x, y) of
// `dst`, scaling by nearest neighbour.
void stretchBlt(Surface& dst, int x, int y, int w, int h, const Surface& src, int sx, int sy,
                int sw, int sh, RasterOp op = RasterOp::Copy);

// As stretchBlt with Copy, but source pixels of the colour `key` leave the destination as it is.
void transparentBlt(Surface& dst, int x, int y, int w, int h, const Surface& src, int sx, int sy,
                    int sw, int sh, QRgb key);

}  // namespace platform
