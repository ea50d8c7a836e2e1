#include "battle/scene_painter.h"

#include <QRegion>
#include <algorithm>

#include "platform/widgets/controls.h"
#include "platform/widgets/picture_box.h"

namespace velmora {

void FigureDraw::drawOn(platform::Surface& dst, const SpriteSheet& sheet, int offsetX,
                        int offsetY) const {
    if (keyed) {
        sheet.draw(dst, x - offsetX, y - offsetY, kSize, Int16(sprite), cellX, cellY);
    } else {
        platform::stretchBlt(dst, x - offsetX, y - offsetY, kSize, kSize,
                             sheet.picture(Int16(sprite)), cellX, cellY, SpriteSheet::kFrame,
                             SpriteSheet::kFrame, op);
    }
}

void ScenePainter::release() {
    stretched_ = {};
    shown_.reset();
    scratch_ = platform::Surface();
}

const platform::Surface& ScenePainter::stretched(const platform::Picture& background, QSize size,
                                                 QSize surface, QRgb fill) {
    const qint64 picture = background.surface().image().cacheKey();
    for (std::size_t i = 0; i < stretched_.size(); ++i) {
        const Stretched& s = stretched_[i];
        if (!s.pixels.isNull() && s.picture == picture && s.size == size && s.surface == surface &&
            s.fill == fill) {
            lastStretched_ = i;
            return s.pixels;
        }
    }
    // Replace the one not used last.
    lastStretched_ = 1 - lastStretched_;
    Stretched& s = stretched_[lastStretched_];
    s = Stretched{picture, size, surface, fill,
                  platform::Surface(surface.width(), surface.height(), fill)};
    const platform::Surface& from = background.surface();
    platform::stretchBlt(s.pixels, 0, 0, size.width(), size.height(), from, 0, 0, from.width(),
                         from.height());
    return s.pixels;
}

void ScenePainter::paint(const BattleScene& scene, const BattleSurfaces& surfaces,
                         const platform::Picture& background, const SpriteSheet& sheet) {
    platform::PictureBox& battlefield = surfaces.battlefield;
    const QSize surface(battlefield.surface().width(), battlefield.surface().height());
    const platform::Surface& ground =
        stretched(background, scene.background, surface, battlefield.backColor());
    // The identity of the kept pixels: a repaint over another background redraws everything.
    const qint64 groundKey = ground.image().cacheKey();
    const bool whole = !shown_ || shownGround_ != groundKey;

    // A panel shows the background behind it; it changes only when its rectangle does.
    for (std::size_t k = 0; k < scene.panels.size(); ++k) {
        const PanelCopy& copy = scene.panels[k];
        if (!whole && shown_->panels[k] == copy) {
            continue;
        }
        platform::PictureBox& panel = *surfaces.panels[k];
        platform::Surface& pixels = panel.canvas();
        if (copy.clearFirst) {
            pixels.fill(panel.backColor());
        }
        platform::bitBlt(pixels, 0, 0, copy.width, copy.height, ground, copy.x, copy.y);
    }
    paintBattlefield(scene, battlefield, ground, whole, sheet);
    shown_ = scene;
    shownGround_ = groundKey;
}

void ScenePainter::paintBattlefield(const BattleScene& scene, platform::PictureBox& box,
                                    const platform::Surface& ground, bool whole,
                                    const SpriteSheet& sheet) {
    if (whole) {
        platform::Surface& pixels = box.canvas();
        platform::bitBlt(pixels, 0, 0, ground.width(), ground.height(), ground, 0, 0);
        for (const FigureDraw& figure : scene.figures) {
            figure.drawOn(pixels, sheet);
        }
        return;
    }
    // A figure drawn as before, at the same place in the order, leaves its pixels as they are;
    // every other figure's old and new rectangles are drawn again.
    const std::vector<FigureDraw>& before = shown_->figures;
    auto sameOrder = [](const std::vector<FigureDraw>& list, int order) -> const FigureDraw* {
        const auto it = std::find_if(list.begin(), list.end(),
                                     [order](const FigureDraw& f) { return f.order == order; });
        return it == list.end() ? nullptr : &*it;
    };
    QRegion changed;
    for (const FigureDraw& figure : scene.figures) {
        const FigureDraw* old = sameOrder(before, figure.order);
        if (old == nullptr || !(*old == figure)) {
            changed += figure.rect();
            if (old != nullptr) {
                changed += old->rect();
            }
        }
    }
    for (const FigureDraw& old : before) {
        if (sameOrder(scene.figures, old.order) == nullptr) {
            changed += old.rect();
        }
    }
    changed &= QRect(0, 0, ground.width(), ground.height());
    for (const QRect& r : changed) {
        if (scratch_.width() < r.width() || scratch_.height() < r.height()) {
            scratch_ = platform::Surface(std::max(scratch_.width(), r.width()),
                                         std::max(scratch_.height(), r.height()));
        }
        // The rectangle is drawn apart, so that figures crossing its edges are cut there.
        platform::bitBlt(scratch_, 0, 0, r.width(), r.height(), ground, r.x(), r.y());
        for (const FigureDraw& figure : scene.figures) {
            if (figure.rect().intersects(r)) {
                figure.drawOn(scratch_, sheet, r.x(), r.y());
            }
        }
        platform::bitBlt(box.canvas(r), r.x(), r.y(), r.width(), r.height(), scratch_, 0, 0);
    }
}

}  // namespace velmora
