#pragma once

#include <QColor>

#include "look.h"
#include "sprite_canvas.h"

namespace assetgen {

enum class CreatureKind {
    Golem,
    Muffin,
    Slime,
    Bat,
    Ghost,
    Mushroom,
    Snake,
    Spider,
    Eye,
    Wisp,
    Bird,
    Dragon,
    Plant,
    Crab,
};

struct CreatureLook {
    CreatureKind kind;
    QColor body;
    QColor second;
    QColor eyes{40, 30, 50};
};

// Draws one frame of a creature that is not built like a person.
void drawCreature(SpriteCanvas& canvas, const CreatureLook& look, Facing facing, int step);

}  // namespace assetgen
