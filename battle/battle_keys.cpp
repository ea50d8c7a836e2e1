// The battle's keyboard. Every key press reaches Form_KeyDown first; what a key does depends on
// two things only: whether a target is being chosen (tmrTarget runs) and whether the spell list
// is open. The keys set the battle state and start or stop the timers that animate it.

#include "battle/frm_battle_controls.h"
#include "core/game.h"
#include "platform/input/key_codes.h"

namespace velmora {
namespace {

constexpr int kCursorMs = 50;

constexpr int kAttack = 1;
constexpr int kMagic = 2;

// One step through 1 .. last, wrapping at both ends.
Int16 wrapped(Int16 value, int delta, int last) {
    const Int16 next = value + Int16(delta);
    if (next.value() < 1) {
        return Int16(last);
    }
    if (next.value() > last) {
        return Int16(1);
    }
    return next;
}

}  // namespace

void frmBattle::Form_KeyDown(Int16 keyCode, Int16 /*shift*/) {
    switch (keyCode.value()) {
        case platform::key::Escape:
            // The timers keep running under the menu. Continue activates the battle again;
            // QUIT closes it, and then nothing more happens for this key.
            game().frmMenu().showModal([] {});
            break;
        case platform::key::Left:
            keyLeft();
            break;
        case platform::key::Right:
            keyRight();
            break;
        case platform::key::Up:
            keyUpDown(-1);
            break;
        case platform::key::Down:
            keyUpDown(+1);
            break;
        case platform::key::Space:
            keySpace();
            break;
        case platform::key::Ctrl:
            keyCtrl();
            break;
        default:
            break;
    }
}

void frmBattle::keyLeft() {
    Controls& c = ui();
    const bool targeting = c.tmrTarget.interval() != 0;
    const bool listOpen = c.picMagic.isVisible();
    if (!targeting && !listOpen) {
        ActiveMember = wrapped(ActiveMember, -1, 6);
        c.picSelect.setLeft(c.lblName[ActiveMember].left());
    } else if (targeting) {
        c.tmrTarget.setInterval(0);
        c.imgTarget.setVisible(false);
        c.lblTarget[PartyTarget[ActiveMember]].setOpaque(false);
    } else {
        c.picMagic.setVisible(false);
    }
}

void frmBattle::keyRight() {
    Controls& c = ui();
    if (c.tmrTarget.interval() == 0 && !c.picMagic.isVisible()) {
        ActiveMember = wrapped(ActiveMember, +1, 6);
        c.picSelect.setLeft(c.lblName[ActiveMember].left());
    }
}

void frmBattle::keyUpDown(int delta) {
    Controls& c = ui();
    const bool targeting = c.tmrTarget.interval() != 0;
    const bool listOpen = c.picMagic.isVisible();
    if (!targeting && !listOpen) {
        PartyCommand[ActiveMember] = wrapped(PartyCommand[ActiveMember], delta, 5);
        for (int i = 1; i <= 5; ++i) {
            c.lblChoice[i].setOpaque(false);
        }
        c.lblChoice[PartyCommand[ActiveMember]].setOpaque(true);
    } else if (targeting) {
        PartyTarget[ActiveMember] = wrapped(PartyTarget[ActiveMember], delta, 6);
        for (int i = 1; i <= 6; ++i) {
            c.lblTarget[i].setOpaque(false);
        }
        c.lblTarget[PartyTarget[ActiveMember]].setOpaque(true);
    }
}

void frmBattle::keySpace() {
    Controls& c = ui();
    const bool targeting = c.tmrTarget.interval() != 0;
    const bool listOpen = c.picMagic.isVisible();
    const Int16 command = PartyCommand[ActiveMember];
    if (command == kAttack) {
        if (!targeting) {
            startTargetChoice();
        } else {
            c.tmrSelect.setInterval(0);
            c.tmrTarget.setInterval(0);
            c.tmrAttack.setInterval(kCursorMs);
        }
    } else if (command == kMagic) {
        if (!listOpen) {
            c.picMagic.setLeft(c.picSelect.left() + c.picSelect.width());
            c.picMagic.setTop(c.picSelect.top() + c.lblChoice[command].top());
            c.picMagic.setVisible(true);
        } else if (!targeting) {
            startTargetChoice();
        } else {
            // The spell has no effect yet: its timer ticks without action, and the list, the
            // target's highlight and the target cursor stay as they are.
            c.tmrSelect.setInterval(0);
            c.tmrTarget.setInterval(0);
            c.tmrMagic.setInterval(kCursorMs);
        }
    }
}

void frmBattle::startTargetChoice() {
    Controls& c = ui();
    c.tmrTarget.setInterval(kCursorMs);
    PartyTarget[ActiveMember] = 1;
    c.lblTarget[1].setOpaque(true);
}

// Ctrl cancels like Left but leaves the target cursor where it is.
void frmBattle::keyCtrl() {
    Controls& c = ui();
    if (c.tmrTarget.interval() != 0) {
        c.tmrTarget.setInterval(0);
        c.lblTarget[PartyTarget[ActiveMember]].setOpaque(false);
    } else if (c.picMagic.isVisible()) {
        c.picMagic.setVisible(false);
    }
}

}  // namespace velmora
