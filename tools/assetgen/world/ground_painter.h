#pragma once

#include <QImage>

#include "world_map.h"

namespace assetgen {

// Paints the ground of every pixel: grass with meadow patches, forest floor, rock under the
// mountains, fields, sand beaches and water shading from the shore out to deep water.
void paintGround(QImage& image, const WorldMap& map);

}  // namespace assetgen
