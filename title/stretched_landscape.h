#pragma once

#include <QRgb>
#include <QSize>

#include "platform/pictures/surface.h"

namespace velmora {

// The title's canvas width in twips for a window of the given size in twips. The landscape
// pictures are drawn three window heights wide, and so is the canvas; a window wider than that
// (32:9, 3840 × 1080) gets a canvas that reaches past its right edge as far as a 16:9 window of
// the same height does, so that its scenes last as long, with the landscape repeated along it.
float titleCanvasWidth(float width, float height, float twipsPerPixelX, float twipsPerPixelY);

// Stretches the whole `picture` onto the `stretched` pixels at the top-left of `canvas`, then
// repeats that stretch to the right until the canvas is covered. The landscapes' left and right
// edges meet, so the repeats join without a seam.
void drawLandscape(platform::Surface& canvas, const platform::Surface& picture, QSize stretched);

// The title's canvas as each animation tick begins it: cleared to its background colour, with
// the whole landscape picture stretched over its top-left corner. The result is kept, since it
// is the same on every tick until the scene or the canvas changes.
class StretchedLandscape {
  public:
    // The canvas of size `canvas` filled with `background`, `picture` stretched onto its
    // w × h pixels at (0, 0) and repeated to the right (drawLandscape). Made again only when one of
    // them differs from last time; then `remade` is set.
    const platform::Surface& draw(const platform::Surface& picture, QSize canvas, QRgb background,
                                  QSize stretched, bool& remade);
    // Forgets the result and frees its memory.
    void release();
    bool empty() const { return result_.isNull(); }

  private:
    platform::Surface result_;
    qint64 pictureKey_ = 0;
    QSize canvas_;
    QSize stretched_;
    QRgb background_ = 0;
};

}  // namespace velmora
