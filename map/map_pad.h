#pragma once

#include "platform/input/gamepad.h"

namespace velmora {

class frmMap;

// A pad's button on the map: the D-pad and the stick walk as the arrow keys, LB and RB switch
// the leader's picture as Page Up and Page Down, Y and X press Text Test and Battle Test, and
// Start pauses as Escape. Each key goes through the map's own key handler.
void Pad_ButtonDown(frmMap& map, platform::PadButton button);

}  // namespace velmora
