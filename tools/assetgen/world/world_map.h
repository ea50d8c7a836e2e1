#pragma once

#include <QPointF>
#include <QRect>
#include <vector>

namespace assetgen {

enum class Terrain { Grass, Forest, Pines, Hills, Mountain, Sea, Lake, Field, Town, Castle };

// The overworld as a grid of 32 x 32 tiles, plus the features drawn across tiles.
struct WorldMap {
    static constexpr int kTile = 32;
    int width = 120;  // tiles
    int height = 68;
    std::vector<Terrain> tiles;

    // Roads as polylines through tile coordinates (a point (x, y) is the tile's top-left corner).
    std::vector<std::vector<QPointF>> roads;
    // Houses: top-left tile of each 2 x 2 house, and its roof style.
    struct House {
        int x, y, roof;
    };
    std::vector<House> houses;
    QRect castle;  // in tiles
    std::vector<QPoint> wells;
    std::vector<QPointF> bridges;  // centres, tile units
    QRect harbourPier;             // in tiles
    std::vector<QRect> fields;     // in tiles
    QPoint watchtower;             // tile
    QPoint cave;                   // tile

    Terrain at(int x, int y) const;
    void set(int x, int y, Terrain t);
    bool water(int x, int y) const;
};

// The designed layout of Velmora's overworld.
WorldMap buildWorldMap();

}  // namespace assetgen
