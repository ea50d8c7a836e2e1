// The battle's keys in every phase and its timers tick by tick. At 12 twips per pixel the foe
// list's left edge, 12765 twips, is 1063.75 pixels: the command cursor's repaints take the panel
// from x 1064 (the rounded quotient), all the others from x 1063 (the whole one).

#include <gtest/gtest.h>

#include <cmath>

#include "menu/frm_menu_controls.h"
#include "support/battle_support.h"

using namespace testing_support;

namespace {

struct BattleTicks : ::testing::Test {
    // `cursor`'s picture, centred over the figure at (x, y), on it or 100 twips above it.
    void expectOver(const platform::ImageBox& image, const CursorPicture& cursor, int x, int y,
                    bool raised) {
        EXPECT_TRUE(image.isVisible());
        EXPECT_EQ(image.picture().size(), QSize(cursor.width, cursor.height)) << cursor.file;
        EXPECT_EQ(image.picture().pixel(0, 0), cursor.colour | 0xFF000000) << cursor.file;
        EXPECT_FLOAT_EQ(image.left(), 12.0F * (x + 32) - 6.0F * cursor.width);
        EXPECT_FLOAT_EQ(image.top(), 12.0F * (y - cursor.height) - (raised ? 100 : 0));
    }

    Battle g{1280, 720, 12, 2};
    velmora::frmBattle& b = g.b;
    const velmora::frmBattle::Controls& c = g.c;
};

// What the keys changed, as the player can tell: the active member and the column the command
// window stands under, its command and target, the phase, the spell list's place beside the
// command window, the red arrow, the running timers, the lit commands / foes.
std::string state(const Battle& g) {
    const auto& c = g.c;
    const int m = g.b.ActiveMember.value();
    auto n = [](auto value) { return std::to_string(value); };
    int column = 0;
    for (int i = 1; i <= 6; ++i) {
        column = c.lblName[i].left() == c.picSelect.left() ? i : column;
    }
    std::string s = "member " + n(m) + " at " + n(column) + " command " +
                    n(g.b.PartyCommand[m].value()) + " target " + n(g.b.PartyTarget[m].value());
    s += c.tmrTarget.interval() == 50 ? " targeting" : "";
    s += c.picMagic.isVisible()
             ? " list +" + n(std::lround(c.picMagic.left() - c.picSelect.left())) + " +" +
                   n(std::lround(c.picMagic.top() - c.picSelect.top()))
             : "";
    s += c.imgTarget.isVisible() ? " arrow" : "";
    s += c.tmrSelect.interval() == 50 ? " select" : "";
    s += c.tmrAttack.interval() == 50 ? " attack" : "";
    s += c.tmrMagic.interval() == 50 ? " magic" : "";
    for (bool targets : {false, true}) {
        s += targets ? " /" : " lit";
        for (int i : g.highlighted(targets)) {
            s += " " + n(i);
        }
    }
    return s;
}

}  // namespace

TEST(BattleKeys, EachKeyFollowsItsRuleInEveryPhase) {
    Battle g(1024, 768, 15, 4);
    // One battle played key by key; each row's keys follow the row before.
    const std::pair<const char*, const char*> story[] = {
        {"L", "member 6 at 6 command 1 target 0 select lit 1 /"},  // Left from 1 wraps to 6
        {"R", "member 1 at 1 command 1 target 0 select lit 1 /"},
        {"U", "member 1 at 1 command 5 target 0 select lit 5 /"},  // Up from Attack: Escape
        {"D", "member 1 at 1 command 1 target 0 select lit 1 /"},
        // Right leaves the highlight; Space acts on member 2's own command, Attack.
        {"DR", "member 2 at 2 command 1 target 0 select lit 2 /"},
        {"S", "member 2 at 2 command 1 target 1 targeting select lit 2 / 1"},
        {"U", "member 2 at 2 command 1 target 6 targeting select lit 2 / 6"},
        {"DDR", "member 2 at 2 command 1 target 2 targeting select lit 2 / 2"},  // Right: nothing
        {"50 C", "member 2 at 2 command 1 target 2 arrow select lit 2 /"},  // Ctrl leaves the arrow
        {"S", "member 2 at 2 command 1 target 1 targeting arrow select lit 2 / 1"},
        {"L", "member 2 at 2 command 1 target 1 select lit 2 /"},  // Left hides it
        {"DS", "member 2 at 2 command 2 target 1 list +1935 +360 select lit 2 /"},
        {"UR", "member 2 at 2 command 2 target 1 list +1935 +360 select lit 2 /"},
        {"SU", "member 2 at 2 command 2 target 6 targeting list +1935 +360 select lit 2 / 6"},
        {"L", "member 2 at 2 command 2 target 6 list +1935 +360 select lit 2 /"},
        {"L", "member 2 at 2 command 2 target 6 select lit 2 /"},
        {"SC", "member 2 at 2 command 2 target 6 select lit 2 /"},
        // A confirmed spell stops both cursors; its timer runs, its target stays lit.
        {"SSD 50 S", "member 2 at 2 command 2 target 2 list +1935 +360 arrow magic lit 2 / 2"},
        {"S", "member 2 at 2 command 2 target 1 targeting list +1935 +360 arrow magic lit 2 / 1 2"},
        {"SC", "member 2 at 2 command 2 target 1 arrow magic lit 2 / 1 2"},
        // Space on Guard, Item and Escape does nothing.
        {"DS DS DS", "member 2 at 2 command 5 target 1 arrow magic lit 5 / 1 2"},
        {"DSS", "member 2 at 2 command 1 target 1 arrow attack magic lit 1 / 1 2"},
        // During the attack the keys act as in command choice; its next step stops the choice.
        {"DUS", "member 2 at 2 command 1 target 1 targeting arrow attack magic lit 1 / 1 2"},
        {"50", "member 2 at 2 command 1 target 1 arrow attack magic lit 1 / 1 2"},
    };
    for (const auto& [keys, after] : story) {
        g.keys(keys);
        EXPECT_EQ(state(g), after) << "after " << keys;
    }
}

