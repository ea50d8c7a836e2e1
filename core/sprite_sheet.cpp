#include "core/sprite_sheet.h"

#include <cstdio>

#include "platform/pictures/picture.h"

namespace velmora {

std::string SpriteSheet::fileName(int index) {
    char name[32];
    std::snprintf(name, sizeof name, "\\Characters\\Char%03d.bmp", index);
    return name;
}

void SpriteSheet::load(const platform::AssetPaths& paths) {
    for (int n = 0; n < kCount; ++n) {
        pictures_[static_cast<std::size_t>(n)] =
            platform::Picture::load(paths.resolve(fileName(n))).surface();
    }
}

const platform::Surface& SpriteSheet::picture(Int16 index) const {
    if (index.value() < 0 || index.value() >= kCount) {
        platform::raise(platform::RuntimeError::Kind::SubscriptOutOfRange);
    }
    return pictures_[static_cast<std::size_t>(index.value())];
}

void SpriteSheet::draw(platform::Surface& dst, int x, int y, int size, Int16 index, Int32 frameX,
                       Int32 frameY) const {
    platform::transparentBlt(dst, x, y, size, size, picture(index), frameX.value(), frameY.value(),
                             kFrame, kFrame, qRgb(0, 0, 0));
}

}  // namespace velmora
