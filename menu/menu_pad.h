#pragma once

#include "platform/input/gamepad.h"

namespace velmora {

class frmMenu;

// A pad's button in the pause menu: up and down move the focus over the enabled buttons, A
// presses the focused one, B and Start continue the game.
void Pad_ButtonDown(frmMenu& menu, platform::PadButton button);

}  // namespace velmora
