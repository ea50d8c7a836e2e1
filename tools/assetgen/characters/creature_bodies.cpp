// Golem, muffin man, slime, ghost, mushroom, wisp and plant creatures.
#include <cmath>

#include "creature_parts.h"

namespace assetgen::creature {

namespace {

int ix(double v) {
    return static_cast<int>(std::floor(v));
}

// Two stepping legs, front or side, from `top` to `bottom` (last row).
void legs(Ctx& x, double cx, double top, double bottom, double w, double gap, int mat, int shoe) {
    SpriteCanvas& c = x.c;
    if (x.side()) {
        for (int far = 1; far >= 0; --far) {
            const bool fwd = (x.step == 0) != (far == 1);
            const double fx = cx + (fwd ? 2.0 : -2.0);
            c.polygon({{cx - w / 2, top},
                       {cx + w / 2, top},
                       {fx + w / 2, bottom - 1},
                       {fx - w / 2, bottom - 1}},
                      far ? x.bodyFar : mat, Shading::Cylinder);
            c.rect(std::round(fx - w / 2), bottom - 1, w + 1, 2, shoe,
                   far ? Shading::Tone2 : Shading::Round);
        }
        return;
    }
    for (int i = 0; i < 2; ++i) {
        const double lx = i == 0 ? cx - gap / 2 - w : cx + gap / 2;
        const double b = bottom - (i == x.step ? 1 : 0);
        c.rect(lx, top, w, b - 1 - top, mat, Shading::Cylinder);
        c.rect(lx - (i == 0 ? 0.5 : 0), b - 1, w + 0.5, 2, shoe, Shading::Round);
    }
}

}  // namespace

void golem(Ctx& x) {
    SpriteCanvas& c = x.c;
    const double cx = 16;
    const double swing = x.step == 0 ? -1 : 1;
    if (x.side()) {
        legs(x, cx, 22, 30, 5, 0, x.body, x.bodyFar);
        c.ellipse(cx - 5 - swing, 23, 3, 3, x.bodyFar, Shading::Round);
        c.polygon(
            {{cx - 7, 11}, {cx + 6, 11}, {cx + 7, 18}, {cx + 5, 24}, {cx - 7, 24}, {cx - 8, 16}},
            x.body, Shading::Round);
        c.rect(cx + 1, 5, 7, 7, x.body, Shading::Round);
        c.rect(cx + 4, 8, 3, 1, x.glow, Shading::Tone0, false);
        c.ellipse(cx - 4, 9.5, 4, 3, x.second, Shading::Round, false);
        c.ellipse(cx, 13, 4, 3.5, x.body, Shading::Round);
        c.polygon({{cx - 2, 13}, {cx + 2, 13}, {cx + 3 + swing * 2, 22}, {cx - 1 + swing * 2, 22}},
                  x.body, Shading::Cylinder);
        c.ellipse(cx + 1 + swing * 2, 24, 3.2, 3, x.body, Shading::Round);
        c.line(ix(cx - 5), 19, ix(cx - 3), 21, x.body, 3);
        return;
    }
    legs(x, cx, 23, 30, 5, 3, x.body, x.bodyFar);
    c.shape(
        [=](double px, double py) {
            return std::abs(px - cx) < 9 - (py > 20 ? (py - 20) * 0.6 : 0) && py > 10 && py < 25;
        },
        x.body, Shading::Round);
    c.rect(cx - 4, 4, 8, 8, x.body, Shading::Round);
    if (x.front()) {
        c.rect(cx - 3, 7, 2, 1, x.glow, Shading::Tone0, false);
        c.rect(cx + 1, 7, 2, 1, x.glow, Shading::Tone0, false);
        c.line(ix(cx - 2), 16, ix(cx), 14, x.glow, 1);
        c.line(ix(cx), 14, ix(cx + 1), 18, x.glow, 1);
        c.line(ix(cx - 3), 20, ix(cx + 2), 20, x.body, 3);
    } else {
        c.line(ix(cx - 5), 14, ix(cx - 2), 19, x.body, 3);
        c.line(ix(cx + 3), 15, ix(cx + 5), 21, x.body, 3);
    }
    for (int s : {-1, 1}) {
        const double lift = (s < 0) == (x.step == 0) ? -1 : 0;
        c.ellipse(cx + s * 9, 13 + lift, 4, 3.6, x.body, Shading::Round);
        c.rect(cx + s * 10.5 - 2, 14 + lift, 4, 8, x.body, Shading::Cylinder);
        c.ellipse(cx + s * 10.5, 23 + lift, 3.2, 2.8, x.body, Shading::Round);
        c.ellipse(cx + s * 9.5, 10.5 + lift, 2.8, 1.6, x.second, Shading::Round, false);
    }
    c.ellipse(cx, 4.5, 3.5, 1.5, x.second, Shading::Round, false);
}

void muffin(Ctx& x) {
    SpriteCanvas& c = x.c;
    const double cx = 16;
    const int berry = c.addMaterial(QColor(92, 60, 150));
    const int glove = x.white;
    legs(x, cx, 25, 30, 2, 3, x.dark, x.dark);
    const double half = x.side() ? 6.0 : 7.5;
    const double swing = x.step == 0 ? 1.5 : -1.5;
    // Arms: thin sticks ending in white gloves.
    if (x.side()) {
        c.line(ix(cx), 19, ix(cx + swing + 1), 23, x.dark, 1);
        c.ellipse(cx + swing + 1.5, 23.5, 1.5, 1.5, glove, Shading::Round);
    } else {
        for (int s : {-1, 1}) {
            const double lift = (s < 0) == (x.step == 0) ? -1.5 : 0.5;
            c.line(ix(cx + s * (half - 0.5)), 19, ix(cx + s * (half + 3)), ix(21 + lift), x.dark,
                   1);
            c.ellipse(cx + s * (half + 3.5), 21.5 + lift, 1.6, 1.6, glove, Shading::Round);
        }
    }
    // The paper cup with its pleats.
    c.polygon({{cx - half, 17}, {cx + half, 17}, {cx + half - 2, 26}, {cx - half + 2, 26}},
              x.second, Shading::Round);
    c.pattern(x.second, x.second, 2,
              [cx](int px, int py) { return py > 18 && (px - static_cast<int>(cx)) % 2 == 0; });
    // The baked top, domed and spilling over the cup.
    c.ellipse(cx, 14, half + 2.5, 7, x.body, Shading::Round);
    c.shape([=](double px,
                double py) { return std::abs(px - cx) < half + 2.2 && py > 14 && py < 18.5; },
            x.body, Shading::Round, false);
    for (int i = 0; i < 3; ++i) {
        const int bx = static_cast<int>(cx - half - 1 + i * 6 + (x.side() ? 1 : 0));
        c.pixel(bx, 18, x.body, 2);
    }
    const int spots[][2] = {{-5, 10}, {3, 9}, {-1, 8}, {6, 13}, {-7, 14}, {1, 12}};
    for (const auto& s : spots) {
        if (x.front() && s[1] > 10 && std::abs(s[0]) < 4) {
            continue;
        }
        const int sx = static_cast<int>(cx) + (x.side() ? s[0] / 2 - 1 : s[0]);
        c.pixel(sx, s[1], berry, 1);
        c.pixel(sx + 1, s[1], berry, 2);
    }
    c.pixel(static_cast<int>(cx - 3), 10, x.white, 0);
    c.pixel(static_cast<int>(cx + 4), 11, x.white, 0);
    if (x.front()) {
        eyesAt(x, cx, 12, 2.5);
        c.pixel(static_cast<int>(cx - 2), 15, x.dark, 0);
        c.rect(cx - 1, 16, 2, 1, x.dark, Shading::Tone0, false);
        c.pixel(static_cast<int>(cx + 1), 15, x.dark, 0);
        c.pixel(static_cast<int>(cx - 5), 14, x.second, 0);
        c.pixel(static_cast<int>(cx + 4), 14, x.second, 0);
    } else if (x.side()) {
        eyesAt(x, cx, 12, 4.5);
        c.rect(cx + 4, 15, 2, 1, x.dark, Shading::Tone0, false);
    }
}

void slime(Ctx& x) {
    SpriteCanvas& c = x.c;
    const double cx = 16;
    const double squash = x.step == 0 ? 0.0 : 1.5;
    const double rx = 10 + squash, ry = 9 - squash;
    const double base = 29;
    c.shape(
        [=](double px, double py) {
            const double u = (px - cx) / rx, v = (py - (base - ry)) / ry;
            return py < base && (u * u + v * v <= 1.0 || (py > base - 3 && std::abs(u) < 1.05));
        },
        x.body, Shading::Round);
    c.ellipse(cx - 4, base - ry - 3.5 + squash * 0.5, 2, 1.4, x.white, Shading::Tone1, false);
    if (x.back()) {
        return;
    }
    const double ey = base - ry + 0.5;
    eyesAt(x, x.side() ? cx + 1 : cx, ey, x.side() ? 4 : 3, 3);
    if (x.front()) {
        c.rect(cx - 2, ey + 4, 4, 1, x.dark, Shading::Tone0, false);
        c.pixel(static_cast<int>(cx - 3), static_cast<int>(ey + 3), x.dark, 0);
        c.pixel(static_cast<int>(cx + 2), static_cast<int>(ey + 3), x.dark, 0);
    } else {
        c.rect(cx + 4, ey + 4, 3, 1, x.dark, Shading::Tone0, false);
    }
}

void ghost(Ctx& x) {
    SpriteCanvas& c = x.c;
    const double cx = 16;
    const double bob = x.step == 0 ? 0 : 1;
    const double wave = x.step == 0 ? 1 : -1;
    const double lean = x.side() ? -2 : 0;
    c.shape(
        [=](double px, double py) {
            const double y = py - bob;
            if (y < 14) {
                const double u = (px - cx) / 8.5, v = (y - 13) / 9;
                return u * u + v * v <= 1.0;
            }
            const double t = (y - 14) / 13.0;
            const double half = 8.5 - t * 2.5;
            const double mid = cx + lean * t + std::sin(t * 3 + wave) * 1.2;
            if (t > 1) {
                return false;
            }
            const double rag = std::sin((px - cx) * 1.6 + wave * 2) * 1.5;
            return std::abs(px - mid) < half && y < 26 + rag;
        },
        x.body, Shading::Round);
    if (!x.back()) {
        for (int s : {-1, 1}) {
            if (x.side() && s < 0) {
                continue;
            }
            const double ax = x.side() ? cx + 5 : cx + s * 9;
            c.ellipse(ax, 16 + bob - wave * s, 2.2, 1.6, x.body, Shading::Round);
        }
    }
    if (x.front()) {
        c.rect(cx - 4, 10 + bob, 2, 3, x.dark, Shading::Tone0, false);
        c.rect(cx + 2, 10 + bob, 2, 3, x.dark, Shading::Tone0, false);
        c.ellipse(cx, 16 + bob, 1.5, 1.8, x.dark, Shading::Tone0, false);
    } else if (x.side()) {
        c.rect(cx + 4, 10 + bob, 2, 3, x.dark, Shading::Tone0, false);
        c.rect(cx + 6, 15 + bob, 1, 2, x.dark, Shading::Tone0, false);
    }
}

void mushroom(Ctx& x) {
    SpriteCanvas& c = x.c;
    const double cx = 16;
    legs(x, cx, 25, 30, 3, 2, x.white, x.dark);
    c.rect(cx - 5, 16, 10, 10, x.white, Shading::Round);
    if (!x.back()) {
        eyesAt(x, x.side() ? cx : cx, 19, x.side() ? 3 : 2);
        if (x.front()) {
            c.rect(cx - 1, 23, 2, 1, x.dark, Shading::Tone0, false);
        }
    }
    const double tilt = x.step == 0 ? -0.5 : 0.5;
    c.shape(
        [=](double px, double py) {
            const double u = (px - cx - tilt) / 12.5, v = (py - 15.5) / 11;
            return u * u + v * v <= 1.0 && py < 17.5;
        },
        x.body, Shading::Round);
    const double spots[][3] = {
        {-6, 10, 1.8}, {3, 7, 2.0}, {7, 13, 1.4}, {-1, 13, 1.2}, {-9, 15, 1.0}};
    for (const auto& s : spots) {
        const double sx = x.side() ? cx + s[0] * 0.8 + tilt : cx + s[0] + tilt;
        c.ellipse(sx, s[1], s[2], s[2], x.second, Shading::Flat, false);
    }
    c.rect(cx - 10, 16.5, 20, 1, x.body, Shading::Tone3, false);
}

void wisp(Ctx& x) {
    SpriteCanvas& c = x.c;
    const double cx = 16;
    const double flick = x.step == 0 ? 1.5 : -1.5;
    const double lean = x.side() ? -3 : 0;
    auto flame = [=](double scale, double base) {
        return [=](double px, double py) {
            const double y = (base - py) / scale;
            if (y < 0 || y > 22) {
                return false;
            }
            const double w =
                (y < 8 ? std::sqrt(64 - (8 - y) * (8 - y)) : 8 - (y - 8) * 0.57) * scale;
            const double mid = cx + (y / 22) * (lean + flick) + std::sin(y * 0.5 + flick) * 0.8;
            return std::abs(px - mid) < w;
        };
    };
    c.shape(flame(1.0, 28), x.body, Shading::Round);
    c.shape(flame(0.62, 27), x.second, Shading::Round, false);
    if (!x.back()) {
        eyesAt(x, x.side() ? cx + 1 : cx, 20, x.side() ? 3 : 2.5, 2);
        if (x.front()) {
            c.rect(cx - 1, 23, 2, 1, x.dark, Shading::Tone0, false);
        }
    }
}

void plant(Ctx& x) {
    SpriteCanvas& c = x.c;
    const double cx = 16;
    const double sway = x.step == 0 ? -1 : 1;
    // Roots for feet.
    for (int i = -1; i <= 1; ++i) {
        c.line(ix(cx + i * 2), 26, ix(cx + i * 4 + (i == 0 ? sway : 0)), 29 - (i == sway ? 1 : 0),
               x.bodyFar, 1);
    }
    c.rect(cx - 1.5, 17, 3, 10, x.body, Shading::Cylinder);
    for (int s : {-1, 1}) {
        const double lift = (s == sway) ? -2 : 0;
        c.polygon({{cx, 21}, {cx + s * 8, 17 + lift}, {cx + s * 6, 22 + lift}}, x.body,
                  Shading::Round);
    }
    // The flower head with its mouth.
    const double hx = cx + (x.side() ? 2 : 0);
    for (int k = 0; k < 6; ++k) {
        const double a = k * 3.14159265 / 3 + (x.step == 0 ? 0 : 0.5);
        const double px = hx + std::cos(a) * 6.5 * (x.side() ? 0.6 : 1);
        c.ellipse(px, 11 + std::sin(a) * 5.5, 3, 3, x.second, Shading::Round);
    }
    c.ellipse(hx, 11, x.side() ? 4 : 5.5, 5, x.body, Shading::Round);
    if (!x.back()) {
        c.ellipse(x.side() ? hx + 2 : hx, 13, x.side() ? 2 : 3, 1.8, x.dark, Shading::Tone0, false);
        c.pixel(ix(x.side() ? hx + 2 : hx - 1), 12, x.white, 0);
        if (x.front()) {
            c.pixel(ix(hx + 1), 12, x.white, 0);
        }
        eyesAt(x, hx, 8, x.side() ? 1.5 : 2.5, 2, true);
    }
}

}  // namespace assetgen::creature
