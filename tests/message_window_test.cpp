// "Text Test" opens the message window over a copy of the map and types a page at a time.
#include <gtest/gtest.h>

#include "map/frm_map_controls.h"
#include "support/harness.h"

using testing_support::Harness;

namespace {

// How many pixels of the window's top `rows` differ from the map beneath them.
int notTheMap(Harness& h, int rows) {
    const platform::Surface& window = h.map().ui().picText.surface();
    int wrong = 0;
    for (int y = 0; y < rows; ++y) {
        for (int x = 0; x < window.width(); ++x) {
            wrong += window.pixel(x, y) != h.map().ui().picMap.surface().pixel(x, y);
        }
    }
    return wrong;
}

TEST(MessageWindow, TypesOneCharacterPerTickPageByPageAndClosesWithTheLastOne) {
    Harness h;
    h.start();
    auto& c = h.map().ui();
    h.click(c.cmdText);
    EXPECT_EQ(QRectF(c.picText.left(), c.picText.top(), c.picText.width(), c.picText.height()),
              QRectF(0, 0, 15360, 2000));
    EXPECT_EQ(QRectF(c.lblText.left(), c.lblText.top(), c.lblText.width(), 1),
              QRectF(100, 100, 15160, 1));
    ASSERT_EQ(c.picText.surface().height(), 133);  // 2000 twips at 15 twips per pixel
    EXPECT_EQ(notTheMap(h, 133), 0);
    // The leader walking beneath shows through at the next typing tick.
    h.press(h.map(), Qt::Key_Right);
    h.advance(10);
    EXPECT_NE(notTheMap(h, 133), 0);
    h.advance(39);
    EXPECT_EQ(c.lblText.caption(), QString());
    EXPECT_NE(notTheMap(h, 133), 0);
    h.advance(1);
    EXPECT_EQ(notTheMap(h, 133), 0);

    const QString& text = velmora::frmMap::demonstrationText();
    EXPECT_TRUE(text.endsWith(QStringLiteral("written by the Velmora team.")));
    int ticks = 1, pageMoves = 0;
    while (c.picText.isVisible()) {
        ASSERT_LT(ticks, 1000) << "the window never closed";
        const qsizetype shownBefore = c.lblText.caption().size();
        const float topBefore = c.lblText.top();
        const bool labelReachesBottom = c.lblText.top() + c.lblText.height() >= 2000;
        h.advance(50);
        ++ticks;
        if (labelReachesBottom) {  // no character; the text moves up by a page less margins
            ++pageMoves;
            EXPECT_EQ(c.lblText.caption().size(), shownBefore);
            EXPECT_EQ(c.lblText.top(), topBefore - 1800);
        } else {
            EXPECT_EQ(c.lblText.caption(), text.left(shownBefore + 1));
        }
    }
    EXPECT_EQ(c.lblText.caption(), text) << "the closing tick typed the last character";
    EXPECT_EQ(ticks, 414 + pageMoves);
    EXPECT_GE(pageMoves, 1) << "the text goes on to another page";
    EXPECT_EQ(c.tmrText.interval(), 0) << "typing stops with the text complete";

    // A second press types the text again from its first character, from the first page.
    h.click(c.cmdText);
    h.advance(100);
    EXPECT_EQ(c.lblText.caption(), QStringLiteral("Te"));
    h.advance(50 * 100);
    h.click(c.cmdText);
    h.advance(50);
    EXPECT_EQ(c.lblText.top(), 100.f);
    EXPECT_EQ(c.lblText.caption(), QStringLiteral("T"));
}

TEST(MessageWindow, TheCopyOfTheMapTakesWholePixelsEachAxisByItsOwnTwips) {
    // 2000 twips are 166.67 pixels at 12 twips per pixel: 167 rows, of which the copy fills 166.
    const std::tuple<float, float, int, int> cases[] = {
        {12, 12, 167, 166}, {12, 15, 133, 133}, {15, 12, 167, 166}};
    for (const auto& [across, down, rows, copiedRows] : cases) {
        Harness h(1280, 720, 12);
        h.changeDisplay({1280 * across, 720 * down, across, down});
        h.start();
        h.click(h.map().ui().cmdText);
        const platform::Surface& window = h.map().ui().picText.surface();
        ASSERT_EQ(QSize(window.width(), window.height()), QSize(1280, rows)) << across;
        EXPECT_EQ(notTheMap(h, copiedRows), 0) << across << " by " << down;
        EXPECT_EQ(notTheMap(h, rows), (rows - copiedRows) * 1280) << "rows past the copy";
    }
}

}  // namespace
