#include "platform/widgets/controls.h"

#include <QLabel>
#include <QLineEdit>
#include <QPaintEvent>
#include <QPainter>
#include <QPushButton>
#include <QStyleOptionButton>
#include <QStylePainter>
#include <cmath>

#include "platform/pictures/picture.h"

namespace platform {

// ---- Control ----

Control::Control(Container& parent, QWidget* widget) : window_(parent.window()), widget_(widget) {}

Control::~Control() {
    delete widget_.data();
}

int Control::toPixelsX(float twips) const {
    return static_cast<int>(std::lround(twips / display().twipsPerPixelX));
}

int Control::toPixelsY(float twips) const {
    return static_cast<int>(std::lround(twips / display().twipsPerPixelY));
}

void Control::setGeometry(float left, float top, float width, float height) {
    const bool resized = width != width_ || height != height_;
    left_ = left;
    top_ = top;
    width_ = width;
    height_ = height;
    if (widget_ != nullptr) {
        placeWidget(QRect(toPixelsX(left), toPixelsY(top), std::max(0, toPixelsX(width)),
                          std::max(0, toPixelsY(height))));
    }
    if (resized) {
        onResized();
    }
}

void Control::setVisible(bool visible) {
    visible_ = visible;
    if (widget_ != nullptr) {
        widget_->setVisible(visible);
    }
}

void Control::placeWidget(const QRect& geometry) {
    widget_->setGeometry(geometry);
}

// ---- PictureBox ----

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

// ---- Label ----

Label::Label(Container& parent) : Control(parent, new QLabel(parent.widget())) {
    label_ = static_cast<QLabel*>(widget());
    label_->setAlignment(Qt::AlignLeft | Qt::AlignTop);
    label_->setTextFormat(Qt::PlainText);
    applyColours();
}

QString Label::caption() const {
    return label_->text();
}

void Label::setCaption(const QString& text) {
    label_->setText(text);
    fitHeight();
}

void Label::setFont(const FontSpec& font) {
    label_->setFont(makeFont(font, display()));
    fitHeight();
}

void Label::setForeColor(QRgb colour) {
    foreColor_ = colour;
    applyColours();
}

void Label::setBackColor(QRgb colour) {
    backColor_ = colour;
    applyColours();
}

void Label::setOpaque(bool opaque) {
    opaque_ = opaque;
    applyColours();
}

void Label::setWordWrap(bool on) {
    wordWrap_ = on;
    label_->setWordWrap(on);
    fitHeight();
}

void Label::setAutoSize(bool on) {
    autoSize_ = on;
    fitHeight();
}

void Label::onResized() {
    fitHeight();
}

void Label::applyColours() {
    QPalette palette = label_->palette();
    palette.setColor(QPalette::WindowText, QColor::fromRgb(foreColor_));
    palette.setColor(QPalette::Window, QColor::fromRgb(backColor_));
    label_->setPalette(palette);
    label_->setAutoFillBackground(opaque_);
}

void Label::fitHeight() {
    if (!autoSize_ || !wordWrap_) {
        return;
    }
    const int pixels = label_->heightForWidth(toPixelsX(width()));
    const float twips = static_cast<float>(pixels) * display().twipsPerPixelY;
    if (twips != height()) {
        setHeight(twips);
    }
}

// ---- CommandButton ----

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

// ---- TextBox ----

TextBox::TextBox(Container& parent) : Control(parent, new QLineEdit(parent.widget())) {
    edit_ = static_cast<QLineEdit*>(widget());
    QObject::connect(edit_, &QLineEdit::textChanged, [this] {
        if (onChange_) {
            window().deliver(onChange_);
        }
    });
}

QString TextBox::text() const {
    return edit_->text();
}

void TextBox::setText(const QString& text) {
    edit_->setText(text);
}

// ---- ImageBox ----

ImageBox::ImageBox(Container& parent) : Control(parent, new QLabel(parent.widget())) {
    label_ = static_cast<QLabel*>(widget());
    label_->setAttribute(Qt::WA_TransparentForMouseEvents);
}

void ImageBox::loadPicture(const QString& path) {
    picture_ = readImage(path);
    label_->setPixmap(QPixmap::fromImage(picture_));
    setGeometry(left(), top(), static_cast<float>(picture_.width()) * display().twipsPerPixelX,
                static_cast<float>(picture_.height()) * display().twipsPerPixelY);
}

// ---- Timer ----

Timer::Timer(Container& parent, std::function<void()> onTick)
    : window_(parent.window()), onTick_(std::move(onTick)) {
    backend_ = window_.clock().createTimer([this] { window_.deliver(onTick_); });
    window_.registerTimer(this);
}

Timer::~Timer() {
    window_.unregisterTimer(this);
}

void Timer::setInterval(int ms) {
    interval_ = std::max(ms, 0);
    if (interval_ > 0) {
        backend_->start(interval_);
    } else {
        backend_->stop();
    }
}

// ---- Fonts ----

int fontPixelSize(double points, float twipsPerPixelY) {
    constexpr double kTwipsPerPoint = 20;
    return static_cast<int>(std::lround(points * kTwipsPerPoint / twipsPerPixelY));
}

QFont makeFont(const FontSpec& spec, const Display& display) {
    // The classic bitmap sans face is not on this platform; a metric sans face stands in.
    QFont font(spec.face == QLatin1String("MS Sans Serif") ? QStringLiteral("Liberation Sans")
                                                           : spec.face);
    font.setStyleHint(QFont::SansSerif);
    // Text follows the desktop's DPI, also where drawing rounds its twips per pixel.
    font.setPixelSize(std::max(1, fontPixelSize(spec.points, display.textTwipsPerPixelY())));
    font.setBold(spec.bold);
    return font;
}

}  // namespace platform
