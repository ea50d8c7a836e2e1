// The pads reach whichever screen is active, through that screen's own pad handler.

#include "app/velmora.h"
#include "battle/battle_pad.h"
#include "map/map_pad.h"
#include "menu/menu_pad.h"
#include "title/intro_pad.h"

namespace velmora {

void Velmora::attachGamepad(platform::GamepadDevice& device) {
    gamepad_ = std::make_unique<platform::GamepadInput>(
        device, game.services().clock, [this](platform::PadButton b) { Pad_ButtonDown(b); });
}

void Velmora::Pad_ButtonDown(platform::PadButton button) {
    if (game.flow().ended()) {
        return;
    }
    if (idleInhibitor_ != nullptr) {
        idleInhibitor_->padUsed();
    }
    const Form* active = game.flow().activeForm();
    if (active == &map) {
        velmora::Pad_ButtonDown(map, button);
    } else if (active == &battle) {
        velmora::Pad_ButtonDown(battle, button);
    } else if (active == &menu) {
        velmora::Pad_ButtonDown(menu, button);
    } else if (active == &intro) {
        velmora::Pad_ButtonDown(intro, button);
    }
}

}  // namespace velmora
