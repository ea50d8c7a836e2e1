#include "battle/battle_pad.h"

#include "battle/frm_battle.h"
#include "platform/input/key_codes.h"

namespace velmora {

void Pad_ButtonDown(frmBattle& battle, platform::PadButton button) {
    using platform::PadButton;
    platform::Window* window = battle.window();
    if (window == nullptr) {
        return;
    }
    auto key = [window](int code) { window->keyDown(code, 0); };
    switch (button) {
        case PadButton::Up:
            return key(platform::key::Up);
        case PadButton::Down:
            return key(platform::key::Down);
        case PadButton::Left:
            return key(platform::key::Left);
        case PadButton::Right:
            return key(platform::key::Right);
        case PadButton::A:
            return key(platform::key::Space);
        case PadButton::B:
            return key(platform::key::Ctrl);
        case PadButton::Start:
            return key(platform::key::Escape);
        default:
            return;
    }
}

}  // namespace velmora
