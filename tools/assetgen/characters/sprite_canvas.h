#pragma once

#include <QImage>
#include <QPointF>
#include <functional>
#include <vector>

#include "common/color.h"

namespace assetgen {

// How the tones of a ramp spread over a shape lit from the upper left.
enum class Shading {
    Round,     // a ball: light upper left, shade lower right
    Cylinder,  // an upright limb: light left, shade right
    Flat,      // mostly the base tone with a shaded right edge
    Tone0,     // fixed tones, for details such as eyes and gems
    Tone1,
    Tone2,
    Tone3,
};

// A frame (32 x 32 unless told otherwise) built from shaded pieces. Each piece sits in front of the
// earlier ones; where a piece overlaps a different colour, a dark line separates them, and the
// finished silhouette gets a dark outline. Empty cells stay pure black, the transparent key of the
// character pictures.
class SpriteCanvas {
  public:
    static constexpr int kSize = 32;

    explicit SpriteCanvas(int width = kSize, int height = kSize)
        : width_(width), height_(height), cells_(static_cast<size_t>(width * height)) {}

    int addMaterial(const Ramp& ramp);
    int addMaterial(QColor base, double contrast = 1.0) {
        return addMaterial(makeRamp(base, contrast));
    }

    void ellipse(double cx, double cy, double rx, double ry, int mat,
                 Shading shading = Shading::Round, bool separate = true);
    void rect(double x, double y, double w, double h, int mat, Shading shading = Shading::Cylinder,
              bool separate = true);
    void polygon(const std::vector<QPointF>& points, int mat, Shading shading = Shading::Round,
                 bool separate = true);
    // Any shape given as a test on pixel centres.
    void shape(const std::function<bool(double, double)>& inside, int mat, Shading shading,
               bool separate = true);
    void pixel(int x, int y, int mat, int tone);
    // A one-pixel line from (x0, y0) to (x1, y1).
    void line(int x0, int y0, int x1, int y1, int mat, int tone);
    void erase(int x, int y, int w, int h);

    // Re-colours the cells of `mat` where `where(x, y)` holds, e.g. stripes or scales.
    void pattern(int mat, int newMat, int tone, const std::function<bool(int, int)>& where);

    bool filled(int x, int y) const;
    int materialAt(int x, int y) const;

    // With `transparent` the surround has zero alpha instead of the pure black key.
    QImage render(bool mirrored = false, bool transparent = false) const;

  private:
    struct Cell {
        int mat = -1;
        int tone = 0;
        int piece = -1;
    };
    struct Piece {
        bool separate;
    };

    void fillPiece(const std::vector<QPoint>& cells, int mat, Shading shading, bool separate);
    Cell& at(int x, int y) { return cells_[static_cast<size_t>(y * width_ + x)]; }
    const Cell& at(int x, int y) const { return cells_[static_cast<size_t>(y * width_ + x)]; }
    bool inside(int x, int y) const { return x >= 0 && y >= 0 && x < width_ && y < height_; }

    int width_;
    int height_;

    std::vector<Ramp> materials_;
    std::vector<Piece> pieces_;
    std::vector<Cell> cells_;
};

}  // namespace assetgen
