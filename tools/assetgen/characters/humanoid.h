#pragma once

#include "look.h"
#include "sprite_canvas.h"

namespace assetgen {

// Draws one frame of a humanoid figure facing up, right or down, at walking step 0 or 1.
void drawHumanoid(SpriteCanvas& canvas, const Look& look, Facing facing, int step);

}  // namespace assetgen
