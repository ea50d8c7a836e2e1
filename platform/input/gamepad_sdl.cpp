#include "platform/input/gamepad_sdl.h"

#include <SDL.h>

#include <bitset>
#include <cstdlib>
#include <map>
#include <optional>

namespace platform {
namespace {

using Held = std::bitset<kPadButtons>;

std::size_t bit(PadButton button) {
    return static_cast<std::size_t>(button);
}

std::optional<PadButton> padButton(Uint8 sdlButton) {
    switch (sdlButton) {
        case SDL_CONTROLLER_BUTTON_A:
            return PadButton::A;
        case SDL_CONTROLLER_BUTTON_B:
            return PadButton::B;
        case SDL_CONTROLLER_BUTTON_X:
            return PadButton::X;
        case SDL_CONTROLLER_BUTTON_Y:
            return PadButton::Y;
        case SDL_CONTROLLER_BUTTON_LEFTSHOULDER:
            return PadButton::LeftShoulder;
        case SDL_CONTROLLER_BUTTON_RIGHTSHOULDER:
            return PadButton::RightShoulder;
        case SDL_CONTROLLER_BUTTON_START:
            return PadButton::Start;
        case SDL_CONTROLLER_BUTTON_DPAD_UP:
            return PadButton::Up;
        case SDL_CONTROLLER_BUTTON_DPAD_DOWN:
            return PadButton::Down;
        case SDL_CONTROLLER_BUTTON_DPAD_LEFT:
            return PadButton::Left;
        case SDL_CONTROLLER_BUTTON_DPAD_RIGHT:
            return PadButton::Right;
        default:
            return std::nullopt;  // the buttons the game does not use
    }
}

}  // namespace

class SdlGamepad::Impl {
  public:
    struct Pad {
        SDL_GameController* controller = nullptr;
        Held buttons;
        int stickX = 0;
        int stickY = 0;

        // The way the stick leans, if past the dead zone: along its longer axis.
        std::optional<PadButton> stick() const {
            const int ax = std::abs(stickX);
            const int ay = std::abs(stickY);
            if (ax <= kStickDeadZone && ay <= kStickDeadZone) {
                return std::nullopt;
            }
            if (ax >= ay) {
                return stickX < 0 ? PadButton::Left : PadButton::Right;
            }
            return stickY < 0 ? PadButton::Up : PadButton::Down;
        }
        Held held() const {
            Held h = buttons;
            if (const auto s = stick()) {
                h.set(bit(*s));
            }
            return h;
        }
    };

    Impl() {
        // SDL stays out of the game's signals and opens no window: only the pads.
        SDL_SetHint(SDL_HINT_NO_SIGNAL_HANDLERS, "1");
        ready = SDL_InitSubSystem(SDL_INIT_GAMECONTROLLER) == 0;
    }
    ~Impl() {
        if (!ready) {
            return;
        }
        for (auto& [id, pad] : pads) {
            SDL_GameControllerClose(pad.controller);
        }
        SDL_QuitSubSystem(SDL_INIT_GAMECONTROLLER);
    }

    void handle(const SDL_Event& e) {
        switch (e.type) {
            case SDL_CONTROLLERDEVICEADDED:
                open(e.cdevice.which);
                break;
            case SDL_CONTROLLERDEVICEREMOVED:
                if (auto it = pads.find(e.cdevice.which); it != pads.end()) {
                    SDL_GameControllerClose(it->second.controller);
                    pads.erase(it);
                }
                break;
            case SDL_CONTROLLERBUTTONDOWN:
            case SDL_CONTROLLERBUTTONUP:
                if (auto it = pads.find(e.cbutton.which); it != pads.end()) {
                    if (const auto b = padButton(e.cbutton.button)) {
                        it->second.buttons.set(bit(*b), e.type == SDL_CONTROLLERBUTTONDOWN);
                    }
                }
                break;
            case SDL_CONTROLLERAXISMOTION:
                if (auto it = pads.find(e.caxis.which); it != pads.end()) {
                    if (e.caxis.axis == SDL_CONTROLLER_AXIS_LEFTX) {
                        it->second.stickX = e.caxis.value;
                    } else if (e.caxis.axis == SDL_CONTROLLER_AXIS_LEFTY) {
                        it->second.stickY = e.caxis.value;
                    }
                }
                break;
            default:
                break;
        }
    }

    void open(int deviceIndex) {
        SDL_GameController* controller = SDL_GameControllerOpen(deviceIndex);
        if (controller == nullptr) {
            return;
        }
        const SDL_JoystickID id = SDL_JoystickInstanceID(SDL_GameControllerGetJoystick(controller));
        if (pads.count(id) != 0) {
            SDL_GameControllerClose(controller);  // announced twice: keep one handle
            return;
        }
        pads[id].controller = controller;
    }

    Held heldNow() const {
        Held h;
        for (const auto& [id, pad] : pads) {
            h |= pad.held();
        }
        return h;
    }

    // The changes from what was last reported: releases first, then presses.
    void report(std::vector<PadChange>& out) {
        const Held now = heldNow();
        for (int down = 0; down < 2; ++down) {
            for (int i = 0; i < kPadButtons; ++i) {
                const auto b = static_cast<std::size_t>(i);
                if (now[b] != reported[b] && now[b] == (down == 1)) {
                    out.push_back({static_cast<PadButton>(i), down == 1});
                }
            }
        }
        reported = now;
    }

    bool ready = false;
    std::map<SDL_JoystickID, Pad> pads;
    Held reported;
};

SdlGamepad::SdlGamepad() : impl_(std::make_unique<Impl>()) {}

SdlGamepad::~SdlGamepad() = default;

bool SdlGamepad::available() const {
    return impl_->ready;
}

std::vector<PadChange> SdlGamepad::poll() {
    std::vector<PadChange> changes;
    if (!impl_->ready) {
        return changes;
    }
    // A press and its release within one look both count; the stick's two axes moving
    // together count as one lean.
    SDL_Event event;
    while (SDL_PollEvent(&event) != 0) {
        impl_->handle(event);
        if (event.type == SDL_CONTROLLERBUTTONDOWN || event.type == SDL_CONTROLLERBUTTONUP ||
            event.type == SDL_CONTROLLERDEVICEREMOVED) {
            impl_->report(changes);
        }
    }
    impl_->report(changes);
    return changes;
}

int SdlGamepad::connectedPads() const {
    return static_cast<int>(impl_->pads.size());
}

}  // namespace platform
