#include "menu/menu_pad.h"

#include "menu/frm_menu_controls.h"
#include "platform/button_focus.h"

namespace velmora {

void Pad_ButtonDown(frmMenu& menu, platform::PadButton button) {
    using platform::PadButton;
    if (!menu.isLoaded()) {
        return;
    }
    frmMenu::Controls& c = menu.ui();
    const platform::ButtonColumn column({&c.cmdContinue, &c.cmdSave, &c.cmdQuit});
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
        case PadButton::B:
        case PadButton::Start:
            return c.cmdContinue.click();
        default:
            return;
    }
}

}  // namespace velmora
