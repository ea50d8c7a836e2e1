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
