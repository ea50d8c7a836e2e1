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

struct PadInMenu : ::testing::Test, PadGame {
    PadInMenu() {
        h.start();
        play(250);
    }
    // Taps each button in turn and says which button has the focus after each.
    std::vector<const platform::CommandButton*> focusAfter(
        std::initializer_list<SDL_GameControllerButton> buttons,
        std::initializer_list<const platform::CommandButton*> column) {
        std::vector<const platform::CommandButton*> seen;
        for (auto b : buttons) {
            tap(pad, b);
            seen.push_back(nullptr);
            for (const platform::CommandButton* c : column) {
                if (c->widget() == c->window().focusWidget()) {
                    seen.back() = c;
                }
            }
        }
        return seen;
    }
    VirtualPad pad;
};

constexpr auto kUp = SDL_CONTROLLER_BUTTON_DPAD_UP;
constexpr auto kDown = SDL_CONTROLLER_BUTTON_DPAD_DOWN;

TEST_F(PadInMenu, FocusMovesOverTheButtonsShowingItsFrameAndAPressesQuit) {
    tap(pad, SDL_CONTROLLER_BUTTON_START);
    const velmora::frmMenu::Controls& c = h.menu().ui();
    // The window system makes the menu the active window, as a desktop does.
    h.menu().window()->activateWindow();
    QCoreApplication::processEvents();
    const QImage plain = c.cmdContinue.widget()->grab().toImage();
    tap(pad, kDown);  // lands first on the top button
    EXPECT_NE(c.cmdContinue.widget()->grab().toImage(), plain) << "the focus frame shows";
    const auto* cont = &c.cmdContinue;
    const auto* save = &c.cmdSave;
    const auto* quit = &c.cmdQuit;
    // A on Save Game does nothing; the focus goes round; left is not a menu direction.
    EXPECT_EQ(focusAfter({kDown, SDL_CONTROLLER_BUTTON_A, kDown, kDown, kUp,
                          SDL_CONTROLLER_BUTTON_DPAD_LEFT},
                         {cont, save, quit}),
              (std::vector{save, save, quit, cont, quit, quit}));
    EXPECT_TRUE(h.menu().isVisible()) << "Save Game does nothing";

    tap(pad, SDL_CONTROLLER_BUTTON_A);
    EXPECT_TRUE(h.intro().isVisible());
    EXPECT_FALSE(h.map().isLoaded());
    // The title: Up lands first on the bottom button, Exit; A on New Game starts a new game.
    const velmora::frmIntro::Controls& t = h.intro().ui();
    EXPECT_EQ(focusAfter({kUp, kUp, kUp}, {&t.cmdNew, &t.cmdLoad, &t.cmdExit}),
              (std::vector<const platform::CommandButton*>{&t.cmdExit, &t.cmdLoad, &t.cmdNew}));
    tap(pad, SDL_CONTROLLER_BUTTON_A);
    ASSERT_TRUE(h.map().isVisible());
    tap(pad, SDL_CONTROLLER_BUTTON_DPAD_RIGHT);
    EXPECT_EQ(h.map().CharX[1].value(), 16) << "the new game walks";
}

TEST_F(PadInMenu, BAndStartContinueAndTheFocusPassesOverADisabledSaveGame) {
    for (auto cont : {SDL_CONTROLLER_BUTTON_B, SDL_CONTROLLER_BUTTON_START}) {
        tap(pad, SDL_CONTROLLER_BUTTON_START);
        h.clearJournal();
        tap(pad, cont);
        EXPECT_EQ(h.journal(), (std::vector<std::string>{"close Menu", "activate Map"}));
    }
    tap(pad, SDL_CONTROLLER_BUTTON_X);
    tap(pad, SDL_CONTROLLER_BUTTON_START);
    const velmora::frmMenu::Controls& c = h.menu().ui();
    EXPECT_EQ(
        focusAfter({kDown, kDown, kUp}, {&c.cmdContinue, &c.cmdSave, &c.cmdQuit}),
        (std::vector<const platform::CommandButton*>{&c.cmdContinue, &c.cmdQuit, &c.cmdContinue}));
    tap(pad, SDL_CONTROLLER_BUTTON_A);
    EXPECT_FALSE(h.menu().isLoaded());
    EXPECT_TRUE(h.battle().isVisible());
}

}  // namespace
