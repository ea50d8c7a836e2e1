#pragma once

#include "creature.h"

namespace assetgen::creature {

// Shared state for drawing one creature frame.
struct Ctx {
    SpriteCanvas& c;
    const CreatureLook& look;
    Facing facing;  // Up, Right or Down
    int step;
    int body, bodyFar, second, eyes, white, dark, glow;

    bool side() const { return facing == Facing::Right; }
    bool back() const { return facing == Facing::Up; }
    bool front() const { return facing == Facing::Down; }
};

// Two dark eyes (front) or one (side), each one pixel wide and `h` tall.
void eyesAt(Ctx& x, double cx, double y, double gap, int h = 2, bool glow = false);

void golem(Ctx& x);
void muffin(Ctx& x);
void slime(Ctx& x);
void ghost(Ctx& x);
void mushroom(Ctx& x);
void wisp(Ctx& x);
void plant(Ctx& x);
void bat(Ctx& x);
void snake(Ctx& x);
void spider(Ctx& x);
void eyeball(Ctx& x);
void bird(Ctx& x);
void dragon(Ctx& x);
void crab(Ctx& x);

}  // namespace assetgen::creature
