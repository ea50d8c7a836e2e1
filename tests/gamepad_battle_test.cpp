// A pad in battle: the D-pad and the stick as the arrow keys, A as Space, B as Ctrl (the target
// choice ends, its arrow stays) and Start as Escape.

#include <gtest/gtest.h>

#include "battle/frm_battle_controls.h"
#include "menu/frm_menu_controls.h"
#include "support/virtual_pad.h"

TEST(PadInBattle, ChooseATargetAttackItCancelAndPause) {
    testing_support::PadGame game;
    game.h.start();
    testing_support::VirtualPad pad;
    game.play(250);
    game.tap(pad, SDL_CONTROLLER_BUTTON_X);  // Battle Test
    const velmora::frmBattle& b = game.h.battle();
    auto target = [&] { return b.ui().tmrTarget.interval() == 0 ? 0 : b.PartyTarget[1].value(); };
    game.tap(pad, SDL_CONTROLLER_BUTTON_DPAD_RIGHT);
    EXPECT_EQ(b.ActiveMember.value(), 2);
    pad.stick(-32768, 0);  // to the left
    game.play(40);
    EXPECT_EQ(b.ActiveMember.value(), 1);
    pad.stick(0, 0);

    for (auto button : {SDL_CONTROLLER_BUTTON_A, SDL_CONTROLLER_BUTTON_DPAD_DOWN}) {
        game.tap(pad, button);
    }
    EXPECT_EQ(target(), 2);
    game.play(100);
    game.tap(pad, SDL_CONTROLLER_BUTTON_B);
    EXPECT_EQ(target(), 0);
    EXPECT_TRUE(b.ui().imgTarget.isVisible());
    for (auto button : {SDL_CONTROLLER_BUTTON_A, SDL_CONTROLLER_BUTTON_DPAD_DOWN,
                        SDL_CONTROLLER_BUTTON_A}) {  // the attack on foe 2
        game.tap(pad, button);
    }
    game.play(400);
    EXPECT_EQ(game.h.game().modChar.FoeHP[2].value(), 7);
    game.tap(pad, SDL_CONTROLLER_BUTTON_START);
    EXPECT_TRUE(game.h.menu().isVisible());
}
