#pragma once

#include <QImage>
#include <QPainter>
#include <QRgb>
#include <functional>
#include <vector>

namespace assetgen::scene {

// An opaque colour from 0xRRGGBB.
inline QRgb c(int hex) {
    return 0xff000000u | static_cast<QRgb>(hex);
}

// Threshold from a 4 x 4 ordered-dither matrix, in (0, 1).
double bayer(int x, int y);

// A vertical gradient through `ramp` from y0 to y1, ordered-dithered between neighbouring colours.
void gradient(QImage& image, int y0, int y1, const std::vector<QRgb>& ramp);

// A skyline that repeats every `period` pixels: base height plus sine waves with whole numbers of
// cycles per period, so the left and right edges of a picture meet.
struct Wave {
    double amplitude;
    int cycles;
    double phase;
};
double skyline(double x, double base, const std::vector<Wave>& waves, int period);

// Fills everything below `top(x)` with `fill`, with a `rim` line of `rimWidth` pixels on top.
void fillBelow(QImage& image, const std::function<double(int)>& top, QRgb fill, QRgb rim,
               int rimWidth = 2);

// Fills below `top(x)` from `top` down to `bottom`, dithering through `ramp` with depth.
void fillBelowGraded(QImage& image, const std::function<double(int)>& top, int bottom,
                     const std::vector<QRgb>& ramp);

// A puffy cloud around (x, y), `size` wide, drawn at x, x - width and x + width so it wraps.
void cloud(QImage& image, double x, double y, double size, QRgb light, QRgb shade, int seed);

// Draws `sprite` at (x, y) and, if it crosses an edge, again one picture width to the side.
void drawWrapped(QPainter& p, const QImage& sprite, int x, int y, int period);

}  // namespace assetgen::scene
