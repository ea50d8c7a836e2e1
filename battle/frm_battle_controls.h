#pragma once

#include "battle/frm_battle.h"
#include "platform/controls.h"

namespace velmora {

struct frmBattle::Controls final : platform::ControlSet {
    explicit Controls(platform::Window& window) : picMap(window) {}

    platform::PictureBox picMap;
};

}  // namespace velmora
