#include "Creature.h"

namespace assetgen {

void drawCreature(SpriteCanvas& canvas, const CreatureLook& look, Facing facing, int step) {
    const int body = canvas.addMaterial(look.body);
    canvas.ellipse(16, 20, 8, 7 + step, body);
    (void)facing;
}

}  // namespace assetgen
