// The forest landscape of the title screen: three layers of pines fading into the haze.
#include <QPainter>
#include <algorithm>
#include <cmath>

#include "common/rng.h"
#include "scene_kit.h"
#include "scenes.h"

namespace assetgen::scene {

namespace {

constexpr int W = kLandscapeW;
constexpr int H = kLandscapeH;

struct PineColours {
    QRgb light, dark, edge, trunk;
};

// One pine of stacked tiers, foot at (x, baseY), `height` tall; wraps around the picture edges.
void pine(QImage& img, int x, int baseY, int height, const PineColours& col, bool detailed) {
    const int tiers = 4;
    const double tierH = height * 0.36;
    const double step = (height - tierH) / (tiers - 1) * 0.92;
    const double slope = 1.55;
    const int top = baseY - height;
    const int half = static_cast<int>(tierH / slope) + 2;
    const int trunkTop = baseY - static_cast<int>(height * 0.12);
    for (int y = std::max(0, top); y < std::min(H, baseY); ++y) {
        for (int dx = -half; dx <= half; ++dx) {
            bool inside = false;
            bool edge = false;
            for (int t = 0; t < tiers && !inside; ++t) {
                const double ty = top + t * step;
                const double rel = y - ty - std::abs(dx) * slope;
                if (rel >= 0 && y <= ty + tierH) {
                    inside = true;
                    edge = rel < 2.0 || y > ty + tierH - 2;
                }
            }
            const int px = ((x + dx) % W + W) % W;
            if (inside) {
                QRgb colour = dx < 0 ? col.light : col.dark;
                if (detailed && edge && dx < 0) {
                    colour = col.edge;
                }
                img.setPixel(px, y, colour);
            } else if (std::abs(dx) <= std::max(1, height / 60) && y >= trunkTop) {
                img.setPixel(px, y, col.trunk);
            }
        }
    }
}

void pineRow(QImage& img, int seed, int count, int baseY, int minH, int maxH,
             const PineColours& col, bool detailed) {
    Rng r(static_cast<std::uint64_t>(seed));
    std::vector<std::pair<int, int>> trees;
    for (int i = 0; i < count; ++i) {
        const int x = static_cast<int>((i + r.unit() * 0.8) * W / count);
        trees.emplace_back(x, r.range(minH, maxH));
    }
    for (const auto& [x, h] : trees) {
        pine(img, x, baseY + (h % 7), h, col, detailed);
    }
}

}  // namespace

QImage forestLandscape() {
    QImage img(W, H, QImage::Format_RGB32);
    paintSky(img, 7, 6);
    auto far = [](int x) { return skyline(x, 300, {{10, 2, 0.9}, {5, 7, 0.4}}, W); };
    fillBelow(img, far, c(0x98b8c8), c(0xa8c4d2), 1);
    pineRow(img, 31, 70, 302, 40, 80, {c(0xa4c2d2), c(0x90b2c4), c(0xa4c2d2), c(0x90b2c4)}, false);
    auto mid = [](int x) { return skyline(x, 350, {{6, 3, 0.2}}, W); };
    fillBelow(img, mid, c(0x5a9484), c(0x5a9484), 1);
    pineRow(img, 37, 34, 356, 90, 150, {c(0x6aa08e), c(0x5a9484), c(0x7cb09a), c(0x4a7a6a)}, true);
    auto ground = [](int x) { return skyline(x, 420, {{5, 2, 1.1}, {3, 9, 0.4}}, W); };
    fillBelowGraded(img, ground, 512, {c(0x5ea048), c(0x4e8e3e), c(0x427e36)});
    pineRow(img, 43, 13, 446, 170, 300, {c(0x3a7a56), c(0x2a6048), c(0x4e9466), c(0x5a3a2a)}, true);
    grassDetails(img, 47, 446, c(0x2e6a30), c(0x7cc058));
    // Red-capped mushrooms among the roots.
    Rng r(53);
    for (int i = 0; i < 14; ++i) {
        const int x = r.range(0, W - 8), y = r.range(470, 505);
        img.setPixel(x + 2, y, c(0xf0ece0));
        img.setPixel(x + 2, y - 1, c(0xf0ece0));
        for (int dx = 0; dx < 5; ++dx) {
            img.setPixel(x + dx, y - 2, c(0xd83a3a));
        }
        for (int dx = 1; dx < 4; ++dx) {
            img.setPixel(x + dx, y - 3, c(0xd83a3a));
        }
        img.setPixel(x + 1, y - 3, c(0xf0ece0));
    }
    return img;
}

}  // namespace assetgen::scene
