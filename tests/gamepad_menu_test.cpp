// A pad in the pause menu: the focus moves over the enabled buttons with its frame showing, A
// presses the focused button, B and Start continue; QUIT leads to the title, whose New Game the
// pad starts.

#include <gtest/gtest.h>

#include <QCoreApplication>
#include <QImage>

#include "menu/frm_menu_controls.h"
#include "support/virtual_pad.h"
#include "title/frm_intro_controls.h"

using testing_support::PadGame;
using testing_support::VirtualPad;

namespace {

bool focused(const platform::CommandButton& button) {
    return button.widget() == button.window().focusWidget();
}

QImage look(const platform::CommandButton& button) {
    return button.widget()->grab().toImage();
}

struct PadInMenu : ::testing::Test, PadGame {
    PadInMenu() {
        h.start();
        play(250);
    }
    VirtualPad pad;
};

TEST_F(PadInMenu, FocusMovesOverTheButtonsShowingItsFrameAndAPressesQuit) {
    tap(pad, SDL_CONTROLLER_BUTTON_START);
    ASSERT_TRUE(h.menu().isVisible());
    const velmora::frmMenu::Controls& c = h.menu().ui();
    // The window system makes the menu the active window, as a desktop does.
    h.menu().window()->activateWindow();
    QCoreApplication::processEvents();
    const QImage plain = look(c.cmdContinue);

    tap(pad, SDL_CONTROLLER_BUTTON_DPAD_DOWN);
    EXPECT_TRUE(focused(c.cmdContinue)) << "the first step lands on the top button";
    EXPECT_NE(look(c.cmdContinue), plain) << "the focus frame shows";
    tap(pad, SDL_CONTROLLER_BUTTON_DPAD_DOWN);
    EXPECT_TRUE(focused(c.cmdSave));
    EXPECT_EQ(look(c.cmdContinue), plain);
    tap(pad, SDL_CONTROLLER_BUTTON_A);  // Save Game does nothing
    EXPECT_TRUE(h.menu().isVisible());
    tap(pad, SDL_CONTROLLER_BUTTON_DPAD_DOWN);
    EXPECT_TRUE(focused(c.cmdQuit));
    tap(pad, SDL_CONTROLLER_BUTTON_DPAD_DOWN);
    EXPECT_TRUE(focused(c.cmdContinue)) << "round from the bottom to the top";
    tap(pad, SDL_CONTROLLER_BUTTON_DPAD_UP);
    EXPECT_TRUE(focused(c.cmdQuit));
    tap(pad, SDL_CONTROLLER_BUTTON_DPAD_LEFT);  // not a menu direction
    EXPECT_TRUE(focused(c.cmdQuit));

    tap(pad, SDL_CONTROLLER_BUTTON_A);
    EXPECT_TRUE(h.intro().isVisible());
    EXPECT_FALSE(h.map().isLoaded());
    EXPECT_FALSE(h.menu().isLoaded());

    // The title: New Game, Load Game and Exit, top to bottom; A starts a new game.
    const velmora::frmIntro::Controls& t = h.intro().ui();
    tap(pad, SDL_CONTROLLER_BUTTON_DPAD_UP);
    EXPECT_TRUE(focused(t.cmdExit));
    tap(pad, SDL_CONTROLLER_BUTTON_DPAD_UP);
    EXPECT_TRUE(focused(t.cmdLoad));
    tap(pad, SDL_CONTROLLER_BUTTON_DPAD_UP);
    EXPECT_TRUE(focused(t.cmdNew));
    tap(pad, SDL_CONTROLLER_BUTTON_A);
    EXPECT_FALSE(h.intro().isLoaded());
    ASSERT_TRUE(h.map().isVisible());
    tap(pad, SDL_CONTROLLER_BUTTON_DPAD_RIGHT);
    EXPECT_EQ(h.map().CharX[1].value(), 16) << "the new game walks";
}

TEST_F(PadInMenu, BAndStartContinueAndTheFocusPassesOverADisabledSaveGame) {
    for (auto cont : {SDL_CONTROLLER_BUTTON_B, SDL_CONTROLLER_BUTTON_START}) {
        tap(pad, SDL_CONTROLLER_BUTTON_START);
        ASSERT_TRUE(h.menu().isVisible());
        h.clearJournal();
        tap(pad, cont);
        EXPECT_FALSE(h.menu().isLoaded());
        EXPECT_EQ(h.journal(), (std::vector<std::string>{"close Menu", "activate Map"}));
        tap(pad, SDL_CONTROLLER_BUTTON_DPAD_DOWN);
        EXPECT_EQ(h.map().CharY[1].value(), cont == SDL_CONTROLLER_BUTTON_B ? 16 : 32)
            << "the map walks again";
    }

    tap(pad, SDL_CONTROLLER_BUTTON_X);
    ASSERT_TRUE(h.battle().isVisible());
    tap(pad, SDL_CONTROLLER_BUTTON_START);
    const velmora::frmMenu::Controls& c = h.menu().ui();
    tap(pad, SDL_CONTROLLER_BUTTON_DPAD_DOWN);
    tap(pad, SDL_CONTROLLER_BUTTON_DPAD_DOWN);
    EXPECT_TRUE(focused(c.cmdQuit)) << "Save Game is disabled in battle";
    tap(pad, SDL_CONTROLLER_BUTTON_DPAD_UP);
    EXPECT_TRUE(focused(c.cmdContinue));
    tap(pad, SDL_CONTROLLER_BUTTON_A);
    EXPECT_FALSE(h.menu().isLoaded());
    EXPECT_TRUE(h.battle().isVisible());
}

}  // namespace
