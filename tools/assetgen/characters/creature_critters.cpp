// Bat, snake, spider, floating eye, bird, dragon whelp and crab creatures.
#include <cmath>
#include <vector>

#include "creature_parts.h"

namespace assetgen::creature {

namespace {

int ix(double v) {
    return static_cast<int>(std::floor(v));
}

void wingPair(Ctx& x, double cx, double y, double span, bool up, int mat) {
    // The leading edge runs from the shoulder to the tip; the trailing edge is scalloped.
    const double tipDy = up ? -8.0 : 2.0;
    const double ts[] = {1.0, 0.8, 0.55, 0.35, 0.12};
    const double depth[] = {0.0, 4.0, 2.0, 4.5, 3.5};
    for (int s : {-1, 1}) {
        if (x.side() && s > 0) {
            continue;
        }
        const double dir = x.side() ? -0.6 : s;
        std::vector<QPointF> pts{{cx + dir * 2, y - 2}};
        for (int i = 0; i < 5; ++i) {
            const double t = ts[i];
            const double top = y - 2 + (tipDy + 2) * t;
            pts.emplace_back(cx + dir * std::max(2.0, span * t), top + depth[i]);
        }
        x.c.polygon(pts, mat, Shading::Round);
    }
}

}  // namespace

void bat(Ctx& x) {
    SpriteCanvas& c = x.c;
    const double cx = 16;
    const bool up = x.step == 0;
    const double y = up ? 14 : 16;
    wingPair(x, cx, y, 14, up, x.second);
    const double bx = x.side() ? cx + 1 : cx;
    c.ellipse(bx, y + 1, 4.5, 5, x.body, Shading::Round);
    for (int s : {-1, 1}) {
        if (x.side() && s > 0) {
            continue;
        }
        c.polygon({{bx + s * 1 - (x.side() ? 1 : 0), y - 3},
                   {bx + s * 4 - (x.side() ? 2 : 0), y - 3},
                   {bx + s * 3.5 - (x.side() ? 2 : 0), y - 8}},
                  x.body, Shading::Round);
    }
    c.line(ix(bx - 2), ix(y + 6), ix(bx - 2), ix(y + 7), x.dark, 0);
    c.line(ix(bx + 1), ix(y + 6), ix(bx + 1), ix(y + 7), x.dark, 0);
    if (!x.back()) {
        eyesAt(x, x.side() ? bx : bx, y - 0.5, x.side() ? 2 : 2, 1, true);
        if (x.front()) {
            c.pixel(ix(bx - 2), ix(y + 3), x.white, 0);
            c.pixel(ix(bx + 1), ix(y + 3), x.white, 0);
        } else {
            c.pixel(ix(bx + 3), ix(y + 3), x.white, 0);
        }
    }
}

void snake(Ctx& x) {
    SpriteCanvas& c = x.c;
    const double cx = 16;
    const double sway = x.step == 0 ? -1 : 1;
    c.ellipse(cx, 25.5, 10, 4, x.body, Shading::Round);
    c.ellipse(cx + sway * 0.5, 21.5, 7.5, 3.5, x.body, Shading::Round);
    c.pattern(x.body, x.second, 1, [](int px, int py) { return (px + py) % 4 == 0 && py > 18; });
    const double nx = cx + sway + (x.side() ? 3 : 0);
    c.polygon({{nx - 2.5, 21}, {nx + 2.5, 21}, {nx + 2, 12}, {nx - 2, 12}}, x.body,
              Shading::Cylinder);
    if (x.side()) {
        c.ellipse(nx + 2, 10, 5, 3.6, x.body, Shading::Round);
        c.rect(nx + 1, 11.5, 5, 1, x.second, Shading::Flat, false);
        eyesAt(x, nx, 8.5, 2.5, 1, true);
        if (x.step == 0) {
            c.line(ix(nx + 7), 11, ix(nx + 9), 11, x.second, 0);
            c.pixel(ix(nx + 10), 10, x.second, 0);
            c.pixel(ix(nx + 10), 12, x.second, 0);
        }
        return;
    }
    c.ellipse(nx, 10, 4.5, 4, x.body, Shading::Round);
    if (x.front()) {
        c.rect(nx - 2, 13, 4, 2, x.second, Shading::Flat, false);
        eyesAt(x, nx, 8.5, 2.5, 1, true);
        if (x.step == 0) {
            c.rect(nx - 0.5, 14, 1, 3, x.second, Shading::Tone0, false);
        }
    }
}

void spider(Ctx& x) {
    SpriteCanvas& c = x.c;
    const double cx = 16;
    const double by = 18;
    for (int s : {-1, 1}) {
        for (int k = 0; k < 4; ++k) {
            const double lift = ((k + (s > 0 ? 1 : 0) + x.step) % 2) == 0 ? -1.5 : 0.5;
            const double kx = x.side() ? cx - 4 + k * 2.8 : cx + s * 4;
            const double knee = x.side() ? kx + (k - 1.5) * 1.5 : cx + s * (9 + k * 0.6);
            const double footX = x.side() ? kx + (k - 1.5) * 2.5 : cx + s * (11 + k * 0.8);
            const double ky = by - 4 + k * 0.5 + lift;
            const double footY = 24 + k * 1.6;
            c.line(ix(kx), ix(by), ix(knee), ix(ky), x.bodyFar, 1);
            c.line(ix(knee), ix(ky), ix(footX), ix(footY), x.bodyFar, 1);
            if (x.side() && s > 0) {
                break;
            }
        }
    }
    const double ax = x.side() ? cx - 3 : cx;
    c.ellipse(ax, by - (x.back() ? 1 : -1), x.side() ? 6.5 : 7, 6, x.body, Shading::Round);
    c.pattern(x.body, x.second, 1, [ax, by](int px, int py) {
        return std::abs(px + 0.5 - ax) < 1.5 && std::abs(py - by + 1) < 3;
    });
    if (!x.back()) {
        const double hx = x.side() ? cx + 5 : cx;
        c.ellipse(hx, x.side() ? by : by + 5, 3.8, 3.2, x.body, Shading::Round);
        eyesAt(x, hx, x.side() ? by - 1 : by + 4, x.side() ? 1.5 : 1.5, 1, true);
        if (x.front()) {
            c.pixel(ix(hx - 2), ix(by + 3), x.eyes, 0);
            c.pixel(ix(hx + 1), ix(by + 3), x.eyes, 0);
            c.pixel(ix(hx - 1), ix(by + 8), x.white, 0);
            c.pixel(ix(hx), ix(by + 8), x.white, 0);
        }
    }
}

void eyeball(Ctx& x) {
    SpriteCanvas& c = x.c;
    const double cx = 16;
    const double bob = x.step == 0 ? 0 : 1.5;
    wingPair(x, cx, 13 + bob, 13, x.step == 0, x.second);
    // Dangling tendrils.
    for (int i = -1; i <= 1; ++i) {
        const double sway = (x.step == 0 ? 1 : -1) * (i == 0 ? 1 : -1);
        c.line(ix(cx + i * 3), ix(20 + bob), ix(cx + i * 4 + sway), ix(27 + bob), x.bodyFar, 2);
    }
    c.ellipse(cx, 14 + bob, 7.5, 7.5, x.white, Shading::Round);
    if (x.back()) {
        c.pattern(x.white, x.body, 2, [](int px, int py) { return (px * 3 + py) % 7 == 0; });
        return;
    }
    const double ex = x.side() ? cx + 3.5 : cx;
    c.ellipse(ex, 14 + bob, x.side() ? 2.2 : 3.2, 3.2, x.body, Shading::Round, false);
    c.rect(std::floor(ex) - 0.0, 13 + bob, 1, 3, x.dark, Shading::Tone0, false);
    c.pixel(ix(ex - 1), ix(12 + bob), x.white, 0);
    c.line(ix(cx - 6), ix(11 + bob), ix(cx - 4), ix(12 + bob), x.body, 2);
}

void bird(Ctx& x) {
    SpriteCanvas& c = x.c;
    const double cx = 16;
    const bool up = x.step == 0;
    for (int i = 0; i < 2; ++i) {
        const double lx = x.side() ? cx - 1 + i * 2 : cx - 3 + i * 5;
        const double lift = i == x.step ? 1 : 0;
        c.line(ix(lx), 24, ix(lx), ix(28 - lift), x.second, 1);
        c.line(ix(lx - 1), ix(28 - lift), ix(lx + 1), ix(28 - lift), x.second, 1);
    }
    if (x.side()) {
        c.polygon({{cx - 6, 17}, {cx - 12, up ? 14.0 : 17.0}, {cx - 11, 19}}, x.bodyFar,
                  Shading::Round);
    }
    c.ellipse(cx, 18, x.side() ? 7 : 7.5, 7, x.body, Shading::Round);
    c.ellipse(x.side() ? cx + 1 : cx, 20, 4, 4, x.white, Shading::Round, false);
    c.ellipse(x.side() ? cx + 3 : cx, 10, 5, 4.8, x.body, Shading::Round);
    // Crest feathers.
    c.polygon({{cx - 1, 6}, {cx + 1.5, 6}, {cx - (x.side() ? 3 : 0), 1.5}}, x.second,
              Shading::Round);
    wingPair(x, cx, 17, 11, up, x.bodyFar);
    if (x.back()) {
        return;
    }
    if (x.side()) {
        c.polygon({{cx + 7, 9.5}, {cx + 11, 11}, {cx + 7, 12.5}}, x.second, Shading::Round);
        eyesAt(x, cx + 2, 9, 3, 2);
    } else {
        c.polygon({{cx - 1.8, 11}, {cx + 1.8, 11}, {cx, 14.5}}, x.second, Shading::Round);
        eyesAt(x, cx, 9, 2.5, 2);
    }
}

void dragon(Ctx& x) {
    SpriteCanvas& c = x.c;
    const double cx = 16;
    const bool up = x.step == 0;
    const double hx = x.side() ? cx + 3 : cx;
    wingPair(x, cx - (x.side() ? 2 : 0), 14, 12, up, x.second);
    // Tail.
    if (!x.front()) {
        const double tx = x.side() ? cx - 11 : cx + (up ? 6 : -6);
        c.polygon({{cx - 2, 24}, {cx + 2, 24}, {tx, 28}, {tx - 1, 27}}, x.body, Shading::Round);
    } else {
        c.polygon({{cx + 3, 25}, {cx + 6, 24}, {cx + 11 + (up ? 0 : -1), 28}, {cx + 9, 29}}, x.body,
                  Shading::Round);
    }
    for (int i = 0; i < 2; ++i) {
        const double lx = x.side() ? cx - 3 + i * 4 + (i == x.step ? 1 : -1) : cx - 5 + i * 6;
        c.rect(lx, 24 - (i == x.step && !x.side() ? 1 : 0), 3.5, 5,
               i == 0 && x.side() ? x.bodyFar : x.body, Shading::Cylinder);
    }
    c.ellipse(cx - (x.side() ? 1 : 0), 20, 6.5, 6, x.body, Shading::Round);
    if (!x.back()) {
        c.ellipse(x.side() ? cx + 2.5 : cx, 21, x.side() ? 2.2 : 3.5, 4, x.white, Shading::Flat,
                  false);
        c.pattern(x.white, x.white, 2, [](int, int py) { return py % 2 == 0; });
    }
    for (int s : {-1, 1}) {
        if (x.side() && s > 0) {
            continue;
        }
        const double bx = x.side() ? hx - 2 : hx + s * 3;
        c.polygon({{bx - 1, 7}, {bx + 1, 7}, {bx + s * 1.5 - (x.side() ? 2 : 0), 2}}, x.white,
                  Shading::Round);
    }
    c.ellipse(hx, 10, 5.5, 4.8, x.body, Shading::Round);
    if (x.side()) {
        c.polygon({{hx + 2, 9}, {hx + 8.5, 10}, {hx + 8.5, 13}, {hx + 2, 14}}, x.body,
                  Shading::Round);
        c.pixel(ix(hx + 7.5), 10, x.dark, 0);
        c.line(ix(hx + 3), 13, ix(hx + 7), 13, x.bodyFar, 3);
        eyesAt(x, hx, 8, 1.5, 2, true);
    } else if (x.front()) {
        c.ellipse(hx, 12.5, 3, 2, x.body, Shading::Round, false);
        c.pixel(ix(hx - 1), 12, x.dark, 0);
        c.pixel(ix(hx), 12, x.dark, 0);
        eyesAt(x, hx, 8.5, 2.5, 2, true);
    }
}

void crab(Ctx& x) {
    SpriteCanvas& c = x.c;
    const double cx = 16;
    const double snap = x.step == 0 ? 0 : 1.5;
    for (int s : {-1, 1}) {
        for (int k = 0; k < 3; ++k) {
            const double lift = ((k + x.step + (s > 0 ? 1 : 0)) % 2) ? -1 : 0;
            c.line(ix(cx + s * (4 + k * 1.5)), 23, ix(cx + s * (8 + k * 2)), ix(28 + lift),
                   x.bodyFar, 1);
        }
    }
    c.ellipse(cx, 20, x.side() ? 7.5 : 10, 6, x.body, Shading::Round);
    c.pattern(x.body, x.second, 0,
              [cx](int px, int py) { return py == 17 && std::abs(px - cx) < 6 && px % 3 == 0; });
    for (int s : {-1, 1}) {
        if (x.back() && false) {
            continue;
        }
        const double ax = x.side() ? cx + 6 + (s > 0 ? 0 : -3) : cx + s * 9;
        const double ay = 12 - (s > 0 ? snap : 0) + (s < 0 ? snap : 0);
        c.line(ix(x.side() ? cx + 3 : cx + s * 6), 17, ix(ax), ix(ay + 3),
               s < 0 && x.side() ? x.bodyFar : x.body, 1);
        c.ellipse(ax, ay, 3.2, 3, s < 0 && x.side() ? x.bodyFar : x.body, Shading::Round);
        c.erase(ix(ax - (x.side() ? -1 : s * 0)), ix(ay - 3), 1, 3);
    }
    if (!x.back()) {
        const double ex = x.side() ? cx + 3 : cx;
        for (int s : {-1, 1}) {
            if (x.side() && s < 0) {
                continue;
            }
            c.line(ix(ex + s * 2 - (x.side() ? 2 : 0)), 15, ix(ex + s * 2 - (x.side() ? 2 : 0)), 13,
                   x.body, 2);
            c.pixel(ix(ex + s * 2 - (x.side() ? 2 : 0)), 12, x.dark, 0);
        }
        if (x.front()) {
            c.rect(cx - 1, 21, 2, 1, x.dark, Shading::Tone0, false);
        }
    }
}

}  // namespace assetgen::creature
