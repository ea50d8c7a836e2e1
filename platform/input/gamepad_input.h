#pragma once

#include <QObject>
#include <functional>
#include <memory>
#include <optional>

#include "platform/base/clock.h"
#include "platform/input/gamepad.h"

namespace platform {

// Looks at the pads on the game's clock and hands each button press to the game, a direction
// held down again and again as a held key repeats. While no pad is connected it looks seldom,
// enough to notice one being plugged in; while one is, often enough that a press acts at once.
// A device that can never see a pad is not looked at.
//
// A press reaches the game as a key from the window system does: as an event of its own, after
// the tick that noticed it has returned. So a press that opens a dialog does not hold up the
// ticks that look at the pads while the dialog is open. While one of the platform's dialogs
// (the file dialog) holds the input, the game gets nothing: B cancels the dialog and every
// other button does nothing.
class GamepadInput {
  public:
    static constexpr int kIdlePumpMs = 250;
    // A frame at 50 Hz: a press waits 10 ms on average before it acts.
    static constexpr int kActivePumpMs = 20;
    static constexpr int kFirstRepeatMs = 400;
    // 25 repeats a second.
    static constexpr int kRepeatMs = 40;

    GamepadInput(GamepadDevice& device, Clock& clock, std::function<void(PadButton)> onPress);
    ~GamepadInput();
    GamepadInput(const GamepadInput&) = delete;
    GamepadInput& operator=(const GamepadInput&) = delete;

    // How often the pads are looked at now, in milliseconds; 0 when they are not.
    int pumpInterval() const { return pumpInterval_; }

  private:
    void pump();
    void repeat();
    void post(PadButton button);
    void deliver(PadButton button);
    void setPumpInterval(int ms);

    GamepadDevice& device_;
    std::function<void(PadButton)> onPress_;
    // Presses posted to it are dropped with it.
    QObject mailbox_;
    std::unique_ptr<TimerBackend> pumpTimer_;
    std::unique_ptr<TimerBackend> repeatTimer_;
    int pumpInterval_ = 0;
    // The direction pressed last, repeating while it is held.
    std::optional<PadButton> repeating_;
};

}  // namespace platform
