// The party attack and the foe's hit flash, tick by tick on the virtual clock, with the pixels
// of each step.

#include <gtest/gtest.h>

#include <QLabel>

#include "support/battle_support.h"
#include "support/test_images.h"

using namespace testing_support;

namespace {

struct AttackBattle : ::testing::Test {
    bool open() {
        writeBattlefield(h.assetFolder(), 256, 192);
        openBattle(h);
        return true;
    }

    // Space twice at a moment when no timer is due: target foe `target`, then attack.
    void attack(int target = 1) {
        pressInBattle(h, Qt::Key_Space);
        pressInBattle(h, Qt::Key_Down, target - 1);
        pressInBattle(h, Qt::Key_Space);
    }
    QImage field(std::vector<ExpectedFigure> figures) const {
        return expectedBattlefield(1024, 768, 4, 4, figures);
    }
    std::vector<ExpectedFigure> flashing(int foe, int how) {
        std::vector<ExpectedFigure> figures = repaintFigures(h, foe);
        const auto& t = h.game().modChar;
        figures.push_back({t.FoeSprite[foe].value(), b.FoeSrcX[foe].value(), b.FoeSrcY[foe].value(),
                           b.FoeX[foe].value(), b.FoeY[foe].value()});
        figures.back().how = how == 0 ? ExpectedFigure::Xor : ExpectedFigure::Or;
        return figures;
    }
    int hp(int foe) const { return h.game().modChar.FoeHP[foe].value(); }

    Harness h;
    // The battle is open before the members below refer to its controls.
    const bool opened = open();
    velmora::frmBattle& b = h.battle();
    const velmora::frmBattle::Controls& c = h.battle().ui();
};

}  // namespace

TEST_F(AttackBattle, StepForwardStepBackHitThenFlashInvertedAndLightened) {
    h.advance(20);  // between ticks of the command cursor
    pressInBattle(h, Qt::Key_Space);
    h.advance(10);
    ASSERT_TRUE(c.imgTarget.isVisible() || c.tmrTarget.interval() == 50);
    h.advance(40);  // t 70: the target cursor has ticked once
    const float selectTop = c.imgSelect.top();
    pressInBattle(h, Qt::Key_Space);  // the attack is confirmed: time 0
    EXPECT_EQ(c.tmrSelect.interval(), 0);
    EXPECT_EQ(c.tmrTarget.interval(), 0);
    EXPECT_EQ(c.tmrAttack.interval(), 50);
    const int frame = b.PartySrcX[1].value();

    h.advance(49);
    EXPECT_EQ(b.PartyX[1].value(), 256);
    h.advance(1);  // 50 ms: one step forward
    EXPECT_EQ(b.PartyX[1].value(), 286);
    EXPECT_NE(b.PartySrcX[1].value(), frame);
    EXPECT_EQ(b.AttackStep.value(), 1);
    EXPECT_EQ(hp(1), 10);
    EXPECT_EQ(c.tmrFoeHit.interval(), 100);
    EXPECT_EQ(c.tmrAttack.interval(), 50);
    EXPECT_TRUE(samePixels(pixelsOf(c.picMap), field(repaintFigures(h))));

    h.advance(50);  // 100 ms: back, and the blow
    EXPECT_EQ(b.PartyX[1].value(), 256);
    EXPECT_EQ(b.PartySrcX[1].value(), frame);
    EXPECT_EQ(b.AttackStep.value(), 0);
    EXPECT_EQ(hp(1), 7);
    EXPECT_EQ(c.tmrAttack.interval(), 0);
    EXPECT_FALSE(c.imgTarget.isVisible());
    for (int i = 1; i <= 6; ++i) {
        EXPECT_FALSE(c.lblTarget[i].isOpaque());
    }
    EXPECT_TRUE(samePixels(pixelsOf(c.picMap), field(repaintFigures(h))));

    h.advance(99);
    EXPECT_EQ(b.FoeFlash[1].value(), 0);
    h.advance(1);  // 200 ms: inverted against the battlefield
    EXPECT_EQ(b.FoeFlash[1].value(), 1);
    EXPECT_TRUE(samePixels(pixelsOf(c.picMap), field(flashing(1, 0))));
    EXPECT_EQ(c.tmrSelect.interval(), 0);

    h.advance(100);  // 300 ms: lightened, and the command cursor comes back
    EXPECT_EQ(b.FoeFlash[1].value(), 0);
    EXPECT_TRUE(samePixels(pixelsOf(c.picMap), field(flashing(1, 1))));
    EXPECT_EQ(c.tmrFoeHit.interval(), 0);
    EXPECT_EQ(c.tmrSelect.interval(), 50);
    EXPECT_EQ(c.imgSelect.top(), selectTop) << "the command cursor stood still";

    h.advance(50);  // 350 ms: the command cursor's repaint
    EXPECT_NE(c.imgSelect.top(), selectTop);
    EXPECT_TRUE(samePixels(pixelsOf(c.picMap), field(repaintFigures(h))));
    EXPECT_EQ(b.ActiveMember.value(), 1);
    EXPECT_EQ(b.PartyTarget[1].value(), 1);
    EXPECT_EQ(c.tmrFoeAttack.interval(), 0);
    EXPECT_EQ(c.tmrHit.interval(), 0);
}

