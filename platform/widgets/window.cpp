#include "platform/widgets/window.h"

#include <QCloseEvent>
#include <QGuiApplication>
#include <QWindow>
#include <algorithm>
#include <cmath>

#include "platform/widgets/controls.h"

namespace platform {

Window::Window(const Display& display, Clock& clock, EventSink& sink)
    : display_(display), clock_(clock), sink_(&sink) {
    setAttribute(Qt::WA_DeleteOnClose, false);
}

Window::~Window() {
    // Controls go first, while the widgets they refer to still exist.
    controls_.reset();
}

void Window::setSizeTwips(float width, float height) {
    width_ = width;
    height_ = height;
    resize(static_cast<int>(std::lround(width / display_.twipsPerPixelX)),
           static_cast<int>(std::lround(height / display_.twipsPerPixelY)));
}

namespace {
bool windowed = false;
}  // namespace

void Window::setWindowedMode(bool on) {
    windowed = on;
}

bool Window::windowedMode() {
    return windowed;
}

void Window::present() {
    const bool fillsDisplay =
        width_ == display_.widthTwips && height_ == display_.heightTwips && width_ > 0;
    // Without a window system (headless runs) there is no screen to fill.
    if (fillsDisplay && !windowed &&
        QGuiApplication::platformName() != QLatin1String("offscreen")) {
        showFullScreen();
    } else {
        show();
    }
}

void Window::stayAbove(Window& other) {
    winId();  // the native window must exist to be given a parent
    other.winId();
    windowHandle()->setTransientParent(other.windowHandle());
}

void Window::bringToFront() {
    // Without a window system (headless runs) there is nothing to raise.
    if (QGuiApplication::platformName() != QLatin1String("offscreen")) {
        raise();
        activateWindow();
    }
}

void Window::deliver(const std::function<void()>& handler) {
    if (sink_ != nullptr) {
        sink_->deliver(handler);
    }
}

void Window::deliverInput(const std::function<void()>& handler) {
    if (acceptsInput()) {
        deliver(handler);
    }
}

bool Window::acceptsInput() const {
    return sink_ != nullptr && sink_->acceptsInput();
}

void Window::keyDown(int keyCode, int shift) {
    if (acceptsInput()) {
        sink_->keyDown(keyCode, shift);
    }
}

void Window::detach() {
    for (Timer* timer : timers_) {
        timer->setInterval(0);
    }
    sink_ = nullptr;
}

void Window::unregisterTimer(Timer* timer) {
    timers_.erase(std::remove(timers_.begin(), timers_.end(), timer), timers_.end());
}

void Window::closeEvent(QCloseEvent* event) {
    // The owner closes the window itself (or ends the game); the window system must not.
    event->ignore();
    if (acceptsInput()) {
        sink_->closeRequested();
    }
}

bool Window::event(QEvent* event) {
    if (event->type() == QEvent::WindowActivate && sink_ != nullptr) {
        sink_->activatedByUser();
    }
    return QWidget::event(event);
}

}  // namespace platform
