// The layout of the overworld: where the sea, rivers, mountains, forests, towns and roads lie.
#include "world_map.h"

#include <cmath>

#include "common/noise.h"
#include "geometry.h"

namespace assetgen {

Terrain WorldMap::at(int x, int y) const {
    if (x < 0 || y < 0 || x >= width || y >= height) {
        return Terrain::Grass;
    }
    return tiles[static_cast<size_t>(y * width + x)];
}

void WorldMap::set(int x, int y, Terrain t) {
    if (x >= 0 && y >= 0 && x < width && y < height) {
        tiles[static_cast<size_t>(y * width + x)] = t;
    }
}

bool WorldMap::water(int x, int y) const {
    const Terrain t = at(x, y);
    return t == Terrain::Sea || t == Terrain::Lake;
}

namespace {

struct Circle {
    double x, y, r;
};

double wobble(double x, double y, std::uint64_t seed) {
    return fractalNoise(x / 6.0, y / 6.0, seed, 3) - 0.5;
}

bool inCircles(const std::vector<Circle>& circles, double x, double y, std::uint64_t seed) {
    for (const Circle& c : circles) {
        if (std::hypot(x - c.x, y - c.y) < c.r + 3.0 * wobble(x, y, seed)) {
            return true;
        }
    }
    return false;
}

const std::vector<QPointF> kRiver = {{48, -1}, {47, 8},  {45, 16}, {46, 24}, {44, 32},
                                     {41, 39}, {40, 44}, {47, 47}, {55, 52}, {63, 55},
                                     {72, 60}, {80, 64}, {84, 68}};
const std::vector<std::vector<QPointF>> kRidges = {
    {{56, 1}, {66, 5}, {76, 3}, {88, 6}, {98, 2}, {103, 8}},
    {{0, 53}, {6, 58}, {14, 64}, {24, 68}},
};

void placeWater(WorldMap& m) {
    for (int y = 0; y < m.height; ++y) {
        for (int x = 0; x < m.width; ++x) {
            const double cx = x + 0.5, cy = y + 0.5;
            const double w = wobble(cx, cy, 11) * 5.0;
            const bool eastSea = cx > 106 + w + 2.0 * std::sin(cy * 0.22);
            const bool southSea = cx > 64 && cy > 63.5 - (cx - 64) * 0.12 + w * 0.6;
            const bool island = std::hypot((cx - 114) / 4.0, (cy - 30) / 3.0) < 1.0 + w * 0.08;
            if ((eastSea || southSea) && !island) {
                m.set(x, y, Terrain::Sea);
                continue;
            }
            const bool lake = std::hypot((cx - 39) / 8.0, (cy - 44) / 5.5) < 1.0 + w * 0.05;
            const bool river = distanceToPolyline({cx, cy}, kRiver) < 1.05;
            if (lake || river) {
                m.set(x, y, Terrain::Lake);
            }
        }
    }
}

void placeHighlands(WorldMap& m) {
    for (int y = 0; y < m.height; ++y) {
        for (int x = 0; x < m.width; ++x) {
            if (m.water(x, y)) {
                continue;
            }
            const double cx = x + 0.5, cy = y + 0.5;
            double d = 1e9;
            for (const auto& ridge : kRidges) {
                d = std::min(d, distanceToPolyline({cx, cy}, ridge));
            }
            const double w = wobble(cx, cy, 23) * 3.0;
            if (d < 2.6 + w) {
                m.set(x, y, Terrain::Mountain);
            } else if (d < 4.6 + w) {
                m.set(x, y, Terrain::Hills);
            }
        }
    }
    const std::vector<Circle> hills = {{33, 25, 2.6}, {60, 38, 2.8}, {101, 22, 2.2}};
    for (int y = 0; y < m.height; ++y) {
        for (int x = 0; x < m.width; ++x) {
            if (m.at(x, y) == Terrain::Grass && inCircles(hills, x + 0.5, y + 0.5, 31)) {
                m.set(x, y, Terrain::Hills);
            }
        }
    }
}

void placeForests(WorldMap& m) {
    const std::vector<Circle> broadleaf = {{13, 36, 7},   {23, 44, 6}, {9, 45, 6},   {29, 55, 6},
                                           {18, 55, 5},   {36, 31, 3}, {96, 40, 5},  {88, 50, 4},
                                           {58, 29, 2.5}, {37, 6, 2},  {70, 44, 3.5}};
    const std::vector<Circle> pines = {
        {70, 13, 4.5}, {86, 13, 5}, {97, 15, 3.5}, {113, 30, 2.5}, {52, 8, 3}};
    for (int y = 0; y < m.height; ++y) {
        for (int x = 0; x < m.width; ++x) {
            if (m.at(x, y) != Terrain::Grass) {
                continue;
            }
            const double cx = x + 0.5, cy = y + 0.5;
            if (inCircles(pines, cx, cy, 41)) {
                m.set(x, y, Terrain::Pines);
            } else if (inCircles(broadleaf, cx, cy, 43)) {
                m.set(x, y, Terrain::Forest);
            }
        }
    }
}

void fill(WorldMap& m, QRect r, Terrain t) {
    for (int y = r.top(); y <= r.bottom(); ++y) {
        for (int x = r.left(); x <= r.right(); ++x) {
            m.set(x, y, t);
        }
    }
}

void placeSettlements(WorldMap& m) {
    // The village of the start, its fields, the harbour and the castle with its moat.
    fill(m, QRect(15, 3, 16, 12), Terrain::Town);
    m.fields = {QRect(16, 15, 5, 4), QRect(25, 15, 5, 3), QRect(25, 18, 4, 3), QRect(91, 44, 4, 3)};
    for (const QRect& f : m.fields) {
        fill(m, f, Terrain::Field);
    }
    fill(m, QRect(93, 48, 10, 9), Terrain::Town);
    m.houses = {{17, 5, 0},  {21, 4, 1},  {26, 5, 0},  {17, 10, 2}, {26, 10, 1},
                {22, 12, 0}, {95, 49, 1}, {99, 50, 0}, {95, 53, 2}, {98, 54, 1}};
    m.wells = {{22, 8}};
    m.castle = QRect(78, 22, 14, 12);
    fill(m, m.castle.adjusted(-2, -2, 2, 2), Terrain::Grass);
    fill(m, m.castle.adjusted(-1, -1, 1, 1), Terrain::Lake);
    fill(m, m.castle, Terrain::Castle);
    m.harbourPier = QRect(103, 52, 5, 1);
    m.watchtower = QPoint(60, 38);
    fill(m, QRect(59, 38, 3, 2), Terrain::Grass);
    // The cave opens at the foot of the northern range.
    m.cave = QPoint(77, 0);
    while (m.cave.y() < m.height - 1 && !(m.at(77, m.cave.y()) == Terrain::Mountain &&
                                          m.at(77, m.cave.y() + 1) != Terrain::Mountain)) {
        m.cave.ry()++;
    }
    // Keep the start area open: the leader starts here and the on-screen controls sit here.
    fill(m, QRect(0, 0, 12, 16), Terrain::Grass);
}

void placeRoads(WorldMap& m) {
    m.roads = {
        {{1, 7.5},
         {9, 7.5},
         {15, 8.5},
         {22.5, 8.5},
         {30, 9},
         {38, 11},
         {46, 14.5},
         {54, 18},
         {64, 22},
         {71, 29},
         {77, 36.5},
         {85, 36.5},
         {85, 33.5}},
        {{22.5, 8.5},
         {22.5, 14},
         {23.5, 22},
         {29, 30},
         {31, 38},
         {29.5, 46},
         {33, 54},
         {45, 58.5},
         {58, 59},
         {66, 57},
         {75, 51},
         {82, 44},
         {85, 36.5}},
        {{82, 44}, {90, 49}, {97, 52}, {103, 52.5}},
    };
    // Clear trees from the roadsides.
    for (int y = 0; y < m.height; ++y) {
        for (int x = 0; x < m.width; ++x) {
            const Terrain t = m.at(x, y);
            if (t != Terrain::Forest && t != Terrain::Pines && t != Terrain::Hills) {
                continue;
            }
            for (const auto& road : m.roads) {
                if (distanceToPolyline({x + 0.5, y + 0.5}, road) < 1.3) {
                    m.set(x, y, Terrain::Grass);
                }
            }
        }
    }
}

}  // namespace

WorldMap buildWorldMap() {
    WorldMap m;
    m.tiles.assign(static_cast<size_t>(m.width * m.height), Terrain::Grass);
    placeWater(m);
    placeHighlands(m);
    placeForests(m);
    placeSettlements(m);
    placeRoads(m);
    return m;
}

}  // namespace assetgen
