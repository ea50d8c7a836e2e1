#include <gtest/gtest.h>

#include <QFile>
#include <cstdlib>

#include "map/frm_map_controls.h"
#include "menu/frm_menu_controls.h"
#include "support/comma_locale.h"
#include "support/harness.h"
#include "support/test_images.h"
#include "title/frm_intro_controls.h"

using testing_support::figureColour;
using testing_support::Harness;
using testing_support::isFigurePixel;
using testing_support::tilePixel;

namespace {

constexpr QRgb kMapGreen = 0x008000;

const platform::Surface& mapPixels(Harness& h) {
    return h.map().ui().picMap.surface();
}

// Checks the whole map: the tile set's own pixels everywhere, except where the leader's
// figure stands in the frame (frameX, frameY) of picture `sprite`.
void expectMapWithLeader(Harness& h, int leaderX, int leaderY, int sprite, int frameX, int frameY) {
    const platform::Surface& map = mapPixels(h);
    int wrong = 0;
    for (int y = 0; y < map.height(); ++y) {
        for (int x = 0; x < map.width(); ++x) {
            const int fx = x - leaderX;
            const int fy = y - leaderY;
            const bool figure = fx >= 0 && fy >= 0 && fx < 32 && fy < 32 && isFigurePixel(fx, fy);
            const QRgb expected = figure ? figureColour(sprite, frameX, frameY) : tilePixel(x, y);
            if (map.pixel(x, y) != (expected & 0xFFFFFF) && ++wrong <= 3) {
                ADD_FAILURE() << "map pixel (" << x << ", " << y << ")";
            }
        }
    }
    EXPECT_EQ(wrong, 0);
}

struct Leader {
    int x, y, frameX, frameY, step;
};

Leader leader(Harness& h) {
    auto& m = h.map();
    return {m.CharX[1].value(), m.CharY[1].value(), m.CharSrcX[1].value(), m.CharSrcY[1].value(),
            m.CharStep[1].value()};
}

// A key press followed by its repaint.
void step(Harness& h, int key, int times = 1) {
    for (int i = 0; i < times; ++i) {
        h.press(h.map(), key);
        h.advance(10);
    }
}

}  // namespace

TEST(MapDrawing, ShowsTheTileSetAtItsOwnSizeWithTheLeaderOnTop) {
    Harness h;
    h.start();
    EXPECT_EQ(h.map().ScreenPixelsX.value(), 1024);
    EXPECT_EQ(h.map().ScreenPixelsY.value(), 768);
    EXPECT_EQ(mapPixels(h).width(), 1024);
    EXPECT_EQ(mapPixels(h).height(), 768);
    EXPECT_EQ(h.map().window()->width(), 1024);
    // First showing: sprite 0 at the top-left corner, facing up, first step.
    expectMapWithLeader(h, 0, 0, 0, 0, 0);
    // The controls over the map, placed in twips.
    const auto& c = h.map().ui();
    EXPECT_EQ(c.txtChar.widget()->geometry(), QRect(8, 20, 37, 33));
    EXPECT_EQ(c.cmdBattle.widget()->geometry(), QRect(8, 168, 85, 41));
    EXPECT_EQ(c.cmdText.widget()->geometry(), QRect(8, 212, 85, 41));
    EXPECT_EQ(c.cmdBattle.caption(), QStringLiteral("Battle Test"));
    EXPECT_EQ(c.cmdText.caption(), QStringLiteral("Text Test"));
    EXPECT_FALSE(c.picText.isVisible());
}

TEST(MapDrawing, AnOddDisplayWidthIsCoveredToItsLastPixel) {
    Harness h(1366, 768);
    h.start();
    EXPECT_EQ(h.map().ScreenPixelsX.value(), 1366);
    expectMapWithLeader(h, 0, 0, 0, 0, 0);
    // The rightmost position on this display is 1344: the leader may stand partly outside.
    step(h, Qt::Key_Right, 90);
    EXPECT_EQ(leader(h).x, 1344);
    expectMapWithLeader(h, 1344, 0, 0, leader(h).frameX, 32);
}

TEST(MapDrawing, ATileSetSmallerThanTheDisplayLeavesTheRestDarkGreen) {
    Harness h;
    QImage small(300, 200, QImage::Format_RGB32);
    small.fill(Qt::black);
    testing_support::writeBmp24(h.assetFolder() + "/Background/World/ts0.bmp", small);
    h.start();
    step(h, Qt::Key_Down);
    EXPECT_EQ(mapPixels(h).pixel(299, 150), 0u);  // the small tile set is black
    EXPECT_EQ(mapPixels(h).pixel(300, 150), kMapGreen);
    EXPECT_EQ(mapPixels(h).pixel(1023, 767), kMapGreen);
}

