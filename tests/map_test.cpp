// The map: the tile set under the leader, walking, the repaint after a key, the leader's picture.
#include <gtest/gtest.h>

#include <QFile>
#include <QProcess>
#include <QTemporaryDir>
#include <clocale>
#include <cstdlib>

#include "map/frm_map_controls.h"
#include "menu/frm_menu_controls.h"
#include "support/harness.h"
#include "support/test_images.h"
#include "title/frm_intro_controls.h"

using testing_support::Harness;
using testing_support::tilePixel;

namespace {

// The leader's x, y, frame x, frame y and step.
using Leader = std::array<int, 5>;

Leader leader(Harness& h) {
    auto& m = h.map();
    return {m.CharX[1].value(), m.CharY[1].value(), m.CharSrcX[1].value(), m.CharSrcY[1].value(),
            m.CharStep[1].value()};
}

// The whole map is the tile set's pixels but for the leader's frame of picture `sprite`.
void expectMap(Harness& h, const Leader& l, int sprite) {
    const platform::Surface& map = h.map().ui().picMap.surface();
    int wrong = 0;
    for (int y = 0; y < map.height(); ++y) {
        for (int x = 0; x < map.width(); ++x) {
            const bool figure = x >= l[0] && y >= l[1] && x < l[0] + 32 && y < l[1] + 32 &&
                                testing_support::isFigurePixel(x - l[0], y - l[1]);
            wrong += map.pixel(x, y) != ((figure ? testing_support::figureColour(sprite, l[2], l[3])
                                                 : tilePixel(x, y)) &
                                         0xFFFFFF);
        }
    }
    EXPECT_EQ(wrong, 0) << "map pixels unlike the tile set's and the leader's";
}

void step(Harness& h, int key, int times = 1) {
    for (int i = 0; i < times; ++i) {
        h.press(h.map(), key);
        h.advance(10);
    }
}

void writeTileSet(Harness& h, int width, int height, QRgb colour) {
    QImage tiles(width, height, QImage::Format_RGB32);
    tiles.fill(colour);
    tiles.save(h.assetFolder() + "/Background/World/ts0.bmp");
}

TEST(Walking, EachArrowTurnsTheLeaderAndStepsWithTheOtherFrameUnlessAtAnEdge) {
    Harness h;
    h.start();
    const auto& c = h.map().ui();
    EXPECT_EQ(c.txtChar.widget()->geometry().united(c.cmdText.widget()->geometry()),
              QRect(8, 20, 85, 233));  // the box at the top, Text Test the lowest button
    const std::pair<int, Leader> walk[] = {
        {Qt::Key_Right, {16, 0, 32, 32, 1}}, {Qt::Key_Left, {0, 0, 0, 96, 0}},
        {Qt::Key_Left, {0, 0, 32, 96, 0}},   {Qt::Key_Down, {0, 16, 32, 64, 1}},
        {Qt::Key_Down, {0, 32, 0, 64, 0}},   {Qt::Key_Up, {0, 16, 32, 0, 1}},
        {Qt::Key_Up, {0, 0, 0, 0, 0}},       {Qt::Key_Up, {0, 0, 32, 0, 0}},
        {Qt::Key_Right, {16, 0, 32, 32, 1}}, {Qt::Key_Right, {32, 0, 0, 32, 0}},
    };
    for (const auto& [key, after] : walk) {
        const Leader before = leader(h);
        h.press(h.map(), key);
        EXPECT_EQ(leader(h), after);
        expectMap(h, before, 0);  // nothing drawn before the repaint
        EXPECT_EQ(h.map().ui().tmrChar.interval(), 10);
        h.advance(10);
        EXPECT_EQ(h.map().ui().tmrChar.interval(), 0) << "the repaint is one-shot";
        expectMap(h, after, 0);
    }
    // Any other key, with any control focused, repaints and moves nothing.
    h.map().ui().cmdText.widget()->setFocus();
    for (int key : {Qt::Key_A, Qt::Key_Space, Qt::Key_F2, Qt::Key_Control}) {
        h.press(h.map(), key);
        EXPECT_EQ(h.map().ui().tmrChar.interval(), 10) << key;
        h.advance(10);
    }
    // Two presses within the repaint's delay move once, and put the repaint off.
    h.map().ui().txtChar.widget()->setFocus();
    h.press(h.map(), Qt::Key_Down);
    h.advance(5);
    h.press(h.map(), Qt::Key_Down);
    h.advance(9);
    EXPECT_EQ(h.map().ui().tmrChar.interval(), 10);
    h.advance(1);
    EXPECT_EQ(leader(h), (Leader{32, 16, 32, 64, 1}));
    expectMap(h, leader(h), 0);
}

TEST(SpriteSwitching, PageKeysAndTheBoxChooseAmongTheSixtyFourPicturesByTheNumberTyped) {
    Harness h;
    h.start();
    auto& sprite = h.game().modChar.PartySprite[1];
    auto& box = h.map().ui().txtChar;
    step(h, Qt::Key_PageDown);
    EXPECT_EQ(box.text(), QString()) << "no picture below 0";
    step(h, Qt::Key_PageUp);
    EXPECT_EQ(box.text(), QStringLiteral("1"));
    expectMap(h, {0, 0, 0, 0, 0}, 1);
    box.setText(QStringLiteral("63"));
    step(h, Qt::Key_PageUp);
    EXPECT_EQ(sprite.value(), 63);
    expectMap(h, {0, 0, 0, 0, 0}, 63);
    h.press(h.map(), Qt::Key_PageDown);  // page keys have no repaint guard
    h.press(h.map(), Qt::Key_PageDown);
    EXPECT_EQ(sprite.value(), 61);
    // A digit typed shows in the repaint of its own key press.
    box.setText(QString());
    box.widget()->setFocus();
    h.type(box.widget(), QStringLiteral("7"));
    h.advance(10);
    expectMap(h, {0, 0, 0, 0, 0}, 7);
    h.type(box.widget(), QStringLiteral("0"));
    EXPECT_EQ(sprite.value(), 7) << "70 is out of range";

    // The box takes the number its text starts with, reading a decimal point even on a desktop
    // whose decimal mark is a comma: its locale is made in a folder of the test's.
    QTemporaryDir dir;
    testing_support::writeFile(
        dir.filePath("comma.src"),
        "LC_NUMERIC\ndecimal_point \",\"\nthousands_sep \".\"\ngrouping 3\nEND LC_NUMERIC\n");
    QProcess localedef;  // its complaints about the categories left out are of no interest
    localedef.start("localedef", {"-c", "-i", dir.filePath("comma.src"), "-f", "ANSI_X3.4-1968",
                                  dir.filePath("comma")});
    localedef.waitForFinished();
    setenv("LOCPATH", qPrintable(dir.path()), 1);
    const std::string previous = std::setlocale(LC_NUMERIC, nullptr);
    std::setlocale(LC_NUMERIC, "comma");
    EXPECT_EQ(std::strtod("0.51", nullptr), 0.0) << "no locale with a decimal comma";
    const std::pair<const char*, int> cases[] = {
        // -1: unchanged
        {"7", 7},      {"70", -1},      {"", 0},
        {"12", 12},    {"a", 0},        {"62.5", 62},
        {"63.5", -1},  {"-0.5", -1},    {"5", 5},
        {"1e400", -1}, {"  9", 9},      {"2e1", 20},
        {"31abc", 31}, {"+6", 6},       {"1.6e1x", 16},
        {"4e", 4},     {"-3", -1},      {"0.51", 1},
        {"1,6", 1},    {"0.5e-400", 0}, {"99999999999999999999999999999999999999999", -1}};
    for (const auto& [text, expected] : cases) {
        const int before = sprite.value();
        box.setText(QString::fromLatin1(text));
        EXPECT_EQ(sprite.value(), expected < 0 ? before : expected) << '"' << text << '"';
    }
    std::setlocale(LC_NUMERIC, previous.c_str());
    unsetenv("LOCPATH");
}

TEST(MapFlow, EachActivationReadsTheTileSetAgain) {
    Harness h;
    writeTileSet(h, 300, 200, qRgb(0, 0, 0));
    h.start();
    // A tile set smaller than the display leaves the rest dark green.
    const platform::Surface& map = h.map().ui().picMap.surface();
    EXPECT_EQ(std::tuple(map.pixel(299, 199), map.pixel(300, 150), map.pixel(1023, 767)),
              std::tuple(0u, 0x008000u, 0x008000u));
    step(h, Qt::Key_Right, 3);
    h.press(h.map(), Qt::Key_Escape);
    writeTileSet(h, 1472, 800, qRgb(120, 80, 40));
    h.click(h.menu().ui().cmdContinue);
    EXPECT_EQ(map.pixel(500, 500), 0x785028u);
    EXPECT_EQ(leader(h), (Leader{48, 0, 32, 32, 1})) << "the leader keeps its place";

    // Cut short, as by a failed copy: the game ends naming the file.
    QFile::resize(h.assetFolder() + "/Background/World/ts0.bmp", 1000);
    h.press(h.map(), Qt::Key_Escape);
    EXPECT_THROW(h.click(h.menu().ui().cmdContinue), platform::RuntimeError);
    ASSERT_EQ(h.reporter.messages.size(), 1u);
    EXPECT_NE(h.reporter.messages[0].find("ts0.bmp"), std::string::npos);
}

TEST(MapFlow, ANewGameOnAnOddDisplayStartsAtTheCornerFacingTheWayTheLastOneEnded) {
    Harness h;
    h.start();
    step(h, Qt::Key_Down, 4);
    step(h, Qt::Key_Left);  // turns left against the edge
    step(h, Qt::Key_PageUp, 5);
    h.press(h.map(), Qt::Key_Escape);
    h.click(h.menu().ui().cmdQuit);
    EXPECT_TRUE(h.map().TileSet.isNull()) << "the closed map lets its tile set go";
    h.changeDisplay(
        platform::Display::ofPixels(1366, 768, 15));  // the player changes the resolution meanwhile
    h.click(h.intro().ui().cmdNew);
    EXPECT_EQ(leader(h), (Leader{0, 0, 32, 96, 0}));
    EXPECT_EQ(h.map().ui().txtChar.text(), QString()) << "a fresh window";
    EXPECT_EQ(h.map().window()->size(), QSize(1366, 768));
    expectMap(h, leader(h), 0);
    // The map is covered to its last pixel; the leader stops at the edges, partly outside.
    step(h, Qt::Key_Down, 60);
    step(h, Qt::Key_Right, 90);
    EXPECT_EQ(leader(h), (Leader{1344, 736, 32, 32, 0}));
    expectMap(h, leader(h), 0);
}

}  // namespace
