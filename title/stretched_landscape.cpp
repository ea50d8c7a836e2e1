#include "title/stretched_landscape.h"

namespace velmora {

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
        platform::stretchBlt(result_, 0, 0, stretched.width(), stretched.height(), picture, 0, 0,
                             picture.width(), picture.height());
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
