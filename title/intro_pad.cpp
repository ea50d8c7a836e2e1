#include "title/intro_pad.h"

#include "platform/button_focus.h"
#include "title/frm_intro_controls.h"

namespace velmora {

void Pad_ButtonDown(frmIntro& intro, platform::PadButton button) {
    using platform::PadButton;
    if (!intro.isLoaded()) {
        return;
    }
    frmIntro::Controls& c = intro.ui();
    const platform::ButtonColumn column({&c.cmdNew, &c.cmdLoad, &c.cmdExit});
    switch (button) {
        case PadButton::Up:
            return column.moveFocus(-1);
        case PadButton::Down:
            return column.moveFocus(1);
        case PadButton::A:
            if (platform::CommandButton* focused = column.focused()) {
                focused->click();
            }
            return;
        default:
            return;
    }
}

}  // namespace velmora