TEST(Walking, StepsSixteenPixelsAlternatingTheTwoFrames) {
    Harness h;
    h.start();
    h.press(h.map(), Qt::Key_Right);
    EXPECT_EQ(h.map().ui().tmrChar.interval(), 10);
    auto l = leader(h);
    EXPECT_EQ((std::array{l.x, l.y, l.frameX, l.frameY, l.step}), (std::array{16, 0, 32, 32, 1}));
    expectMapWithLeader(h, 0, 0, 0, 0, 0);  // nothing drawn before the repaint
    h.advance(10);
    EXPECT_EQ(h.map().ui().tmrChar.interval(), 0) << "the repaint is one-shot";
    expectMapWithLeader(h, 16, 0, 0, 32, 32);

    step(h, Qt::Key_Right);
    l = leader(h);
    EXPECT_EQ((std::array{l.x, l.frameX, l.frameY, l.step}), (std::array{32, 0, 32, 0}));
    // The phase carries across a change of direction.
    step(h, Qt::Key_Down);
    l = leader(h);
    EXPECT_EQ((std::array{l.x, l.y, l.frameX, l.frameY, l.step}), (std::array{32, 16, 32, 64, 1}));
    expectMapWithLeader(h, 32, 16, 0, 32, 64);
}

TEST(Walking, AgainstAnEdgeTheLeaderTurnsButNeitherMovesNorChangesStep) {
    Harness h;
    h.start();
    step(h, Qt::Key_Down);  // step 1, facing down
    step(h, Qt::Key_Up);    // back to the top, step 0
    step(h, Qt::Key_Left);  // at x 0: turns left with the step-0 frame
    auto l = leader(h);
    EXPECT_EQ((std::array{l.x, l.y, l.frameX, l.frameY, l.step}), (std::array{0, 0, 32, 96, 0}));
    step(h, Qt::Key_Up);
    l = leader(h);
    EXPECT_EQ((std::array{l.x, l.y, l.frameX, l.frameY, l.step}), (std::array{0, 0, 32, 0, 0}));
    expectMapWithLeader(h, 0, 0, 0, 32, 0);
}

TEST(Walking, StopsAtTheLowestAndRightmostPlaces) {
    Harness h;
    h.start();
    step(h, Qt::Key_Down, 60);
    EXPECT_EQ(leader(h).y, 736);
    step(h, Qt::Key_Right, 80);
    EXPECT_EQ(leader(h).x, 992);
    expectMapWithLeader(h, 992, 736, 0, leader(h).frameX, 32);
}

TEST(Walking, TwoPressesWithinTheRepaintDelayMoveOnce) {
    Harness h;
    h.start();
    h.press(h.map(), Qt::Key_Right);
    h.advance(5);
    h.press(h.map(), Qt::Key_Right);  // a repaint is pending: re-arms it, moves nothing
    h.press(h.map(), Qt::Key_Down);
    EXPECT_EQ(leader(h).x, 16);
    EXPECT_EQ(leader(h).y, 0);
    h.advance(9);
    EXPECT_EQ(h.map().ui().tmrChar.interval(), 10) << "re-armed by the later presses";
    h.advance(1);
    EXPECT_EQ(h.map().ui().tmrChar.interval(), 0);
    expectMapWithLeader(h, 16, 0, 0, 32, 32);
}

TEST(Walking, EveryKeySchedulesARepaint) {
    Harness h;
    h.start();
    for (int key : {Qt::Key_A, Qt::Key_5, Qt::Key_Space, Qt::Key_F2, Qt::Key_Control}) {
        h.press(h.map(), key);
        EXPECT_EQ(h.map().ui().tmrChar.interval(), 10) << key;
        h.advance(10);
        EXPECT_EQ(h.map().ui().tmrChar.interval(), 0);
    }
    EXPECT_EQ(leader(h).x, 0);
}

TEST(Walking, KeysWorkWhicheverControlHasTheFocus) {
    Harness h;
    h.start();
    h.map().ui().cmdText.widget()->setFocus();
    step(h, Qt::Key_Right);
    h.map().ui().txtChar.widget()->setFocus();
    step(h, Qt::Key_Down);
    EXPECT_EQ(leader(h).x, 16);
    EXPECT_EQ(leader(h).y, 16);
}

TEST(SpriteSwitching, PageUpAndDownStayWithinTheSixtyFourPictures) {
    Harness h;
    h.start();
    auto& sprite = h.game().modChar.PartySprite[1];
    step(h, Qt::Key_PageDown);
    EXPECT_EQ(sprite.value(), 0);
    EXPECT_EQ(h.map().ui().txtChar.text(), QString());
    step(h, Qt::Key_PageUp);
    EXPECT_EQ(sprite.value(), 1);
    EXPECT_EQ(h.map().ui().txtChar.text(), QStringLiteral("1"));
    expectMapWithLeader(h, 0, 0, 1, 0, 0);

    h.type(h.map().ui().txtChar.widget(), QString());
    h.map().ui().txtChar.setText(QStringLiteral("63"));
    h.press(h.map(), Qt::Key_PageUp);
    EXPECT_EQ(sprite.value(), 63);
    EXPECT_EQ(h.map().ui().tmrChar.interval(), 10) << "the map is repainted all the same";
    h.advance(10);
    expectMapWithLeader(h, 0, 0, 63, 0, 0);
    // Page keys have no repaint guard.
    h.press(h.map(), Qt::Key_PageDown);
    h.press(h.map(), Qt::Key_PageDown);
    EXPECT_EQ(sprite.value(), 61);
}

