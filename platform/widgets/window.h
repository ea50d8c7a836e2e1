#pragma once

#include <QWidget>
#include <functional>
#include <memory>
#include <vector>

#include "platform/base/clock.h"
#include "platform/widgets/display.h"

namespace platform {

class Timer;

// What a window reports to the screen that owns it. Every handler the window runs goes through
// deliver(), so the owner decides what an event means (and what an error does).
class EventSink {
  public:
    virtual ~EventSink() = default;
    virtual void deliver(const std::function<void()>& handler) = 0;
    // False while another window holds the input (a modal window is open).
    virtual bool acceptsInput() const = 0;
    virtual void keyDown(int keyCode, int shift) = 0;
    virtual void closeRequested() = 0;
    // The player activated this window from another of the game's windows.
    virtual void activatedByUser() = 0;
};

// The controls of one window, destroyed with it.
class ControlSet {
  public:
    virtual ~ControlSet() = default;
};

// Anything that holds controls: a window or a picture box. Child positions are in twips.
class Container {
  public:
    virtual ~Container() = default;
    virtual QWidget* widget() = 0;
    virtual class Window& window() = 0;
};

// A top-level window sized in twips. Its key preview hands every key press to the owner before
// the focused control sees it.
class Window final : public QWidget, public Container {
  public:
    Window(const Display& display, Clock& clock, EventSink& sink);
    ~Window() override;

    QWidget* widget() override { return this; }
    Window& window() override { return *this; }

    const Display& display() const { return display_; }
    Clock& clock() { return clock_; }

    void setCaption(const QString& caption) { setWindowTitle(caption); }
    // Size in twips; the window has no frame of its own, so inner and outer size agree.
    void setSizeTwips(float width, float height);
    float widthTwips() const { return width_; }
    float heightTwips() const { return height_; }
    void setKeyPreview(bool on) { keyPreview_ = on; }
    bool keyPreview() const { return keyPreview_; }

    void adopt(std::unique_ptr<ControlSet> controls) { controls_ = std::move(controls); }
    // Raises the window above the game's others and gives it the keyboard.
    void bringToFront();
    // Shows the window: full-screen when it is the display's size (the game's screens that
    // fill the display), else as an ordinary window.
    void present();
    // Keeps this window above `other` (a dialog above the screen that opened it).
    void stayAbove(Window& other);
    // The display-sized screens as ordinary windows rather than full-screen (for development
    // and screenshots).
    static void setWindowedMode(bool windowed);
    static bool windowedMode();

    // Runs a handler on behalf of this window; does nothing once the window is detached.
    void deliver(const std::function<void()>& handler);
    // Runs an input handler (click, key) unless input is blocked.
    void deliverInput(const std::function<void()>& handler);
    bool acceptsInput() const;
    void keyDown(int keyCode, int shift);

    // Stops every timer and cuts the window off from its owner: the window is closing.
    void detach();

    void registerTimer(Timer* timer) { timers_.push_back(timer); }
    void unregisterTimer(Timer* timer);

  protected:
    void closeEvent(QCloseEvent* event) override;
    bool event(QEvent* event) override;

  private:
    Display display_;
    Clock& clock_;
    EventSink* sink_;
    float width_ = 0;
    float height_ = 0;
    bool keyPreview_ = false;
    std::vector<Timer*> timers_;
    std::unique_ptr<ControlSet> controls_;
};

}  // namespace platform
