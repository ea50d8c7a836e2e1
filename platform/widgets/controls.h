#pragma once

#include <QColor>
#include <QFont>
#include <QPointer>
#include <QString>
#include <QWidget>
#include <functional>
#include <memory>

#include "platform/widgets/window.h"

class QLabel;
class QLineEdit;

namespace platform {

// A font given as the game names it: a face, a size in points and a weight.
struct FontSpec {
    QString face = QStringLiteral("MS Sans Serif");
    double points = 8;
    bool bold = false;
};

// Common ground of every visible control: position and size in twips inside its container,
// and visibility.
class Control {
  public:
    virtual ~Control();
    Control(const Control&) = delete;
    Control& operator=(const Control&) = delete;

    float left() const { return left_; }
    float top() const { return top_; }
    float width() const { return width_; }
    float height() const { return height_; }
    void setLeft(float v) { setGeometry(v, top_, width_, height_); }
    void setTop(float v) { setGeometry(left_, v, width_, height_); }
    void setWidth(float v) { setGeometry(left_, top_, v, height_); }
    void setHeight(float v) { setGeometry(left_, top_, width_, v); }
    void move(float left, float top) { setGeometry(left, top, width_, height_); }
    void setGeometry(float left, float top, float width, float height);

    bool isVisible() const { return visible_; }
    void setVisible(bool visible);

    QWidget* widget() const { return widget_; }
    Window& window() const { return window_; }

  protected:
    Control(Container& parent, QWidget* widget);
    const Display& display() const { return window_.display(); }
    int toPixelsX(float twips) const;
    int toPixelsY(float twips) const;
    virtual void onResized() {}
    // Puts the widget at `geometry` (pixels in its container).
    virtual void placeWidget(const QRect& geometry);

  private:
    Window& window_;
    QPointer<QWidget> widget_;
    float left_ = 0;
    float top_ = 0;
    float width_ = 0;
    float height_ = 0;
    bool visible_ = true;
};

// A text. Its background is transparent unless made opaque; with word wrap and auto-size its
// width stays fixed and its height follows the text.
class Label final : public Control {
  public:
    explicit Label(Container& parent);

    QString caption() const;
    void setCaption(const QString& text);
    void setFont(const FontSpec& font);
    void setForeColor(QRgb colour);
    void setBackColor(QRgb colour);
    QRgb backColor() const { return backColor_; }
    void setOpaque(bool opaque);
    bool isOpaque() const { return opaque_; }
    void setWordWrap(bool on);
    void setAutoSize(bool on);

  private:
    void onResized() override;
    void applyColours();
    void fitHeight();

    QLabel* label_;
    QRgb foreColor_ = qRgb(0, 0, 0);
    QRgb backColor_ = qRgb(0xC0, 0xC0, 0xC0);
    bool opaque_ = false;
    bool wordWrap_ = false;
    bool autoSize_ = false;
};

// A one-line text box. Its change handler runs whenever the text changes, typed or set.
class TextBox final : public Control {
  public:
    explicit TextBox(Container& parent);

    QString text() const;
    void setText(const QString& text);
    void onChange(std::function<void()> handler) { onChange_ = std::move(handler); }

  private:
    QLineEdit* edit_;
    std::function<void()> onChange_;
};

// A picture shown at its own size, transparent where the picture is.
class ImageBox final : public Control {
  public:
    explicit ImageBox(Container& parent);

    // Loads the picture from a file; the control takes the picture's size.
    void loadPicture(const QString& path);
    const QImage& picture() const { return picture_; }

  private:
    QLabel* label_;
    QImage picture_;
};

// A timer switched only through its interval in milliseconds: non-zero starts or restarts it,
// 0 stops it. Its ticks run on the window thread through the window's owner.
class Timer final {
  public:
    Timer(Container& parent, std::function<void()> onTick);
    ~Timer();
    Timer(const Timer&) = delete;
    Timer& operator=(const Timer&) = delete;

    int interval() const { return interval_; }
    void setInterval(int ms);

  private:
    Window& window_;
    std::function<void()> onTick_;
    std::unique_ptr<TimerBackend> backend_;
    int interval_ = 0;
};

// The pixel size of a font of `points` on a display whose vertical twips per pixel is given.
int fontPixelSize(double points, float twipsPerPixelY);
QFont makeFont(const FontSpec& spec, const Display& display);

}  // namespace platform
