#pragma once

#include "look.h"
#include "sprite_canvas.h"

namespace assetgen::humanoid {

// Where the parts of a figure sit inside its 32 x 32 frame, for one build.
struct Frame {
    double cx = 16.0;
    double headCy = 10.0;
    double headRx = 6.5;
    double headRy = 6.0;
    int torsoTop = 16;
    int torsoBottom = 22;  // last row
    double torsoHalf = 5.0;
    int armW = 3;
    int legTop = 23;
    int feetY = 28;  // last row of the feet
    int legW = 3;
    int legGap = 2;
};

// Palette slots used while drawing one figure.
struct Materials {
    int skin, skinFar, hair, top, topFar, bottom, bottomFar, shoes, accent, hat, eyes, white;
    int metal, wood, blade, fur, shield, cape, wing, glow, outline;
};

// Everything the part painters need for one frame.
struct Pose {
    SpriteCanvas& canvas;
    const Look& look;
    Facing facing;  // Up, Right or Down; Left is drawn as a mirrored Right
    int step;       // 0 or 1
    Frame f;
    Materials m;
    double bob = 0.0;  // vertical offset of the upper body
};

Frame frameFor(Build build);
Materials materialsFor(SpriteCanvas& canvas, const Look& look);

void drawLegs(Pose& p);
void drawTorso(Pose& p);
void drawArm(Pose& p, bool nearSide);
void drawHead(Pose& p);
void drawHairBack(Pose& p);
void drawHairFront(Pose& p);
void drawHat(Pose& p);
void drawFace(Pose& p);
void drawWeapon(Pose& p, bool behind);
void drawShield(Pose& p, bool behind);
void drawCape(Pose& p, bool behind);
void drawTail(Pose& p);
void drawWings(Pose& p);

}  // namespace assetgen::humanoid

namespace assetgen::humanoid {

// Centre of a hand: in the front and back views `first` is the hand on the viewer's left; in the
// side view it is the near hand.
QPointF handPosition(const Pose& p, bool first);

// Long weapons held upright in front of the body in the side view.
bool poleWeapon(const Look& l);

// Half width of the torso as seen from the side.
double sideHalf(const Frame& f);

}  // namespace assetgen::humanoid
