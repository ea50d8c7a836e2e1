#pragma once

#include <QPointF>
#include <vector>

namespace assetgen {

// Distance from `p` to the nearest point of a polyline.
double distanceToPolyline(QPointF p, const std::vector<QPointF>& line);

}  // namespace assetgen
