#pragma once

#include "map/frm_map.h"
#include "platform/controls.h"

namespace velmora {

// The map screen's controls, from the bottom of the stacking order to the top.
struct frmMap::Controls final : platform::ControlSet {
    explicit Controls(platform::Window& window)
        : picMap(window), txtChar(window), cmdBattle(window) {}

    platform::PictureBox picMap;
    platform::TextBox txtChar;
    platform::CommandButton cmdBattle;
};

}  // namespace velmora
