#pragma once

#include <SDL.h>

#include "platform/input/gamepad_sdl.h"
#include "support/harness.h"

namespace testing_support {

// A pad plugged into SDL inside the test process: a virtual game controller in the standard
// layout whose buttons and left stick (each axis -32768 to 32767) the test sets. The game sees
// it when it next looks at the pads, as it would see a real one.
class VirtualPad {
  public:
    VirtualPad();
    ~VirtualPad() { unplug(); }
    VirtualPad(const VirtualPad&) = delete;
    VirtualPad& operator=(const VirtualPad&) = delete;

    void hold(SDL_GameControllerButton button) {
        SDL_JoystickSetVirtualButton(joystick_, button, 1);
    }
    void release(SDL_GameControllerButton button) {
        SDL_JoystickSetVirtualButton(joystick_, button, 0);
    }
    void stick(int x, int y);
    // The cable comes out; nothing is released first.
    void unplug();

  private:
    SDL_Joystick* joystick_ = nullptr;
};

// The whole game with the real pad device (SDL, in this process) attached, on the virtual clock.
struct PadGame {
    PadGame() { h.velmora().attachGamepad(pads); }
    // Time passes in steps of 10 ms; after each, the presses the pads made reach the game, as
    // the window system's events would.
    void play(int ms);
    // A button pressed and let go, with time for the game to look at the pad in between.
    void tap(VirtualPad& pad, SDL_GameControllerButton button) {
        pad.hold(button);
        play(20);
        pad.release(button);
        play(20);
    }

    platform::SdlGamepad pads;  // before the game, which it outlives
    Harness h;
};

}  // namespace testing_support
