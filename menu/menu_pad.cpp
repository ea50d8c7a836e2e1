#include "menu/menu_pad.h"

#include "menu/frm_menu_controls.h"
#include "platform/widgets/button_focus.h"

namespace velmora {

void Pad_ButtonDown(frmMenu& menu, platform::PadButton button) {
    if (!menu.isLoaded()) {
        return;
    }
    frmMenu::Controls& c = menu.ui();
    const platform::ButtonColumn column({&c.cmdContinue, &c.cmdSave, &c.cmdQuit});
    if (!column.handle(button) &&
        (button == platform::PadButton::B || button == platform::PadButton::Start)) {
        c.cmdContinue.click();
    }
}

}  // namespace velmora
