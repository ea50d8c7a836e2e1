#pragma once

#include <QImage>

#include "world_map.h"

namespace assetgen {

// Crop fields with their furrows.
void paintFields(QImage& image, const WorldMap& map);
// Dirt roads with pebbles, and wooden bridges where they cross rivers and the moat.
void paintRoads(QImage& image, const WorldMap& map);
// Grass tufts, flowers and stones scattered over open grass.
void paintGrassDetails(QImage& image);

}  // namespace assetgen
