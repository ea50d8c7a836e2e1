#pragma once

#include "platform/controls.h"
#include "title/frm_intro.h"

namespace velmora {

struct frmIntro::Controls final : platform::ControlSet {
    explicit Controls(platform::Window& window)
        : picBack(window),
          picMenu(window),
          cmdNew(picMenu),
          cmdLoad(picMenu),
          cmdExit(picMenu),
          tmrIntro(window, [] {}),
          tmrMusic(window, [] {}) {}

    platform::PictureBox picBack;
    platform::PictureBox picMenu;
    platform::CommandButton cmdNew;
    platform::CommandButton cmdLoad;
    platform::CommandButton cmdExit;
    platform::Timer tmrIntro;
    platform::Timer tmrMusic;
};

}  // namespace velmora
