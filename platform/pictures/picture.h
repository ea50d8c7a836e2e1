#pragma once

#include <QImage>
#include <QString>
#include <memory>

#include "platform/pictures/surface.h"

namespace platform {

// Reads a BMP (8-bit and RLE8 included, with the 12-, 40-, 52-, 56-, 108- or 124-byte
// header), GIF or JPEG file of up to 16384 × 16384 pixels. A missing file is the run-time
// "file not found" error; a truncated or undecodable one, or one too large, is the "invalid
// picture" error, which says so with the size and the limit. Both name the file. The image keeps
// its alpha channel (GIF transparency). A file that has not changed on disk since it was last read
// (same size and modification time) is served from memory, with the same pixels.
QImage readImage(const QString& path);

// A loaded picture used as a blit source: the map's tile set, the backgrounds, the title.
// Copies share its pixels.
class Picture {
  public:
    Picture() = default;
    // Loads the picture as readImage() does. While a picture of the file is held anywhere and
    // the file is unchanged on disk, its pixels are served again without reading the file; they
    // are freed with the last picture that holds them.
    static Picture load(const QString& path);

    bool isNull() const { return surface().isNull(); }
    int width() const { return surface().width(); }
    int height() const { return surface().height(); }
    const Surface& surface() const;

  private:
    std::shared_ptr<const Surface> pixels_;
};

}  // namespace platform
