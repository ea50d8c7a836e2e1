#include "ground_painter.h"

#include <algorithm>
#include <cmath>
#include <deque>

#include "common/noise.h"
#include "common/rng.h"
#include "world_palette.h"

namespace assetgen {

namespace {

using namespace worldpal;

// A per-tile value blended smoothly between tile centres.
class TileField {
  public:
    TileField(int w, int h) : w_(w), h_(h), v_(static_cast<size_t>(w * h), 0.0) {}
    double& at(int x, int y) { return v_[static_cast<size_t>(y * w_ + x)]; }
    double get(int x, int y) const {
        x = std::clamp(x, 0, w_ - 1);
        y = std::clamp(y, 0, h_ - 1);
        return v_[static_cast<size_t>(y * w_ + x)];
    }
    // Value at pixel (px, py), tiles being `tile` pixels wide.
    double sample(double px, double py, int tile) const {
        const double tx = px / tile - 0.5, ty = py / tile - 0.5;
        const int x0 = static_cast<int>(std::floor(tx)), y0 = static_cast<int>(std::floor(ty));
        const double fx = tx - x0, fy = ty - y0;
        const double a = get(x0, y0), b = get(x0 + 1, y0), c = get(x0, y0 + 1),
                     d = get(x0 + 1, y0 + 1);
        return (a + (b - a) * fx) * (1 - fy) + (c + (d - c) * fx) * fy;
    }

  private:
    int w_, h_;
    std::vector<double> v_;
};

// Distance in tiles from each water tile to the nearest land, capped.
TileField waterDepth(const WorldMap& m) {
    TileField depth(m.width, m.height);
    std::deque<QPoint> queue;
    for (int y = 0; y < m.height; ++y) {
        for (int x = 0; x < m.width; ++x) {
            depth.at(x, y) = m.water(x, y) ? 99.0 : 0.0;
            if (!m.water(x, y)) {
                queue.emplace_back(x, y);
            }
        }
    }
    while (!queue.empty()) {
        const QPoint p = queue.front();
        queue.pop_front();
        const QPoint next[4] = {{1, 0}, {-1, 0}, {0, 1}, {0, -1}};
        for (const QPoint& d : next) {
            const int nx = p.x() + d.x(), ny = p.y() + d.y();
            if (nx < 0 || ny < 0 || nx >= m.width || ny >= m.height) {
                continue;
            }
            if (depth.at(nx, ny) > depth.at(p.x(), p.y()) + 1) {
                depth.at(nx, ny) = depth.at(p.x(), p.y()) + 1;
                queue.push_back({nx, ny});
            }
        }
    }
    for (int y = 0; y < m.height; ++y) {
        for (int x = 0; x < m.width; ++x) {
            depth.at(x, y) = std::min(depth.at(x, y), 5.0);
        }
    }
    return depth;
}

TileField indicator(const WorldMap& m, bool (*test)(Terrain)) {
    TileField f(m.width, m.height);
    for (int y = 0; y < m.height; ++y) {
        for (int x = 0; x < m.width; ++x) {
            f.at(x, y) = test(m.at(x, y)) ? 1.0 : 0.0;
        }
    }
    return f;
}

// Two colours mixed in a fine checkerboard where `t` is near the threshold.
QRgb dither(QRgb a, QRgb b, double t, int x, int y) {
    if (t < 0.35) {
        return a;
    }
    if (t > 0.65) {
        return b;
    }
    return ((x + y) & 1) ? b : a;
}

QRgb grassColour(int x, int y) {
    const double n = fractalNoise(x / 170.0, y / 170.0, 5, 3);
    QRgb base = kGrass;
    if (n > 0.6) {
        base = dither(kGrass, kGrassLight, (n - 0.6) / 0.03, x, y);
    } else if (n < 0.4) {
        base = dither(kGrass, kGrassDark, (0.4 - n) / 0.03, x, y);
    }
    return base;
}

}  // namespace

void paintGround(QImage& image, const WorldMap& m) {
    const int tile = WorldMap::kTile;
    const TileField water =
        indicator(m, [](Terrain t) { return t == Terrain::Sea || t == Terrain::Lake; });
    const TileField sea = indicator(m, [](Terrain t) { return t == Terrain::Sea; });
    const TileField woods =
        indicator(m, [](Terrain t) { return t == Terrain::Forest || t == Terrain::Pines; });
    const TileField rocky = indicator(m, [](Terrain t) { return t == Terrain::Mountain; });
    const TileField depth = waterDepth(m);
    for (int py = 0; py < image.height(); ++py) {
        QRgb* line = reinterpret_cast<QRgb*>(image.scanLine(py));
        for (int px = 0; px < image.width(); ++px) {
            const double jitter = (fractalNoise(px / 28.0, py / 28.0, 9, 2) - 0.5) * 0.3;
            const double w = water.sample(px, py, tile) + jitter;
            if (w > 0.5) {
                const double d = depth.sample(px, py, tile) + jitter * 2;
                QRgb c = kDeeper;
                if (w < 0.56) {
                    c = kFoam;
                } else if (w < 0.72) {
                    c = kShallow;
                } else if (d < 1.5) {
                    c = dither(kShallow, kWater, (d - 1.0) / 0.5, px, py);
                } else if (d < 2.6) {
                    c = dither(kWater, kDeep, (d - 2.0) / 0.5, px, py);
                } else {
                    c = dither(kDeep, kDeeper, (d - 3.2) / 0.4, px, py);
                }
                // Sparkles on the waves.
                const int cellX = px / 12, cellY = py / 8;
                const double h = hashUnit(cellX, cellY, 77);
                if (w > 0.7 && h < 0.09 && py % 8 == 3 && (px % 12) >= 3 && (px % 12) < 7) {
                    c = w > 0.8 ? kGlint : kFoam;
                }
                line[px] = c;
                continue;
            }
            const double s = sea.sample(px, py, tile) + jitter;
            if (s > 0.3 && w > 0.18) {
                line[px] = w > 0.42 ? kSandLight : (w > 0.3 ? kSand : kSandDark);
                if (w <= 0.3 && w > 0.22 && ((px + py) & 1)) {
                    line[px] = kSand;
                }
                continue;
            }
            if (w > 0.43) {
                line[px] = kBank;
                continue;
            }
            const double r = rocky.sample(px, py, tile) + jitter;
            if (r > 0.45) {
                line[px] = dither(kRockDark, kRock, (r - 0.6) / 0.1 + 0.5, px, py);
                continue;
            }
            const double f = woods.sample(px, py, tile) + jitter;
            if (f > 0.45) {
                line[px] = f > 0.7 ? kForestFloorDark : kForestFloor;
                continue;
            }
            line[px] = grassColour(px, py);
        }
    }
}

}  // namespace assetgen