TEST_F(BattleTicks, TheActiveMemberWalksUnderABlueArrowAndARedOneBobsOverTheTarget) {
    g.keys("50");
    EXPECT_EQ(b.PartySrcX[1].value(), 32);
    expectOver(c.imgSelect, kBlue1, 320, 379, true);
    g.keys("50");
    EXPECT_EQ(b.PartySrcX[1].value(), 0) << "two ticks bring back the frame";
    expectOver(c.imgSelect, kBlue2, 320, 379, false);
    // The arrow and the command window move to a new member at its next tick; the old member
    // keeps its frame.
    g.keys("50 L");
    expectOver(c.imgSelect, kBlue1, 320, 379, true);
    g.keys("50");
    expectOver(c.imgSelect, kBlue2, 116, 576, false);
    EXPECT_EQ(b.PartySrcX[6].value() + b.PartySrcX[1].value(), 64);
    EXPECT_TRUE(g.shows(g.figures(), true));

    // The red arrow goes to the target whatever its hit points; foe 2 is no longer drawn.
    g.h.game().modChar.FoeHP[2] = 0;
    g.keys("25 SD 50");  // the command cursor at 250, the target cursor at 275
    expectOver(c.imgTarget, kRed1, 853, 480, true);
    EXPECT_TRUE(g.shows(g.figures(), false));
    g.keys("25");
    EXPECT_TRUE(g.shows(g.figures(), true)) << "the command cursor goes on";
    g.keys("D 25");
    expectOver(c.imgTarget, kRed2, 853, 576, false);
}

TEST_F(BattleTicks, StepForwardStepBackHitThenFlashInvertedAndLightened) {
    g.h.game().modChar.PartyAttack[2] = 4;  // the attacker's own strength counts
    // Member 2 casts a spell on foe 2, whose line stays lit, then aims at foe 1.
    g.keys("60 RDSSDS LUS 50");
    ASSERT_EQ(g.highlighted(true), (std::vector<int>{1, 2}));
    for (int i = 3; i <= 6; ++i) {
        c.lblTarget[i].setOpaque(true);  // as lines left lit by other members' choices
    }
    const QRect selectArrow = c.imgSelect.widget()->geometry();
    g.keys("S 50");  // the attack: one step forward
    EXPECT_EQ(b.PartyX[2].value(), 350);
    EXPECT_EQ(b.PartySrcX[2].value(), 32);
    EXPECT_EQ(g.hp(1), 10);
    EXPECT_TRUE(g.shows(g.figures(), false));

    g.keys("50");  // back, and the blow
    EXPECT_EQ(b.PartyX[2].value(), 320);
    EXPECT_EQ(b.PartySrcX[2].value(), 0);
    EXPECT_EQ(g.hp(1), 6);
    EXPECT_EQ(c.tmrAttack.interval(), 0);
    EXPECT_FALSE(c.imgTarget.isVisible());
    EXPECT_TRUE(g.highlighted(true).empty()) << "every foe's line goes plain";
    EXPECT_TRUE(g.shows(g.figures(), false));

    g.keys("99");
    EXPECT_EQ(b.FoeFlash[1].value(), 0);
    g.keys("1");  // inverted against the battlefield
    EXPECT_TRUE(g.shows(g.figures(1, ExpectedFigure::Xor), false));
    g.keys("100");  // lightened, and the command cursor comes back
    EXPECT_EQ(b.FoeFlash[1].value(), 0);
    EXPECT_TRUE(g.shows(g.figures(1, ExpectedFigure::Or), false));
    EXPECT_EQ(c.imgSelect.widget()->geometry(), selectArrow) << "the command cursor stood still";
    g.keys("50");  // the command cursor's repaint, over member 2 now
    EXPECT_TRUE(g.shows(g.figures(), true));
    EXPECT_NE(c.imgSelect.widget()->geometry(), selectArrow);
    EXPECT_EQ(c.tmrFoeHit.interval() + c.tmrFoeAttack.interval() + c.tmrHit.interval(), 0);
}

TEST_F(BattleTicks, EachFlashTickStopsTheCursorsAndAnAttackStartedUnderIt) {
    g.keys("20 SS 120 E");                   // attack steps at 70 and 120, flash at 220 and 320
    g.h.click(g.h.menu().ui().cmdContinue);  // the activation restarts the command cursor
    g.keys("80");
    EXPECT_EQ(c.tmrSelect.interval(), 0);
    g.keys("70 SS 200");  // an attack confirmed 30 ms before the flash's last tick
    EXPECT_EQ(g.hp(1), 7) << "the flash called it off";
    EXPECT_EQ(b.PartyX[1].value(), 320);
    EXPECT_EQ(c.tmrSelect.interval(), 50);
}

TEST_F(BattleTicks, AMemberMadeActiveDuringTheAttackWithNoTargetStrikesNoOne) {
    g.h.game().modChar.FoeHP[1] = -32766;  // and blows stop at the lowest hit points
    g.keys("SS 400 SS 50 R 50");           // member 2 has never chosen a target
    EXPECT_EQ(g.hp(1), -32768);
    EXPECT_EQ(b.PartyX[2].value(), 290) << "the step back was member 2's";
    g.keys("110");  // no foe to flash: the command cursor takes over at once
    EXPECT_EQ(c.tmrSelect.interval(), 50);
    EXPECT_TRUE(g.shows(g.figures(), false));
}
