#include <gtest/gtest.h>

#include <QFile>

#include "map/frm_map_controls.h"
#include "menu/frm_menu_controls.h"
#include "support/harness.h"
#include "support/test_images.h"
#include "title/frm_intro_controls.h"

using testing_support::Harness;
using Journal = std::vector<std::string>;

namespace {

std::vector<std::string> loaded(Harness& h) {
    std::vector<std::string> names;
    for (velmora::Form* f :
         {static_cast<velmora::Form*>(&h.map()), static_cast<velmora::Form*>(&h.menu()),
          static_cast<velmora::Form*>(&h.battle()), static_cast<velmora::Form*>(&h.intro())}) {
        if (f->isLoaded()) {
            names.push_back(f->caption().toStdString());
        }
    }
    return names;
}

}  // namespace

TEST(ScreenFlow, TheGameOpensOnTheMap) {
    Harness h;
    h.start();
    EXPECT_EQ(h.journal(), (Journal{"load Map", "show Map", "activate Map"}));
    EXPECT_TRUE(h.map().isVisible());
    EXPECT_EQ(h.map().window()->windowTitle(), QStringLiteral("Map"));
    EXPECT_FALSE(h.intro().isLoaded());
    EXPECT_TRUE(h.music.commands.empty()) << "no music before the title screen";
}

TEST(ScreenFlow, EscapeOpensTheMenuAndContinueReturnsToTheMap) {
    Harness h;
    h.start();
    h.clearJournal();
    h.press(h.map(), Qt::Key_Escape);
    EXPECT_EQ(h.journal(), (Journal{"load Menu", "show Menu", "activate Menu"}));
    EXPECT_TRUE(h.menu().isVisible());
    EXPECT_EQ(h.menu().window()->windowTitle(), QStringLiteral("Menu"));
    EXPECT_TRUE(h.menu().ui().cmdSave.isEnabled()) << "no battle: Save Game enabled";

    // While the menu is open the map takes no input.
    h.press(h.map(), Qt::Key_Escape);
    EXPECT_EQ(h.journal().size(), 3u);

    h.clearJournal();
    h.click(h.menu().ui().cmdSave);  // does nothing
    EXPECT_TRUE(h.menu().isVisible());
    h.click(h.menu().ui().cmdContinue);
    EXPECT_EQ(h.journal(), (Journal{"close Menu", "activate Map"}));
    EXPECT_EQ(loaded(h), (std::vector<std::string>{"Map"}));
    EXPECT_FALSE(h.ended());
}

TEST(ScreenFlow, TimersBeneathTheMenuKeepTicking) {
    Harness h;
    h.start();
    h.click(h.map().ui().cmdText);
    h.advance(100);
    h.press(h.map(), Qt::Key_Escape);
    const qsizetype typed = h.map().ui().lblText.caption().size();
    h.advance(500);
    EXPECT_EQ(h.map().ui().lblText.caption().size(), typed + 10);
}

TEST(ScreenFlow, TheMenuCloseBoxActsAsContinue) {
    Harness h;
    h.start();
    h.press(h.map(), Qt::Key_Escape);
    h.clearJournal();
    h.closeBox(h.menu());
    EXPECT_EQ(h.journal(), (Journal{"close Menu", "activate Map"}));
}

TEST(ScreenFlow, QuitFromTheMapShowsTheTitleAndClosesTheMap) {
    Harness h;
    h.start();
    h.press(h.map(), Qt::Key_Escape);
    h.clearJournal();
    h.click(h.menu().ui().cmdQuit);
    EXPECT_EQ(h.journal(),
              (Journal{"close Menu", "load Intro", "show Intro", "close Map", "activate Intro"}));
    EXPECT_EQ(loaded(h), (std::vector<std::string>{"Intro"}));
    EXPECT_EQ(h.intro().window()->windowTitle(), QStringLiteral("Intro"));
    // Closing the title screen ends the game.
    h.closeBox(h.intro());
    EXPECT_TRUE(h.ended());
    EXPECT_EQ(h.exitCode(), 0);
}

TEST(ScreenFlow, QuitFromTheBattleClosesBattleThenMapAfterShowingTheTitle) {
    Harness h;
    h.start();
    h.click(h.map().ui().cmdBattle);
    EXPECT_TRUE(h.battle().isVisible());
    EXPECT_TRUE(h.map().isVisible()) << "the map stays beneath the battle";
    h.press(h.battle(), Qt::Key_Escape);
    EXPECT_FALSE(h.menu().ui().cmdSave.isEnabled()) << "battle showing: Save Game disabled";
    h.clearJournal();
    h.click(h.menu().ui().cmdQuit);
    EXPECT_EQ(h.journal(), (Journal{"close Menu", "load Intro", "show Intro", "close Battle",
                                    "close Map", "activate Intro"}));
    EXPECT_FALSE(h.ended());
}

