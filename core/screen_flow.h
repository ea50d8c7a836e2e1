#pragma once

#include <functional>
#include <optional>
#include <vector>

#include "platform/base/runtime_error.h"
#include "platform/desktop/fatal.h"

namespace velmora {

class Form;

// Runs every handler of the game and keeps the flow between the screens: which screen is
// active, which one holds the input, when the game ends.
//
// Activation is settled when the outermost handler has returned: the screen that should be
// active (the modal one, else the one shown or activated last) gets Form_Activate once if it
// was not active before. Then the handler that opened a modal screen goes on, if that screen
// has closed. When no screen is loaded any more the game ends.
class ScreenFlow {
  public:
    explicit ScreenFlow(platform::FatalReporter& fatal) : fatal_(fatal) {}

    // Runs one handler. A run-time error in it ends the game through the fatal reporter.
    void deliver(const std::function<void()>& handler);

    // Ends the game at once: no screen's close handler runs.
    void endProgram(int exitCode);
    bool ended() const { return ended_; }
    int exitCode() const { return exitCode_; }
    // The error that ended the game, if one did.
    const std::optional<platform::RuntimeError>& fatalError() const { return fatalError_; }
    // Called once when the game ends, with the exit status.
    void setOnEnd(std::function<void(int)> onEnd) { onEnd_ = std::move(onEnd); }

    const Form* activeForm() const { return active_; }
    bool acceptsInput(const Form& form) const;

    void registerForm(Form& form) { forms_.push_back(&form); }

    // Sees every step of the flow: "load", "show", "activate" and "close" of a screen.
    using Observer = std::function<void(const char* step, const Form& form)>;
    void setObserver(Observer observer) { observer_ = std::move(observer); }
    void note(const char* step, const Form& form) const {
        if (observer_) {
            observer_(step, form);
        }
    }

    // Reports from the screens.
    void shown(Form& form);
    void shownModal(Form& form, std::function<void()> afterClose);
    void closed(Form& form);
    void userActivated(Form& form);

  private:
    void settle();
    void fail(const platform::RuntimeError& error);
    void shutDownWindows();
    bool anyLoaded() const;
    void raise(Form& form);

    platform::FatalReporter& fatal_;
    std::vector<Form*> forms_;
    std::vector<Form*> stack_;  // shown screens, the last one on top
    Form* active_ = nullptr;
    Form* modal_ = nullptr;
    std::function<void()> afterModal_;
    std::vector<std::function<void()>> pending_;
    int depth_ = 0;
    bool ended_ = false;
    int exitCode_ = 0;
    std::optional<platform::RuntimeError> fatalError_;
    std::function<void(int)> onEnd_;
    Observer observer_;
};

}  // namespace velmora
