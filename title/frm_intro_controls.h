#pragma once

#include "platform/widgets/command_button.h"
#include "platform/widgets/controls.h"
#include "platform/widgets/picture_box.h"
#include "title/frm_intro.h"

namespace velmora {

// The title screen's controls, from the bottom of the stacking order to the top.
struct frmIntro::Controls final : platform::ControlSet {
    Controls(platform::Window& window, frmIntro& intro);

    // The landscape canvas, three display heights wide, moved left as the scene scrolls.
    platform::PictureBox picBack;
    // The button panel in the middle of the display.
    platform::PictureBox picMenu;
    platform::CommandButton cmdNew;
    platform::CommandButton cmdLoad;
    platform::CommandButton cmdExit;
    // Hidden: holds the figure's picture as a blit source.
    platform::PictureBox picChar;
    platform::Timer tmrIntro;
    platform::Timer tmrMusic;
};

}  // namespace velmora
