#include "humanoid.h"

#include "humanoid_parts.h"

namespace assetgen {

namespace humanoid {

Frame frameFor(Build build) {
    Frame f;
    switch (build) {
        case Build::Normal:
            break;
        case Build::Slim:
            f.torsoHalf = 4.0;
            f.armW = 2;
            f.legW = 2;
            break;
        case Build::Stout:
            f.torsoHalf = 6.0;
            f.legW = 3;
            f.legGap = 2;
            f.headRx = 6.6;
            break;
        case Build::Child:
            f.headCy = 13.0;
            f.headRx = 6.0;
            f.headRy = 5.6;
            f.torsoTop = 19;
            f.torsoBottom = 23;
            f.torsoHalf = 4.0;
            f.armW = 2;
            f.legTop = 24;
            f.legW = 2;
            break;
        case Build::Tall:
            f.headCy = 8.5;
            f.headRx = 6.0;
            f.headRy = 5.6;
            f.torsoTop = 14;
            f.torsoBottom = 22;
            f.torsoHalf = 4.5;
            f.legW = 3;
            break;
        case Build::Big:
            f.headCy = 9.0;
            f.headRx = 6.0;
            f.headRy = 5.5;
            f.torsoTop = 14;
            f.torsoBottom = 22;
            f.torsoHalf = 7.0;
            f.armW = 4;
            f.legW = 4;
            break;
        case Build::Tiny:
            f.headCy = 10.0;
            f.headRx = 5.2;
            f.headRy = 4.9;
            f.torsoTop = 15;
            f.torsoBottom = 19;
            f.torsoHalf = 3.0;
            f.armW = 2;
            f.legTop = 20;
            f.feetY = 24;
            f.legW = 2;
            f.legGap = 0;
            break;
    }
    return f;
}

Materials materialsFor(SpriteCanvas& c, const Look& l) {
    Materials m{};
    const bool beast = l.outfit == Outfit::Fur;
    m.skin = c.addMaterial(l.skin, 0.8);
    m.skinFar = c.addMaterial(l.skin.darker(122), 0.8);
    m.hair = c.addMaterial(l.hairColour);
    m.top = c.addMaterial(beast ? l.skin : l.top);
    m.topFar = c.addMaterial((beast ? l.skin : l.top).darker(125));
    m.bottom = c.addMaterial(l.bottom);
    m.bottomFar = c.addMaterial(l.bottom.darker(125));
    m.shoes = c.addMaterial(beast ? l.skin.darker(115) : l.shoes);
    m.accent = c.addMaterial(l.accent);
    m.hat = c.addMaterial(l.hatColour);
    Ramp eyes = makeRamp(l.eyes);
    eyes.tone[0] = eyes.tone[1] = l.eyes.rgb();
    m.eyes = c.addMaterial(eyes);
    m.white = c.addMaterial(QColor(246, 244, 236), 0.6);
    m.metal = c.addMaterial(QColor(176, 184, 196));
    m.wood = c.addMaterial(QColor(140, 96, 58));
    m.blade = c.addMaterial(QColor(214, 222, 232), 0.8);
    m.fur = c.addMaterial(l.fur, 0.7);
    m.shield = c.addMaterial(l.shieldColour);
    m.cape = c.addMaterial(l.capeColour);
    m.wing = c.addMaterial(l.wingColour, 0.6);
    Ramp glow{};
    for (QRgb& t : glow.tone) {
        t = l.eyes.rgb();
    }
    glow.tone[0] = mixRgb(l.eyes.rgb(), qRgb(255, 255, 230), 0.6);
    glow.outline = makeRamp(l.eyes).outline;
    m.glow = c.addMaterial(glow);
    Ramp line{};
    for (QRgb& t : line.tone) {
        t = qRgb(34, 26, 38);
    }
    line.outline = qRgb(20, 16, 24);
    m.outline = c.addMaterial(line);
    return m;
}

}  // namespace humanoid

void drawHumanoid(SpriteCanvas& canvas, const Look& look, Facing facing, int step) {
    using namespace humanoid;
    Pose p{canvas, look, facing, step, frameFor(look.build), materialsFor(canvas, look)};
    if (look.floating) {
        p.bob = step == 0 ? 0.0 : 1.0;
    }
    const bool side = facing == Facing::Right;
    const bool back = facing == Facing::Up;

    drawWings(p);
    if (back || side) {
        drawWeapon(p, true);
        drawShield(p, true);
    }
    drawCape(p, true);
    if (!back) {
        drawTail(p);
    }
    drawHairBack(p);
    if (side) {
        drawArm(p, false);
    }
    drawLegs(p);
    drawTorso(p);
    if (back) {
        drawCape(p, false);
        drawTail(p);
    }
    if (side) {
        const bool pole = poleWeapon(look);
        if (pole) {
            drawWeapon(p, false);
        }
        drawHead(p);
        drawFace(p);
        drawHairFront(p);
        drawHat(p);
        drawShield(p, false);
        drawArm(p, true);
        if (!pole) {
            drawWeapon(p, false);
        }
    } else {
        drawArm(p, true);
        drawArm(p, false);
        drawHead(p);
        drawFace(p);
        drawHairFront(p);
        drawHat(p);
        drawShield(p, false);
        drawWeapon(p, false);
    }
    if (look.stripes) {
        // Dark bands across the fur of arms, legs and body.
        for (int mat : {p.m.top, p.m.topFar, p.m.bottom, p.m.bottomFar}) {
            canvas.pattern(mat, p.m.outline, 0,
                           [](int x, int y) { return y % 3 == 0 && (x + y / 3) % 4 != 0; });
        }
    }
}

}  // namespace assetgen
