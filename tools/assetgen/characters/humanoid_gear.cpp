// Weapons, shields, capes, tails and wings carried by humanoid figures.
#include <cmath>

#include "humanoid_parts.h"

namespace assetgen::humanoid {

namespace {

// A stick of width `w` from a to b.
void stick(SpriteCanvas& c, QPointF a, QPointF b, double w, int mat, Shading s = Shading::Cylinder,
           bool separate = true) {
    const double dx = b.x() - a.x(), dy = b.y() - a.y();
    const double len = std::max(0.001, std::hypot(dx, dy));
    const double nx = -dy / len * w / 2, ny = dx / len * w / 2;
    c.polygon({{a.x() + nx, a.y() + ny},
               {b.x() + nx, b.y() + ny},
               {b.x() - nx, b.y() - ny},
               {a.x() - nx, a.y() - ny}},
              mat, s, separate);
}

void uprightWeapon(Pose& p, QPointF h, double dir, double extra = 0.0) {
    SpriteCanvas& c = p.canvas;
    const double x = std::floor(h.x()) + 0.5;
    const double ground = p.f.feetY + p.bob + 1;
    switch (p.look.weapon) {
        case Weapon::None:
            break;
        case Weapon::Sword:
            c.polygon({{x - 1, h.y() - 2},
                       {x + 1, h.y() - 2},
                       {x + 1, h.y() - 10},
                       {x, h.y() - 11.5},
                       {x - 1, h.y() - 10}},
                      p.m.blade, Shading::Cylinder);
            c.rect(x - 2, h.y() - 2, 4, 1, p.m.accent, Shading::Flat);
            c.rect(x - 0.5, h.y() - 1, 1, 2, p.m.wood, Shading::Flat);
            break;
        case Weapon::Dagger:
            c.polygon({{x - 0.5, h.y() - 1},
                       {x + 1, h.y() - 1},
                       {x + 1, h.y() - 5},
                       {x, h.y() - 6.5},
                       {x - 0.5, h.y() - 5}},
                      p.m.blade, Shading::Cylinder);
            c.rect(x - 1.5, h.y() - 1.5, 3, 1, p.m.accent, Shading::Flat);
            break;
        case Weapon::Staff:
        case Weapon::OrbStaff:
            c.rect(x - 0.5, h.y() - 12 - extra, 1.5, ground - h.y() + 11 + extra, p.m.wood,
                   Shading::Cylinder);
            if (p.look.weapon == Weapon::OrbStaff) {
                c.ellipse(x + 0.25, h.y() - 13 - extra, 2.0, 2.0, p.m.accent, Shading::Round);
            } else {
                c.rect(x - 0.5 + dir, h.y() - 14 - extra, 1.5, 2.5, p.m.wood, Shading::Cylinder);
                c.rect(x + 1.5 * dir - 0.5, h.y() - 15 - extra, 2, 1.5, p.m.wood,
                       Shading::Cylinder);
            }
            break;
        case Weapon::Cane:
            c.rect(x - 0.5, h.y() - 2, 1.5, ground - h.y() + 1, p.m.wood, Shading::Cylinder);
            c.rect(x - 0.5 + (dir > 0 ? 0 : -1.5), h.y() - 3, 3, 1.5, p.m.wood, Shading::Cylinder);
            break;
        case Weapon::Spear:
            c.rect(x - 0.5, h.y() - 12 - extra, 1.5, ground - h.y() + 11 + extra, p.m.wood,
                   Shading::Cylinder);
            c.polygon({{x - 1.5, h.y() - 11.5 - extra},
                       {x + 2, h.y() - 11.5 - extra},
                       {x + 0.25, h.y() - 16.5 - extra}},
                      p.m.blade, Shading::Round);
            break;
        case Weapon::Axe:
            c.rect(x - 0.5, h.y() - 9, 1.5, 11, p.m.wood, Shading::Cylinder);
            c.polygon({{x + 0.5, h.y() - 9.5},
                       {x + dir * 4.5, h.y() - 11},
                       {x + dir * 4.5, h.y() - 5},
                       {x + 0.5, h.y() - 6.5}},
                      p.m.blade, Shading::Round);
            break;
        case Weapon::Hammer:
            c.rect(x - 0.5, h.y() - 8, 1.5, 10, p.m.wood, Shading::Cylinder);
            c.rect(x - 2.5, h.y() - 11, 5.5, 3.5, p.m.metal, Shading::Round);
            break;
        case Weapon::Wand:
            c.rect(x - 0.5, h.y() - 5, 1, 5, p.m.wood, Shading::Cylinder);
            c.ellipse(x, h.y() - 6, 1.3, 1.3, p.m.accent, Shading::Tone0);
            break;
        case Weapon::Bow:
            c.shape(
                [=](double px, double py) {
                    const double t = (py - (h.y() - 3)) / 7.5;
                    if (std::abs(t) > 1) {
                        return false;
                    }
                    const double bx = x + dir * (1.5 + 1.8 * (1 - t * t));
                    return std::abs(px - bx) < 0.75;
                },
                p.m.wood, Shading::Cylinder);
            c.rect(x + dir * 1.5 - 0.25, h.y() - 10, 0.5, 14, p.m.white, Shading::Tone2, false);
            break;
    }
}

void sideWeapon(Pose& p, QPointF h) {
    SpriteCanvas& c = p.canvas;
    const Weapon w = p.look.weapon;
    if (w == Weapon::Sword || w == Weapon::Dagger) {
        const double len = w == Weapon::Sword ? 9.0 : 5.0;
        const QPointF tip(h.x() + len * 0.8, h.y() - len * 0.6);
        const QPointF base(h.x() + 1.2, h.y() - 0.8);
        stick(c, base, tip, 2.0, p.m.blade);
        stick(c, {h.x() - 0.2, h.y() - 2.5}, {h.x() + 2.4, h.y() + 1.2}, 1.2, p.m.accent,
              Shading::Flat);
        return;
    }
    if (w == Weapon::Bow) {
        c.shape(
            [=](double px, double py) {
                const double t = (py - h.y()) / 7.5;
                if (std::abs(t) > 1) {
                    return false;
                }
                return std::abs(px - (h.x() + 1.0 + 2.0 * (1 - t * t))) < 0.8;
            },
            p.m.wood, Shading::Cylinder);
        c.rect(std::floor(h.x()) + 1, h.y() - 7, 0.5, 14, p.m.white, Shading::Tone2, false);
        return;
    }
    uprightWeapon(p, QPointF(h.x() + 0.5, h.y()), 1.0, 4.0);
}

}  // namespace

void drawWeapon(Pose& p, bool behind) {
    if (p.look.weapon == Weapon::None) {
        return;
    }
    if (p.facing == Facing::Down && !behind) {
        uprightWeapon(p, handPosition(p, true), -1.0);
    } else if (p.facing == Facing::Up && behind) {
        uprightWeapon(p, handPosition(p, false), 1.0);
    } else if (p.facing == Facing::Right && !behind) {
        sideWeapon(p, handPosition(p, true));
    }
    if (!behind) {
        // The hand closes over the grip.
        const QPointF h = handPosition(p, p.facing != Facing::Up);
        if (p.facing != Facing::Up) {
            p.canvas.ellipse(h.x() + (p.facing == Facing::Right ? 0.0 : 0.0), h.y() - 0.5,
                             p.f.armW / 2.0 + 0.2, 1.2, p.m.skin, Shading::Round, false);
        }
    }
}

void drawShield(Pose& p, bool behind) {
    if (!p.look.shield) {
        return;
    }
    SpriteCanvas& c = p.canvas;
    if (p.facing == Facing::Down && !behind) {
        const QPointF h = handPosition(p, false);
        c.ellipse(h.x() + 0.5, h.y() - 2.5, 3.2, 4.0, p.m.shield, Shading::Round);
        c.rect(h.x() - 0.5, h.y() - 4.5, 1, 4, p.m.accent, Shading::Flat, false);
        c.rect(h.x() - 1.5, h.y() - 3.5, 3, 1, p.m.accent, Shading::Flat, false);
    } else if (p.facing == Facing::Up && behind) {
        const QPointF h = handPosition(p, true);
        c.ellipse(h.x() - 0.5, h.y() - 2.5, 3.0, 3.8, p.m.shield, Shading::Tone2);
    } else if (p.facing == Facing::Right && !behind) {
        const double x = p.f.cx + sideHalf(p.f) + 0.5;
        const double y = p.f.torsoTop + p.bob + 3.5;
        c.ellipse(x, y, 1.8, 4.2, p.m.shield, Shading::Round);
        c.rect(x - 0.5, y - 1.5, 1, 3, p.m.accent, Shading::Flat, false);
    }
}

void drawCape(Pose& p, bool behind) {
    if (!p.look.cape) {
        return;
    }
    SpriteCanvas& c = p.canvas;
    const Frame& f = p.f;
    const double top = f.torsoTop + p.bob;
    const double bottom = f.legTop + p.bob + 4;
    if (p.facing == Facing::Down && behind) {
        c.polygon({{f.cx - f.torsoHalf - 0.5, top},
                   {f.cx + f.torsoHalf + 0.5, top},
                   {f.cx + f.torsoHalf + 2, bottom},
                   {f.cx - f.torsoHalf - 2, bottom}},
                  p.m.cape, Shading::Round);
    } else if (p.facing == Facing::Right && behind) {
        const double sway = p.step == 0 ? 0.0 : 1.5;
        const double back = f.cx - sideHalf(f);
        c.polygon({{back + 1, top},
                   {back + 3, top},
                   {back + 1, bottom},
                   {back - 3.5 - sway, bottom - 1},
                   {back - 1, top + 2}},
                  p.m.cape, Shading::Round);
    } else if (p.facing == Facing::Up && !behind) {
        const double sway = p.step == 0 ? -0.5 : 0.5;
        c.polygon({{f.cx - f.torsoHalf, top - 0.5},
                   {f.cx + f.torsoHalf, top - 0.5},
                   {f.cx + f.torsoHalf + 1.5 + sway, bottom},
                   {f.cx - f.torsoHalf - 1.5 + sway, bottom}},
                  p.m.cape, Shading::Round);
        c.rect(f.cx - f.torsoHalf, top - 0.5, 2 * f.torsoHalf, 1, p.m.accent, Shading::Flat, false);
    }
}

void drawTail(Pose& p) {
    if (!p.look.tail) {
        return;
    }
    SpriteCanvas& c = p.canvas;
    const Frame& f = p.f;
    const double hip = f.legTop + p.bob - 1;
    const double wag = p.step == 0 ? -1.0 : 1.0;
    const bool lizard = p.look.head == HeadKind::Lizard;
    const bool imp = p.look.head == HeadKind::Imp;
    const double w = lizard ? 3.0 : (imp ? 1.0 : 2.5);
    const int mat = p.m.skin;
    if (p.facing == Facing::Right) {
        const double back = f.cx - sideHalf(f);
        const QPointF tip(back - (lizard ? 6.5 : 5.5),
                          lizard ? f.feetY + p.bob - 0.5 : hip - 3 + wag);
        stick(c, {back + 1, hip}, {back - 2.5, hip + (lizard ? 3 : 0.5)}, w, mat, Shading::Round);
        stick(c, {back - 2.5, hip + (lizard ? 3 : 0.5)}, tip, w * 0.75, mat, Shading::Round);
        if (imp) {
            c.polygon({{tip.x() - 1.5, tip.y() - 1},
                       {tip.x() + 1, tip.y() - 1.5},
                       {tip.x() - 0.5, tip.y() + 1.5}},
                      p.m.skin, Shading::Round);
        }
    } else if (p.facing == Facing::Down) {
        const QPointF tip(f.cx + f.torsoHalf + 3 + wag, hip + (lizard ? 5 : -3));
        stick(c, {f.cx + 1, hip}, tip, w, mat, Shading::Round);
    } else {
        const QPointF mid(f.cx + wag, hip + 3);
        const QPointF tip(f.cx + 4 * wag, lizard ? f.feetY + p.bob : hip + 1);
        stick(c, {f.cx, hip - 1}, mid, w, mat, Shading::Round);
        stick(c, mid, tip, w * 0.75, mat, Shading::Round);
    }
}

void drawWings(Pose& p) {
    if (!p.look.wings) {
        return;
    }
    SpriteCanvas& c = p.canvas;
    const Frame& f = p.f;
    const bool up = p.step == 0;
    const double top = f.torsoTop + p.bob;
    const bool bat = p.look.head == HeadKind::Imp;
    if (p.facing == Facing::Right) {
        const double bx = f.cx - sideHalf(f) + 1;
        if (bat) {
            c.polygon({{bx, top},
                       {bx - 6, up ? top - 7 : top - 2},
                       {bx - 8, up ? top - 3 : top + 3},
                       {bx - 5, top + 2},
                       {bx - 3, top + 4}},
                      p.m.wing, Shading::Round);
        } else {
            c.ellipse(bx - 3.5, up ? top - 3 : top - 0.5, 4.2, up ? 3.8 : 2.8, p.m.wing,
                      Shading::Round);
            c.ellipse(bx - 2.5, top + 3, 2.8, 2.2, p.m.wing, Shading::Round);
        }
        return;
    }
    for (int s : {-1, 1}) {
        const double wx = f.cx + s * (f.torsoHalf + 3.0);
        if (bat) {
            c.polygon({{f.cx + s * 1.5, top},
                       {f.cx + s * 8.5, up ? top - 7 : top - 3},
                       {f.cx + s * 9.5, up ? top - 2 : top + 2},
                       {f.cx + s * 6, top + 2},
                       {f.cx + s * 4, top + 5}},
                      p.m.wing, Shading::Round);
        } else {
            c.ellipse(wx + s * (up ? 1.5 : 0.5), up ? top - 3.5 : top - 1.0, up ? 4.2 : 3.6,
                      up ? 4.0 : 3.0, p.m.wing, Shading::Round);
            c.ellipse(wx, top + 3.5, 3.0, up ? 2.2 : 2.6, p.m.wing, Shading::Round);
        }
    }
}

}  // namespace assetgen::humanoid
