#include "platform/widgets/picture_box.h"

#include <QPaintEvent>
#include <QPainter>

namespace platform {

class PictureBox::View final : public QWidget {
  public:
    View(QWidget* parent, const PictureBox& box) : QWidget(parent), box_(box) {
        setAttribute(Qt::WA_OpaquePaintEvent);
    }

  protected:
    void paintEvent(QPaintEvent* event) override {
        // Only the part the window system asks for: boxes that redraw a small area present
        // only that area. Rectangle by rectangle: a copy clipped to one rectangle is a plain
        // copy of rows, where one clipped to several (strips, or around a control on top) goes
        // span by span, several times slower.
        QPainter painter(this);
        painter.setCompositionMode(QPainter::CompositionMode_Source);
        const QImage& image = box_.surface().image();
        for (const QRect& area : event->region()) {
            painter.setClipRect(area);
            const QRect drawn = area & image.rect();
            if (drawn != area) {
                painter.fillRect(area, QColor::fromRgb(box_.backColor()));
            }
            painter.drawImage(drawn.topLeft(), image, drawn);
        }
    }

  private:
    const PictureBox& box_;
};

PictureBox::PictureBox(Container& parent) : Control(parent, new View(parent.widget(), *this)) {
    surface_.fill(backColor_);
}

void PictureBox::setBackColor(QRgb colour) {
    backColor_ = colour & 0xFFFFFFu;
    widget()->update();
}

Surface& PictureBox::canvas() {
    widget()->update();
    return surface_;
}

Surface& PictureBox::canvas(const QRect& changed) {
    widget()->update(changed);
    return surface_;
}

void PictureBox::placeWidget(const QRect& geometry) {
    QWidget* view = widget();
    QWidget* parent = view->parentWidget();
    const QPoint shift = geometry.topLeft() - view->pos();
    // A box that fills its container before and after a move is all the container shows but
    // for the controls on top: the container's picture scrolls, which the window system does
    // with what it has, and the controls on top go back to their places. Only the strips
    // brought into view are painted, with what has been drawn since the last paint (Qt moves
    // that along with the picture), where a plain move would repaint the whole window.
    if (parent == nullptr || shift.isNull() || geometry.size() != view->size() ||
        !view->isVisible() || !view->geometry().contains(parent->rect()) ||
        !geometry.contains(parent->rect())) {
        view->setGeometry(geometry);
        return;
    }
    parent->scroll(shift.x(), shift.y());  // every control in the container moves with it
    for (QWidget* other : parent->findChildren<QWidget*>(Qt::FindDirectChildrenOnly)) {
        if (other != view && !other->isWindow()) {
            other->move(other->pos() - shift);
        }
    }
}

void PictureBox::cls() {
    canvas().fill(backColor_);
}

void PictureBox::onResized() {
    surface_.resize(std::max(0, toPixelsX(width())), std::max(0, toPixelsY(height())), backColor_);
}

}  // namespace platform
