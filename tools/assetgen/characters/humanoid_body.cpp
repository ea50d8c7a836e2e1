// Legs, torso and arms of a humanoid figure, in each outfit.
#include <algorithm>
#include <cmath>

#include "humanoid_parts.h"

namespace assetgen::humanoid {

namespace {

bool longSkirt(const Look& l) {
    return l.outfit == Outfit::Robe;
}

int armLength(const Frame& f) {
    return std::max(5, f.torsoBottom - f.torsoTop);
}

// Swing of the near arm in the side view: back while the near leg steps forward.
double sideSwing(const Pose& p, bool nearArm) {
    double s = (p.step == 0) == nearArm ? -2.5 : 2.5;
    return p.look.build == Build::Tiny ? s * 0.6 : s;
}

int legMaterial(const Pose& p, bool far) {
    if (p.look.outfit == Outfit::Dress || p.look.outfit == Outfit::Bones) {
        return far ? p.m.skinFar : p.m.skin;
    }
    return far ? p.m.bottomFar : p.m.bottom;
}

void frontLegs(Pose& p) {
    SpriteCanvas& c = p.canvas;
    const Frame& f = p.f;
    for (int i = 0; i < 2; ++i) {
        const bool lifted = i == p.step;
        const double x = i == 0 ? f.cx - f.legGap / 2.0 - f.legW : f.cx + f.legGap / 2.0;
        const double bottom = f.feetY + p.bob - (lifted ? 1 : 0);
        const double top = f.legTop + p.bob - 1;
        if (!longSkirt(p.look)) {
            c.rect(x, top, f.legW, bottom - 1 - top, legMaterial(p, false), Shading::Cylinder);
        }
        const double shoeX = i == 0 ? x - 0.5 : x;
        if (p.look.outfit == Outfit::Bones) {
            c.rect(x, bottom - 1, f.legW, 2, p.m.skin, Shading::Round);
        } else {
            c.rect(shoeX, bottom - 1, f.legW + 0.5, 2, p.m.shoes, Shading::Round);
        }
    }
}

void sideLegs(Pose& p) {
    SpriteCanvas& c = p.canvas;
    const Frame& f = p.f;
    const double stride = p.look.build == Build::Tiny ? 1.5 : (f.legW >= 4 ? 2.5 : 3.0);
    const double w = f.legW;
    for (int far = 1; far >= 0; --far) {
        const bool forward = (p.step == 0) != (far == 1);
        const double fx = f.cx + (forward ? stride : -stride) - 0.5;
        const double hx = f.cx - 0.5;
        const double top = f.legTop + p.bob - 1;
        const double bottom = f.feetY + p.bob;
        if (!longSkirt(p.look)) {
            c.polygon({{hx - w / 2, top},
                       {hx + w / 2, top},
                       {fx + w / 2, bottom - 1},
                       {fx - w / 2, bottom - 1}},
                      legMaterial(p, far == 1), Shading::Cylinder);
        }
        const int shoe = p.look.outfit == Outfit::Bones ? (far ? p.m.skinFar : p.m.skin)
                                                        : (far ? p.m.shoes : p.m.shoes);
        c.rect(std::round(fx - w / 2), bottom - 1, w + 1, 2, shoe,
               far ? Shading::Tone2 : Shading::Round);
    }
}

// The torso outline: a block with rounded shoulders.
void torsoBlock(Pose& p, double half, int mat) {
    const Frame& f = p.f;
    const double top = f.torsoTop + p.bob;
    const double bottom = f.torsoBottom + 1 + p.bob;
    const double cx = f.cx;
    p.canvas.shape(
        [=](double x, double y) {
            if (x < cx - half || x >= cx + half || y < top || y >= bottom) {
                return false;
            }
            const bool corner = y < top + 1 && (x < cx - half + 1 || x >= cx + half - 1);
            return !corner;
        },
        mat, Shading::Round);
}

void skirt(Pose& p, double half, double topY, double bottomY, double flare, int mat) {
    const double cx = p.f.cx;
    p.canvas.polygon({{cx - half, topY},
                      {cx + half, topY},
                      {cx + half + flare, bottomY},
                      {cx - half - flare, bottomY}},
                     mat, Shading::Round);
}

void sideSkirt(Pose& p, double half, double topY, double bottomY, double flare, int mat) {
    const double cx = p.f.cx;
    const double sway = p.step == 0 ? 0.5 : -0.5;
    p.canvas.polygon({{cx - half, topY},
                      {cx + half, topY},
                      {cx + half + flare + sway, bottomY},
                      {cx - half - flare + sway, bottomY}},
                     mat, Shading::Round);
}

}  // namespace

bool poleWeapon(const Look& l) {
    return l.weapon == Weapon::Staff || l.weapon == Weapon::OrbStaff || l.weapon == Weapon::Spear;
}

double sideHalf(const Frame& f) {
    return std::max(2.5, f.torsoHalf - 1.5);
}

void drawLegs(Pose& p) {
    if (p.facing == Facing::Right) {
        sideLegs(p);
    } else {
        frontLegs(p);
    }
}

void drawTorso(Pose& p) {
    SpriteCanvas& c = p.canvas;
    const Frame& f = p.f;
    const Look& l = p.look;
    const bool side = p.facing == Facing::Right;
    const bool front = p.facing == Facing::Down;
    const double half = side ? sideHalf(f) : f.torsoHalf;
    const double top = f.torsoTop + p.bob;
    const double bottom = f.torsoBottom + 1 + p.bob;
    const double cx = f.cx;

    if (l.outfit == Outfit::Bones) {
        c.rect(cx - 1, top, 2, bottom - top, p.m.skin, Shading::Cylinder);
        for (int r = 0; r < 3; ++r) {
            const double ry = top + 1 + 2 * r;
            const double w = half - 0.5 - r * 0.6;
            c.rect(cx - (side ? 1 : w), ry, side ? w + 1.5 : 2 * w, 1, p.m.skin, Shading::Flat);
        }
        c.rect(cx - half + 1, bottom - 1, 2 * half - 2, 1.5, p.m.skin, Shading::Round);
        return;
    }
    if (l.outfit == Outfit::Robe) {
        const double flare = side ? 1.5 : 2.0;
        if (side) {
            sideSkirt(p, half, bottom - 1, f.feetY + p.bob - 1, flare, p.m.top);
        } else {
            skirt(p, half, bottom - 1, f.feetY + p.bob - 1, flare, p.m.top);
        }
        c.rect(cx - half - flare, f.feetY + p.bob - 2, 2 * (half + flare), 1, p.m.accent,
               Shading::Flat, false);
    }
    torsoBlock(p, half, p.m.top);
    if (l.outfit == Outfit::Dress) {
        const double flare = side ? 1.5 : 2.5;
        if (side) {
            sideSkirt(p, half, bottom - 2, f.legTop + p.bob + 3, flare, p.m.top);
        } else {
            skirt(p, half, bottom - 2, f.legTop + p.bob + 3, flare, p.m.top);
            c.rect(cx - half - flare + 0.5, f.legTop + p.bob + 2, 2 * (half + flare) - 1, 1,
                   p.m.accent, Shading::Flat, false);
        }
    }
    if (l.outfit == Outfit::Fur && !(p.facing == Facing::Up)) {
        if (side) {
            c.ellipse(cx + half - 1.5, top + (bottom - top) / 2 + 0.5, 1.6,
                      (bottom - top) / 2 - 0.5, p.m.fur, Shading::Round, false);
        } else {
            c.ellipse(cx, top + (bottom - top) / 2 + 0.5, half - 1.8, (bottom - top) / 2 - 0.5,
                      p.m.fur, Shading::Round, false);
        }
    }
    if (l.outfit == Outfit::Vest && front) {
        c.rect(cx - 1.5, top, 3, bottom - top - 1, p.m.fur, Shading::Flat, false);
        c.pixel(static_cast<int>(cx) - 1, static_cast<int>(top) + 3, p.m.accent, 1);
    }
    if (l.outfit == Outfit::Overalls && !side) {
        c.rect(cx - half + 1, top + 3, 2 * half - 2, bottom - top - 3, p.m.bottom, Shading::Round,
               false);
        c.rect(cx - half + 2, top, 1, 3, p.m.bottom, Shading::Tone1, false);
        c.rect(cx + half - 3, top, 1, 3, p.m.bottom, Shading::Tone1, false);
    } else if (l.outfit == Outfit::Overalls) {
        c.rect(cx - half, top + 3, 2 * half, bottom - top - 3, p.m.bottom, Shading::Round, false);
    }
    if (l.outfit == Outfit::Apron && !(p.facing == Facing::Up)) {
        const double ax = side ? cx + half - 2 : cx - half + 1;
        const double aw = side ? 2 : 2 * half - 2;
        c.rect(ax, top + 2, aw, f.legTop + 3 - top, p.m.accent, Shading::Flat, false);
    }
    if (l.outfit == Outfit::Armor) {
        if (!side) {
            c.rect(cx - 1, top + 1, 2, 3, p.m.top, Shading::Tone0, false);
        }
        c.rect(cx - half, bottom - 2, 2 * half, 1, p.m.accent, Shading::Flat, false);
    } else if (l.outfit == Outfit::Tunic || l.outfit == Outfit::Vest || l.outfit == Outfit::Rags) {
        c.rect(cx - half, bottom - 2, 2 * half, 1, p.m.accent, Shading::Flat, false);
        if (front) {
            c.pixel(static_cast<int>(cx), static_cast<int>(bottom - 2), p.m.accent, 0);
        }
    }
    if (l.outfit == Outfit::Rags) {
        for (int x = static_cast<int>(cx - half); x < static_cast<int>(cx + half); x += 2) {
            c.pixel(x, static_cast<int>(bottom), p.m.top, 2);
        }
        c.pixel(static_cast<int>(cx + 1), static_cast<int>(top + 2), p.m.topFar, 2);
    }
    if (l.sash && !side) {
        for (int i = 0; i < static_cast<int>(bottom - top); ++i) {
            const int x = static_cast<int>(cx - half + 1 + i * (2 * half - 2) / (bottom - top));
            c.pixel(p.facing == Facing::Down ? x : static_cast<int>(2 * cx - 1 - x),
                    static_cast<int>(top) + i, p.m.accent, i == 0 ? 0 : 1);
        }
    }
}

QPointF handPosition(const Pose& p, bool first) {
    const Frame& f = p.f;
    const int len = armLength(f);
    if (p.facing == Facing::Right) {
        if (first && poleWeapon(p.look)) {
            return {f.cx + 3.5, f.torsoTop + p.bob + len - 1.5};
        }
        const double swing = sideSwing(p, first);
        return {f.cx - 0.5 + swing, f.torsoTop + p.bob + len - 0.5};
    }
    const int i = first ? 0 : 1;
    const double x = i == 0 ? f.cx - f.torsoHalf - f.armW / 2.0 : f.cx + f.torsoHalf + f.armW / 2.0;
    const double lift = i == p.step ? -1.0 : 0.0;
    return {x, f.torsoTop + p.bob + lift + len - 0.5};
}

void drawArm(Pose& p, bool nearSide) {
    SpriteCanvas& c = p.canvas;
    const Frame& f = p.f;
    const Look& l = p.look;
    const int len = armLength(f);
    const double top = f.torsoTop + p.bob;
    const bool armour = l.outfit == Outfit::Armor;
    const bool bones = l.outfit == Outfit::Bones;
    const double w = bones ? std::min(2, f.armW) : f.armW;
    if (p.facing == Facing::Right) {
        const int sleeve = nearSide ? p.m.top : p.m.topFar;
        const int hand = nearSide ? p.m.skin : p.m.skinFar;
        const QPointF h = handPosition(p, nearSide);
        const double sx = f.cx - 0.5;
        c.polygon({{sx - w / 2, top},
                   {sx + w / 2, top},
                   {h.x() + w / 2, h.y() - 1},
                   {h.x() - w / 2, h.y() - 1}},
                  bones ? hand : sleeve, Shading::Cylinder);
        c.ellipse(h.x(), h.y(), w / 2 + 0.3, 1.3, hand, Shading::Round);
        if (armour && nearSide) {
            c.ellipse(sx, top + 1, 2.2, 1.8, p.m.top, Shading::Round);
        }
        return;
    }
    const int i = nearSide ? 0 : 1;
    const double x = i == 0 ? f.cx - f.torsoHalf - w : f.cx + f.torsoHalf;
    const double lift = i == p.step ? -1.0 : 0.0;
    if (bones) {
        c.rect(x, top + lift, w, len - 1, p.m.skin, Shading::Cylinder);
    } else {
        const double flare = l.outfit == Outfit::Robe ? 1 : 0;
        c.polygon({{x, top + lift},
                   {x + w, top + lift},
                   {x + w + (i == 1 ? flare : 0), top + lift + len - 2},
                   {x - (i == 0 ? flare : 0), top + lift + len - 2}},
                  p.m.top, Shading::Cylinder);
    }
    c.rect(x, top + lift + len - 2, w, 2, p.m.skin, Shading::Round);
    if (l.outfit == Outfit::Fur && l.head == HeadKind::Wolf) {
        // Claws.
        for (int k = 0; k < static_cast<int>(w); k += 2) {
            c.pixel(static_cast<int>(x) + k, static_cast<int>(top + lift + len), p.m.white, 1);
        }
    }
    if (armour) {
        c.ellipse(x + w / 2, top + 1, w / 2 + 1, 1.8, p.m.top, Shading::Round);
    }
}

}  // namespace assetgen::humanoid
