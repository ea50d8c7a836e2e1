#include "map/map_pad.h"

#include "map/frm_map_controls.h"
#include "platform/input/key_codes.h"

namespace velmora {

void Pad_ButtonDown(frmMap& map, platform::PadButton button) {
    using platform::PadButton;
    platform::Window* window = map.window();
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
        case PadButton::LeftShoulder:
            return key(platform::key::PageUp);
        case PadButton::RightShoulder:
            return key(platform::key::PageDown);
        case PadButton::Start:
            return key(platform::key::Escape);
        case PadButton::Y:
            return map.ui().cmdText.click();
        case PadButton::X:
            return map.ui().cmdBattle.click();
        default:
            return;
    }
}

}  // namespace velmora
