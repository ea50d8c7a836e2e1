#include "platform/widgets/button_focus.h"

namespace platform {

CommandButton* ButtonColumn::focused() const {
    for (CommandButton* button : buttons_) {
        if (button->widget() == button->window().focusWidget()) {
            return button;
        }
    }
    return nullptr;
}

bool ButtonColumn::handle(PadButton button) const {
    switch (button) {
        case PadButton::Up:
            moveFocus(-1);
            return true;
        case PadButton::Down:
            moveFocus(1);
            return true;
        case PadButton::A:
            if (CommandButton* pressed = focused()) {
                pressed->click();
            }
            return true;
        default:
            return false;
    }
}

void ButtonColumn::moveFocus(int step) const {
    const int n = static_cast<int>(buttons_.size());
    const CommandButton* current = focused();
    int at = -1;
    for (int i = 0; i < n; ++i) {
        if (buttons_[static_cast<std::size_t>(i)] == current) {
            at = i;
        }
    }
    if (at < 0) {
        at = step > 0 ? n - 1 : 0;  // the first step lands on the first or the last
    }
    for (int tried = 0; tried < n; ++tried) {
        at = (at + step + n) % n;
        CommandButton& button = *buttons_[static_cast<std::size_t>(at)];
        if (button.isEnabled() && button.isVisible()) {
            QWidget* widget = button.widget();
            widget->setFocus(Qt::TabFocusReason);
            // The frame shows as after Tab, whether or not the window system has made the
            // window active yet.
            button.window().setAttribute(Qt::WA_KeyboardFocusChange);
            widget->update();
            return;
        }
    }
}

}  // namespace platform
