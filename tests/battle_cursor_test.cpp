// The command cursor and the target cursor: the walking frame, the repaint on every tick, the
// arrows' pictures and places, and the two ways the ticks turn twips into pixels.

#include <gtest/gtest.h>

#include <QFile>

#include "map/frm_map_controls.h"
#include "support/battle_support.h"
#include "support/test_images.h"

using namespace testing_support;

namespace {

// The picture an image shows, by its size and first pixel.
bool shows(const platform::ImageBox& image, const CursorPicture& cursor) {
    const QImage& p = image.picture();
    return p.width() == cursor.width && p.height() == cursor.height &&
           (p.pixel(0, 0) & 0xFFFFFF) == (cursor.colour & 0xFFFFFF);
}

void expectPlacedOver(const platform::ImageBox& image, const CursorPicture& cursor, int x, int y,
                      bool raised, float twipsPerPixel = 15) {
    const float w = static_cast<float>(cursor.width) * twipsPerPixel;
    const float h = static_cast<float>(cursor.height) * twipsPerPixel;
    EXPECT_TRUE(image.isVisible());
    EXPECT_TRUE(shows(image, cursor))
        << cursor.file << " " << image.picture().width() << "x" << image.picture().height() << " "
        << std::hex << image.picture().pixel(0, 0);
    EXPECT_FLOAT_EQ(image.left(), twipsPerPixel * static_cast<float>(x + 32) - w / 2);
    EXPECT_FLOAT_EQ(image.top(), twipsPerPixel * static_cast<float>(y) - h - (raised ? 100 : 0));
}

struct CursorBattle : ::testing::Test {
    bool open() {
        writeBattlefield(h.assetFolder(), 256, 192);
        writeCursors(h.assetFolder());
        openBattle(h);
        return true;
    }
    Harness h;
    // The battle is open before the members below refer to its controls.
    const bool opened = open();
    velmora::frmBattle& b = h.battle();
    const velmora::frmBattle::Controls& c = h.battle().ui();
};

}  // namespace

TEST_F(CursorBattle, EachTickStepsTheActiveMemberRepaintsAndBobsTheBlueArrow) {
    h.advance(49);
    EXPECT_FALSE(c.imgSelect.isVisible()) << "the first tick comes 50 ms after the start";
    h.advance(1);
    EXPECT_EQ(b.PartySrcX[1].value(), 32);
    EXPECT_EQ(b.PartyStep[1].value(), 1);
    EXPECT_EQ(b.SelectBlink.value(), 1);
    expectPlacedOver(c.imgSelect, kBlue1, 256, 404, true);
    EXPECT_EQ(c.imgSelect.widget()->geometry(), QRect(273, 365, 30, 32));
    EXPECT_TRUE(
        samePixels(pixelsOf(c.picMap), expectedBattlefield(1024, 768, 4, 4, repaintFigures(h))));
    EXPECT_EQ(repaintFigures(h)[0].cellX, 32);

    h.advance(50);
    EXPECT_EQ(b.PartySrcX[1].value(), 0) << "two ticks bring back the frame";
    EXPECT_EQ(b.PartyStep[1].value(), 0);
    EXPECT_EQ(b.SelectBlink.value(), 0);
    expectPlacedOver(c.imgSelect, kBlue2, 256, 404, false);
    EXPECT_TRUE(
        samePixels(pixelsOf(c.picMap), expectedBattlefield(1024, 768, 4, 4, repaintFigures(h))));
    EXPECT_EQ(b.PartySrcX[2].value(), 0) << "only the active member walks";
}

TEST_F(CursorBattle, ThePanelsShowTheBattlefieldBehindThemAndNoFigure) {
    pressInBattle(h, Qt::Key_Down);
    pressInBattle(h, Qt::Key_Space);  // the spell list opens beside the command window
    h.advance(50);
    const QImage field = expectedBattlefield(1024, 768, 4, 4, {});
    EXPECT_TRUE(samePixels(pixelsOf(c.picBar), field.copy(0, 0, 1024, 192)));
    EXPECT_TRUE(samePixels(pixelsOf(c.picSelect), field.copy(0, 192, 129, 125)));
    EXPECT_TRUE(samePixels(pixelsOf(c.picTarget), field.copy(851, 0, 173, 149)));
    EXPECT_TRUE(samePixels(pixelsOf(c.picMagic), field.copy(129, 216, 129, 125)));
}

TEST_F(CursorBattle, TheArrowFollowsTheActiveMemberAtTheNextTick) {
    h.advance(50);
    pressInBattle(h, Qt::Key_Left);
    EXPECT_EQ(b.ActiveMember.value(), 6);
    expectPlacedOver(c.imgSelect, kBlue1, 256, 404, true);
    h.advance(50);
    expectPlacedOver(c.imgSelect, kBlue2, 93, 614, false);
    EXPECT_EQ(b.PartySrcX[6].value(), 32);
    EXPECT_EQ(b.PartySrcX[1].value(), 32) << "member 1 keeps the frame it had";
}

