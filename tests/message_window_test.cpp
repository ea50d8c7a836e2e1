#include <gtest/gtest.h>

#include "map/frm_map_controls.h"
#include "support/harness.h"

using testing_support::Harness;

namespace {

// The window's drawing equals the part of the map beneath it.
void expectMapUnderWindow(Harness& h) {
    const platform::Surface& window = h.map().ui().picText.surface();
    const platform::Surface& map = h.map().ui().picMap.surface();
    ASSERT_EQ(window.width(), 1024);
    ASSERT_EQ(window.height(), 133);  // 2000 twips at 15 twips per pixel
    for (int y = 0; y < window.height(); ++y) {
        for (int x = 0; x < window.width(); ++x) {
            ASSERT_EQ(window.pixel(x, y), map.pixel(x, y)) << x << "," << y;
        }
    }
}

}  // namespace

TEST(MessageWindow, TheTextIsTheGreetingAndACreditSentence) {
    const QString& text = velmora::frmMap::demonstrationText();
    EXPECT_EQ(text.size(), 414);
    EXPECT_TRUE(text.startsWith(QStringLiteral(
        "Testing One, Two, Three . . . Greetings young adventurer.  You have entered")));
    EXPECT_EQ(text.mid(339, 15), QStringLiteral("page now . . . "));
    EXPECT_TRUE(text.endsWith(QLatin1Char('.')));
    EXPECT_EQ(text.mid(354).count(QLatin1Char('.')), 1) << "one closing sentence";
}

TEST(MessageWindow, TypesOneCharacterPerTickPageByPageAndClosesWithTheLastOne) {
    Harness h;
    h.start();
    auto& c = h.map().ui();
    h.click(c.cmdText);
    EXPECT_TRUE(c.picText.isVisible());
    EXPECT_EQ(
        (std::array{c.picText.left(), c.picText.top(), c.picText.width(), c.picText.height()}),
        (std::array{0.f, 0.f, 15360.f, 2000.f}));
    EXPECT_EQ((std::array{c.lblText.left(), c.lblText.top(), c.lblText.width()}),
              (std::array{100.f, 100.f, 15160.f}));
    EXPECT_EQ(c.tmrText.interval(), 50);
    expectMapUnderWindow(h);

    h.advance(49);
    EXPECT_EQ(c.lblText.caption(), QString());
    h.advance(1);
    EXPECT_EQ(c.lblText.caption(), QStringLiteral("T"));

    const QString& text = velmora::frmMap::demonstrationText();
    int ticks = 1;
    int pageMoves = 0;
    while (c.picText.isVisible()) {
        ASSERT_LT(ticks, 1000) << "the window never closed";
        const qsizetype shownBefore = c.lblText.caption().size();
        const float topBefore = c.lblText.top();
        const bool labelReachesBottom = c.lblText.top() + c.lblText.height() >= 2000;
        h.advance(50);
        ++ticks;
        if (labelReachesBottom) {
            // A page move: no character, the text moves up by the inner height less margins.
            ++pageMoves;
            EXPECT_EQ(c.lblText.caption().size(), shownBefore);
            EXPECT_EQ(c.lblText.top(), topBefore - 1800);
        } else {
            EXPECT_EQ(c.lblText.caption(), text.left(shownBefore + 1));
        }
        EXPECT_FLOAT_EQ(c.lblText.width(), 15160) << "the label wraps at a fixed width";
    }
    EXPECT_EQ(c.lblText.caption(), text) << "the closing tick typed the last character";
    EXPECT_FALSE(c.lblText.isVisible());
    EXPECT_EQ(ticks, 414 + pageMoves);
    EXPECT_GE(pageMoves, 1) << "the text goes on to another page";
    EXPECT_EQ(h.map().MessageShown.value(), 414);
    EXPECT_EQ(c.tmrText.interval(), 0) << "typing stops with the text complete";
    h.advance(100000);
    EXPECT_EQ(h.map().MessageShown.value(), 414);
}

TEST(MessageWindow, TheWalkingLeaderShowsThroughAtTheNextTick) {
    Harness h;
    h.start();
    auto& c = h.map().ui();
    h.click(c.cmdText);
    h.press(h.map(), Qt::Key_Right);
    h.advance(10);  // the map is repainted with the leader at x 16
    EXPECT_NE(c.picText.surface().pixel(24, 10), c.picMap.surface().pixel(24, 10));
    h.advance(40);  // the typing tick copies the map again
    expectMapUnderWindow(h);
}

TEST(MessageWindow, ASecondPressTypesTheTextAgain) {
    Harness h;
    h.start();
    auto& c = h.map().ui();
    h.click(c.cmdText);
    h.advance(50 * 100);
    ASSERT_GT(c.lblText.caption().size(), 50);
    h.click(c.cmdText);
    EXPECT_EQ(c.lblText.top(), 100.f);
    h.advance(50);
    EXPECT_EQ(c.lblText.caption(), QStringLiteral("T"));
    // Also once the first typing has finished.
    h.advance(50 * 500);
    ASSERT_FALSE(c.picText.isVisible());
    h.click(c.cmdText);
    h.advance(100);
    EXPECT_TRUE(c.picText.isVisible());
    EXPECT_EQ(c.lblText.caption(), QStringLiteral("Te"));
}
