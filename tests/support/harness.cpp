#include "support/harness.h"

#include <QCoreApplication>
#include <QScreen>
#include <QTest>
#include <algorithm>
#include <stdexcept>

#include "support/test_images.h"

namespace testing_support {

Harness::Harness(int width, int height, float twipsPerPixel, platform::Clock* gameClock,
                 platform::FileDialog* gameDialog)
    : display_(platform::Display::ofPixels(width, height, twipsPerPixel)) {
    if (!assets_.isValid()) {
        throw std::runtime_error("no temporary folder");
    }
    // The tile set reaches past the display's right and bottom edges.
    writeGameAssets(assetFolder(), std::max(1472, width + 64), std::max(800, height + 32));
    velmora_ = std::make_unique<velmora::Velmora>(
        velmora::Services{[this] { return display_; }, gameClock ? *gameClock : clock,
                          platform::AssetPaths(assetFolder()), music,
                          gameDialog ? *gameDialog : fileDialog, reporter});
    game().flow().setObserver([this](const char* step, const velmora::Form& form) {
        journal_.push_back(std::string(step) + " " + form.caption().toStdString());
    });
}

Harness::~Harness() {
    velmora_.reset();
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
}

void Harness::settle() {
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    const auto& error = game().flow().fatalError();
    if (error && !reportedError_) {
        reportedError_ = true;
        throw *error;
    }
}

void Harness::press(velmora::Form& form, int qtKey, Qt::KeyboardModifiers modifiers) {
    QWidget* window = form.window();
    if (window == nullptr) {
        throw std::logic_error("key pressed on a closed screen");
    }
    QWidget* target = window->focusWidget() != nullptr ? window->focusWidget() : window;
    QTest::keyPress(target, static_cast<Qt::Key>(qtKey), modifiers);
    if (form.window() != nullptr) {  // unless the key closed the screen
        QTest::keyRelease(target, static_cast<Qt::Key>(qtKey), modifiers);
    }
    settle();
}

void Harness::type(QWidget* widget, const QString& text) {
    QTest::keyClicks(widget, text);
    settle();
}

void Harness::click(platform::CommandButton& button) {
    QTest::mouseClick(button.widget(), Qt::LeftButton);
    settle();
}

void Harness::activate(velmora::Form& form) {
    QEvent event(QEvent::WindowActivate);
    QCoreApplication::sendEvent(form.window(), &event);
    settle();
}

bool showsAWholeRepaint(QWidget* window) {
    QCoreApplication::processEvents();
    return window->screen()
               ->grabWindow(window->winId())
               .toImage()
               .convertToFormat(QImage::Format_RGB32) ==
           window->grab().toImage().convertToFormat(QImage::Format_RGB32);
}

}  // namespace testing_support
