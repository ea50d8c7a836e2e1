// The party attack and the foe's hit flash, tick by tick on the virtual clock, with the pixels
// of each step. At 12 twips per pixel the attack's and the flash's repaints take the foe list
// from x 1063 (the whole quotient), where the command cursor's take it from x 1064.

#include <gtest/gtest.h>

#include "menu/frm_menu_controls.h"
#include "support/battle_support.h"

using namespace testing_support;

namespace {

struct AttackBattle : ::testing::Test {
    Battle g{1280, 720, 12, 2};
    velmora::frmBattle& b = g.b;
    const velmora::frmBattle::Controls& c = g.c;
};

}  // namespace

TEST_F(AttackBattle, StepForwardStepBackHitThenFlashInvertedAndLightened) {
    g.h.game().modChar.PartyAttack[2] = 4;  // the attacker's own strength counts
    g.h.advance(60);
    // Member 2 casts a spell on foe 2, whose line stays lit, then attacks foe 1.
    g.keys("RDSSDS LUS");
    g.h.advance(50);
    ASSERT_EQ(g.highlighted(true), (std::vector<int>{1, 2}));
    const QRect selectArrow = c.imgSelect.widget()->geometry();
    g.keys("S");  // the attack is confirmed: time 0
    EXPECT_EQ(c.tmrAttack.interval(), 50);

    g.h.advance(50);  // one step forward
    EXPECT_EQ(b.PartyX[2].value(), 350);
    EXPECT_EQ(b.PartySrcX[2].value(), 32);
    EXPECT_EQ(g.hp(1), 10);
    EXPECT_TRUE(g.shows(g.figures(), false));

    g.h.advance(50);  // back, and the blow
    EXPECT_EQ(b.PartyX[2].value(), 320);
    EXPECT_EQ(b.PartySrcX[2].value(), 0);
    EXPECT_EQ(g.hp(1), 6);
    EXPECT_EQ(c.tmrAttack.interval(), 0);
    EXPECT_FALSE(c.imgTarget.isVisible());
    EXPECT_TRUE(g.highlighted(true).empty()) << "every foe's line goes plain";
    EXPECT_TRUE(g.shows(g.figures(), false));

    g.h.advance(99);
    EXPECT_EQ(b.FoeFlash[1].value(), 0);
    g.h.advance(1);  // inverted against the battlefield
    EXPECT_TRUE(g.shows(g.figures(1, ExpectedFigure::Xor), false));
    g.h.advance(100);  // lightened, and the command cursor comes back
    EXPECT_EQ(b.FoeFlash[1].value(), 0);
    EXPECT_TRUE(g.shows(g.figures(1, ExpectedFigure::Or), false));
    EXPECT_EQ(c.tmrFoeHit.interval(), 0);
    EXPECT_EQ(c.imgSelect.widget()->geometry(), selectArrow) << "the command cursor stood still";

    g.h.advance(50);  // the command cursor's repaint, over member 2 now
    EXPECT_TRUE(g.shows(g.figures(), true));
    EXPECT_NE(c.imgSelect.widget()->geometry(), selectArrow);
    EXPECT_EQ(c.tmrFoeAttack.interval() + c.tmrHit.interval(), 0) << "the foes never act";
}

TEST_F(AttackBattle, ADefeatedFoeShowsOnlyInItsHitFlash) {
    g.h.game().modChar.FoeHP[2] = 1;
    for (int blow = 1; blow <= 2; ++blow) {
        g.h.advance(20);
        g.keys("SDS");
        g.h.advance(100);
        EXPECT_EQ(g.hp(2), blow == 1 ? -2 : -5);
        EXPECT_TRUE(g.shows(g.figures(), false)) << "no longer drawn";
        g.h.advance(100);
        EXPECT_TRUE(g.shows(g.figures(2, ExpectedFigure::Xor), false));
        g.h.advance(100);
        EXPECT_TRUE(g.shows(g.figures(2, ExpectedFigure::Or), false));
        g.h.advance(50);
        EXPECT_TRUE(g.shows(g.figures(), true));
    }
}

TEST_F(AttackBattle, EachFlashTickStopsTheCursorsAndAnAttackStartedUnderIt) {
    g.h.advance(20);
    g.keys("SS");  // attack steps at 70 and 120, flash at 220 and 320
    g.h.advance(120);
    g.keys("E");
    g.h.click(g.h.menu().ui().cmdContinue);  // the activation restarts the command cursor
    g.h.advance(80);
    EXPECT_EQ(c.tmrSelect.interval(), 0);
    g.h.advance(70);
    g.keys("SS");  // an attack confirmed 30 ms before the flash's last tick
    g.h.advance(200);
    EXPECT_EQ(g.hp(1), 7) << "the flash called it off";
    EXPECT_EQ(b.PartyX[1].value(), 320);
    EXPECT_EQ(c.tmrSelect.interval(), 50);
}

TEST_F(AttackBattle, ASpaceDuringTheFlashRetargetsItsNextTick) {
    g.h.advance(20);
    g.keys("SDDS");
    g.h.advance(200);  // the first flash frame on foe 3
    g.keys("S");       // a new target choice: foe 1
    g.h.advance(100);
    EXPECT_EQ(c.tmrTarget.interval(), 0) << "the flash stops the target choice";
    EXPECT_EQ(b.FoeFlash[3].value(), 1) << "foe 3's flash was cut short";
    EXPECT_TRUE(g.shows(g.figures(1, ExpectedFigure::Xor), false));
    g.h.advance(100);
    EXPECT_EQ(b.FoeFlash[1].value(), 0);
    EXPECT_EQ(c.tmrSelect.interval(), 50);
}

TEST_F(AttackBattle, AMemberMadeActiveDuringTheAttackWithNoTargetStrikesNoOne) {
    g.h.advance(20);
    g.keys("SS 50 R");  // member 2 has never chosen a target
    g.h.advance(100);
    for (int i = 1; i <= 6; ++i) {
        EXPECT_EQ(g.hp(i), 10);
    }
    EXPECT_EQ(b.PartyX[2].value(), 290) << "the step back was member 2's";
    g.h.advance(60);  // no foe to flash: the command cursor takes over at once
    EXPECT_EQ(c.tmrSelect.interval(), 50);
    EXPECT_TRUE(g.shows(g.figures(), false));
    EXPECT_FALSE(g.h.ended());
}

TEST_F(AttackBattle, BlowsOnADefeatedFoeStopAtTheLowestHitPoints) {
    g.h.game().modChar.FoeHP[1] = -32766;
    g.keys("SS");
    g.h.advance(400);
    EXPECT_EQ(g.hp(1), -32768);
    EXPECT_TRUE(g.h.reporter.messages.empty());
}
