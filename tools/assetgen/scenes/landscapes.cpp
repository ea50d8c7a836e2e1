// The hills and plains landscapes of the title screen, and the writer of all three.
#include <QPainter>
#include <algorithm>
#include <cmath>

#include "common/indexed_image.h"
#include "common/rng.h"
#include "common/save.h"
#include "generators.h"
#include "scene_kit.h"
#include "scenes.h"

namespace assetgen::scene {

namespace {

constexpr int W = kLandscapeW;
constexpr int H = kLandscapeH;

// A small round tree standing with its foot at (x, y).
void smallTree(QImage& img, int x, int y, int size, QRgb light, QRgb dark, QRgb trunk) {
    QPainter p(&img);
    for (int dx : {-W, 0, W}) {
        p.fillRect(x + dx - 1, y - size / 2, 3, size / 2, QColor::fromRgb(trunk));
        p.setPen(Qt::NoPen);
        p.setBrush(QColor::fromRgb(dark));
        p.drawEllipse(QPoint(x + dx, y - size), size / 2 + 1, size / 2 + 2);
        p.setBrush(QColor::fromRgb(light));
        p.drawEllipse(QPoint(x + dx - size / 6, y - size - size / 6), size / 3, size / 3);
    }
}

void windmill(QImage& img, int x, int y) {
    QPainter p(&img);
    p.setPen(Qt::NoPen);
    p.setBrush(QColor::fromRgb(c(0xe8dcc4)));
    p.drawPolygon(QPolygon(
        {QPoint(x - 12, y), QPoint(x + 12, y), QPoint(x + 7, y - 46), QPoint(x - 7, y - 46)}));
    p.setBrush(QColor::fromRgb(c(0xc4b494)));
    p.drawPolygon(QPolygon(
        {QPoint(x + 3, y), QPoint(x + 12, y), QPoint(x + 7, y - 46), QPoint(x + 2, y - 46)}));
    p.setBrush(QColor::fromRgb(c(0xb04a3a)));
    p.drawPolygon(QPolygon({QPoint(x - 10, y - 46), QPoint(x + 10, y - 46), QPoint(x, y - 60)}));
    p.fillRect(x - 3, y - 14, 6, 14, QColor::fromRgb(c(0x5a3a2a)));
    const QRgb blade = c(0x6a4a32);
    for (int k = 0; k < 4; ++k) {
        const double a = 0.5 + k * 1.5707963;
        for (int r = 0; r < 34; ++r) {
            const int bx = x + static_cast<int>(std::lround(std::cos(a) * r));
            const int by = y - 48 + static_cast<int>(std::lround(std::sin(a) * r));
            p.fillRect(bx - 1, by - 1, 2, 2, QColor::fromRgb(blade));
            if (r > 10) {
                const int sx = static_cast<int>(std::lround(std::cos(a + 0.25) * r));
                const int sy = static_cast<int>(std::lround(std::sin(a + 0.25) * r));
                p.fillRect(x + sx, y - 48 + sy, 2, 2, QColor::fromRgb(c(0xf0ece0)));
            }
        }
    }
}

void fence(QImage& img, int y) {
    QPainter p(&img);
    const QColor post = QColor::fromRgb(c(0x7a5232));
    const QColor rail = QColor::fromRgb(c(0x9a6c40));
    const QColor shade = QColor::fromRgb(c(0x5a3a24));
    for (int x = 8; x < W; x += 48) {
        p.fillRect(x, y - 26, 6, 30, post);
        p.fillRect(x + 4, y - 26, 2, 30, shade);
        p.fillRect(x, y - 28, 6, 2, rail);
    }
    for (int ry : {y - 20, y - 9}) {
        p.fillRect(0, ry, W, 4, rail);
        p.fillRect(0, ry + 3, W, 1, shade);
    }
}

}  // namespace

const std::vector<QRgb>& skyRamp() {
    static const std::vector<QRgb> ramp = {c(0x3a68c4), c(0x4a7cd0), c(0x5c90da), c(0x72a4e2),
                                           c(0x8ab8ea), c(0xa4ccf0), c(0xc0def4), c(0xdaecf4)};
    return ramp;
}

void paintSky(QImage& image, int cloudSeed, int cloudCount) {
    gradient(image, 0, kSkyBottom, skyRamp());
    Rng r(static_cast<std::uint64_t>(cloudSeed));
    for (int i = 0; i < cloudCount; ++i) {
        const double x = (i + r.unit() * 0.6) * image.width() / cloudCount;
        const double y = 50 + r.unit() * 130;
        const double size = 70 + r.unit() * 130 * (1.0 - (y - 50) / 260);
        cloud(image, x, y, size, c(0xf8f8f2), c(0xc8d6ea), cloudSeed * 100 + i);
    }
}

void grassDetails(QImage& image, int seed, int fromY, QRgb tuft, QRgb tip) {
    const QRgb flowers[] = {c(0xf4f0e0), c(0xf0d048), c(0xe86a6a), c(0xb890f0)};
    const int iw = image.width();
    for (int cy = fromY / 10; cy < image.height() / 10; ++cy) {
        for (int cx = 0; cx < image.width() / 12; ++cx) {
            Rng r(hash2(cx, cy, static_cast<std::uint64_t>(seed)));
            const int x = cx * 12 + r.range(0, 11), y = cy * 10 + r.range(0, 9);
            if (y < fromY + 4 || y >= image.height() - 1) {
                continue;
            }
            const double roll = r.unit();
            const int scale = std::min(3, 1 + (y - fromY) / 60);
            if (roll < 0.3) {
                for (int k = -scale; k <= scale; ++k) {
                    const int h = scale + 1 - std::abs(k) / 2;
                    for (int j = 0; j < h; ++j) {
                        image.setPixel((x + k + iw) % iw, y - j, j == h - 1 ? tip : tuft);
                    }
                }
            } else if (roll < 0.36) {
                const QRgb f = flowers[r.range(0, 3)];
                for (int k = 0; k < scale; ++k) {
                    for (int j = 0; j < scale; ++j) {
                        image.setPixel((x + k) % iw, y - j, f);
                    }
                }
            }
        }
    }
}

QImage hillsLandscape() {
    QImage img(W, H, QImage::Format_RGB32);
    paintSky(img, 3, 7);
    auto far = [](int x) {
        return skyline(x, 262, {{30, 3, 0.4}, {18, 7, 1.3}, {9, 17, 2.0}, {4, 41, 0.7}}, W);
    };
    fillBelow(img, far, c(0xa2b2da), c(0xbcc8e6), 2);
    for (int x = 0; x < W; ++x) {
        const int top = static_cast<int>(std::lround(far(x)));
        for (int y = top; y < std::min(236, top + 14); ++y) {
            img.setPixel(x, y, y < top + 2 ? c(0xf4f6fa) : c(0xdce4f2));
        }
    }
    auto mid = [](int x) { return skyline(x, 308, {{22, 2, 1.0}, {14, 5, 0.2}, {6, 11, 2.5}}, W); };
    fillBelowGraded(img, mid, 380, {c(0x8cbc98), c(0x7aae8c), c(0x6c9e80)});
    Rng r(17);
    for (int i = 0; i < 40; ++i) {
        const int x = r.range(0, W - 1);
        smallTree(img, x, static_cast<int>(mid(x)) + 6 + r.range(0, 20), 10, c(0x7aae8c),
                  c(0x5a8c72), c(0x5a6a5a));
    }
    // A far-off castle on the middle hills.
    {
        const int cx = 905, base = static_cast<int>(mid(905)) + 4;
        QPainter p(&img);
        const QColor wall = QColor::fromRgb(c(0x6a8e9a)), roof = QColor::fromRgb(c(0x4a6a8a));
        p.fillRect(cx - 26, base - 16, 52, 16, wall);
        for (int tx : {cx - 26, cx + 18, cx - 4}) {
            const int h = tx == cx - 4 ? 34 : 24;
            p.fillRect(tx, base - h, 8, h, wall);
            p.setPen(Qt::NoPen);
            p.setBrush(roof);
            p.drawPolygon(QPolygon({QPoint(tx - 2, base - h), QPoint(tx + 10, base - h),
                                    QPoint(tx + 4, base - h - 12)}));
        }
        for (int mx = cx - 18; mx < cx + 18; mx += 6) {
            p.fillRect(mx, base - 19, 3, 3, wall);
        }
    }
    auto nearHill = [](int x) {
        return skyline(x, 366, {{30, 3, 2.0}, {12, 7, 0.9}, {4, 19, 0.3}}, W);
    };
    fillBelowGraded(img, nearHill, 470, {c(0x8ccc64), c(0x74ba54), c(0x64a84a)});
    for (int i = 0; i < 26; ++i) {
        const int x = r.range(0, W - 1);
        smallTree(img, x, static_cast<int>(nearHill(x)) + 10 + r.range(0, 30), 18, c(0x6ab04c),
                  c(0x3e7a3c), c(0x5a3a2a));
    }
    auto front = [](int x) { return skyline(x, 452, {{14, 2, 0.5}, {6, 9, 1.1}}, W); };
    fillBelowGraded(img, front, 512, {c(0xa4dc6c), c(0x84c656), c(0x6cb048)});
    grassDetails(img, 41, 440, c(0x4e9a3c), c(0xb4e47c));
    return img;
}

QImage plainsLandscape() {
    QImage img(W, H, QImage::Format_RGB32);
    paintSky(img, 5, 9);
    auto far = [](int x) { return skyline(x, 296, {{7, 2, 0.3}, {4, 5, 1.7}, {2, 13, 0.2}}, W); };
    fillBelow(img, far, c(0xa8bcda), c(0xbccbe4), 2);
    auto trees = [](int x) {
        return skyline(x, 312, {{2.5, 96, 0.1}, {2, 151, 1.2}, {1.5, 37, 2.2}}, W);
    };
    fillBelow(img, trees, c(0x6a9a84), c(0x80ae92), 1);
    Rng r(23);
    for (int i = 0; i < 12; ++i) {
        smallTree(img, r.range(0, W - 1), 318, 14 + r.range(0, 6), c(0x80ae92), c(0x5a8a74),
                  c(0x5a6a5a));
    }
    windmill(img, 1130, 322);
    const QRgb bands[][2] = {{c(0xe8c858), c(0xcca840)},
                             {c(0x90c85c), c(0x74ae48)},
                             {c(0xd8b456), c(0xbc983e)},
                             {c(0xa8d470), c(0x88bc58)}};
    const int top = 318, n = 9;
    for (int k = 0; k < n; ++k) {
        const double t0 = std::pow(static_cast<double>(k) / n, 1.7);
        const double t1 = std::pow(static_cast<double>(k + 1) / n, 1.7);
        const int y0 = top + static_cast<int>((H - top) * t0);
        const int y1 = top + static_cast<int>((H - top) * t1);
        const QRgb* band = bands[k % 4];
        auto edge = [y0, k](int x) { return skyline(x, y0, {{1.0 + k * 0.6, 3 + k, k * 0.7}}, W); };
        fillBelow(img, edge, band[0], band[1], 1 + k / 3);
        const int spacing = 3 + k;
        for (int y = y0 + spacing; y < y1 + 8 && y < H; y += spacing) {
            for (int x = 0; x < W; ++x) {
                const double e = skyline(x, y, {{1.0 + k * 0.6, 3 + k, k * 0.7}}, W);
                const int yy = static_cast<int>(std::lround(e));
                if (yy < H && (x + y) % 3 != 0 && img.pixel(x, yy) == band[0]) {
                    img.setPixel(x, yy, band[1]);
                }
            }
        }
    }
    // Haystacks and hedgerows out in the fields.
    for (int i = 0; i < 10; ++i) {
        const int x = r.range(0, W - 1);
        const int y = 350 + r.range(0, 90);
        const int s = 3 + (y - 330) / 12;
        QPainter p(&img);
        p.setPen(Qt::NoPen);
        for (int dx : {-W, 0, W}) {
            p.setBrush(QColor::fromRgb(c(0xb08a3a)));
            p.drawEllipse(QPoint(x + dx, y), s + 1, s);
            p.setBrush(QColor::fromRgb(c(0xe8c858)));
            p.drawEllipse(QPoint(x + dx - s / 3, y - s / 3), s / 2 + 1, s / 2);
        }
    }
    for (int i = 0; i < 16; ++i) {
        const int x = r.range(0, W - 1);
        smallTree(img, x, 330 + r.range(0, 20), 12 + r.range(0, 6), c(0x6aa85a), c(0x3e7a4a),
                  c(0x5a4a3a));
    }
    auto grass = [](int x) { return skyline(x, 476, {{4, 2, 0.3}, {2, 11, 1.0}}, W); };
    fillBelowGraded(img, grass, 512, {c(0x94d060), c(0x7cc050), c(0x6cae48)});
    fence(img, 484);
    grassDetails(img, 43, 486, c(0x4e9a3c), c(0xb4e47c));
    return img;
}

}  // namespace assetgen::scene

namespace assetgen {

void writeLandscapes(const Output& out) {
    const QImage pictures[] = {scene::hillsLandscape(), scene::plainsLandscape(),
                               scene::forestLandscape()};
    const char* names[] = {"hills", "plains", "forest"};
    QImage strip(scene::kLandscapeW / 2, scene::kLandscapeH / 2 * 3, QImage::Format_RGB32);
    QPainter painter(&strip);
    for (int i = 0; i < 3; ++i) {
        saveGif(out.assets + QStringLiteral("/Background/%1.gif").arg(QLatin1String(names[i])),
                indexExact(pictures[i]));
        painter.drawImage(
            QRect(0, i * scene::kLandscapeH / 2, scene::kLandscapeW / 2, scene::kLandscapeH / 2),
            pictures[i]);
    }
    painter.end();
    saveImage(out.docs + QStringLiteral("/landscapes.png"), strip, "png");
}

}  // namespace assetgen
