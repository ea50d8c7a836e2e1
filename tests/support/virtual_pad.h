#pragma once

#include <SDL.h>

#include <QCoreApplication>
#include <stdexcept>

#include "platform/input/gamepad_sdl.h"
#include "support/harness.h"

namespace testing_support {

// A virtual game controller plugged into SDL in the test process, whose buttons and left stick
// (-32768 to 32767 an axis) the test sets: the game sees it as it would see a real one.
class VirtualPad {
  public:
    VirtualPad() {
        SDL_VirtualJoystickDesc desc{};
        desc.version = SDL_VIRTUAL_JOYSTICK_DESC_VERSION;
        desc.type = SDL_JOYSTICK_TYPE_GAMECONTROLLER;
        desc.naxes = SDL_CONTROLLER_AXIS_MAX;
        desc.nbuttons = SDL_CONTROLLER_BUTTON_MAX;
        const int index = SDL_JoystickAttachVirtualEx(&desc);
        joystick_ = index < 0 ? nullptr : SDL_JoystickOpen(index);
        if (joystick_ == nullptr) {
            throw std::runtime_error(std::string("no virtual pad: ") + SDL_GetError());
        }
    }
    ~VirtualPad() { unplug(); }
    VirtualPad(const VirtualPad&) = delete;
    VirtualPad& operator=(const VirtualPad&) = delete;

    void hold(SDL_GameControllerButton button) {
        SDL_JoystickSetVirtualButton(joystick_, button, 1);
    }
    void release(SDL_GameControllerButton button) {
        SDL_JoystickSetVirtualButton(joystick_, button, 0);
    }
    void stick(int x, int y) {
        SDL_JoystickSetVirtualAxis(joystick_, SDL_CONTROLLER_AXIS_LEFTX, static_cast<Sint16>(x));
        SDL_JoystickSetVirtualAxis(joystick_, SDL_CONTROLLER_AXIS_LEFTY, static_cast<Sint16>(y));
    }
    // The cable comes out; nothing is released first.
    void unplug() {
        if (joystick_ == nullptr) {
            return;
        }
        const SDL_JoystickID id = SDL_JoystickInstanceID(joystick_);
        for (int i = 0; i < SDL_NumJoysticks(); ++i) {
            if (SDL_JoystickGetDeviceInstanceID(i) == id) {
                SDL_JoystickDetachVirtual(i);
                break;
            }
        }
        SDL_JoystickClose(joystick_);
        joystick_ = nullptr;
    }

  private:
    SDL_Joystick* joystick_ = nullptr;
};

// The whole game with the real pad device (SDL, in this process) attached, on the virtual clock
// `time`: the harness's, or `clock` beneath the game's `gameClock` (and `dialog`) when given.
struct PadGame {
    explicit PadGame(platform::VirtualClock* clock = nullptr, platform::Clock* gameClock = nullptr,
                     platform::FileDialog* dialog = nullptr)
        : h(1024, 768, 15, gameClock, dialog), time(clock != nullptr ? *clock : h.clock) {
        h.velmora().attachGamepad(pads);
    }
    // Time passes in steps of 10 ms, after each of which the pads' presses reach the game.
    void play(int ms) {
        for (int t = 0; t < ms; t += 10) {
            time.advance(10);
            h.advance(0);
            QCoreApplication::sendPostedEvents(nullptr, QEvent::MetaCall);
            h.advance(0);
        }
    }
    void tap(VirtualPad& pad, SDL_GameControllerButton button) {
        pad.hold(button);
        play(20);
        pad.release(button);
        play(20);
    }

    platform::SdlGamepad pads;  // before the game, which it outlives
    Harness h;
    platform::VirtualClock& time;
};

}  // namespace testing_support
