// Helmets, hoods, hats and crowns.
#include <cmath>

#include "humanoid_parts.h"

namespace assetgen::humanoid {

namespace {

struct Head {
    double cx, cy, rx, ry;
    bool side, back;
};

Head head(const Pose& p) {
    const bool side = p.facing == Facing::Right;
    return {p.f.cx + (side ? 0.5 : 0.0), p.f.headCy + p.bob, p.f.headRx, p.f.headRy, side,
            p.facing == Facing::Up};
}

bool inEllipse(double x, double y, double cx, double cy, double rx, double ry) {
    const double u = (x - cx) / rx, v = (y - cy) / ry;
    return u * u + v * v <= 1.0;
}

void helmet(Pose& p, const Head& h) {
    SpriteCanvas& c = p.canvas;
    c.shape(
        [=](double x, double y) {
            if (!inEllipse(x, y, h.cx, h.cy - 0.5, h.rx + 0.8, h.ry + 0.6)) {
                return false;
            }
            if (h.back) {
                return y < h.cy + 3;
            }
            if (h.side) {
                return y < h.cy - 0.5 || (x < h.cx - 0.5 && y < h.cy + 3.5);
            }
            return y < h.cy - 0.5 || (std::abs(x - h.cx) > h.rx - 1.5 && y < h.cy + 3);
        },
        p.m.hat, Shading::Round);
    if (!h.back) {
        const double bx = h.side ? h.cx - 0.5 : h.cx - h.rx - 0.5;
        const double bw = h.side ? h.rx + 1.0 : 2 * h.rx + 1;
        c.rect(bx, h.cy - 1.5, bw, 1, p.m.hat, Shading::Tone3, false);
        if (!h.side) {
            c.rect(h.cx - 0.5, h.cy - 1.5, 1, 3, p.m.hat, Shading::Tone1, false);
        }
    }
}

void hood(Pose& p, const Head& h, bool veil) {
    SpriteCanvas& c = p.canvas;
    const double faceX = h.side ? h.cx + 2.5 : h.cx;
    const double faceRx = h.side ? h.rx - 2.0 : h.rx - 1.6;
    const double drape = p.f.torsoTop + p.bob + (veil ? 2.5 : 2.0);
    c.shape(
        [=](double x, double y) {
            const bool inHood =
                inEllipse(x, y, h.cx, h.cy - 0.3, h.rx + 1.0, h.ry + 0.9) ||
                (y >= h.cy && y < drape && std::abs(x - h.cx) < h.rx + 0.5 - (y - h.cy) * 0.15);
            if (!inHood) {
                return false;
            }
            if (h.back) {
                return true;
            }
            return !inEllipse(x, y, faceX, h.cy + 1.3, faceRx, h.ry - 1.6);
        },
        p.m.hat, Shading::Round);
    if (h.side || h.back) {
        const double tipX = h.side ? h.cx - h.rx - 0.5 : h.cx;
        c.polygon(
            {{tipX - 1.5, h.cy - h.ry + 1}, {tipX + 2.5, h.cy - h.ry}, {tipX - 1, h.cy - h.ry - 2}},
            p.m.hat, Shading::Round, false);
    }
    if (veil && !h.back) {
        const double bx = h.side ? h.cx + 0.5 : h.cx - h.rx + 1.5;
        const double bw = h.side ? h.rx - 1.0 : 2 * h.rx - 3;
        c.rect(bx, h.cy - 2.5, bw, 1.5, p.m.white, Shading::Flat, false);
    }
}

void wizardHat(Pose& p, const Head& h) {
    SpriteCanvas& c = p.canvas;
    const double brimY = h.cy - 2.5;
    const double lean = h.side ? -3.5 : 2.5;
    const double tipY = 1.0;
    const double apexX = h.cx + lean * 0.3;
    const double baseHalf = h.rx - 2.0;
    c.polygon({{h.cx - baseHalf, brimY},
               {h.cx + baseHalf, brimY},
               {apexX + 1.5, tipY + 1.0},
               {apexX - 0.5, tipY}},
              p.m.hat, Shading::Round);
    const double droop = lean > 0 ? 1.0 : -1.0;
    c.polygon({{apexX - 0.5, tipY}, {apexX + 1.5, tipY + 1.0}, {apexX + droop * 4.5, tipY + 3.5}},
              p.m.hat, Shading::Round, false);
    c.ellipse(h.cx, brimY + 0.3, h.rx + 2.8, 1.7, p.m.hat, Shading::Round);
    c.rect(h.cx - h.rx + 1.8, brimY - 2, 2 * h.rx - 3.6, 1, p.m.accent, Shading::Flat, false);
}

void crown(Pose& p, const Head& h, bool tiara) {
    SpriteCanvas& c = p.canvas;
    if (tiara) {
        if (h.back) {
            return;
        }
        const double y = h.cy - 3.0;
        const double x0 = h.side ? h.cx - 1.5 : h.cx - h.rx + 1.5;
        const double w = h.side ? h.rx + 1.0 : 2 * h.rx - 3;
        c.rect(x0, y, w, 1, p.m.accent, Shading::Flat, false);
        const double gx = h.side ? h.cx + h.rx - 2.5 : h.cx - 0.5;
        c.rect(gx, y - 1, 1, 2, p.m.shield, Shading::Tone0, false);
        return;
    }
    const double top = h.cy - h.ry - 1.5;
    const double w = h.side ? 6.0 : 8.0;
    const double x0 = h.cx - w / 2;
    c.rect(x0, top + 2, w, 2, p.m.accent, Shading::Flat);
    for (int i = 0; i < 3; ++i) {
        const double px = x0 + 0.5 + i * (w - 1) / 2.0;
        c.polygon({{px - 1, top + 2.2}, {px + 1, top + 2.2}, {px, top - 0.5}}, p.m.accent,
                  Shading::Round, false);
    }
    if (!h.back) {
        c.pixel(static_cast<int>(std::floor(h.cx - (h.side ? 0 : 0.5))), static_cast<int>(top + 2),
                p.m.shield, 0);
    }
}

void wideHat(Pose& p, const Head& h, bool feather) {
    SpriteCanvas& c = p.canvas;
    if (!feather) {
        c.ellipse(h.cx, h.cy - 2.2, h.rx + 3.2, 1.8, p.m.hat, Shading::Round);
    }
    const double domeY = h.cy - (feather ? 3.0 : 4.0);
    c.shape(
        [=](double x, double y) {
            return inEllipse(x, y, h.cx - (h.side ? 0.5 : 0), domeY, h.rx - (feather ? 0.0 : 1.5),
                             feather ? 3.6 : 3.0) &&
                   y < h.cy - 1.8;
        },
        p.m.hat, Shading::Round);
    c.rect(h.cx - h.rx + (feather ? 0.5 : 1.8), h.cy - (feather ? 3.2 : 3.8),
           2 * h.rx - (feather ? 1.0 : 3.6), 1, p.m.accent, Shading::Flat, false);
    if (feather) {
        const double fx = h.side ? h.cx - 2 : h.cx + 3;
        c.polygon({{fx, h.cy - 4},
                   {fx + (h.side ? -4.5 : 3.5), h.cy - h.ry - 4},
                   {fx + (h.side ? -2 : 1), h.cy - 4.5}},
                  p.m.white, Shading::Round);
    }
}

void bandana(Pose& p, const Head& h) {
    SpriteCanvas& c = p.canvas;
    c.shape(
        [=](double x, double y) {
            return inEllipse(x, y, h.cx, h.cy - 0.6, h.rx + 0.6, h.ry + 0.5) && y < h.cy - 1.5;
        },
        p.m.hat, Shading::Round);
    if (!h.back) {
        const double knotX = h.side ? h.cx - h.rx - 1 : h.cx + h.rx - 0.5;
        c.polygon({{knotX, h.cy - 2},
                   {knotX + 1.5, h.cy - 2},
                   {knotX + (h.side ? -1.5 : 2.5), h.cy + 1.5}},
                  p.m.hat, Shading::Round);
    } else {
        c.rect(h.cx - 1, h.cy - 2, 2, 4, p.m.hat, Shading::Round);
    }
    c.pixel(static_cast<int>(std::floor(h.cx + (h.side ? 1 : -2))), static_cast<int>(h.cy - 4),
            p.m.white, 1);
}

void turban(Pose& p, const Head& h) {
    SpriteCanvas& c = p.canvas;
    c.shape(
        [=](double x, double y) {
            return inEllipse(x, y, h.cx, h.cy - 2.4, h.rx + 1.0, h.ry - 0.5) && y < h.cy - 1.0;
        },
        p.m.hat, Shading::Round);
    for (int i = 0; i < 2; ++i) {
        c.line(static_cast<int>(h.cx - 4), static_cast<int>(h.cy - 6 + 2 * i),
               static_cast<int>(h.cx + 4), static_cast<int>(h.cy - 4 + 2 * i), p.m.hat, 2);
    }
    if (!h.back) {
        c.rect(h.side ? h.cx + h.rx - 2 : h.cx - 0.5, h.cy - 3.5, 1, 2, p.m.shield, Shading::Tone0,
               false);
    }
}

void cap(Pose& p, const Head& h) {
    SpriteCanvas& c = p.canvas;
    c.shape(
        [=](double x, double y) {
            return inEllipse(x, y, h.cx, h.cy - 0.6, h.rx + 0.6, h.ry + 0.6) && y < h.cy - 2.0;
        },
        p.m.hat, Shading::Round);
    if (h.side) {
        c.rect(h.cx + 1, h.cy - 2.5, h.rx + 2, 1, p.m.hat, Shading::Tone2, false);
    } else if (!h.back) {
        c.rect(h.cx - h.rx + 1, h.cy - 2.5, 2 * h.rx - 2, 1, p.m.hat, Shading::Tone2, false);
    }
}

}  // namespace

void drawHat(Pose& p) {
    const Head h = head(p);
    SpriteCanvas& c = p.canvas;
    switch (p.look.hat) {
        case Hat::None:
            break;
        case Hat::Helmet:
            helmet(p, h);
            break;
        case Hat::HornHelmet:
            helmet(p, h);
            for (int s : {-1, 1}) {
                if (h.side && s > 0) {
                    continue;
                }
                const double bx = h.side ? h.cx - 1 : h.cx + s * (h.rx - 0.5);
                c.polygon({{bx - 1, h.cy - 2},
                           {bx + 1.5 * s + (h.side ? 1 : 0), h.cy - 3},
                           {bx + s * 2.5 + (h.side ? -2 : 0), h.cy - h.ry - 4}},
                          p.m.white, Shading::Round);
            }
            break;
        case Hat::PlumeHelmet:
            helmet(p, h);
            if (h.side) {
                c.polygon({{h.cx - 1, h.cy - h.ry},
                           {h.cx + 1, h.cy - h.ry - 1},
                           {h.cx - 6, h.cy - 2},
                           {h.cx - 5, h.cy - h.ry - 1}},
                          p.m.accent, Shading::Round);
            } else {
                c.ellipse(h.cx, h.cy - h.ry - 0.5, 1.8, 2.4, p.m.accent, Shading::Round);
            }
            break;
        case Hat::Hood:
            hood(p, h, false);
            break;
        case Hat::Veil:
            hood(p, h, true);
            break;
        case Hat::WizardHat:
            wizardHat(p, h);
            break;
        case Hat::Crown:
            crown(p, h, false);
            break;
        case Hat::Tiara:
            crown(p, h, true);
            break;
        case Hat::Bandana:
            bandana(p, h);
            break;
        case Hat::WideHat:
            wideHat(p, h, false);
            break;
        case Hat::FeatherCap:
            wideHat(p, h, true);
            break;
        case Hat::Turban:
            turban(p, h);
            break;
        case Hat::Cap:
            cap(p, h);
            break;
    }
}

}  // namespace assetgen::humanoid
