#include "platform/input/gamepad_input.h"

#include <QApplication>
#include <QDialog>

namespace platform {

GamepadInput::GamepadInput(GamepadDevice& device, Clock& clock,
                           std::function<void(PadButton)> onPress)
    : device_(device), onPress_(std::move(onPress)) {
    if (!device_.available()) {
        return;  // no pad can ever come: nothing runs, nothing costs
    }
    pumpTimer_ = clock.createTimer([this] { pump(); });
    repeatTimer_ = clock.createTimer([this] { repeat(); });
    // A pad already plugged in is seen at the first look.
    setPumpInterval(kIdlePumpMs);
}

GamepadInput::~GamepadInput() = default;

void GamepadInput::setPumpInterval(int ms) {
    if (ms != pumpInterval_) {
        pumpInterval_ = ms;
        pumpTimer_->start(ms);
    }
}

void GamepadInput::pump() {
    for (const PadChange& change : device_.poll()) {
        if (change.down) {
            if (isDirection(change.button)) {
                repeating_ = change.button;
                repeatTimer_->start(kFirstRepeatMs);
            }
            post(change.button);
        } else if (repeating_ == change.button) {
            repeating_.reset();
            repeatTimer_->stop();
        }
    }
    setPumpInterval(device_.connectedPads() > 0 ? kActivePumpMs : kIdlePumpMs);
}

void GamepadInput::repeat() {
    if (repeating_) {
        repeatTimer_->start(kRepeatMs);  // after the first repeat, the quicker pace
        post(*repeating_);
    }
}

void GamepadInput::post(PadButton button) {
    QMetaObject::invokeMethod(
        &mailbox_, [this, button] { deliver(button); }, Qt::QueuedConnection);
}

void GamepadInput::deliver(PadButton button) {
    // A dialog of the platform's holds the input, not one of the game's windows (which are
    // plain widgets, shown modally or not).
    if (auto* dialog = qobject_cast<QDialog*>(QApplication::activeModalWidget());
        dialog != nullptr) {
        if (button == PadButton::B) {
            dialog->reject();
        }
        return;
    }
    onPress_(button);
}

}  // namespace platform
