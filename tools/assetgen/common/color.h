#pragma once

#include <QColor>
#include <QRgb>

namespace assetgen {

// A four-step colour ramp: tone 0 is the lit side, 1 the base, 2 the shade, 3 the deepest shade.
// `outline` is the dark line drawn around a shape of this colour.
struct Ramp {
    QRgb tone[4];
    QRgb outline;
};

QRgb mixRgb(QRgb a, QRgb b, double t);

// Builds a ramp from a base colour, shifting shadows towards violet and lights towards warm
// yellow the way hand-drawn pixel art does.
Ramp makeRamp(QColor base, double contrast = 1.0);

QRgb rgb(int hex);

}  // namespace assetgen
