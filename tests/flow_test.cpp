// The way between the screens: which screen loads, shows, activates and closes, in which order,
// for every way a player can go; what the tables hold; and the first run-time error ending it.
#include <gtest/gtest.h>

#include "map/frm_map_controls.h"
#include "menu/frm_menu_controls.h"
#include "support/harness.h"
#include "support/test_images.h"
#include "title/frm_intro_controls.h"

using testing_support::Harness;
using Journal = std::vector<std::string>;

namespace {

void quitToTitle(Harness& h, velmora::Form& form) {
    h.press(form, Qt::Key_Escape);
    h.clearJournal();
    h.click(h.menu().ui().cmdQuit);
}

TEST(ScreenFlow, MapMenuTitleAndANewGameThatFillsTheTablesAgain) {
    Harness h;
    auto& t = h.game().modChar;
    EXPECT_TRUE(t.PartyName[1].isEmpty()) << "empty before the map";
    h.start();
    EXPECT_EQ(h.journal(), (Journal{"load Map", "show Map", "activate Map"}));
    EXPECT_TRUE(h.music.commands.empty()) << "no music before the title screen";
    std::vector<int> sprites;
    QStringList names;
    for (int slot = 1; slot <= 6; ++slot) {
        sprites.insert(sprites.end(), {t.PartySprite[slot].value(), t.FoeSprite[slot].value()});
        names << t.PartyName[slot] << t.FoeName[slot];
    }
    EXPECT_EQ(sprites, (std::vector{0, 48, 4, 49, 7, 50, 8, 51, 40, 52, 41, 53}));
    EXPECT_EQ(names.join(','),
              "Tov,Muffin Man,Ilvaine,WereWolf,Darsic,WereTiger,Corwyth,"
              "Reptile Warrior,Salora,Golem,Bregan,Fairy");
    t.PartySprite[1] = 33;
    t.FoeHP[2] = -2;
    QImage red(64, 128, QImage::Format_RGB32);
    red.fill(Qt::red);
    testing_support::writeFile(h.assetFolder() + "/Characters/Char063.bmp",
                               testing_support::bmp24(red));
    h.click(h.map().ui().cmdText);
    h.clearJournal();
    h.press(h.map(), Qt::Key_Escape);
    EXPECT_EQ(h.journal(), (Journal{"load Menu", "show Menu", "activate Menu"}));
    // While the menu is open the map takes neither keys nor clicks, but its timers tick on.
    h.press(h.map(), Qt::Key_Escape);
    h.click(h.map().ui().cmdBattle);
    h.activate(h.map());
    EXPECT_EQ(h.journal().size(), 3u);
    const qsizetype typed = h.map().ui().lblText.caption().size();
    h.advance(500);
    EXPECT_EQ(h.map().ui().lblText.caption().size(), typed + 10);
    h.clearJournal();
    h.closeBox(h.menu());  // as Continue
    EXPECT_EQ(h.journal(), (Journal{"close Menu", "activate Map"}));
    // The Escape key goes on once the menu has closed: the map is repainted 10 ms later.
    EXPECT_EQ(h.map().ui().tmrChar.interval(), 10);
    quitToTitle(h, h.map());
    EXPECT_EQ(h.journal(),
              (Journal{"close Menu", "load Intro", "show Intro", "close Map", "activate Intro"}));
    EXPECT_EQ(t.FoeHP[2].value(), -2) << "quitting does not touch the tables";
    h.advance(1000);  // the Escape key's repaint went with the map
    EXPECT_FALSE(h.map().isLoaded());
    h.click(h.intro().ui().cmdNew);
    EXPECT_EQ(t.PartySprite[1].value() + t.FoeHP[2].value(), 10);
    EXPECT_EQ(h.game().sprites->picture(63).pixel(10, 10), 0xFF0000u);
    quitToTitle(h, h.map());
    h.closeBox(h.intro());
    EXPECT_TRUE(h.ended()) << "no screen left";
    EXPECT_EQ(h.exitCode(), 0);
}

TEST(ScreenFlow, BattleAboveTheMap) {
    Harness h;
    h.start();
    h.clearJournal();
    h.click(h.map().ui().cmdBattle);
    EXPECT_EQ(h.journal(), (Journal{"load Battle", "show Battle", "activate Battle"}));
    // A second press of Battle Test only re-activates the battle; focus coming back to the
    // window that is already active is no change.
    h.activate(h.map());
    h.clearJournal();
    h.click(h.map().ui().cmdBattle);
    h.activate(h.battle());
    EXPECT_EQ(h.journal(), (Journal{"show Battle", "activate Battle"}));
    // The battle's menu: no Save Game; a click on the map meanwhile changes nothing.
    h.press(h.battle(), Qt::Key_Escape);
    EXPECT_FALSE(h.menu().ui().cmdSave.isEnabled()) << "battle showing: Save Game disabled";
    h.activate(h.map());
    h.clearJournal();
    h.click(h.menu().ui().cmdContinue);
    h.closeBox(h.battle());
    EXPECT_EQ(h.journal(),
              (Journal{"close Menu", "activate Battle", "close Battle", "activate Map"}));
    EXPECT_EQ(h.battle().sprites(), nullptr) << "a closed battle lets the sprite sheet go";
    h.press(h.map(), Qt::Key_Escape);
    EXPECT_TRUE(h.menu().ui().cmdSave.isEnabled()) << "the battle was opened and closed again";
    h.click(h.menu().ui().cmdContinue);

    h.click(h.map().ui().cmdBattle);
    quitToTitle(h, h.battle());
    EXPECT_EQ(h.journal(), (Journal{"close Menu", "load Intro", "show Intro", "close Battle",
                                    "close Map", "activate Intro"}));
    h.clearJournal();
    h.click(h.intro().ui().cmdExit);
    EXPECT_TRUE(h.ended());
    EXPECT_EQ(h.exitCode(), 0);
    EXPECT_TRUE(h.journal().empty()) << "Exit ends the game without closing anything";
}

// The first run-time error ends the game, and is the only one the player is told of: an error
// on the way out of the handler it broke (as out of a modal menu's), or an exit asked for
// afterwards, changes nothing, and no handler runs once the game has ended.
TEST(ScreenFlow, OnlyTheFirstRunTimeErrorIsReportedAndNoHandlerRunsAfterIt) {
    using Kind = platform::RuntimeError::Kind;
    testing_support::RecordingReporter reporter;
    velmora::ScreenFlow flow(reporter);
    std::vector<int> ends;
    flow.setOnEnd([&](int code) { ends.push_back(code); });
    flow.deliver([&] {
        flow.deliver([] { platform::raise(Kind::Overflow); });
        platform::raise(Kind::SubscriptOutOfRange);
    });
    bool ranAfterTheEnd = false;
    flow.deliver([&] {
        ranAfterTheEnd = true;
        platform::raise(Kind::DivisionByZero);
    });
    flow.endProgram(0);
    ASSERT_TRUE(flow.fatalError().has_value());
    EXPECT_EQ(flow.fatalError()->kind(), Kind::Overflow);
    EXPECT_EQ(reporter.messages, std::vector<std::string>{flow.fatalError()->what()});
    EXPECT_EQ(ends, std::vector<int>{1});
    EXPECT_EQ(flow.exitCode(), 1);
    EXPECT_FALSE(ranAfterTheEnd);
}

}  // namespace
