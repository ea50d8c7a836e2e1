#pragma once

#include "map/frm_map.h"
#include "platform/widgets/command_button.h"
#include "platform/widgets/controls.h"
#include "platform/widgets/picture_box.h"

namespace velmora {

// The map screen's controls, from the bottom of the stacking order to the top.
struct frmMap::Controls final : platform::ControlSet {
    Controls(platform::Window& window, frmMap& map);

    platform::PictureBox picMap;
    platform::Timer tmrChar;
    platform::TextBox txtChar;
    platform::CommandButton cmdBattle;
    platform::PictureBox picText;
    platform::Label lblText;
    platform::Timer tmrText;
    platform::CommandButton cmdText;
};

}  // namespace velmora
