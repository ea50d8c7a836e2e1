// Heads, faces and hair of humanoid figures.
#include <cmath>

#include "humanoid_parts.h"

namespace assetgen::humanoid {

namespace {

struct HeadGeo {
    double cx, cy, rx, ry;
};

HeadGeo headGeo(const Pose& p) {
    const double shift = p.facing == Facing::Right ? 0.5 : 0.0;
    double rx = p.f.headRx;
    if (p.look.head == HeadKind::Lizard && p.facing != Facing::Right) {
        rx -= 1.0;
    }
    return {p.f.cx + shift, p.f.headCy + p.bob, rx, p.f.headRy};
}

bool beastHead(HeadKind k) {
    return k == HeadKind::Wolf || k == HeadKind::Tiger || k == HeadKind::Bear;
}

bool hasHair(const Look& l) {
    if (l.hair == Hair::None || beastHead(l.head) || l.head == HeadKind::Lizard ||
        l.head == HeadKind::Skull) {
        return false;
    }
    return l.hat != Hat::Helmet && l.hat != Hat::HornHelmet && l.hat != Hat::PlumeHelmet &&
           l.hat != Hat::Hood && l.hat != Hat::Veil && l.hat != Hat::Turban;
}

int ix(double v) {
    return static_cast<int>(std::floor(v));
}

void ears(Pose& p, const HeadGeo& h) {
    SpriteCanvas& c = p.canvas;
    const HeadKind k = p.look.head;
    const bool side = p.facing == Facing::Right;
    if (k == HeadKind::Wolf) {
        if (side) {
            c.polygon(
                {{h.cx - 4, h.cy - 3}, {h.cx - 2.5, h.cy - h.ry - 4.5}, {h.cx + 0.5, h.cy - 4}},
                p.m.skin, Shading::Round);
        } else {
            for (int s : {-1, 1}) {
                c.polygon({{h.cx + s * 1.5, h.cy - 4},
                           {h.cx + s * (h.rx - 0.5), h.cy - h.ry - 4.5},
                           {h.cx + s * (h.rx + 0.5), h.cy - 2}},
                          p.m.skin, Shading::Round);
            }
        }
    } else if (k == HeadKind::Tiger || k == HeadKind::Bear) {
        const double r = k == HeadKind::Bear ? 2.2 : 1.9;
        if (side) {
            c.ellipse(h.cx - 2.5, h.cy - h.ry + 0.5, r, r, p.m.skin, Shading::Round);
        } else {
            for (int s : {-1, 1}) {
                c.ellipse(h.cx + s * (h.rx - 1.5), h.cy - h.ry + 0.8, r, r, p.m.skin,
                          Shading::Round);
            }
        }
    } else if (k == HeadKind::Goblin || k == HeadKind::Imp || k == HeadKind::Orc) {
        const double len = k == HeadKind::Goblin ? 4.0 : (k == HeadKind::Imp ? 2.5 : 1.8);
        if (side) {
            return;  // drawn over the head by sideEar()
        } else {
            for (int s : {-1, 1}) {
                c.polygon({{h.cx + s * (h.rx - 1), h.cy - 1},
                           {h.cx + s * (h.rx + len), h.cy - 3},
                           {h.cx + s * (h.rx - 1), h.cy + 2}},
                          p.m.skin, Shading::Round);
            }
        }
    }
}

// In the side view a pointed ear lies on the head and sticks out behind it.
void sideEar(Pose& p, const HeadGeo& h) {
    const HeadKind k = p.look.head;
    if (p.facing != Facing::Right ||
        (k != HeadKind::Goblin && k != HeadKind::Imp && k != HeadKind::Orc)) {
        return;
    }
    const double len = k == HeadKind::Goblin ? 4.0 : (k == HeadKind::Imp ? 2.5 : 1.5);
    p.canvas.polygon(
        {{h.cx - 0.5, h.cy - 1.5}, {h.cx - h.rx - len + 0.5, h.cy - 3.5}, {h.cx + 0.5, h.cy + 2}},
        p.m.skinFar, Shading::Round);
}

void muzzle(Pose& p, const HeadGeo& h) {
    SpriteCanvas& c = p.canvas;
    const HeadKind k = p.look.head;
    if (p.facing == Facing::Up) {
        return;
    }
    if (p.facing == Facing::Right) {
        const double len = k == HeadKind::Wolf ? 4.0 : (k == HeadKind::Lizard ? 4.5 : 2.5);
        c.polygon({{h.cx + 1, h.cy - 0.5},
                   {h.cx + h.rx + len, h.cy + 0.5},
                   {h.cx + h.rx + len, h.cy + 3},
                   {h.cx + 1, h.cy + 4.5}},
                  p.m.skin, Shading::Round);
        if (k != HeadKind::Lizard) {
            c.rect(h.cx + 2, h.cy + 2.5, h.rx + len - 2, 1.5, p.m.fur, Shading::Flat, false);
        } else {
            c.line(ix(h.cx + 3), ix(h.cy + 2.5), ix(h.cx + h.rx + len - 1), ix(h.cy + 2.5),
                   p.m.outline, 0);
        }
        c.pixel(ix(h.cx + h.rx + len - 0.5), ix(h.cy + 0.5), p.m.outline, 0);
        return;
    }
    if (k == HeadKind::Lizard) {
        c.pixel(ix(h.cx - 1), ix(h.cy + 3), p.m.outline, 0);
        c.pixel(ix(h.cx), ix(h.cy + 3), p.m.outline, 0);
        return;
    }
    if (k == HeadKind::Wolf) {
        // A long snout seen end-on: it reaches below the jaw, with bared fangs.
        c.ellipse(h.cx, h.cy + 3.4, 2.8, 2.8, p.m.fur, Shading::Round, true);
        c.rect(h.cx - 1, h.cy + 1.5, 2, 1.5, p.m.outline, Shading::Tone0, false);
        c.rect(h.cx - 2, h.cy + 4.5, 4, 1, p.m.outline, Shading::Tone0, false);
        c.pixel(ix(h.cx - 2), ix(h.cy + 5.5), p.m.white, 0);
        c.pixel(ix(h.cx + 1), ix(h.cy + 5.5), p.m.white, 0);
        return;
    }
    c.ellipse(h.cx, h.cy + 2.6, 3.2, 2.2, p.m.fur, Shading::Round, false);
    c.rect(h.cx - 1, h.cy + 1, 2, 1, p.m.outline, Shading::Tone0, false);
    if (k == HeadKind::Tiger) {
        c.pixel(ix(h.cx - 1), ix(h.cy + 3.5), p.m.outline, 0);
        c.pixel(ix(h.cx), ix(h.cy + 3.5), p.m.outline, 0);
    }
}

void horns(Pose& p, const HeadGeo& h) {
    SpriteCanvas& c = p.canvas;
    const bool side = p.facing == Facing::Right;
    for (int s : {-1, 1}) {
        if (side && s == 1) {
            continue;
        }
        const double bx = side ? h.cx - 0.5 : h.cx + s * 3.0;
        c.polygon({{bx - 1.2, h.cy - h.ry + 2.5},
                   {bx + 1.2, h.cy - h.ry + 2.5},
                   {bx + s * 1.8, h.cy - h.ry - 2.5}},
                  p.m.white, Shading::Round);
    }
}

}  // namespace

void drawHead(Pose& p) {
    SpriteCanvas& c = p.canvas;
    const HeadGeo h = headGeo(p);
    const HeadKind k = p.look.head;
    ears(p, h);
    if (k == HeadKind::Orc && p.facing != Facing::Up) {
        c.ellipse(h.cx, h.cy + 2.2, h.rx - 0.5, h.ry - 2.0, p.m.skin, Shading::Round);
    }
    if (k == HeadKind::Skull) {
        c.ellipse(h.cx, h.cy - 0.5, h.rx - 0.3, h.ry - 0.6, p.m.skin, Shading::Round);
        c.rect(h.cx - 3 + (p.facing == Facing::Right ? 1 : 0), h.cy + 2, 6, 3, p.m.skin,
               Shading::Round, false);
    } else {
        c.ellipse(h.cx, h.cy, h.rx, h.ry, p.m.skin, Shading::Round);
    }
    sideEar(p, h);
    if (beastHead(k) || k == HeadKind::Lizard) {
        muzzle(p, h);
    }
    if (k == HeadKind::Lizard && p.facing != Facing::Down) {
        const double back = p.facing == Facing::Right ? h.cx - 1.5 : h.cx;
        for (int i = 0; i < 3; ++i) {
            c.polygon({{back - 1.2 - i * 1.3, h.cy - h.ry + 1 + i * 1.5},
                       {back + 0.8 - i * 1.3, h.cy - h.ry + 0.5 + i * 1.5},
                       {back - 1.5 - i * 1.8, h.cy - h.ry - 2 + i * 1.5}},
                      p.m.accent, Shading::Round);
        }
    } else if (k == HeadKind::Lizard) {
        c.polygon({{h.cx - 1.5, h.cy - h.ry + 1},
                   {h.cx + 1.5, h.cy - h.ry + 1},
                   {h.cx, h.cy - h.ry - 2.5}},
                  p.m.accent, Shading::Round);
    }
    if (p.look.stripes && p.facing != Facing::Right) {
        for (int i = -1; i <= 1; ++i) {
            c.rect(h.cx - 0.5 + i * 2 - (i == 0 ? 0 : 0), h.cy - h.ry + 1, 1, i == 0 ? 3 : 2,
                   p.m.outline, Shading::Tone0, false);
        }
    }
    if (p.look.stripes && p.facing == Facing::Right) {
        c.rect(h.cx - 2, h.cy - h.ry + 1, 1, 3, p.m.outline, Shading::Tone0, false);
        c.rect(h.cx, h.cy - h.ry + 1, 1, 2, p.m.outline, Shading::Tone0, false);
    }
    if (k == HeadKind::Imp) {
        horns(p, h);
    }
}

void drawFace(Pose& p) {
    SpriteCanvas& c = p.canvas;
    const HeadGeo h = headGeo(p);
    const Look& l = p.look;
    const HeadKind k = l.head;
    if (p.facing == Facing::Up) {
        return;
    }
    const bool side = p.facing == Facing::Right;
    const int eyeMat = l.glowingEyes ? p.m.glow : p.m.eyes;
    const bool beast = beastHead(k);
    const double eyeY = beast || k == HeadKind::Lizard ? h.cy - 1.0 : h.cy + 0.5;
    if (k == HeadKind::Skull) {
        if (side) {
            c.rect(h.cx + 1.5, h.cy - 1, 2, 2, p.m.outline, Shading::Tone0, false);
            c.pixel(ix(h.cx + 2), ix(h.cy), p.m.glow, 1);
            for (int i = 0; i < 3; ++i) {
                c.pixel(ix(h.cx + 1 + i * 1.0), ix(h.cy + 3), p.m.outline, 0);
            }
        } else {
            for (int s : {-1, 1}) {
                c.rect(h.cx + (s < 0 ? -3.5 : 1.5), h.cy - 1, 2, 2, p.m.outline, Shading::Tone0,
                       false);
                c.pixel(ix(h.cx + (s < 0 ? -2.5 : 1.5)), ix(h.cy), p.m.glow, 1);
            }
            c.pixel(ix(h.cx - 0.5), ix(h.cy + 1.5), p.m.outline, 0);
            for (int i = -2; i <= 1; i += 1) {
                c.pixel(ix(h.cx + i + 0.5), ix(h.cy + 3), i % 2 == 0 ? p.m.outline : p.m.skin,
                        i % 2 == 0 ? 0 : 0);
            }
        }
        return;
    }
    if (side) {
        const double ex = beast || k == HeadKind::Lizard ? h.cx + 2.5 : h.cx + h.rx - 2.5;
        c.rect(ex, eyeY, 1, 2, eyeMat, Shading::Tone1, false);
        if (!beast && k != HeadKind::Lizard) {
            c.pixel(ix(h.cx + h.rx), ix(h.cy + 1.5), p.m.skin, 1);
        }
        if (k == HeadKind::Orc) {
            c.pixel(ix(h.cx + h.rx - 1), ix(h.cy + 3), p.m.white, 0);
        }
        if (l.blush) {
            c.pixel(ix(h.cx + 2), ix(h.cy + 2.5), p.m.accent, 0);
        }
    } else {
        const double gap = beast ? 2.5 : (k == HeadKind::Lizard ? 3.5 : 2.5);
        for (int s : {-1, 1}) {
            const double ex = s < 0 ? h.cx - gap - 0.5 : h.cx + gap - 0.5;
            c.rect(ex, eyeY, 1, 2, eyeMat, Shading::Tone1, false);
            if (k == HeadKind::Wolf) {
                c.pixel(ix(ex - s), ix(eyeY - 1), p.m.outline, 0);
                c.pixel(ix(ex), ix(eyeY - 1), p.m.outline, 0);
            }
        }
        if (k == HeadKind::Orc) {
            c.pixel(ix(h.cx - 3), ix(h.cy + 3), p.m.white, 0);
            c.pixel(ix(h.cx + 2), ix(h.cy + 3), p.m.white, 0);
        }
        if (k == HeadKind::Goblin || k == HeadKind::Imp) {
            c.rect(h.cx - 0.5, h.cy + 1.5, 1, 1.5, p.m.skin, Shading::Tone2, false);
        }
        if (l.blush) {
            c.pixel(ix(h.cx - 4), ix(h.cy + 2.5), p.m.accent, 0);
            c.pixel(ix(h.cx + 3), ix(h.cy + 2.5), p.m.accent, 0);
        }
    }
    if (l.beard) {
        if (side) {
            c.polygon({{h.cx - 1, h.cy + 1.5},
                       {h.cx + h.rx + 0.5, h.cy + 1.5},
                       {h.cx + h.rx - 1, h.cy + 6},
                       {h.cx + 1, h.cy + 7.5}},
                      p.m.hair, Shading::Round);
            c.pixel(ix(h.cx + h.rx - 2.5), ix(h.cy + 2.5), p.m.skin, 2);
        } else {
            c.polygon({{h.cx - h.rx + 0.5, h.cy + 0.5},
                       {h.cx + h.rx - 0.5, h.cy + 0.5},
                       {h.cx + 3, h.cy + 6},
                       {h.cx, h.cy + 7.5},
                       {h.cx - 3, h.cy + 6}},
                      p.m.hair, Shading::Round);
            c.rect(h.cx - 1.5, h.cy + 2.5, 3, 1, p.m.skin, Shading::Tone2, false);
            for (int s : {-1, 1}) {
                const double ex = s < 0 ? h.cx - 3 : h.cx + 2;
                c.rect(ex, eyeY, 1, 2, eyeMat, Shading::Tone1, false);
            }
        }
    }
}

void drawHairBack(Pose& p) {
    if (!hasHair(p.look) && p.look.hat != Hat::Veil) {
        return;
    }
    SpriteCanvas& c = p.canvas;
    const HeadGeo h = headGeo(p);
    const Hair hair = p.look.hair;
    const int mat = p.look.hat == Hat::Veil ? p.m.hat : p.m.hair;
    const double bottom = p.f.torsoTop + p.bob + (p.look.hat == Hat::Veil ? 5 : 4);
    if (hair == Hair::Long || p.look.hat == Hat::Veil) {
        if (p.facing == Facing::Down) {
            c.rect(h.cx - h.rx + 0.5, h.cy, 2 * h.rx - 1, bottom - h.cy, mat, Shading::Round);
        } else if (p.facing == Facing::Right) {
            c.polygon({{h.cx - h.rx + 0.5, h.cy - 1},
                       {h.cx + 0.5, h.cy - 1},
                       {h.cx - 1, bottom},
                       {h.cx - h.rx - 0.5, bottom}},
                      mat, Shading::Round);
        }
    }
    if (hair == Hair::Ponytail && p.facing == Facing::Right) {
        const double sway = p.step == 0 ? 0 : 0.8;
        c.polygon({{h.cx - h.rx + 1, h.cy - 2},
                   {h.cx - h.rx - 2 - sway, h.cy + 2},
                   {h.cx - h.rx - 1.5 - sway, h.cy + 6},
                   {h.cx - h.rx + 1.5, h.cy + 2}},
                  mat, Shading::Round);
    }
}

void drawHairFront(Pose& p) {
    if (!hasHair(p.look)) {
        return;
    }
    SpriteCanvas& c = p.canvas;
    const HeadGeo h = headGeo(p);
    const Hair hair = p.look.hair;
    const double rx = h.rx + (hair == Hair::Wild ? 1.3 : 0.5);
    const double ry = h.ry + (hair == Hair::Wild ? 1.0 : 0.4);
    const double cy = h.cy - 0.6;
    auto inCap = [=](double x, double y) {
        double u = (x - h.cx) / rx, v = (y - cy) / ry;
        return u * u + v * v <= 1.0;
    };
    if (p.facing == Facing::Up) {
        c.shape(inCap, p.m.hair, Shading::Round);
        if (hair == Hair::Long) {
            c.rect(h.cx - h.rx + 0.5, h.cy, 2 * h.rx - 1, p.f.torsoTop + p.bob + 4 - h.cy, p.m.hair,
                   Shading::Round);
        }
        if (hair == Hair::Ponytail) {
            c.rect(h.cx - 1, h.cy + h.ry - 1, 2, 5, p.m.hair, Shading::Cylinder);
        }
        if (hair == Hair::Braids) {
            for (int s : {-1, 1}) {
                c.rect(h.cx + s * (h.rx - 1) - 1, h.cy + 2, 2, 5, p.m.hair, Shading::Cylinder);
            }
        }
        if (hair == Hair::Bun) {
            c.ellipse(h.cx, h.cy - h.ry + 0.5, 2.6, 2.2, p.m.hair, Shading::Round);
        }
        if (hair == Hair::Mohawk) {
            c.rect(h.cx - 1, h.cy - h.ry - 2, 2, 2 * h.ry, p.m.hair, Shading::Cylinder);
        }
        return;
    }
    const bool side = p.facing == Facing::Right;
    const double fringe = hair == Hair::Bob || hair == Hair::Wild ? h.cy - 0.5 : h.cy - 1.5;
    c.shape(
        [=](double x, double y) {
            if (!inCap(x, y)) {
                return false;
            }
            if (hair == Hair::Mohawk) {
                return std::abs(x - h.cx + (side ? 1 : 0)) < 1.5 && y < fringe;
            }
            double edge = fringe;
            if (hair == Hair::Spiky) {
                edge += (static_cast<int>(std::floor(x)) % 3 == 0) ? 1.0 : -0.5;
            }
            if (side) {
                // The hair covers the back of the head and the top; the face looks right.
                const double backLine = h.cx - 0.5 + (y < h.cy + 1 ? 0.0 : -1.0);
                if (x < backLine) {
                    return hair == Hair::Short || hair == Hair::Spiky || hair == Hair::Mohawk
                               ? y < h.cy + 3
                               : true;
                }
                return y < edge;
            }
            const double dist = std::abs(x - h.cx);
            if (dist > h.rx - 2.0) {
                const double sideLen = hair == Hair::Long   ? h.cy + 5.5
                                       : hair == Hair::Bob  ? h.cy + 3.5
                                       : hair == Hair::Wild ? h.cy + 4.0
                                                            : h.cy + 0.5;
                return y < sideLen;
            }
            return y < edge;
        },
        p.m.hair, Shading::Round);
    if (hair == Hair::Spiky) {
        for (int i = -2; i <= 2; ++i) {
            const double bx = h.cx + i * 2.5;
            c.polygon({{bx - 1.5, h.cy - h.ry + 1.5},
                       {bx + 1.5, h.cy - h.ry + 1.5},
                       {bx + i * 0.6, h.cy - h.ry - 2}},
                      p.m.hair, Shading::Round, false);
        }
    }
    if (hair == Hair::Bun) {
        c.ellipse(side ? h.cx - 2 : h.cx, h.cy - h.ry + (side ? 0.5 : -0.5), 2.6, 2.2, p.m.hair,
                  Shading::Round);
    }
    if (hair == Hair::Braids) {
        if (side) {
            c.rect(h.cx - 2.5, h.cy + 2, 2, 5, p.m.hair, Shading::Cylinder);
            c.pixel(ix(h.cx - 2), ix(h.cy + 6.5), p.m.accent, 1);
        } else {
            for (int s : {-1, 1}) {
                const double bx = h.cx + s * (h.rx - 0.5) - 1;
                c.rect(bx, h.cy + 1, 2, 5.5, p.m.hair, Shading::Cylinder);
                c.pixel(ix(bx + 0.5), ix(h.cy + 6), p.m.accent, 1);
            }
        }
    }
    if (hair == Hair::Mohawk && side) {
        c.rect(h.cx - 3, h.cy - h.ry - 2, 4, 3, p.m.hair, Shading::Round, false);
    } else if (hair == Hair::Mohawk) {
        c.rect(h.cx - 1, h.cy - h.ry - 2, 2, 3, p.m.hair, Shading::Round, false);
    }
}

}  // namespace assetgen::humanoid
