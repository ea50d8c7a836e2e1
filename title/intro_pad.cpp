#include "title/intro_pad.h"

#include "platform/widgets/button_focus.h"
#include "title/frm_intro_controls.h"

namespace velmora {

void Pad_ButtonDown(frmIntro& intro, platform::PadButton button) {
    if (!intro.isLoaded()) {
        return;
    }
    frmIntro::Controls& c = intro.ui();
    const platform::ButtonColumn column({&c.cmdNew, &c.cmdLoad, &c.cmdExit});
    column.handle(button);
}

}  // namespace velmora
