// The command cursor and the target cursor: the walking frame, the repaint on every tick, the
// arrows' pictures and places. At 12 twips per pixel the foe list's left edge, 12765 twips, is
// 1063.75 pixels: the command cursor's repaint takes the panel from x 1064 (the rounded
// quotient), the target cursor's from x 1063 (the whole quotient).

#include <gtest/gtest.h>

#include <QFile>

#include "support/battle_support.h"

using namespace testing_support;

namespace {

// The arrow shows `cursor`'s picture, centred over the 64-pixel figure at (x, y) and standing
// on it, or 100 twips higher when raised.
void expectOver(const platform::ImageBox& image, const CursorPicture& cursor, int x, int y,
                bool raised) {
    const QImage& p = image.picture();
    EXPECT_TRUE(image.isVisible());
    EXPECT_EQ(p.size(), QSize(cursor.width, cursor.height)) << cursor.file;
    EXPECT_EQ(p.pixel(0, 0) & 0xFFFFFF, cursor.colour & 0xFFFFFF) << cursor.file;
    EXPECT_FLOAT_EQ(image.left(), 12.0F * (x + 32) - 6.0F * cursor.width);
    EXPECT_FLOAT_EQ(image.top(), 12.0F * (y - cursor.height) - (raised ? 100 : 0));
}

struct CursorBattle : ::testing::Test {
    Battle g{1280, 720, 12, 2};
    velmora::frmBattle& b = g.b;
};

}  // namespace

TEST_F(CursorBattle, TheActiveMemberWalksUnderABobbingBlueArrow) {
    g.h.advance(49);
    EXPECT_FALSE(g.c.imgSelect.isVisible()) << "the first tick comes 50 ms after the start";
    g.h.advance(1);
    EXPECT_EQ(b.PartySrcX[1].value(), 32);
    expectOver(g.c.imgSelect, kBlue1, 320, 379, true);
    EXPECT_TRUE(g.shows(g.figures(), true));
    g.h.advance(50);
    EXPECT_EQ(b.PartySrcX[1].value(), 0) << "two ticks bring back the frame";
    expectOver(g.c.imgSelect, kBlue2, 320, 379, false);
    EXPECT_TRUE(g.shows(g.figures(), true));

    // The arrow moves to a new active member at the next tick; the old one keeps its frame.
    g.keys("50 L");
    expectOver(g.c.imgSelect, kBlue1, 320, 379, true);
    g.h.advance(50);
    expectOver(g.c.imgSelect, kBlue2, 116, 576, false);
    EXPECT_EQ(b.PartySrcX[6].value(), 32);
    EXPECT_EQ(b.PartySrcX[1].value(), 32);
}

TEST_F(CursorBattle, TheRedArrowBobsOverTheTargetEvenWhenItIsDefeated) {
    g.h.game().modChar.FoeHP[2] = 0;
    g.h.advance(75);
    g.keys("SD");
    g.h.advance(50);  // the command cursor at 100, the target cursor at 125
    expectOver(g.c.imgTarget, kRed1, 853, 480, true);
    EXPECT_EQ(g.figures().size(), 11u) << "foe 2 is not drawn";
    EXPECT_TRUE(g.shows(g.figures(), false));
    g.h.advance(25);
    EXPECT_TRUE(g.shows(g.figures(), true)) << "the command cursor goes on";
    g.keys("D");
    g.h.advance(25);
    expectOver(g.c.imgTarget, kRed2, 853, 576, false);
}

TEST_F(CursorBattle, ACursorPictureIsReadAgainAtEveryTick) {
    g.h.advance(100);
    ASSERT_TRUE(QFile::remove(g.h.assetFolder() + "/Pictures/ArrowBlue1.gif"));
    try {
        g.h.advance(50);
        FAIL() << "a missing cursor picture ends the game";
    } catch (const platform::RuntimeError& e) {
        EXPECT_EQ(e.kind(), platform::RuntimeError::Kind::FileNotFound);
        EXPECT_NE(std::string(e.what()).find("ArrowBlue1.gif"), std::string::npos) << e.what();
    }
    EXPECT_TRUE(g.h.ended());
    EXPECT_EQ(g.h.reporter.messages.size(), 1u);
}
