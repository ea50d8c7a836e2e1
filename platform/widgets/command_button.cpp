#include "platform/widgets/command_button.h"

#include <QPaintEvent>
#include <QPainter>
#include <QPushButton>
#include <QStyleOptionButton>
#include <QStylePainter>

namespace platform {

namespace {

// A push button that keeps its look: the style draws it once into a picture of its own, and
// again only when something it shows has changed (caption, font, colours, size, pressed, focus,
// the pointer over it). A button on a panel that is painted ten times a second is copied each
// time, where the style would lay out and shape its caption anew. On a display scaled by a
// fraction, where the picture's pixels would not meet the screen's, the style draws it each
// time.
class CommandButtonView final : public QPushButton {
  public:
    using QPushButton::QPushButton;

  protected:
    void paintEvent(QPaintEvent* /*event*/) override {
        QStyleOptionButton option;
        initStyleOption(&option);
        const qreal ratio = devicePixelRatioF();
        if (ratio != std::floor(ratio)) {
            QStylePainter(this).drawControl(QStyle::CE_PushButton, option);
            return;
        }
        if (look_.isNull() || look_.devicePixelRatio() != ratio || !sameLook(option, drawn_)) {
            look_ = QImage(size() * ratio, QImage::Format_ARGB32_Premultiplied);
            look_.setDevicePixelRatio(ratio);
            look_.fill(Qt::transparent);
            // Set up as a painter on the button itself would be.
            QStylePainter painter(&look_, this);
            painter.setFont(font());
            painter.setPen(palette().color(foregroundRole()));
            painter.setBackground(palette().brush(backgroundRole()));
            painter.setLayoutDirection(layoutDirection());
            painter.drawControl(QStyle::CE_PushButton, option);
            drawn_ = option;
        }
        QPainter(this).drawImage(0, 0, look_);
    }

  private:
    static bool sameLook(const QStyleOptionButton& a, const QStyleOptionButton& b) {
        return a.state == b.state && a.direction == b.direction && a.rect == b.rect &&
               a.palette == b.palette && a.fontMetrics == b.fontMetrics && a.text == b.text &&
               a.features == b.features && a.icon.cacheKey() == b.icon.cacheKey() &&
               a.iconSize == b.iconSize;
    }

    QImage look_;
    QStyleOptionButton drawn_;
};

}  // namespace

CommandButton::CommandButton(Container& parent)
    : Control(parent, new CommandButtonView(parent.widget())) {
    button_ = static_cast<QPushButton*>(widget());
    QObject::connect(button_, &QPushButton::clicked, [this] { click(); });
}

QString CommandButton::caption() const {
    return button_->text();
}

void CommandButton::setCaption(const QString& text) {
    button_->setText(text);
}

bool CommandButton::isEnabled() const {
    return button_->isEnabled();
}

void CommandButton::setEnabled(bool enabled) {
    button_->setEnabled(enabled);
}

void CommandButton::setFont(const FontSpec& font) {
    button_->setFont(makeFont(font, display()));
}

void CommandButton::setBackColor(QRgb colour) {
    QPalette palette = button_->palette();
    palette.setColor(QPalette::Button, QColor::fromRgb(colour));
    button_->setPalette(palette);
}

void CommandButton::click() {
    if (isEnabled() && onClick_) {
        window().deliverInput(onClick_);
    }
}

}  // namespace platform
