#include "creature.h"

#include <cmath>

#include "creature_parts.h"

namespace assetgen {

namespace creature {

void eyesAt(Ctx& x, double cx, double y, double gap, int h, bool glow) {
    const int mat = glow ? x.glow : x.eyes;
    if (x.back()) {
        return;
    }
    if (x.side()) {
        x.c.rect(std::floor(cx + gap), y, 1, h, mat, Shading::Tone1, false);
        return;
    }
    x.c.rect(std::floor(cx - gap - 0.5), y, 1, h, mat, Shading::Tone1, false);
    x.c.rect(std::floor(cx + gap - 0.5), y, 1, h, mat, Shading::Tone1, false);
}

}  // namespace creature

void drawCreature(SpriteCanvas& canvas, const CreatureLook& look, Facing facing, int step) {
    using namespace creature;
    Ramp glow{};
    for (QRgb& t : glow.tone) {
        t = look.eyes.rgb();
    }
    glow.tone[0] = mixRgb(look.eyes.rgb(), qRgb(255, 255, 240), 0.6);
    glow.outline = makeRamp(look.eyes).outline;
    Ramp eyes = makeRamp(look.eyes);
    eyes.tone[0] = eyes.tone[1] = look.eyes.rgb();
    Ctx x{canvas,
          look,
          facing,
          step,
          canvas.addMaterial(look.body),
          canvas.addMaterial(look.body.darker(125)),
          canvas.addMaterial(look.second),
          canvas.addMaterial(eyes),
          canvas.addMaterial(QColor(246, 244, 236), 0.6),
          canvas.addMaterial(QColor(52, 40, 56)),
          canvas.addMaterial(glow)};
    switch (look.kind) {
        case CreatureKind::Golem:
            golem(x);
            break;
        case CreatureKind::Muffin:
            muffin(x);
            break;
        case CreatureKind::Slime:
            slime(x);
            break;
        case CreatureKind::Ghost:
            ghost(x);
            break;
        case CreatureKind::Mushroom:
            mushroom(x);
            break;
        case CreatureKind::Wisp:
            wisp(x);
            break;
        case CreatureKind::Plant:
            plant(x);
            break;
        case CreatureKind::Bat:
            bat(x);
            break;
        case CreatureKind::Snake:
            snake(x);
            break;
        case CreatureKind::Spider:
            spider(x);
            break;
        case CreatureKind::Eye:
            eyeball(x);
            break;
        case CreatureKind::Bird:
            bird(x);
            break;
        case CreatureKind::Dragon:
            dragon(x);
            break;
        case CreatureKind::Crab:
            crab(x);
            break;
    }
}

}  // namespace assetgen
