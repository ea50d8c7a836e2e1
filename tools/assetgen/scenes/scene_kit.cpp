#include "scene_kit.h"

#include <QPainterPath>
#include <algorithm>
#include <cmath>
#include <numbers>

#include "common/rng.h"

namespace assetgen::scene {

double bayer(int x, int y) {
    static const int m[4][4] = {{0, 8, 2, 10}, {12, 4, 14, 6}, {3, 11, 1, 9}, {15, 7, 13, 5}};
    return (m[y & 3][x & 3] + 0.5) / 16.0;
}

void gradient(QImage& image, int y0, int y1, const std::vector<QRgb>& ramp) {
    const int n = static_cast<int>(ramp.size());
    for (int y = std::max(0, y0); y < std::min(image.height(), y1); ++y) {
        const double t = static_cast<double>(y - y0) / std::max(1, y1 - y0 - 1) * (n - 1);
        const int i = std::min(n - 2, static_cast<int>(std::floor(t)));
        const double f = t - i;
        QRgb* line = reinterpret_cast<QRgb*>(image.scanLine(y));
        for (int x = 0; x < image.width(); ++x) {
            line[x] =
                f > bayer(x, y) ? ramp[static_cast<size_t>(i + 1)] : ramp[static_cast<size_t>(i)];
        }
    }
}

double skyline(double x, double base, const std::vector<Wave>& waves, int period) {
    double h = base;
    for (const Wave& w : waves) {
        h += w.amplitude * std::sin(2.0 * std::numbers::pi * w.cycles * x / period + w.phase);
    }
    return h;
}

void fillBelow(QImage& image, const std::function<double(int)>& top, QRgb fill, QRgb rim,
               int rimWidth) {
    for (int x = 0; x < image.width(); ++x) {
        const int y0 = std::max(0, static_cast<int>(std::lround(top(x))));
        for (int y = y0; y < image.height(); ++y) {
            image.setPixel(x, y, y < y0 + rimWidth ? rim : fill);
        }
    }
}

void fillBelowGraded(QImage& image, const std::function<double(int)>& top, int bottom,
                     const std::vector<QRgb>& ramp) {
    const int n = static_cast<int>(ramp.size());
    for (int x = 0; x < image.width(); ++x) {
        const int y0 = std::max(0, static_cast<int>(std::lround(top(x))));
        for (int y = y0; y < image.height(); ++y) {
            const double t =
                std::clamp(static_cast<double>(y - y0) / std::max(1, bottom - y0), 0.0, 1.0) *
                (n - 1);
            const int i = std::min(n - 2, static_cast<int>(std::floor(t)));
            const double f = t - i;
            image.setPixel(
                x, y,
                f > bayer(x, y) ? ramp[static_cast<size_t>(i + 1)] : ramp[static_cast<size_t>(i)]);
        }
    }
}

void cloud(QImage& image, double x, double y, double size, QRgb light, QRgb shade, int seed) {
    Rng r(static_cast<std::uint64_t>(seed));
    QPainterPath body;
    body.setFillRule(Qt::WindingFill);
    const int puffs = 5 + r.range(0, 3);
    for (int i = 0; i < puffs; ++i) {
        const double t = (i + 0.5) / puffs - 0.5;
        const double px = x + t * size;
        const double radius =
            size * (0.16 + 0.12 * (1.0 - std::abs(t) * 2.0)) * (0.8 + 0.4 * r.unit());
        const double py = y - radius * 0.45 + r.unit() * size * 0.04;
        body.addEllipse(QPointF(px, py), radius * 1.25, radius);
    }
    QPainterPath flat;
    flat.addRect(x - size, y - size, 2 * size, size + size * 0.1);
    body = body.simplified().intersected(flat);
    QPainterPath top = body.translated(-size * 0.025, -size * 0.07).intersected(body);
    QPainter p(&image);
    for (int dx : {-image.width(), 0, image.width()}) {
        p.fillPath(body.translated(dx, 0), QColor::fromRgb(shade));
        p.fillPath(top.translated(dx, 0), QColor::fromRgb(light));
    }
}

void drawWrapped(QPainter& p, const QImage& sprite, int x, int y, int period) {
    p.drawImage(x, y, sprite);
    if (x < 0) {
        p.drawImage(x + period, y, sprite);
    }
    if (x + sprite.width() > period) {
        p.drawImage(x - period, y, sprite);
    }
}

}  // namespace assetgen::scene
