#include "core/screen_flow.h"

#include <algorithm>

#include "core/form.h"

namespace velmora {

void ScreenFlow::deliver(const std::function<void()>& handler) {
    if (ended_) {
        return;
    }
    ++depth_;
    try {
        handler();
    } catch (const platform::RuntimeError& error) {
        fail(error);
    }
    if (depth_ == 1 && !ended_) {
        try {
            settle();
        } catch (const platform::RuntimeError& error) {
            fail(error);
        }
    }
    --depth_;
}

bool ScreenFlow::acceptsInput(const Form& form) const {
    return !ended_ && (modal_ == nullptr || modal_ == &form);
}

void ScreenFlow::shown(Form& form) {
    raise(form);
}

void ScreenFlow::shownModal(Form& form, std::function<void()> afterClose) {
    modal_ = &form;
    afterModal_ = std::move(afterClose);
    raise(form);
}

void ScreenFlow::closed(Form& form) {
    stack_.erase(std::remove(stack_.begin(), stack_.end(), &form), stack_.end());
    if (active_ == &form) {
        active_ = nullptr;
    }
    if (modal_ == &form) {
        modal_ = nullptr;
        if (afterModal_) {
            pending_.push_back(std::move(afterModal_));
            afterModal_ = nullptr;
        }
    }
}

void ScreenFlow::userActivated(Form& form) {
    if (ended_ || modal_ != nullptr || active_ == &form || !form.isVisible()) {
        return;
    }
    raise(form);
    deliver([] {});
}

void ScreenFlow::raise(Form& form) {
    stack_.erase(std::remove(stack_.begin(), stack_.end(), &form), stack_.end());
    stack_.push_back(&form);
}

bool ScreenFlow::anyLoaded() const {
    return std::any_of(forms_.begin(), forms_.end(), [](const Form* f) { return f->isLoaded(); });
}

void ScreenFlow::settle() {
    while (!ended_) {
        if (!anyLoaded()) {
            endProgram(0);
            return;
        }
        Form* wanted = modal_ != nullptr ? modal_ : (stack_.empty() ? nullptr : stack_.back());
        if (wanted != nullptr && wanted != active_) {
            active_ = wanted;
            wanted->activate();
            continue;
        }
        if (!pending_.empty()) {
            const std::function<void()> next = std::move(pending_.front());
            pending_.erase(pending_.begin());
            next();
            continue;
        }
        return;
    }
}

void ScreenFlow::shutDownWindows() {
    for (Form* form : forms_) {
        if (platform::Window* window = form->window()) {
            window->detach();
            window->hide();
        }
    }
}

void ScreenFlow::endProgram(int exitCode) {
    if (ended_) {
        return;
    }
    ended_ = true;
    exitCode_ = exitCode;
    shutDownWindows();
    if (onEnd_) {
        onEnd_(exitCode);
    }
}

void ScreenFlow::fail(const platform::RuntimeError& error) {
    if (ended_) {
        return;
    }
    ended_ = true;
    exitCode_ = 1;
    fatalError_ = error;
    shutDownWindows();
    fatal_.report(error.what());
    if (onEnd_) {
        onEnd_(exitCode_);
    }
}

}  // namespace velmora