TEST(ScreenFlow, SaveGameFollowsTheBattleScreenEachTimeTheMenuOpens) {
    Harness h;
    h.start();
    h.click(h.map().ui().cmdBattle);
    h.closeBox(h.battle());
    h.press(h.map(), Qt::Key_Escape);
    EXPECT_TRUE(h.menu().ui().cmdSave.isEnabled()) << "the battle was opened and closed again";
}

TEST(ScreenFlow, ActivationComesOncePerChangeOfWindow) {
    Harness h;
    h.start();
    h.clearJournal();
    h.click(h.map().ui().cmdBattle);
    EXPECT_EQ(h.journal(), (Journal{"load Battle", "show Battle", "activate Battle"}));

    // A second press of Battle Test only re-activates the battle.
    h.clearJournal();
    h.activate(h.map());
    h.click(h.map().ui().cmdBattle);
    EXPECT_EQ(h.journal(), (Journal{"activate Map", "show Battle", "activate Battle"}));

    // Focus coming back to the window that is already active is no change.
    h.clearJournal();
    h.activate(h.battle());
    EXPECT_TRUE(h.journal().empty());

    // The battle's menu: Continue re-activates the battle once.
    h.press(h.battle(), Qt::Key_Escape);
    h.activate(h.map());  // the player clicks the map while the menu holds the input
    h.clearJournal();
    h.click(h.menu().ui().cmdContinue);
    EXPECT_EQ(h.journal(), (Journal{"close Menu", "activate Battle"}));

    // Closing the battle re-activates the map beneath.
    h.clearJournal();
    h.closeBox(h.battle());
    EXPECT_EQ(h.journal(), (Journal{"close Battle", "activate Map"}));
}

TEST(ScreenFlow, NewGameRefillsTheTablesOnAFreshMap) {
    Harness h;
    h.start();
    auto& tables = h.game().modChar;
    tables.PartySprite[1] = 33;
    tables.FoeHP[2] = -2;
    h.map().CharX[1] = 320;
    h.map().CharSrcY[1] = 96;
    h.press(h.map(), Qt::Key_Escape);
    h.click(h.menu().ui().cmdQuit);
    EXPECT_EQ(tables.PartySprite[1].value(), 33) << "quitting does not touch the tables";

    h.clearJournal();
    h.music.commands.clear();
    h.click(h.intro().ui().cmdNew);
    EXPECT_EQ(h.journal(), (Journal{"load Map", "show Map", "close Intro", "activate Map"}));
    EXPECT_EQ(h.music.commands, (std::vector<std::string>{"close all"}));
    EXPECT_EQ(tables.PartySprite[1].value(), 0);
    EXPECT_EQ(tables.FoeHP[2].value(), 10);
    EXPECT_EQ(h.map().CharX[1].value(), 0) << "back at the top-left corner";
    EXPECT_EQ(h.map().CharSrcY[1].value(), 96) << "still facing left";
}

TEST(ScreenFlow, ClosingTheMapUnderTheBattleKeepsTheBattleDrawingUntilItCloses) {
    Harness h;
    h.start();
    h.click(h.map().ui().cmdBattle);
    const QRgb figure = h.battle().sprites()->picture(53).pixel(8, 100);
    h.activate(h.map());
    h.closeBox(h.map());
    EXPECT_FALSE(h.map().isLoaded());
    EXPECT_TRUE(h.battle().isVisible());
    EXPECT_FALSE(h.ended());
    ASSERT_NE(h.battle().sprites(), nullptr);
    EXPECT_EQ(h.battle().sprites()->picture(53).pixel(8, 100), figure);
    EXPECT_EQ(h.game().modChar.FoeHP[1].value(), 10) << "closing the map refills nothing";

    h.closeBox(h.battle());
    EXPECT_TRUE(h.ended());
    EXPECT_EQ(h.exitCode(), 0);
}

TEST(ScreenFlow, LoadGameShowsTheSavedGameDialogAndChangesNothing) {
    Harness h;
    h.start();
    h.press(h.map(), Qt::Key_Escape);
    h.click(h.menu().ui().cmdQuit);
    h.fileDialog.answer = h.assetFolder() + "/somewhere.sav";
    h.clearJournal();
    h.click(h.intro().ui().cmdLoad);
    ASSERT_EQ(h.fileDialog.calls.size(), 1u);
    EXPECT_EQ(h.fileDialog.calls[0].title, QStringLiteral("Open Saved Game File"));
    EXPECT_EQ(h.fileDialog.calls[0].filter, QStringLiteral("Saved Games (*.sav)|*.sav"));
    EXPECT_TRUE(h.journal().empty());
    EXPECT_TRUE(h.intro().isVisible());
    EXPECT_EQ(platform::toQtFilter(h.fileDialog.calls[0].filter),
              QStringLiteral("Saved Games (*.sav)"));
}

