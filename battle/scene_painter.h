#pragma once

#include <QRect>
#include <QSize>
#include <array>
#include <optional>
#include <vector>

#include "core/sprite_sheet.h"
#include "platform/pictures/picture.h"
#include "platform/pictures/surface.h"

namespace platform {
class PictureBox;
}

namespace velmora {

// One figure drawn by a battle repaint: a 32 × 32 cell of a sprite picture doubled to 64 × 64,
// keyed on black, or combined with the battlefield by a raster operation (the hit flash).
struct FigureDraw {
    static constexpr int kSize = 64;

    // The figure's place in the drawing order: a later figure covers an earlier one.
    int order = 0;
    bool keyed = true;
    platform::RasterOp op = platform::RasterOp::Copy;
    int sprite = 0;
    int cellX = 0;
    int cellY = 0;
    int x = 0;
    int y = 0;

    QRect rect() const { return {x, y, kSize, kSize}; }
    void drawOn(platform::Surface& dst, const SpriteSheet& sheet, int offsetX = 0,
                int offsetY = 0) const;
    friend bool operator==(const FigureDraw&, const FigureDraw&) = default;
};

// A panel's refresh: the w × h rectangle at (x, y) of the freshly painted battlefield copied
// into the panel at (0, 0), after clearing the panel or over what it showed.
struct PanelCopy {
    int x = 0;
    int y = 0;
    int width = 0;
    int height = 0;
    bool clearFirst = false;
    friend bool operator==(const PanelCopy&, const PanelCopy&) = default;
};

// Everything one repaint of the battle draws, in order: the background stretched to
// `background` pixels over the cleared battlefield, the panels' refreshes, the figures.
struct BattleScene {
    static constexpr int kPanels = 4;

    QSize background;
    std::array<PanelCopy, kPanels> panels;
    std::vector<FigureDraw> figures;
};

// The surfaces a battle repaint draws on: the battlefield and the four panels (party panel,
// command window, foe list, spell list).
struct BattleSurfaces {
    platform::PictureBox& battlefield;
    std::array<platform::PictureBox*, BattleScene::kPanels> panels;
};

// Paints battle scenes, redrawing and showing again only the rectangles that differ from the
// scene painted before. The result is pixel for pixel that of painting the whole scene: the
// background is the same picture stretched to the same size every time, so it is stretched once
// and kept; a rectangle is redrawn from that copy and then from every figure that crosses it,
// in order.
class ScenePainter {
  public:
    void paint(const BattleScene& scene, const BattleSurfaces& surfaces,
               const platform::Picture& background, const SpriteSheet& sheet);
    // The surfaces were drawn on by other means: the next paint redraws them whole.
    void forget() { shown_.reset(); }
    // Drops everything kept, the stretched background included.
    void release();
    // A stretched background is kept.
    bool keepsBackground() const {
        return !stretched_[0].pixels.isNull() || !stretched_[1].pixels.isNull();
    }

  private:
    struct Stretched {
        qint64 picture = 0;
        QSize size;
        QSize surface;
        QRgb fill = 0;
        platform::Surface pixels;
    };
    const platform::Surface& stretched(const platform::Picture& background, QSize size,
                                       QSize surface, QRgb fill);
    void paintBattlefield(const BattleScene& scene, platform::PictureBox& box,
                          const platform::Surface& ground, bool whole, const SpriteSheet& sheet);

    // The background at the sizes last asked for: the two kinds of twips-to-pixels
    // conversion may ask for two sizes on some displays.
    std::array<Stretched, 2> stretched_;
    std::size_t lastStretched_ = 0;
    std::optional<BattleScene> shown_;
    qint64 shownGround_ = 0;
    platform::Surface scratch_;
};

}  // namespace velmora
