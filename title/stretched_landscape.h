#pragma once

#include <QRgb>
#include <QSize>

#include "platform/surface.h"

namespace velmora {

// The title's canvas as each animation tick begins it: cleared to its background colour, with
// the whole landscape picture stretched over its top-left corner. The result is kept, since it
// is the same on every tick until the scene or the canvas changes.
class StretchedLandscape {
  public:
    // The canvas of size `canvas` filled with `background`, `picture` stretched onto its
    // w × h pixels at (0, 0). Made again only when one of them differs from last time; then
    // `remade` is set.
    const platform::Surface& draw(const platform::Surface& picture, QSize canvas, QRgb background,
                                  QSize stretched, bool& remade);
    // Forgets the result and frees its memory.
    void release();

  private:
    platform::Surface result_;
    qint64 pictureKey_ = 0;
    QSize canvas_;
    QSize stretched_;
    QRgb background_ = 0;
};

}  // namespace velmora
