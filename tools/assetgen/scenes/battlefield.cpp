// The battlefield behind fights: sky, far hills and a wide meadow where the fighters stand.
#include <QPainter>
#include <cmath>

#include "common/indexed_image.h"
#include "common/noise.h"
#include "common/rng.h"
#include "common/save.h"
#include "generators.h"
#include "scene_kit.h"
#include "scenes.h"

namespace assetgen::scene {

namespace {

void bush(QImage& img, int x, int y, int r) {
    QPainter p(&img);
    p.setPen(QPen(QColor::fromRgb(c(0x2a4a2a)), 1));
    p.setBrush(QColor::fromRgb(c(0x3e7a3c)));
    p.drawEllipse(QPoint(x, y - r), r + r / 2, r);
    p.setPen(Qt::NoPen);
    p.setBrush(QColor::fromRgb(c(0x5aa048)));
    p.drawEllipse(QPoint(x - r / 3, y - r - r / 3), r / 2 + 2, r / 2);
}

void rock(QImage& img, int x, int y, int r) {
    QPainter p(&img);
    p.setPen(QPen(QColor::fromRgb(c(0x3a3438)), 1));
    p.setBrush(QColor::fromRgb(c(0x8a8488)));
    p.drawEllipse(QPoint(x, y - r / 2), r, r / 2 + 2);
    p.setPen(Qt::NoPen);
    p.setBrush(QColor::fromRgb(c(0xb0aab0)));
    p.drawEllipse(QPoint(x - r / 3, y - r / 2 - 2), r / 2, r / 4 + 1);
}

}  // namespace

QImage battlefield() {
    constexpr int W = 640, H = 480;
    QImage img(W, H, QImage::Format_RGB32);
    // The far hills dip below the sky's gradient: the horizon's colour shows there.
    img.fill(c(0xd4e8f2));
    gradient(img, 0, 210, {c(0x4a7cd0), c(0x6a9ede), c(0x90bcea), c(0xb4d6f0), c(0xd4e8f2)});
    Rng r(61);
    for (int i = 0; i < 4; ++i) {
        cloud(img, 60 + i * 160 + r.range(0, 60), 50 + r.range(0, 80), 90 + r.range(0, 60),
              c(0xf8f8f2), c(0xc8d6ea), 600 + i);
    }
    auto far = [W](int x) { return skyline(x, 196, {{14, 2, 0.6}, {7, 5, 2.1}, {3, 13, 0.4}}, W); };
    fillBelow(img, far, c(0x98acd4), c(0xb0c0e0), 2);
    auto hills = [W](int x) { return skyline(x, 214, {{8, 3, 1.4}, {4, 7, 0.3}}, W); };
    fillBelowGraded(img, hills, 240, {c(0x80b48c), c(0x6ea47e)});
    for (int i = 0; i < 12; ++i) {
        const int x = r.range(0, W - 1);
        QPainter p(&img);
        p.setPen(Qt::NoPen);
        p.setBrush(QColor::fromRgb(c(0x5a8c70)));
        p.drawEllipse(QPoint(x, static_cast<int>(hills(x)) + 4), 7, 8);
    }
    // The meadow, darker and finer far away, brighter near the viewer.
    auto meadow = [W](int x) { return skyline(x, 232, {{2, 2, 0.2}, {1.5, 5, 1.0}}, W); };
    fillBelowGraded(img, meadow, 480, {c(0x6aa84a), c(0x78b650), c(0x86c458), c(0x94d060)});
    grassDetails(img, 67, 236, c(0x4e9a3c), c(0xb4e47c));
    // A trodden patch of earth where the two sides meet.
    for (int y = 250; y < H; ++y) {
        const double t = (y - 250) / 230.0;
        const double half = 150 + 260 * t;
        for (int x = 0; x < W; ++x) {
            const double d = std::abs(x - W / 2.0) / half + 0.18 * std::sin(y * 0.07 + x * 0.01);
            if (d < 0.78) {
                img.setPixel(x, y, d < 0.7 || ((x + y) & 1) ? c(0xc4ac78) : c(0x86c458));
            }
        }
    }
    // Worn, darker patches of earth.
    for (int y = 250; y < H; ++y) {
        for (int x = 0; x < W; ++x) {
            if (img.pixel(x, y) != c(0xc4ac78)) {
                continue;
            }
            const double n = fractalNoise(x / 40.0, y / 18.0, 71, 2);
            if (n > 0.68 || (n > 0.66 && ((x + y) & 1))) {
                img.setPixel(x, y, c(0xb49a68));
            }
        }
    }
    for (int y = 260; y < H; y += 9) {
        for (int x = (y * 7) % 23; x < W; x += 23) {
            if (img.pixel(x, y) == c(0xc4ac78)) {
                img.setPixel(x, y, c(0xa88e60));
                img.setPixel(x + 1, y, c(0xa88e60));
            }
        }
    }
    bush(img, 22, 300, 16);
    bush(img, 610, 330, 18);
    bush(img, 40, 440, 24);
    bush(img, 596, 470, 22);
    rock(img, 80, 262, 10);
    rock(img, 560, 276, 12);
    rock(img, 590, 400, 14);
    return img;
}

}  // namespace assetgen::scene

namespace assetgen {

void writeBattlefield(const Output& out) {
    const QImage img = scene::battlefield();
    saveGif(out.assets + QStringLiteral("/Background/Battle/plains.gif"), indexExact(img));
    saveImage(out.docs + QStringLiteral("/battlefield.png"), img, "png");
}

}  // namespace assetgen
