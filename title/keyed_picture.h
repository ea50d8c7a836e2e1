#pragma once

#include <QRect>
#include <QRgb>
#include <vector>

#include "platform/pictures/surface.h"

namespace velmora {

// A picture drawn at its own size with one colour left out: the pixels of a transparentBlt
// whose source and destination sizes agree. The runs of pixels that are drawn are found once,
// so each drawing copies just those, and putting back what lay beneath touches nothing else.
class KeyedPicture {
  public:
    // The part `area` of `picture`, without the colour `key`. Found again only when the
    // picture, the area or the key differ from last time; then the result is true.
    bool prepare(const platform::Surface& picture, QRect area, QRgb key);

    // Draws it with its top-left at (x, y), clipped to `dst`.
    void draw(platform::Surface& dst, int x, int y) const;
    // Copies into `dst` from the same places of `beneath` exactly the pixels that draw() at
    // (x, y) would write.
    void restore(platform::Surface& dst, int x, int y, const platform::Surface& beneath) const;

  private:
    struct Run {
        int row;    // in the area
        int first;  // in the area
        int count;
    };
    // Calls copy(dstRow, dstColumn, areaRow, areaColumn, count) for each clipped run.
    template <class Copy>
    void forEachRun(const platform::Surface& dst, int x, int y, Copy copy) const;

    platform::Surface picture_;
    qint64 pictureKey_ = 0;
    QRect area_;
    QRgb key_ = 0;
    std::vector<Run> runs_;
    bool prepared_ = false;
};

}  // namespace velmora
