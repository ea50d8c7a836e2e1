#pragma once

#include "menu/frm_menu.h"
#include "platform/widgets/command_button.h"
#include "platform/widgets/controls.h"
#include "platform/widgets/picture_box.h"

namespace velmora {

struct frmMenu::Controls final : platform::ControlSet {
    explicit Controls(platform::Window& window)
        : picBack(window), cmdContinue(picBack), cmdSave(picBack), cmdQuit(picBack) {}

    platform::PictureBox picBack;
    platform::CommandButton cmdContinue;
    platform::CommandButton cmdSave;
    platform::CommandButton cmdQuit;
};

}  // namespace velmora
