// Composes the overworld picture and writes it as an RLE8 BMP, with previews for the docs.
#include <QPainter>
#include <algorithm>
#include <functional>

#include "buildings.h"
#include "common/bmp_writer.h"
#include "common/indexed_image.h"
#include "common/rng.h"
#include "common/save.h"
#include "generators.h"
#include "ground_painter.h"
#include "overlays.h"
#include "world/geometry.h"
#include "world_map.h"
#include "world_sprites.h"

namespace assetgen {

namespace {

constexpr int kTile = WorldMap::kTile;

// Something standing on the ground, drawn back to front by the row of its base.
struct Standing {
    int baseY;
    int x;
    std::function<void(QPainter&)> draw;
};

struct SpriteSet {
    QImage trees[3] = {broadleafTree(0), broadleafTree(1), broadleafTree(2)};
    QImage pines[2] = {pineTree(0), pineTree(1)};
    QImage hills[2] = {hillMound(0), hillMound(1)};
    QImage foothills[3] = {mountainPeak(0, false, 44), mountainPeak(1, false, 48),
                           mountainPeak(2, false, 44)};
    QImage peaks[3] = {mountainPeak(0, false, 56), mountainPeak(1, false, 60),
                       mountainPeak(2, false, 56)};
    QImage snowy[3] = {mountainPeak(0, true, 64), mountainPeak(1, true, 68),
                       mountainPeak(2, true, 64)};
};

void addSprite(std::vector<Standing>& out, const QImage& img, int footX, int footY) {
    const QPoint at(footX - img.width() / 2, footY - img.height());
    out.push_back({footY, footX, [&img, at](QPainter& p) { p.drawImage(at, img); }});
}

bool nearRoad(const WorldMap& m, double x, double y, double limit) {
    for (const auto& road : m.roads) {
        if (distanceToPolyline({x, y}, road) < limit) {
            return true;
        }
    }
    return false;
}

bool allMountains(const WorldMap& m, int x, int y, int reach) {
    for (int dy = -reach; dy <= reach; ++dy) {
        for (int dx = -reach; dx <= reach; ++dx) {
            if (m.at(x + dx, y + dy) != Terrain::Mountain) {
                return false;
            }
        }
    }
    return true;
}

std::vector<Standing> standingThings(const WorldMap& m, const SpriteSet& s) {
    std::vector<Standing> out;
    for (int ty = 0; ty < m.height; ++ty) {
        for (int tx = 0; tx < m.width; ++tx) {
            Rng r(hash2(tx, ty, 4242));
            const int bx = tx * kTile, by = ty * kTile;
            switch (m.at(tx, ty)) {
                case Terrain::Forest:
                    addSprite(out, s.trees[r.range(0, 2)], bx + 8 + r.range(-2, 3),
                              by + 18 + r.range(-2, 2));
                    addSprite(out, s.trees[r.range(0, 2)], bx + 24 + r.range(-3, 2),
                              by + 34 + r.range(-2, 2));
                    break;
                case Terrain::Pines:
                    addSprite(out, s.pines[r.range(0, 1)], bx + 8 + r.range(-2, 2),
                              by + 20 + r.range(-2, 2));
                    addSprite(out, s.pines[r.range(0, 1)], bx + 24 + r.range(-2, 2),
                              by + 36 + r.range(-2, 1));
                    break;
                case Terrain::Hills:
                    addSprite(out, s.hills[r.range(0, 1)], bx + 16 + r.range(-4, 4),
                              by + 30 + r.range(-2, 2));
                    break;
                case Terrain::Mountain: {
                    const int v = r.range(0, 2);
                    const QImage& img = allMountains(m, tx, ty, 2)   ? s.snowy[v]
                                        : allMountains(m, tx, ty, 1) ? s.peaks[v]
                                                                     : s.foothills[v];
                    addSprite(out, img, bx + 16 + r.range(-5, 5), by + 36 + r.range(-3, 3));
                    break;
                }
                case Terrain::Grass: {
                    const bool startArea = tx < 13 && ty < 17;
                    if (!startArea && r.unit() < 0.035 && !nearRoad(m, tx + 0.5, ty + 0.5, 1.4)) {
                        addSprite(out, s.trees[r.range(0, 2)], bx + 16, by + 30);
                    }
                    break;
                }
                default:
                    break;
            }
        }
    }
    for (const auto& h : m.houses) {
        const QPoint at(h.x * kTile, h.y * kTile);
        const int roof = h.roof;
        out.push_back({at.y() + 64, at.x(), [at, roof](QPainter& p) { drawHouse(p, at, roof); }});
    }
    for (const QPoint& w : m.wells) {
        const QPoint c(w.x() * kTile + 16, w.y() * kTile + 16);
        out.push_back({c.y() + 12, c.x(), [c](QPainter& p) { drawWell(p, c); }});
    }
    const QPoint tower(m.watchtower.x() * kTile + 16, m.watchtower.y() * kTile + 30);
    out.push_back({tower.y() + 1, tower.x(), [tower](QPainter& p) { drawWatchtower(p, tower); }});
    const QPoint cave(m.cave.x() * kTile + 16, m.cave.y() * kTile + 30);
    out.push_back({cave.y() + 40, cave.x(), [cave](QPainter& p) { drawCave(p, cave); }});
    const QRect castle(m.castle.x() * kTile, m.castle.y() * kTile, m.castle.width() * kTile,
                       m.castle.height() * kTile);
    out.push_back({castle.bottom(), castle.x(), [castle](QPainter& p) { drawCastle(p, castle); }});
    const QRect pier(m.harbourPier.x() * kTile, m.harbourPier.y() * kTile,
                     m.harbourPier.width() * kTile, m.harbourPier.height() * kTile);
    out.push_back({pier.bottom(), pier.x(), [pier](QPainter& p) { drawPier(p, pier); }});
    std::stable_sort(out.begin(), out.end(), [](const Standing& a, const Standing& b) {
        return a.baseY != b.baseY ? a.baseY < b.baseY : a.x < b.x;
    });
    return out;
}

}  // namespace

QImage worldPicture() {
    const WorldMap map = buildWorldMap();
    QImage image(map.width * kTile, map.height * kTile, QImage::Format_RGB32);
    paintGround(image, map);
    paintFields(image, map);
    paintRoads(image, map);
    paintGrassDetails(image);
    const SpriteSet sprites;
    QPainter painter(&image);
    for (const Standing& s : standingThings(map, sprites)) {
        s.draw(painter);
    }
    return image;
}

void writeWorld(const Output& out) {
    const QImage image = worldPicture();
    saveBytes(out.assets + QStringLiteral("/Background/World/ts0.bmp"),
              bmpRle8File(indexExact(image)));
    saveImage(out.docs + QStringLiteral("/world.png"),
              image.scaled(image.width() / 4, image.height() / 4, Qt::IgnoreAspectRatio,
                           Qt::SmoothTransformation),
              "png");
    saveImage(out.docs + QStringLiteral("/world-start.png"), image.copy(0, 0, 1280, 720), "png");
}

}  // namespace assetgen
