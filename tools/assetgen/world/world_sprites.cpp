#include "world_sprites.h"

#include "characters/sprite_canvas.h"
#include "common/color.h"

namespace assetgen {

namespace {

Ramp ramp(int t0, int t1, int t2, int t3, int line) {
    return Ramp{{rgb(t0), rgb(t1), rgb(t2), rgb(t3)}, rgb(line)};
}

const Ramp kLeaves = ramp(0x8ad060, 0x5aa844, 0x3e8838, 0x2c6a30, 0x1c3a24);
const Ramp kLeavesAutumn = ramp(0xa8d468, 0x78b84c, 0x4e9640, 0x367834, 0x1c3a24);
const Ramp kNeedles = ramp(0x5a9a5c, 0x3a7a50, 0x2a6046, 0x1e4a3c, 0x142c28);
const Ramp kBark = ramp(0x9a6a40, 0x7a4e2e, 0x5a3822, 0x4a2c1c, 0x2a1c18);
const Ramp kHill = ramp(0xa8dc74, 0x86c45a, 0x68a848, 0x4e8a3c, 0x2e5a2c);
const Ramp kRockFace = ramp(0xd4c8b0, 0xaa9a84, 0x806e62, 0x5e4e4a, 0x3a2e30);
const Ramp kSnow = ramp(0xf6faff, 0xdce8f8, 0xb8c8e8, 0x98a8d0, 0x3a2e30);

}  // namespace

QImage broadleafTree(int variant) {
    SpriteCanvas c(36, 40);
    const int leaves = c.addMaterial(variant == 1 ? kLeavesAutumn : kLeaves);
    const int bark = c.addMaterial(kBark);
    c.rect(15, 26, 6, 11, bark, Shading::Cylinder);
    c.polygon({{13, 37}, {23, 37}, {21, 34}, {15, 34}}, bark, Shading::Flat);
    const double dx = variant == 2 ? 1.5 : 0.0;
    c.ellipse(11 + dx, 20, 8, 7, leaves, Shading::Round);
    c.ellipse(25 - dx, 20, 8, 7, leaves, Shading::Round);
    c.ellipse(18, 24, 9, 6, leaves, Shading::Round);
    c.ellipse(18, 12, 10, 9, leaves, Shading::Round);
    c.ellipse(13, 9, 5, 4, leaves, Shading::Round, false);
    return c.render(false, true);
}

QImage pineTree(int variant) {
    SpriteCanvas c(28, 42);
    const int needles = c.addMaterial(kNeedles);
    const int bark = c.addMaterial(kBark);
    c.rect(12, 32, 4, 7, bark, Shading::Cylinder);
    const double w = variant == 1 ? 1.0 : 0.0;
    c.polygon({{1 - w, 34}, {27 + w, 34}, {14, 16}}, needles, Shading::Round);
    c.polygon({{3 - w, 25}, {25 + w, 25}, {14, 8}}, needles, Shading::Round);
    c.polygon({{6, 16}, {22, 16}, {14, 1}}, needles, Shading::Round);
    return c.render(false, true);
}

QImage hillMound(int variant) {
    SpriteCanvas c(54, 32);
    const int grass = c.addMaterial(kHill);
    const double w = variant == 1 ? 22 : 25;
    c.shape(
        [w](double x, double y) {
            const double u = (x - 27) / w, v = (y - 29) / 22.0;
            return u * u + v * v <= 1.0 && y < 29;
        },
        grass, Shading::Round);
    for (int i = 0; i < 4; ++i) {
        const int tx = 14 + i * 7 + (variant * 3) % 5;
        const int ty = 17 + (i % 2) * 4;
        c.pixel(tx, ty, grass, 2);
        c.pixel(tx + 2, ty, grass, 2);
        c.pixel(tx + 1, ty + 1, grass, 2);
    }
    return c.render(false, true);
}

QImage mountainPeak(int variant, bool snowy, int size) {
    SpriteCanvas c(size, size);
    const double k = size / 64.0;
    auto at = [k](double x, double y) { return QPointF(x * k, y * k); };
    auto px = [k](double v) { return static_cast<int>(v * k); };
    const int rock = c.addMaterial(kRockFace);
    const int snow = c.addMaterial(kSnow);
    const double apexX = 30 + (variant % 3) * 2 - 2;
    const double apexY = snowy ? 4 : 10;
    const double baseY = 60;
    const double midX = apexX + 4;
    c.polygon({at(2, baseY), at(apexX, apexY), at(midX, baseY)}, rock, Shading::Tone1);
    c.polygon({at(apexX, apexY), at(62, baseY), at(midX, baseY)}, rock, Shading::Tone2, false);
    // Ridges and gullies.
    c.line(px(apexX), px(apexY + 4), px(midX), px(56), rock, 3);
    c.line(px(apexX - 8), px(apexY + 22), px(apexX - 14), px(50), rock, 2);
    c.line(px(apexX + 10), px(apexY + 20), px(apexX + 16), px(48), rock, 3);
    c.line(px(apexX - 3), px(apexY + 12), px(apexX - 9), px(36), rock, 0);
    if (snowy) {
        const double y1 = apexY + 15;
        c.polygon(
            {at(apexX - 9, y1), at(apexX, apexY), at(apexX + 10, y1 - 1), at(apexX + 6, y1 - 4),
             at(apexX + 3, y1 + 1), at(apexX - 1, y1 - 5), at(apexX - 5, y1 + 2)},
            snow, Shading::Tone0);
        c.polygon({at(apexX, apexY), at(apexX + 10, y1 - 1), at(apexX + 6, y1 - 4),
                   at(apexX + 3, y1 + 1), at(apexX + 1, apexY + 6)},
                  snow, Shading::Tone2, false);
    } else {
        c.polygon({at(apexX - 3, apexY + 5), at(apexX, apexY), at(apexX + 3, apexY + 4),
                   at(apexX, apexY + 3)},
                  rock, Shading::Tone0, false);
    }
    return c.render(false, true);
}

}  // namespace assetgen
