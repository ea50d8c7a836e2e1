#pragma once

#include "platform/input/gamepad.h"

namespace velmora {

class frmIntro;

// A pad's button on the title screen: up and down move the focus over New Game, Load Game and
// Exit, and A presses the focused one.
void Pad_ButtonDown(frmIntro& intro, platform::PadButton button);

}  // namespace velmora
