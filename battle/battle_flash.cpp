// The foe's hit flash after an attack: the target foe is drawn inverted against the battlefield,
// 100 ms later lightened, and then the command cursor takes over again.

#include "battle/frm_battle_controls.h"
#include "core/game.h"

namespace velmora {
namespace {

constexpr int kSelectMs = 50;

}  // namespace

void frmBattle::tmrFoeHit_Timer() {
    Controls& c = ui();
    const Int16 t = PartyTarget[ActiveMember];
    c.tmrSelect.setInterval(0);
    c.tmrTarget.setInterval(0);
    c.tmrAttack.setInterval(0);
    if (t.value() < 1 || t.value() > 6) {
        // The member made active during the flash has never chosen a target: there is no foe
        // to flash, and the flash ends here.
        RepaintBattle(Quotient::Whole);
        c.tmrFoeHit.setInterval(0);
        c.tmrSelect.setInterval(kSelectMs);
        return;
    }
    if (FoeFlash[t] == 0) {
        paintScene(Quotient::Whole, t.value(), t.value(), platform::RasterOp::Invert);
        FoeFlash[t] = 1;
    } else if (FoeFlash[t] == 1) {
        paintScene(Quotient::Whole, t.value(), t.value(), platform::RasterOp::Paint);
        FoeFlash[t] = 0;
        c.tmrFoeHit.setInterval(0);
        c.tmrSelect.setInterval(kSelectMs);
    }
}

// Nothing ever starts this timer: the foes do not act. A tick would only step the target foe's
// frame.
void frmBattle::tmrFoeAttack_Timer() {
    const Int16 t = PartyTarget[ActiveMember];
    if (FoeStep[t] == 0) {
        FoeSrcX[t] = 32;
        FoeSrcY[t] = 96;
        FoeStep[t] = 1;
    } else if (FoeStep[t] == 1) {
        FoeSrcX[t] = 0;
        FoeSrcY[t] = 96;
        FoeStep[t] = 0;
    }
}

}  // namespace velmora
