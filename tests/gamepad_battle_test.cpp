// A pad in battle: the D-pad and the stick choose a member and a target, A attacks, B cancels
// as Ctrl does (the arrow stays), and Start pauses.

#include <gtest/gtest.h>

#include "battle/frm_battle_controls.h"
#include "menu/frm_menu_controls.h"
#include "support/virtual_pad.h"

using testing_support::PadGame;
using testing_support::VirtualPad;

TEST(PadInBattle, ChooseATargetAttackItCancelAndPause) {
    PadGame game;
    game.h.start();
    VirtualPad pad;
    game.play(250);
    game.tap(pad, SDL_CONTROLLER_BUTTON_X);  // Battle Test
    velmora::frmBattle& b = game.h.battle();
    const velmora::frmBattle::Controls& c = b.ui();
    auto target = [&] { return c.tmrTarget.interval() == 0 ? 0 : b.PartyTarget[1].value(); };

    game.tap(pad, SDL_CONTROLLER_BUTTON_DPAD_RIGHT);
    EXPECT_EQ(b.ActiveMember.value(), 2);
    pad.stick(-32768, 0);
    game.play(40);
    pad.stick(0, 0);
    game.play(40);
    EXPECT_EQ(b.ActiveMember.value(), 1) << "the stick as the arrow keys";

    game.tap(pad, SDL_CONTROLLER_BUTTON_A);  // Space on "Attack": the target choice
    game.tap(pad, SDL_CONTROLLER_BUTTON_DPAD_DOWN);
    EXPECT_EQ(target(), 2);
    game.play(100);
    game.tap(pad, SDL_CONTROLLER_BUTTON_B);
    EXPECT_EQ(target(), 0);
    EXPECT_TRUE(c.imgTarget.isVisible());

    game.tap(pad, SDL_CONTROLLER_BUTTON_A);
    game.tap(pad, SDL_CONTROLLER_BUTTON_DPAD_DOWN);
    game.tap(pad, SDL_CONTROLLER_BUTTON_A);  // the attack
    game.play(400);
    EXPECT_EQ(game.h.game().modChar.FoeHP[2].value(), 7);

    game.tap(pad, SDL_CONTROLLER_BUTTON_START);  // Escape: the pause menu over the battle
    ASSERT_TRUE(game.h.menu().isVisible());
    EXPECT_FALSE(game.h.menu().ui().cmdSave.isEnabled());
}
