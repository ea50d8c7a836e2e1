// The party attack: the active member steps 30 pixels towards the foes, then back, and on the
// step back the target foe loses the member's attack points. Each step paints the scene and
// (re)starts the foe's hit flash.

#include <algorithm>
#include <limits>

#include "battle/frm_battle_controls.h"
#include "core/game.h"

namespace velmora {
namespace {

constexpr int kStepPixels = 30;
constexpr int kFlashMs = 100;

bool isSlot(Int16 value) {
    return value.value() >= 1 && value.value() <= 6;
}

// Hit points after a blow. A defeated foe can be struck again and again: its hit points stop
// at the lowest value they can hold instead of overflowing.
Int16 afterBlow(Int16 hitPoints, Int16 attack) {
    const std::int32_t left = std::int32_t{hitPoints.value()} - attack.value();
    return static_cast<std::int16_t>(std::clamp<std::int32_t>(
        left, std::numeric_limits<std::int16_t>::min(), std::numeric_limits<std::int16_t>::max()));
}

}  // namespace

void frmBattle::tmrAttack_Timer() {
    Controls& c = ui();
    const Int16 m = ActiveMember;
    c.tmrSelect.setInterval(0);
    c.tmrTarget.setInterval(0);
    if (AttackStep == 0) {
        flipWalkingFrame(m);
        PartyX[m] += kStepPixels;
        AttackStep = 1;
    } else if (AttackStep == 1) {
        flipWalkingFrame(m);
        PartyX[m] -= kStepPixels;
        AttackStep = 0;
        for (int i = 1; i <= 6; ++i) {
            c.lblTarget[i].setOpaque(false);
        }
        c.tmrTarget.setInterval(0);
        c.imgTarget.setVisible(false);
        // A member made active during the attack who has never chosen a target strikes no one.
        const Int16 t = PartyTarget[m];
        if (isSlot(t)) {
            CharTables& tables = game().modChar;
            tables.FoeHP[t] = afterBlow(tables.FoeHP[t], tables.PartyAttack[m]);
        }
        c.tmrAttack.setInterval(0);
    }
    RepaintBattle(Quotient::Whole);
    c.tmrFoeHit.setInterval(kFlashMs);
    c.tmrSelect.setInterval(0);
}

}  // namespace velmora