TEST(ScreenFlow, ExitStopsTheMusicAndEndsWithoutClosingAnything) {
    Harness h;
    h.start();
    h.press(h.map(), Qt::Key_Escape);
    h.click(h.menu().ui().cmdQuit);
    h.clearJournal();
    h.music.commands.clear();
    h.click(h.intro().ui().cmdExit);
    EXPECT_TRUE(h.ended());
    EXPECT_EQ(h.exitCode(), 0);
    EXPECT_EQ(h.music.commands, (std::vector<std::string>{"close all"}));
    EXPECT_TRUE(h.journal().empty()) << "no screen's close runs";
}

TEST(ScreenFlow, AMissingCharacterPictureEndsTheGameWithAnErrorNamingIt) {
    Harness h;
    QFile::remove(h.assetFolder() + "/Characters/Char017.bmp");
    try {
        h.start();
        FAIL() << "the game started without Char017.bmp";
    } catch (const platform::RuntimeError& e) {
        EXPECT_EQ(e.kind(), platform::RuntimeError::Kind::FileNotFound);
        EXPECT_NE(std::string(e.what()).find("Char017.bmp"), std::string::npos);
    }
    EXPECT_TRUE(h.ended());
    EXPECT_NE(h.exitCode(), 0);
    ASSERT_EQ(h.reporter.messages.size(), 1u);
    EXPECT_NE(h.reporter.messages[0].find("Char017.bmp"), std::string::npos);
    // The pictures before it were loaded.
    ASSERT_NE(h.game().sprites, nullptr);
    EXPECT_EQ(h.game().sprites->picture(16).width(), 64);
}

TEST(SpriteSheet, EveryNewGameReadsThePicturesAgain) {
    Harness h;
    h.start();
    const auto first = h.game().sprites;
    EXPECT_EQ(first->picture(63).pixel(10, 10), testing_support::figureColour(63, 0, 0) & 0xFFFFFF);
    EXPECT_THROW((void)first->picture(64), platform::RuntimeError);
    EXPECT_THROW((void)first->picture(-1), platform::RuntimeError);
    QImage red(64, 128, QImage::Format_RGB32);
    red.fill(Qt::red);
    testing_support::writeBmp24(h.assetFolder() + "/Characters/Char063.bmp", red);
    h.press(h.map(), Qt::Key_Escape);
    h.click(h.menu().ui().cmdQuit);
    h.click(h.intro().ui().cmdNew);
    EXPECT_EQ(h.game().sprites->picture(63).pixel(10, 10), 0xFF0000u);
}

TEST(SharedTables, EmptyBeforeTheMapAndFilledAfter) {
    Harness h;
    auto& t = h.game().modChar;
    for (int slot = 1; slot <= 6; ++slot) {
        EXPECT_EQ(t.PartySprite[slot].value(), 0);
        EXPECT_TRUE(t.PartyName[slot].isEmpty());
        EXPECT_EQ(t.FoeHP[slot].value(), 0);
        EXPECT_TRUE(t.FoeName[slot].isEmpty());
    }
    h.start();
    const std::vector<int> partySprites{0, 4, 7, 8, 40, 41};
    const QStringList partyNames{"Tov", "Ilvaine", "Darsic", "Corwyth", "Salora", "Bregan"};
    const QStringList foeNames{"Muffin Man",      "WereWolf", "WereTiger",
                               "Reptile Warrior", "Golem",    "Fairy"};
    for (int slot = 1; slot <= 6; ++slot) {
        SCOPED_TRACE(slot);
        EXPECT_EQ(t.PartySprite[slot].value(), partySprites[slot - 1]);
        EXPECT_EQ(t.PartyName[slot], partyNames[slot - 1]);
        EXPECT_EQ(t.FoeSprite[slot].value(), 47 + slot);
        EXPECT_EQ(t.FoeName[slot], foeNames[slot - 1]);
        for (const auto* table : {&t.PartyHP, &t.PartyMP, &t.PartyMaxHP, &t.PartyMaxMP, &t.FoeHP,
                                  &t.FoeMP, &t.FoeMaxHP, &t.FoeMaxMP}) {
            EXPECT_EQ((*table)[slot].value(), 10);
        }
        EXPECT_EQ(t.PartyAttack[slot].value(), 3);
        EXPECT_EQ(t.PartyReserve[slot].value(), 1);
    }
}
