#pragma once

#include <SDL.h>

#include <memory>

#include "platform/gamepad_sdl.h"
#include "support/harness.h"

namespace testing_support {

// A pad plugged into SDL inside the test process: a virtual game controller in the standard
// layout whose buttons and sticks the test sets. The game sees it when it next looks at the
// pads, as it would see a real one.
class VirtualPad {
  public:
    VirtualPad();
    ~VirtualPad();
    VirtualPad(const VirtualPad&) = delete;
    VirtualPad& operator=(const VirtualPad&) = delete;

    void hold(SDL_GameControllerButton button);
    void release(SDL_GameControllerButton button);
    // Leans the left stick, each axis from -32768 to 32767.
    void stick(int x, int y);
    // The cable comes out; nothing is released first.
    void unplug();

  private:
    SDL_Joystick* joystick_ = nullptr;
};

// The whole game with the real pad device (SDL, in this process) attached, on the virtual clock.
struct PadGame {
    PadGame();

    // Time passes in steps of 10 ms; after each step the presses the pads have made reach the
    // game, as the window system's events would.
    void play(int ms);
    // A button pressed and let go, with time for the game to look at the pad in between.
    void tap(VirtualPad& pad, SDL_GameControllerButton button);

    // Before the game: it outlives the game that looks at it.
    platform::SdlGamepad pads;
    Harness h;
};

}  // namespace testing_support