namespace {

void expectTheBoxTakesTheNumberItsTextStartsWith() {
    Harness h;
    h.start();
    auto& box = h.map().ui().txtChar;
    auto& sprite = h.game().modChar.PartySprite[1];
    struct Case {
        const char* text;
        int sprite;  // -1: unchanged
    };
    const Case cases[] = {
        {"7", 7},       {"70", -1},     {"", 0},
        {"12", 12},     {"a", 0},       {"62.5", 62},
        {"63.5", -1},   {"-0.5", -1},   {"5", 5},
        {"1e400", -1},  {"  9", 9},     {"2e1", 20},
        {"   ", 0},     {"31abc", 31},  {"+6", 6},
        {"1.6e1x", 16}, {"4e", 4},      {"-3", -1},
        {".5", 0},      {"0.51", 1},    {"99999999999999999999999999999999999999999999", -1},
        {"1,6", 1},     {"0.5e-400", 0}};
    for (const Case& c : cases) {
        const int before = sprite.value();
        box.setText(QString::fromLatin1(c.text));
        EXPECT_EQ(sprite.value(), c.sprite < 0 ? before : c.sprite) << '"' << c.text << '"';
    }
}

}  // namespace

TEST(SpriteSwitching, TheBoxTakesTheNumberItsTextStartsWith) {
    expectTheBoxTakesTheNumberItsTextStartsWith();
}

TEST(SpriteSwitching, TheBoxReadsADecimalPointUnderALocaleWithADecimalComma) {
    const testing_support::CommaLocale comma;
    ASSERT_TRUE(comma.active()) << comma.why();
    ASSERT_EQ(std::strtod("0.51", nullptr), 0.0) << "the comma locale is in force";
    expectTheBoxTakesTheNumberItsTextStartsWith();
}

TEST(SpriteSwitching, ATypedDigitShowsInTheRepaintOfTheSameKeyPress) {
    Harness h;
    h.start();
    auto& box = h.map().ui().txtChar;
    box.widget()->setFocus();
    h.type(box.widget(), QStringLiteral("7"));
    EXPECT_EQ(h.game().modChar.PartySprite[1].value(), 7);
    EXPECT_EQ(h.map().ui().tmrChar.interval(), 10);
    h.advance(10);
    expectMapWithLeader(h, 0, 0, 7, 0, 0);
    h.type(box.widget(), QStringLiteral("0"));
    EXPECT_EQ(h.game().modChar.PartySprite[1].value(), 7) << "70 is out of range";
}

TEST(MapFlow, ContinueRedrawsFromAFreshTileSetAndRepaintsAgainTenMsLater) {
    Harness h;
    h.start();
    step(h, Qt::Key_Right, 3);
    h.press(h.map(), Qt::Key_Escape);
    // The tile set changes on disk while the menu is open: activation reloads it.
    QImage brown(1472, 800, QImage::Format_RGB32);
    brown.fill(qRgb(120, 80, 40));
    testing_support::writeBmp24(h.assetFolder() + "/Background/World/ts0.bmp", brown);
    EXPECT_EQ(mapPixels(h).pixel(500, 500), tilePixel(500, 500) & 0xFFFFFF);
    h.click(h.menu().ui().cmdContinue);
    EXPECT_EQ(mapPixels(h).pixel(500, 500), 0x785028u);
    EXPECT_EQ(h.map().ui().tmrChar.interval(), 10);
    EXPECT_EQ(leader(h).x, 48) << "the leader keeps its place";
    EXPECT_EQ(leader(h).frameX, 32);
}

TEST(MapFlow, QuitCancelsTheEscapeKeysRepaint) {
    Harness h;
    h.start();
    h.press(h.map(), Qt::Key_Escape);
    h.click(h.menu().ui().cmdQuit);
    EXPECT_FALSE(h.map().isLoaded());
    h.advance(1000);
    EXPECT_FALSE(h.ended());
}

TEST(MapFlow, ANewGameStartsAtTheCornerStillFacingTheWayTheLastOneEnded) {
    Harness h;
    h.start();
    step(h, Qt::Key_Down, 4);
    step(h, Qt::Key_Left);  // turns left against the edge
    step(h, Qt::Key_PageUp, 5);
    h.press(h.map(), Qt::Key_Escape);
    h.click(h.menu().ui().cmdQuit);
    h.click(h.intro().ui().cmdNew);
    const Leader l = leader(h);
    EXPECT_EQ((std::array{l.x, l.y, l.frameX, l.frameY, l.step}), (std::array{0, 0, 32, 96, 0}));
    EXPECT_EQ(h.game().modChar.PartySprite[1].value(), 0);
    EXPECT_EQ(h.map().ui().txtChar.text(), QString()) << "a fresh window";
    expectMapWithLeader(h, 0, 0, 0, 32, 96);
}
