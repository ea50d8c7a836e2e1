#include "color.h"

#include <algorithm>
#include <cmath>

namespace assetgen {

QRgb mixRgb(QRgb a, QRgb b, double t) {
    auto lerp = [t](int x, int y) { return static_cast<int>(std::lround(x + (y - x) * t)); };
    return qRgb(lerp(qRed(a), qRed(b)), lerp(qGreen(a), qGreen(b)), lerp(qBlue(a), qBlue(b)));
}

QRgb rgb(int hex) {
    return qRgb((hex >> 16) & 0xff, (hex >> 8) & 0xff, hex & 0xff);
}

namespace {

// Moves a hue (degrees) towards a target hue by at most `amount` degrees.
double shiftHue(double hue, double target, double amount) {
    double d = std::fmod(target - hue + 540.0, 360.0) - 180.0;
    double step = std::clamp(d, -amount, amount);
    return std::fmod(hue + step + 360.0, 360.0);
}

QRgb variant(const QColor& base, double hueTarget, double hueAmount, double valueScale,
             double satScale) {
    float h = 0, s = 0, v = 0;
    base.getHsvF(&h, &s, &v);
    double hue = h < 0 ? 0.0 : h * 360.0;
    if (s > 0.05) {
        hue = shiftHue(hue, hueTarget, hueAmount);
    }
    double sat = std::clamp(s * satScale, 0.0, 1.0);
    double val = std::clamp(v * valueScale, 0.0, 1.0);
    QColor c = QColor::fromHsvF(static_cast<float>(hue / 360.0), static_cast<float>(sat),
                                static_cast<float>(val));
    return c.rgb();
}

}  // namespace

Ramp makeRamp(QColor base, double contrast) {
    Ramp r{};
    r.tone[1] = base.rgb();
    r.tone[0] = variant(base, 55.0, 8.0 * contrast, 1.0 + 0.22 * contrast, 1.0 - 0.12 * contrast);
    if (base.valueF() > 0.88) {
        r.tone[0] = mixRgb(base.rgb(), qRgb(255, 250, 235), 0.45 * contrast);
    }
    r.tone[2] = variant(base, 260.0, 12.0 * contrast, 1.0 - 0.24 * contrast, 1.0 + 0.08 * contrast);
    r.tone[3] = variant(base, 265.0, 22.0 * contrast, 1.0 - 0.46 * contrast, 1.0 + 0.14 * contrast);
    QRgb deep = variant(base, 270.0, 30.0, 0.30, 1.1);
    r.outline = mixRgb(deep, qRgb(20, 16, 24), 0.55);
    return r;
}

}  // namespace assetgen
