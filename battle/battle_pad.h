#pragma once

#include "platform/input/gamepad.h"

namespace velmora {

class frmBattle;

// A pad's button in battle, each as its key through the battle's key handler: the D-pad and the
// stick as the arrow keys, A as Space, B as Ctrl (cancel, keeping the arrow) and Start as
// Escape.
void Pad_ButtonDown(frmBattle& battle, platform::PadButton button);

}  // namespace velmora
