#include "sprite_canvas.h"

#include <QPolygonF>
#include <algorithm>
#include <cmath>

namespace assetgen {

namespace {

constexpr QRgb kHoleColour = 0xff141018u;

// Pure black is reserved for the transparent surround.
QRgb visible(QRgb c) {
    return (c & 0xffffffu) == 0 ? 0xff0c0a10u : c;
}

int toneFor(Shading shading, double u, double v) {
    double s = 0.0;
    switch (shading) {
        case Shading::Round:
            s = 0.5 * u + 0.45 * v + 0.3 * (u * u + v * v) - 0.05;
            break;
        case Shading::Cylinder:
            s = 0.75 * u + 0.2 * v + 0.2 * u * u;
            break;
        case Shading::Flat:
            s = 0.45 * u + 0.3 * v;
            return s < -0.62 ? 0 : (s < 0.5 ? 1 : 2);
        case Shading::Tone0:
            return 0;
        case Shading::Tone1:
            return 1;
        case Shading::Tone2:
            return 2;
        case Shading::Tone3:
            return 3;
    }
    if (s < -0.38) {
        return 0;
    }
    if (s < 0.36) {
        return 1;
    }
    return s < 0.78 ? 2 : 3;
}

}  // namespace

int SpriteCanvas::addMaterial(const Ramp& ramp) {
    materials_.push_back(ramp);
    return static_cast<int>(materials_.size()) - 1;
}

void SpriteCanvas::fillPiece(const std::vector<QPoint>& cells, int mat, Shading shading,
                             bool separate) {
    if (cells.empty()) {
        return;
    }
    int minX = width_, minY = height_, maxX = -1, maxY = -1;
    for (const QPoint& p : cells) {
        minX = std::min(minX, p.x());
        maxX = std::max(maxX, p.x());
        minY = std::min(minY, p.y());
        maxY = std::max(maxY, p.y());
    }
    const double cx = (minX + maxX) / 2.0;
    const double cy = (minY + maxY) / 2.0;
    const double hw = (maxX - minX) / 2.0 + 0.5;
    const double hh = (maxY - minY) / 2.0 + 0.5;
    const int piece = static_cast<int>(pieces_.size());
    pieces_.push_back(Piece{separate});
    for (const QPoint& p : cells) {
        Cell& c = at(p.x(), p.y());
        c.mat = mat;
        c.piece = piece;
        c.tone = toneFor(shading, (p.x() - cx) / hw, (p.y() - cy) / hh);
    }
}

void SpriteCanvas::shape(const std::function<bool(double, double)>& test, int mat, Shading shading,
                         bool separate) {
    std::vector<QPoint> cells;
    for (int y = 0; y < height_; ++y) {
        for (int x = 0; x < width_; ++x) {
            if (test(x + 0.5, y + 0.5)) {
                cells.emplace_back(x, y);
            }
        }
    }
    fillPiece(cells, mat, shading, separate);
}

void SpriteCanvas::ellipse(double cx, double cy, double rx, double ry, int mat, Shading shading,
                           bool separate) {
    shape(
        [=](double x, double y) {
            double u = (x - cx) / rx, v = (y - cy) / ry;
            return u * u + v * v <= 1.0;
        },
        mat, shading, separate);
}

void SpriteCanvas::rect(double x, double y, double w, double h, int mat, Shading shading,
                        bool separate) {
    shape([=](double px, double py) { return px >= x && px < x + w && py >= y && py < y + h; }, mat,
          shading, separate);
}

void SpriteCanvas::polygon(const std::vector<QPointF>& points, int mat, Shading shading,
                           bool separate) {
    QPolygonF poly(QList<QPointF>(points.begin(), points.end()));
    shape(
        [&poly](double x, double y) {
            return poly.containsPoint({x, y}, Qt::OddEvenFill);
        },
        mat, shading, separate);
}

void SpriteCanvas::pixel(int x, int y, int mat, int tone) {
    if (!inside(x, y)) {
        return;
    }
    const int piece = static_cast<int>(pieces_.size());
    pieces_.push_back(Piece{false});
    Cell& c = at(x, y);
    c.mat = mat;
    c.tone = tone;
    c.piece = piece;
}

void SpriteCanvas::line(int x0, int y0, int x1, int y1, int mat, int tone) {
    const int steps = std::max(std::abs(x1 - x0), std::abs(y1 - y0));
    for (int i = 0; i <= steps; ++i) {
        double t = steps == 0 ? 0.0 : static_cast<double>(i) / steps;
        pixel(static_cast<int>(std::lround(x0 + (x1 - x0) * t)),
              static_cast<int>(std::lround(y0 + (y1 - y0) * t)), mat, tone);
    }
}

void SpriteCanvas::erase(int x, int y, int w, int h) {
    for (int py = std::max(0, y); py < std::min(height_, y + h); ++py) {
        for (int px = std::max(0, x); px < std::min(width_, x + w); ++px) {
            at(px, py) = Cell{};
        }
    }
}

void SpriteCanvas::pattern(int mat, int newMat, int tone,
                           const std::function<bool(int, int)>& where) {
    for (int y = 0; y < height_; ++y) {
        for (int x = 0; x < width_; ++x) {
            Cell& c = at(x, y);
            if (c.mat == mat && where(x, y)) {
                c.mat = newMat;
                c.tone = tone;
            }
        }
    }
}

bool SpriteCanvas::filled(int x, int y) const {
    return inside(x, y) && at(x, y).mat >= 0;
}

int SpriteCanvas::materialAt(int x, int y) const {
    return filled(x, y) ? at(x, y).mat : -1;
}

QImage SpriteCanvas::render(bool mirrored, bool transparent) const {
    const int w = width_, h = height_;
    std::vector<Cell> cells = cells_;
    auto index = [w](int x, int y) { return static_cast<size_t>(y * w + x); };
    const int dx[4] = {1, -1, 0, 0};
    const int dy[4] = {0, 0, 1, -1};
    // Dark line on the far side of every edge where a separate piece overlaps another colour.
    for (int y = 0; y < h; ++y) {
        for (int x = 0; x < w; ++x) {
            const Cell& c = at(x, y);
            if (c.mat < 0) {
                continue;
            }
            for (int k = 0; k < 4; ++k) {
                const int nx = x + dx[k], ny = y + dy[k];
                if (!filled(nx, ny)) {
                    continue;
                }
                const Cell& n = at(nx, ny);
                if (n.piece > c.piece && n.mat != c.mat &&
                    pieces_[static_cast<size_t>(n.piece)].separate) {
                    cells[index(x, y)].tone = 3;
                }
            }
        }
    }
    // 0: surround, 1: figure or outline.
    std::vector<QRgb> colour(static_cast<size_t>(w * h), 0);
    std::vector<bool> solid(static_cast<size_t>(w * h), false);
    for (int y = 0; y < h; ++y) {
        for (int x = 0; x < w; ++x) {
            const Cell& c = cells[index(x, y)];
            if (c.mat >= 0) {
                colour[index(x, y)] = visible(materials_[static_cast<size_t>(c.mat)].tone[c.tone]);
                solid[index(x, y)] = true;
                continue;
            }
            for (int k = 0; k < 4; ++k) {
                const int nx = x + dx[k], ny = y + dy[k];
                if (filled(nx, ny)) {
                    colour[index(x, y)] =
                        visible(materials_[static_cast<size_t>(at(nx, ny).mat)].outline);
                    solid[index(x, y)] = true;
                    break;
                }
            }
        }
    }
    // Enclosed gaps (between an arm and the body, say) must not show the transparent surround.
    std::vector<bool> reached(static_cast<size_t>(w * h), false);
    std::vector<QPoint> stack;
    auto visit = [&](int x, int y) {
        if (x >= 0 && y >= 0 && x < w && y < h && !solid[index(x, y)] && !reached[index(x, y)]) {
            reached[index(x, y)] = true;
            stack.emplace_back(x, y);
        }
    };
    for (int x = 0; x < w; ++x) {
        visit(x, 0);
        visit(x, h - 1);
    }
    for (int y = 0; y < h; ++y) {
        visit(0, y);
        visit(w - 1, y);
    }
    while (!stack.empty()) {
        const QPoint p = stack.back();
        stack.pop_back();
        for (int k = 0; k < 4; ++k) {
            visit(p.x() + dx[k], p.y() + dy[k]);
        }
    }
    QImage image(w, h, transparent ? QImage::Format_ARGB32 : QImage::Format_RGB32);
    for (int y = 0; y < h; ++y) {
        QRgb* line = reinterpret_cast<QRgb*>(image.scanLine(y));
        for (int x = 0; x < w; ++x) {
            const size_t i = index(x, y);
            if (solid[i]) {
                line[x] = colour[i];
            } else if (!reached[i]) {
                line[x] = kHoleColour;
            } else {
                line[x] = transparent ? 0u : 0xff000000u;
            }
        }
    }
    return mirrored ? image.mirrored(true, false) : image;
}

}  // namespace assetgen
