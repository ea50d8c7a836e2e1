// A pad on the map, in battle, in the menus, and on the title with the real file dialog.
#include <gtest/gtest.h>

#include <QApplication>
#include <QFileDialog>
#include <QTimer>

#include "battle/frm_battle_controls.h"
#include "map/frm_map_controls.h"
#include "menu/frm_menu_controls.h"
#include "platform/widgets/file_dialog.h"
#include "support/virtual_pad.h"
#include "title/frm_intro_controls.h"

using testing_support::VirtualPad;
using Button = const platform::CommandButton*;

namespace {

constexpr auto kUp = SDL_CONTROLLER_BUTTON_DPAD_UP;
constexpr auto kDown = SDL_CONTROLLER_BUTTON_DPAD_DOWN;
constexpr auto kRight = SDL_CONTROLLER_BUTTON_DPAD_RIGHT;
constexpr auto kA = SDL_CONTROLLER_BUTTON_A;
constexpr auto kStart = SDL_CONTROLLER_BUTTON_START;

struct Pad : ::testing::Test, testing_support::PadGame {
    Pad() {
        h.start();
        play(250);  // the game has seen the pad
    }
    std::pair<int, int> at() { return {h.map().CharX[1].value(), h.map().CharY[1].value()}; }
    // For each step the leader took while `ms` pass, the time since the one before (or the call).
    std::vector<std::int64_t> stepGaps(int ms) {
        std::vector<std::int64_t> gaps;
        std::int64_t since = h.clock.now();
        for (auto last = at(); ms > 0; ms -= 10, last = at()) {
            play(10);
            if (at() != last) {
                gaps.push_back(h.clock.now() - since);
                since = h.clock.now();
            }
        }
        return gaps;
    }
    // Taps each button in turn; which of `column` has the focus after each.
    std::vector<Button> focusAfter(std::initializer_list<SDL_GameControllerButton> taps,
                                   std::initializer_list<Button> column) {
        std::vector<Button> seen;
        for (auto b : taps) {
            tap(pad, b);
            const auto focused = std::find_if(column.begin(), column.end(), [](Button c) {
                return c->widget() == c->window().focusWidget();
            });
            seen.push_back(focused == column.end() ? nullptr : *focused);
        }
        return seen;
    }
    VirtualPad pad;
};

QFileDialog* openFileDialog() {
    return qobject_cast<QFileDialog*>(QApplication::activeModalWidget());
}

TEST_F(Pad, EachButtonActsAsItsKeyOnTheMapAndInBattle) {
    for (auto button : {kRight, kDown, SDL_CONTROLLER_BUTTON_DPAD_LEFT}) {
        tap(pad, button);
    }
    EXPECT_EQ(at(), std::pair(0, 16));
    tap(pad, kUp);
    // The stick walks once it leans past its dead zone, along the axis it leans furthest.
    for (auto [x, y] : {std::pair{9000, 6000}, {20000, 30000}, {0, 0}}) {
        pad.stick(x, y);
        play(50);
    }
    EXPECT_EQ(at(), std::pair(0, 16));
    // Page Up and Page Down; then buttons the map does not use, which change nothing.
    for (auto b : {SDL_CONTROLLER_BUTTON_LEFTSHOULDER, SDL_CONTROLLER_BUTTON_LEFTSHOULDER,
                   SDL_CONTROLLER_BUTTON_RIGHTSHOULDER, kA, SDL_CONTROLLER_BUTTON_B,
                   SDL_CONTROLLER_BUTTON_BACK, SDL_CONTROLLER_BUTTON_GUIDE}) {
        tap(pad, b);
    }
    EXPECT_EQ(h.map().ui().txtChar.text(), QStringLiteral("1"));
    EXPECT_EQ(at(), std::pair(0, 16));
    EXPECT_EQ(h.journal().back(), "activate Map");
    tap(pad, SDL_CONTROLLER_BUTTON_Y);  // Text Test
    EXPECT_TRUE(h.map().ui().picText.isVisible());
    tap(pad, kStart);  // Escape
    EXPECT_TRUE(h.menu().isVisible());
    tap(pad, kStart);  // and Start again continues
    EXPECT_FALSE(h.menu().isLoaded());
    tap(pad, SDL_CONTROLLER_BUTTON_X);  // Battle Test
    EXPECT_TRUE(h.battle().isVisible());
    // In battle the D-pad and the stick are the arrow keys, A is Space, B is Ctrl (the target
    // choice ends, its arrow stays) and Start is Escape.
    const velmora::frmBattle& b = h.battle();
    auto target = [&] { return b.ui().tmrTarget.interval() == 0 ? 0 : b.PartyTarget[1].value(); };
    tap(pad, kRight);
    EXPECT_EQ(b.ActiveMember.value(), 2);
    pad.stick(-32768, 0);  // to the left
    play(40);
    EXPECT_EQ(b.ActiveMember.value(), 1);
    pad.stick(0, 0);
    tap(pad, kA);
    tap(pad, kDown);
    EXPECT_EQ(target(), 2);
    play(100);
    tap(pad, SDL_CONTROLLER_BUTTON_B);
    EXPECT_EQ(target(), 0);
    EXPECT_TRUE(b.ui().imgTarget.isVisible());
    for (auto button : {kA, kDown, kA}) {  // the attack on foe 2
        tap(pad, button);
    }
    play(400);
    EXPECT_EQ(h.game().modChar.FoeHP[2].value(), 7);
    tap(pad, kStart);
    EXPECT_TRUE(h.menu().isVisible());
}

TEST_F(Pad, AHeldDirectionRepeatsLikeAHeldKeyUntilLetGoOrUnplugged) {
    EXPECT_EQ(h.velmora().gamepadPumpInterval(), 20) << "a pad is connected: looked at often";
    pad.stick(32767, 0);
    // A step at the next look at the pad, the first repeat 400 ms later, then 25 a second.
    EXPECT_EQ(stepGaps(600), (std::vector<std::int64_t>{20, 400, 40, 40, 40, 40}));
    pad.stick(0, 0);
    EXPECT_LE(stepGaps(500).size(), 1u) << "let go: no more steps";
    // Held on the D-pad while another button is pressed and let go, then the cable comes out.
    pad.hold(kRight);
    tap(pad, kA);
    EXPECT_EQ(stepGaps(440).size(), 2u) << "the direction repeats on";
    pad.unplug();
    const auto where = at();
    play(1000);
    EXPECT_EQ(at(), where) << "the repeat stopped with the pad gone";
    EXPECT_EQ(h.velmora().gamepadPumpInterval(), 250) << "no pad: looked at seldom again";
    VirtualPad again;
    play(250);
    tap(again, kRight);
    EXPECT_EQ(at().first, where.first + 16) << "plugged in again, the pad walks";
}

TEST_F(Pad, InTheMenuTheFocusMovesOverTheEnabledButtonsWithItsFrameShowing) {
    for (auto cont : {SDL_CONTROLLER_BUTTON_B, kStart}) {  // both continue
        tap(pad, kStart);
        h.clearJournal();
        tap(pad, cont);
        EXPECT_EQ(h.journal(), (std::vector<std::string>{"close Menu", "activate Map"}));
    }
    tap(pad, kStart);
    const auto& c = h.menu().ui();
    h.menu().window()->activateWindow();  // as a desktop does
    QCoreApplication::processEvents();
    const QImage plain = c.cmdContinue.widget()->grab().toImage();
    // Down lands first on the top button; A on Save Game does nothing; the focus goes round.
    EXPECT_EQ(focusAfter({kDown, kDown, kA, kDown, kDown, kUp, SDL_CONTROLLER_BUTTON_DPAD_LEFT},
                         {&c.cmdContinue, &c.cmdSave, &c.cmdQuit}),
              (std::vector<Button>{&c.cmdContinue, &c.cmdSave, &c.cmdSave, &c.cmdQuit,
                                   &c.cmdContinue, &c.cmdQuit, &c.cmdQuit}));
    EXPECT_EQ(c.cmdContinue.widget()->grab().toImage(), plain);
    tap(pad, kDown);
    EXPECT_NE(c.cmdContinue.widget()->grab().toImage(), plain) << "the focus frame shows";
    tap(pad, kUp);
    tap(pad, kA);  // QUIT
    // The title: Up lands first on the bottom button; A on New Game starts a new game.
    const auto& t = h.intro().ui();
    EXPECT_EQ(focusAfter({kUp, kUp, kUp}, {&t.cmdNew, &t.cmdLoad, &t.cmdExit}),
              (std::vector<Button>{&t.cmdExit, &t.cmdLoad, &t.cmdNew}));
    tap(pad, kA);
    tap(pad, kRight);
    EXPECT_EQ(at(), std::pair(16, 0)) << "the new game walks";
    // In battle the focus passes over the disabled Save Game.
    tap(pad, SDL_CONTROLLER_BUTTON_X);
    tap(pad, kStart);
    const auto& b = h.menu().ui();
    EXPECT_EQ(focusAfter({kDown, kDown, kUp}, {&b.cmdContinue, &b.cmdSave, &b.cmdQuit}),
              (std::vector<Button>{&b.cmdContinue, &b.cmdQuit, &b.cmdContinue}));
    tap(pad, kA);
    EXPECT_TRUE(h.battle().isVisible());
    EXPECT_FALSE(h.menu().isLoaded());
}

TEST(FileDialog, TheFilterReadsAsItsDescriptionWithThePatternsOnlyWhenMissing) {
    for (const auto& [filter, shown] :
         {std::pair{"Saved Games (*.sav)|*.sav", "Saved Games (*.sav)"},
          std::pair{"Pictures|*.bmp;*.gif", "Pictures (*.bmp *.gif)"},
          std::pair{"Saved Games (*.sav)|*.sav|All|*.*", "Saved Games (*.sav);;All (*.*)"},
          // Parentheses naming other patterns stay in the text; the real patterns follow.
          std::pair{"Text (*.txt)|*.txt;*.log", "Text (*.txt) (*.txt *.log)"}}) {
        EXPECT_EQ(platform::toQtFilter(QString::fromLatin1(filter)), QString::fromLatin1(shown));
    }
}

TEST(PadOnTitle, LoadGameDialogOpensWithAAndBCancelsItThenExitEndsTheGame) {
    // The virtual clock, telling whether one of its ticks is running. On the window system's
    // clock a timer does not tick again while its own tick runs: a dialog opened inside the
    // tick that looks at the pads would leave B unseen.
    struct WatchedClock final : platform::Clock {
        std::unique_ptr<platform::TimerBackend> createTimer(std::function<void()> onTick) override {
            return clock.createTimer([this, onTick] {
                ++ticking;
                onTick();
                --ticking;
            });
        }
        platform::VirtualClock clock;
        int ticking = 0;
    } watched;
    platform::QtFileDialog fileDialog;
    testing_support::PadGame g(&watched.clock, &watched, &fileDialog);
    auto& h = g.h;
    h.music.statusReply = "playing";
    auto& intro = h.intro();
    VirtualPad pad;
    h.game().start();
    g.play(250);
    for (auto button : {kStart, kUp, kA, kDown, kDown}) {  // QUIT, then to Load Game
        g.tap(pad, button);
    }
    const float leftBefore = intro.ui().picBack.left();
    // A timer, not a posted call: it fires in the dialog's own event loop.
    QTimer::singleShot(10, [&] {
        QFileDialog* dialog = openFileDialog();
        ASSERT_NE(dialog, nullptr);
        EXPECT_EQ(watched.ticking, 0) << "the press opened the dialog after the pads' tick";
        EXPECT_EQ(dialog->nameFilters() << dialog->windowTitle(),
                  (QStringList{"Saved Games (*.sav)", "Open Saved Game File"}));
        h.music.commands.clear();
        // The pad's other buttons do nothing to the dialog or the title beneath it, which goes
        // on scrolling and asking after its music.
        g.tap(pad, kA);
        g.tap(pad, kDown);
        g.play(100);
        EXPECT_EQ(openFileDialog(), dialog);
        EXPECT_LT(intro.ui().picBack.left(), leftBefore);
        EXPECT_GE(h.music.commands.size(), 1u);
        pad.hold(SDL_CONTROLLER_BUTTON_B);
        g.play(20);  // the dialog's own event loop hands B to the game's pads
    });
    // Whatever happens, the dialog does not stay open.
    QTimer::singleShot(20000, [&] {
        if (QFileDialog* open = openFileDialog()) {
            ADD_FAILURE() << "B did not cancel the dialog";
            open->reject();
        }
    });
    pad.hold(kA);
    g.play(20);
    pad.release(SDL_CONTROLLER_BUTTON_B);
    pad.release(kA);

    EXPECT_EQ(intro.window()->focusWidget(), intro.ui().cmdLoad.widget());
    g.play(40);
    g.tap(pad, kDown);  // Exit
    g.tap(pad, kA);
    EXPECT_TRUE(h.ended());
    EXPECT_TRUE(h.reporter.messages.empty());
}

}  // namespace
