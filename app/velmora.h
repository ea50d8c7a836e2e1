#pragma once

#include <memory>

#include "battle/frm_battle.h"
#include "core/game.h"
#include "map/frm_map.h"
#include "menu/frm_menu.h"
#include "platform/desktop/idle_inhibitor.h"
#include "platform/input/gamepad_input.h"
#include "title/frm_intro.h"

namespace velmora {

// The whole game: the shared state and its four screens, wired together.
class Velmora {
  public:
    explicit Velmora(Services services);

    Game game;
    frmMap map{game};
    frmMenu menu{game};
    frmBattle battle{game};
    frmIntro intro{game};

    // From now on the pads of `device` drive the active screen, as a second way to press its
    // keys and buttons.
    void attachGamepad(platform::GamepadDevice& device);
    // How often the pads are looked at, in milliseconds; 0 when they are not.
    int gamepadPumpInterval() const { return gamepad_ ? gamepad_->pumpInterval() : 0; }
    // From now on every pad press also tells the desktop that the player is there, so that the
    // screen does not blank mid-play; keys and the mouse the desktop sees for itself.
    void keepScreenAwakeWith(platform::IdleInhibitor& inhibitor) { idleInhibitor_ = &inhibitor; }

  private:
    void Pad_ButtonDown(platform::PadButton button);

    std::unique_ptr<platform::GamepadInput> gamepad_;
    platform::IdleInhibitor* idleInhibitor_ = nullptr;
};

}  // namespace velmora