TEST_F(AttackBattle, TheFourthBlowDefeatsTheFoeWhichOnlyTheFlashStillShows) {
    h.advance(20);
    for (int blow = 1; blow <= 3; ++blow) {
        attack(2);
        h.advance(400);
    }
    EXPECT_EQ(hp(2), 1);
    EXPECT_EQ(repaintFigures(h).size(), 12u) << "a foe at 1 is still drawn";
    attack(2);
    h.advance(100);
    EXPECT_EQ(hp(2), -2);
    EXPECT_TRUE(samePixels(pixelsOf(c.picMap), field(repaintFigures(h))));
    EXPECT_EQ(repaintFigures(h).size(), 11u);
    h.advance(100);
    EXPECT_TRUE(samePixels(pixelsOf(c.picMap), field(flashing(2, 0))));
    h.advance(100);
    EXPECT_TRUE(samePixels(pixelsOf(c.picMap), field(flashing(2, 1))));
    h.advance(50);
    EXPECT_TRUE(samePixels(pixelsOf(c.picMap), field(repaintFigures(h))));
    h.advance(1000);
    EXPECT_TRUE(samePixels(pixelsOf(c.picMap), field(repaintFigures(h))));
    EXPECT_TRUE(
        samePixels(pixelsOf(c.picMap).copy(683, 512, 64, 64), field({}).copy(683, 512, 64, 64)))
        << "foe 2's place is empty";

    // Struck again, it shows in the two flash frames only.
    attack(2);
    h.advance(200);
    EXPECT_EQ(hp(2), -5);
    EXPECT_TRUE(samePixels(pixelsOf(c.picMap), field(flashing(2, 0))));
    h.advance(150);
    EXPECT_TRUE(samePixels(pixelsOf(c.picMap), field(repaintFigures(h))));
}

TEST_F(AttackBattle, ASpaceDuringTheFlashRetargetsItsNextTick) {
    h.advance(20);
    attack(3);
    h.advance(200);  // the first flash frame on foe 3
    EXPECT_EQ(b.FoeFlash[3].value(), 1);
    pressInBattle(h, Qt::Key_Space);  // a new target choice: foe 1
    EXPECT_EQ(b.PartyTarget[1].value(), 1);
    h.advance(100);
    EXPECT_EQ(c.tmrTarget.interval(), 0) << "the flash stops the target choice";
    EXPECT_EQ(b.FoeFlash[1].value(), 1) << "foe 1 is inverted now";
    EXPECT_EQ(b.FoeFlash[3].value(), 1);
    EXPECT_TRUE(samePixels(pixelsOf(c.picMap), field(flashing(1, 0))));
    h.advance(100);
    EXPECT_EQ(b.FoeFlash[1].value(), 0);
    EXPECT_EQ(c.tmrSelect.interval(), 50);
}

TEST_F(AttackBattle, AMemberMadeActiveDuringTheAttackWithNoTargetStrikesNoOne) {
    h.advance(20);
    attack(1);
    h.advance(50);
    pressInBattle(h, Qt::Key_Right);  // member 2 has never chosen a target
    ASSERT_EQ(b.PartyTarget[2].value(), 0);
    h.advance(50);
    EXPECT_FALSE(h.ended());
    for (int i = 1; i <= 6; ++i) {
        EXPECT_EQ(hp(i), 10);
    }
    EXPECT_EQ(b.PartyX[1].value(), 286) << "the step back was member 2's";
    EXPECT_EQ(b.PartyX[2].value(), 226);
    h.advance(100);  // no foe to flash: the command cursor takes over at once
    EXPECT_EQ(c.tmrFoeHit.interval(), 0);
    EXPECT_EQ(c.tmrSelect.interval(), 50);
    EXPECT_TRUE(samePixels(pixelsOf(c.picMap), field(repaintFigures(h))));
    h.advance(50);
    EXPECT_FALSE(h.ended());
}

TEST_F(AttackBattle, BlowsOnADefeatedFoeStopAtTheLowestHitPoints) {
    h.game().modChar.FoeHP[1] = -32766;
    h.advance(20);
    attack(1);
    h.advance(400);
    EXPECT_EQ(hp(1), -32768);
    attack(1);
    h.advance(400);
    EXPECT_EQ(hp(1), -32768);
    EXPECT_FALSE(h.ended());
    EXPECT_TRUE(h.reporter.messages.empty());
}
