#pragma once

#include <QString>
#include <array>

#include "core/checked.h"
#include "platform/base/asset_paths.h"
#include "platform/pictures/surface.h"

namespace velmora {

// The 64 character pictures every figure on the map and in battle is drawn from. A picture
// is a grid of 32 × 32 frames: x 0 and 32 are the two steps; y 0, 32, 64 and 96 face up,
// right, down and left. Pure black is transparent.
class SpriteSheet {
  public:
    static constexpr int kCount = 64;
    static constexpr int kFrame = 32;

    // "\Characters\Char000.bmp" for 0, and so on.
    static std::string fileName(int index);

    // Loads the pictures 0 to 63 in that order; a file that cannot be loaded is a run-time
    // error, and the pictures before it stay loaded.
    void load(const platform::AssetPaths& paths);

    // Picture `index` (0 to 63; any other index is a run-time error).
    const platform::Surface& picture(Int16 index) const;

    // Draws the frame at (frameX, frameY) of picture `index` at (x, y), size × size pixels
    // (32 on the map, 64 in battle), leaving the destination as it is under pure black.
    void draw(platform::Surface& dst, int x, int y, int size, Int16 index, Int32 frameX,
              Int32 frameY) const;

  private:
    std::array<platform::Surface, kCount> pictures_;
};

}  // namespace velmora
