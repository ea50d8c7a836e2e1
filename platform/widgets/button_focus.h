#pragma once

#include <vector>

#include "platform/input/gamepad.h"
#include "platform/widgets/command_button.h"
#include "platform/widgets/controls.h"

namespace platform {

// A column of buttons, from the top of the window to the bottom, over which a pad moves the
// keyboard focus as Tab would: the focused button shows the platform's focus frame.
class ButtonColumn {
  public:
    explicit ButtonColumn(std::vector<CommandButton*> topToBottom)
        : buttons_(std::move(topToBottom)) {}

    // The focus goes to the next enabled button below (step 1) or above (step -1), round from
    // the last to the first; with none of them focused, down goes to the first and up to the
    // last.
    void moveFocus(int step) const;
    // The button of the column that has the focus, or null.
    CommandButton* focused() const;
    // A pad's button over the column: up and down move the focus, A presses the focused button.
    // False for any other button, which the column leaves to its screen.
    bool handle(PadButton button) const;

  private:
    std::vector<CommandButton*> buttons_;
};

}  // namespace platform
