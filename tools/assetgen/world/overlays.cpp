#include "overlays.h"

#include <QPainter>
#include <QPainterPath>
#include <cmath>

#include "common/rng.h"
#include "world_palette.h"

namespace assetgen {

namespace {

using namespace worldpal;

constexpr int kTile = WorldMap::kTile;

bool isGrass(QRgb c) {
    return c == kGrass || c == kGrassLight || c == kGrassDark;
}

QPainterPath roadPath(const std::vector<QPointF>& road) {
    QPainterPath path(road.front() * kTile);
    for (size_t i = 1; i < road.size(); ++i) {
        path.lineTo(road[i] * kTile);
    }
    return path;
}

QImage roadMask(const WorldMap& map, QSize size, int width) {
    QImage mask(size, QImage::Format_Grayscale8);
    mask.fill(0);
    QPainter p(&mask);
    p.setPen(QPen(Qt::white, width, Qt::SolidLine, Qt::RoundCap, Qt::RoundJoin));
    for (const auto& road : map.roads) {
        p.drawPath(roadPath(road));
    }
    return mask;
}

bool bridgeTile(const WorldMap& map, QPointF px) {
    const int tx = static_cast<int>(px.x()) / kTile, ty = static_cast<int>(px.y()) / kTile;
    return map.at(tx, ty) == Terrain::Lake;
}

void paintBridges(QImage& image, const WorldMap& map) {
    QPainter p(&image);
    for (const auto& road : map.roads) {
        for (size_t i = 0; i + 1 < road.size(); ++i) {
            const QPointF a = road[i] * kTile, b = road[i + 1] * kTile;
            const double len = std::hypot(b.x() - a.x(), b.y() - a.y());
            const bool across = std::abs(b.x() - a.x()) > std::abs(b.y() - a.y());
            const int steps = static_cast<int>(len / 3.0);
            for (int s = 0; s <= steps; ++s) {
                const QPointF c = a + (b - a) * (static_cast<double>(s) / std::max(1, steps));
                if (!bridgeTile(map, c)) {
                    continue;
                }
                const QRgb plank = (s / 1) % 2 ? kWood : kWoodLight;
                const int x = static_cast<int>(c.x()), y = static_cast<int>(c.y());
                if (across) {
                    p.fillRect(x - 1, y - 12, 3, 24, QColor::fromRgb(plank));
                    p.fillRect(x - 1, y - 14, 3, 3, QColor::fromRgb(kWoodDark));
                    p.fillRect(x - 1, y + 11, 3, 3, QColor::fromRgb(kWoodDark));
                } else {
                    p.fillRect(x - 12, y - 1, 24, 3, QColor::fromRgb(plank));
                    p.fillRect(x - 14, y - 1, 3, 3, QColor::fromRgb(kWoodDark));
                    p.fillRect(x + 11, y - 1, 3, 3, QColor::fromRgb(kWoodDark));
                }
            }
        }
    }
}

}  // namespace

void paintFields(QImage& image, const WorldMap& map) {
    QPainter p(&image);
    int index = 0;
    for (const QRect& f : map.fields) {
        const QRect r(f.x() * kTile + 3, f.y() * kTile + 3, f.width() * kTile - 6,
                      f.height() * kTile - 6);
        const bool wheat = index++ % 2 == 1;
        // A rail fence around the field, then the soil and the rows of crops.
        const QRect fence = r.adjusted(-6, -6, 6, 6);
        for (int y : {fence.top(), fence.bottom() - 1}) {
            p.fillRect(fence.left(), y, fence.width(), 2, QColor::fromRgb(kWood));
        }
        for (int x : {fence.left(), fence.right() - 1}) {
            p.fillRect(x, fence.top(), 2, fence.height(), QColor::fromRgb(kWood));
        }
        for (int x = fence.left(); x < fence.right(); x += 10) {
            p.fillRect(x, fence.top() - 2, 2, 5, QColor::fromRgb(kWoodDark));
            p.fillRect(x, fence.bottom() - 3, 2, 5, QColor::fromRgb(kWoodDark));
        }
        for (int y = fence.top(); y < fence.bottom(); y += 10) {
            p.fillRect(fence.left(), y, 2, 4, QColor::fromRgb(kWoodDark));
            p.fillRect(fence.right() - 1, y, 2, 4, QColor::fromRgb(kWoodDark));
        }
        p.fillRect(r.adjusted(-2, -2, 2, 2), QColor::fromRgb(kSoilDark));
        p.fillRect(r, QColor::fromRgb(kSoil));
        for (int y = r.top() + 2; y + 4 < r.bottom(); y += 7) {
            p.fillRect(r.left() + 2, y, r.width() - 4, 4,
                       QColor::fromRgb(wheat ? kWheat : kCropGreen));
            p.fillRect(r.left() + 2, y + 3, r.width() - 4, 1,
                       QColor::fromRgb(wheat ? kWheatDark : kCropDark));
            for (int x = r.left() + 4 + (y % 2) * 3; x < r.right() - 3; x += 6) {
                image.setPixel(x, y, wheat ? kWheatDark : kCropDark);
            }
        }
    }
}

void paintRoads(QImage& image, const WorldMap& map) {
    const QImage edge = roadMask(map, image.size(), 24);
    const QImage inner = roadMask(map, image.size(), 18);
    for (int y = 0; y < image.height(); ++y) {
        QRgb* line = reinterpret_cast<QRgb*>(image.scanLine(y));
        const uchar* e = edge.constScanLine(y);
        const uchar* in = inner.constScanLine(y);
        for (int x = 0; x < image.width(); ++x) {
            if (e[x] == 0) {
                continue;
            }
            const Terrain t = map.at(x / kTile, y / kTile);
            if (t == Terrain::Lake || t == Terrain::Sea || t == Terrain::Castle) {
                continue;
            }
            if (in[x] == 0) {
                line[x] = kDirtEdge;
                continue;
            }
            const double h = hashUnit(x / 2, y / 2, 505);
            line[x] = h < 0.04 ? kPebble : (h < 0.12 ? kDirtLight : kDirt);
        }
    }
    paintBridges(image, map);
}

void paintGrassDetails(QImage& image) {
    const int w = image.width(), h = image.height();
    auto grassAround = [&](int x, int y, int rx, int ry) {
        for (int dy = -ry; dy <= ry; ++dy) {
            for (int dx = -rx; dx <= rx; ++dx) {
                const int px = x + dx, py = y + dy;
                if (px < 0 || py < 0 || px >= w || py >= h || !isGrass(image.pixel(px, py))) {
                    return false;
                }
            }
        }
        return true;
    };
    for (int cy = 0; cy < h / 16; ++cy) {
        for (int cx = 0; cx < w / 16; ++cx) {
            Rng r(hash2(cx, cy, 999));
            const double roll = r.unit();
            const int x = cx * 16 + r.range(3, 12), y = cy * 16 + r.range(3, 12);
            if (!grassAround(x, y, 4, 3)) {
                continue;
            }
            if (roll < 0.22) {
                // A tuft of grass blades.
                const int pts[][2] = {{0, 0}, {1, -1}, {2, 0}, {3, -1}, {4, 0}, {2, -2}};
                for (const auto& pt : pts) {
                    image.setPixel(x + pt[0] - 2, y + pt[1], kGrassTuft);
                }
                image.setPixel(x - 1, y - 2, kGrassTip);
            } else if (roll < 0.255) {
                const QRgb colours[] = {kFlowerWhite, kFlowerYellow, kFlowerRed, kFlowerBlue};
                const QRgb c = colours[r.range(0, 3)];
                for (int k = 0; k < 3; ++k) {
                    const int fx = x + r.range(-3, 3), fy = y + r.range(-2, 2);
                    image.setPixel(fx, fy, c);
                    image.setPixel(fx, fy + 1, kGrassTuft);
                }
            } else if (roll < 0.262) {
                for (int dy = -1; dy <= 1; ++dy) {
                    for (int dx = -2; dx <= 2; ++dx) {
                        const bool rim = std::abs(dx) == 2 || dy == 1;
                        image.setPixel(x + dx, y + dy, rim ? kRockDark : kRock);
                    }
                }
                image.setPixel(x - 1, y - 1, kDirtLight);
                image.setPixel(x - 2, y - 1, kGrassTuft);
                image.setPixel(x + 2, y - 1, kGrassTuft);
            }
        }
    }
}

}  // namespace assetgen