TEST_F(CursorBattle, TheRedArrowBobsOverTheTargetEvenWhenItIsDefeated) {
    h.game().modChar.FoeHP[2] = 0;
    h.advance(50);
    pressInBattle(h, Qt::Key_Space);
    pressInBattle(h, Qt::Key_Down);
    h.advance(50);  // both cursors tick
    EXPECT_EQ(b.TargetBlink.value(), 1);
    expectPlacedOver(c.imgTarget, kRed1, 683, 512, true);
    EXPECT_TRUE(
        samePixels(pixelsOf(c.picMap), expectedBattlefield(1024, 768, 4, 4, repaintFigures(h))));
    EXPECT_EQ(repaintFigures(h).size(), 11u) << "foe 2 is not drawn";
    expectPlacedOver(c.imgSelect, kBlue2, 256, 404, false);  // the command cursor goes on
    pressInBattle(h, Qt::Key_Down);
    h.advance(50);
    expectPlacedOver(c.imgTarget, kRed2, 683, 614, false);
}

TEST(BattleCursor, ArrowsSitCentredOverTheFigureAndLiftByAHundredTwips) {
    // The harness's own cursor pictures are 30 × 32 pixels: 450 × 480 twips.
    Harness h;
    openBattle(h);
    auto& b = h.battle();
    const auto& c = b.ui();
    b.PartyX[1] = 20;
    b.PartyY[1] = 40;
    h.advance(50);
    EXPECT_FLOAT_EQ(c.imgSelect.left(), 555);
    EXPECT_FLOAT_EQ(c.imgSelect.top(), 20);
    h.advance(50);
    EXPECT_FLOAT_EQ(c.imgSelect.left(), 555);
    EXPECT_FLOAT_EQ(c.imgSelect.top(), 120);
    b.FoeX[1] = 20;
    b.FoeY[1] = 40;
    pressInBattle(h, Qt::Key_Space);
    h.advance(50);
    EXPECT_FLOAT_EQ(c.imgTarget.left(), 555);
    EXPECT_FLOAT_EQ(c.imgTarget.top(), 20);
    h.advance(50);
    EXPECT_FLOAT_EQ(c.imgTarget.top(), 120);
}

TEST(BattleCursor, TheCommandCursorRoundsAndTheTargetCursorDropsTheRemainder) {
    // At 12 twips per pixel the foe list's left edge, 12765 twips, is 1063.75 pixels.
    Harness h(1280, 720, 12);
    writeBattlefield(h.assetFolder(), 640, 360);
    writeCursors(h.assetFolder());
    openBattle(h);
    const auto& c = h.battle().ui();
    ASSERT_EQ(c.picTarget.left(), 12765.0F);
    h.advance(50);  // tmrSelect: rounded, from x 1064
    const QImage field = expectedBattlefield(1280, 720, 2, 2, {});
    EXPECT_TRUE(samePixels(pixelsOf(c.picTarget), field.copy(1064, 0, 216, 186)));
    pressInBattle(h, Qt::Key_Space);
    h.advance(25);
    EXPECT_TRUE(samePixels(pixelsOf(c.picTarget), field.copy(1064, 0, 216, 186)));
    h.advance(25);  // tmrSelect, then tmrTarget: whole, from x 1063
    EXPECT_TRUE(samePixels(pixelsOf(c.picTarget), field.copy(1063, 0, 216, 186)));
    expectPlacedOver(c.imgTarget, kRed1, 853, 379, true, 12);
}

TEST(BattleCursor, ACursorPictureIsNamedOnEveryTick) {
    Harness h;
    openBattle(h);
    const QString blue1 = h.assetFolder() + "/Pictures/ArrowBlue1.gif";
    h.advance(50);
    ASSERT_TRUE(QFile::remove(blue1));
    h.advance(50);  // the lowered arrow is still there
    try {
        h.advance(50);
        FAIL() << "a missing cursor picture ends the game";
    } catch (const platform::RuntimeError& e) {
        EXPECT_EQ(e.kind(), platform::RuntimeError::Kind::FileNotFound);
        EXPECT_NE(std::string(e.what()).find("ArrowBlue1.gif"), std::string::npos) << e.what();
    }
    EXPECT_TRUE(h.ended());
}

TEST(BattleCursor, AMissingCursorAtItsFirstLoadEndsTheGame) {
    Harness h;
    ASSERT_TRUE(QFile::remove(h.assetFolder() + "/Pictures/ArrowRed1.gif"));
    openBattle(h);
    pressInBattle(h, Qt::Key_Space);
    EXPECT_THROW(h.advance(50), platform::RuntimeError);
    EXPECT_EQ(h.reporter.messages.size(), 1u);
}
