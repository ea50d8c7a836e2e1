#pragma once

#include <QImage>

namespace assetgen {

// Pictures of single trees, hills and mountains for the overworld, on a transparent surround.
// `variant` picks one of a few shapes.
QImage broadleafTree(int variant);
QImage pineTree(int variant);
QImage hillMound(int variant);
QImage mountainPeak(int variant, bool snowy, int size);

}  // namespace assetgen
