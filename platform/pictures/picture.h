#pragma once

#include <QImage>
#include <QString>

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
class Picture {
  public:
    Picture() = default;
    // Loads the picture as readImage() does, served from memory while the file is unchanged.
    static Picture load(const QString& path);

    bool isNull() const { return pixels_.isNull(); }
    int width() const { return pixels_.width(); }
    int height() const { return pixels_.height(); }
    const Surface& surface() const { return pixels_; }

  private:
    Surface pixels_;
};

}  // namespace platform
