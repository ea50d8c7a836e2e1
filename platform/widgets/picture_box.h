#pragma once

#include <QRgb>

#include "platform/pictures/surface.h"
#include "platform/widgets/controls.h"

namespace platform {

// A drawing surface on screen. Its drawing lives in an off-screen image of its own pixel size
// that stays readable as a blit source whether or not the box is shown. Controls placed inside
// it use twips from its top-left corner.
class PictureBox final : public Control, public Container {
  public:
    explicit PictureBox(Container& parent);

    QWidget* widget() override { return Control::widget(); }
    Window& window() override { return Control::window(); }

    QRgb backColor() const { return backColor_; }
    void setBackColor(QRgb colour);
    // Inner size in twips.
    float scaleWidth() const { return width(); }
    float scaleHeight() const { return height(); }

    // The drawing, to read.
    const Surface& surface() const { return surface_; }
    // The drawing, to draw on: the box shows the change at the next paint.
    Surface& canvas();
    // The same, for a drawing that changes only the given rectangle (pixels): only that part of
    // the box is shown again.
    Surface& canvas(const QRect& changed);
    // Clears the drawing to the background colour.
    void cls();

  private:
    void onResized() override;
    void placeWidget(const QRect& geometry) override;

    class View;
    Surface surface_;
    QRgb backColor_ = qRgb(0xC0, 0xC0, 0xC0);
};

}  // namespace platform
