// A pad in battle: a member and a target chosen, an attack that costs the foe hit points, B
// cancelling as Ctrl does, and Start pausing.

#include <gtest/gtest.h>

#include "battle/frm_battle_controls.h"
#include "menu/frm_menu_controls.h"
#include "support/virtual_pad.h"

using testing_support::PadGame;
using testing_support::VirtualPad;

namespace {

TEST(PadInBattle, ChooseATargetAttackItCancelAndPause) {
    PadGame game;
    game.h.start();
    VirtualPad pad;
    game.play(250);
    game.tap(pad, SDL_CONTROLLER_BUTTON_X);  // Battle Test
    ASSERT_TRUE(game.h.battle().isVisible());
    velmora::frmBattle& b = game.h.battle();
    const velmora::frmBattle::Controls& c = b.ui();
    auto targetShown = [&](int foe) {
        return c.tmrTarget.interval() == 50 && b.PartyTarget[b.ActiveMember].value() == foe &&
               c.lblTarget[foe].isOpaque();
    };

    game.tap(pad, SDL_CONTROLLER_BUTTON_DPAD_RIGHT);
    EXPECT_EQ(b.ActiveMember.value(), 2);
    EXPECT_EQ(c.picSelect.left(), c.lblName[2].left());
    pad.stick(-32768, 0);
    game.play(40);
    pad.stick(0, 0);
    game.play(40);
    EXPECT_EQ(b.ActiveMember.value(), 1) << "the stick as the arrow keys";

    game.tap(pad, SDL_CONTROLLER_BUTTON_A);  // Space on "Attack": the target choice
    EXPECT_TRUE(targetShown(1));
    game.tap(pad, SDL_CONTROLLER_BUTTON_DPAD_DOWN);
    EXPECT_TRUE(targetShown(2));
    game.play(100);
    ASSERT_TRUE(c.imgTarget.isVisible());
    game.tap(pad, SDL_CONTROLLER_BUTTON_B);  // Ctrl: cancelled, the arrow stays
    EXPECT_EQ(c.tmrTarget.interval(), 0);
    EXPECT_FALSE(c.lblTarget[2].isOpaque());
    EXPECT_TRUE(c.imgTarget.isVisible());

    const int hp = game.h.game().modChar.FoeHP[2].value();
    const int attack = game.h.game().modChar.PartyAttack[1].value();
    ASSERT_GT(attack, 0);
    game.tap(pad, SDL_CONTROLLER_BUTTON_A);
    EXPECT_TRUE(targetShown(1)) << "a new choice starts at foe 1";
    game.tap(pad, SDL_CONTROLLER_BUTTON_DPAD_DOWN);
    game.tap(pad, SDL_CONTROLLER_BUTTON_A);  // Space again: the attack
    EXPECT_EQ(c.tmrAttack.interval(), 50);
    game.play(400);
    EXPECT_EQ(game.h.game().modChar.FoeHP[2].value(), hp - attack);

    game.tap(pad, SDL_CONTROLLER_BUTTON_START);  // Escape: the pause menu over the battle
    ASSERT_TRUE(game.h.menu().isVisible());
    EXPECT_FALSE(game.h.menu().ui().cmdSave.isEnabled());
}

}  // namespace
