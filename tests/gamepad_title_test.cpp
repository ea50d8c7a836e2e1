// A pad on the title with the real file dialog: A on Load Game opens it while the title goes on,
// B cancels it, and A on Exit ends the game.

#include <gtest/gtest.h>

#include <QApplication>
#include <QFileDialog>
#include <QTimer>

#include "platform/widgets/file_dialog.h"
#include "support/virtual_pad.h"
#include "title/frm_intro_controls.h"

namespace {

// The platform's file dialog while it is open on the screen, or null.
QFileDialog* openFileDialog() {
    return qobject_cast<QFileDialog*>(QApplication::activeModalWidget());
}

}  // namespace

TEST(PadOnTitle, TheDialogsFilterReadsAsItsDescriptionWithThePatternsOnlyWhenMissing) {
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
    platform::SdlGamepad pads;
    testing_support::Harness h(1024, 768, 15, &watched, &fileDialog);
    h.music.statusReply = "playing";
    h.velmora().attachGamepad(pads);
    auto& intro = h.intro();
    auto play = [&](int ms) {
        for (int t = 0; t < ms; t += 10) {
            watched.clock.advance(10);
            QCoreApplication::sendPostedEvents(nullptr, QEvent::MetaCall);
        }
    };
    testing_support::VirtualPad pad;
    auto tap = [&](SDL_GameControllerButton button) {
        pad.hold(button);
        play(20);
        pad.release(button);
        play(20);
    };
    h.game().start();
    play(250);
    for (auto button : {SDL_CONTROLLER_BUTTON_START, SDL_CONTROLLER_BUTTON_DPAD_UP,  // QUIT
                        SDL_CONTROLLER_BUTTON_A, SDL_CONTROLLER_BUTTON_DPAD_DOWN,
                        SDL_CONTROLLER_BUTTON_DPAD_DOWN}) {  // Load Game
        tap(button);
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
        tap(SDL_CONTROLLER_BUTTON_A);
        tap(SDL_CONTROLLER_BUTTON_DPAD_DOWN);
        play(100);
        EXPECT_EQ(openFileDialog(), dialog);
        EXPECT_LT(intro.ui().picBack.left(), leftBefore);
        EXPECT_GE(h.music.commands.size(), 1u);
        pad.hold(SDL_CONTROLLER_BUTTON_B);
        play(20);  // the dialog's own event loop hands B to the game's pads
    });
    // Whatever happens, the dialog does not stay open.
    QTimer::singleShot(20000, [&] {
        if (QFileDialog* open = openFileDialog()) {
            ADD_FAILURE() << "B did not cancel the dialog";
            open->reject();
        }
    });
    pad.hold(SDL_CONTROLLER_BUTTON_A);
    play(20);
    pad.release(SDL_CONTROLLER_BUTTON_B);
    pad.release(SDL_CONTROLLER_BUTTON_A);

    EXPECT_EQ(intro.window()->focusWidget(), intro.ui().cmdLoad.widget());
    play(40);
    tap(SDL_CONTROLLER_BUTTON_DPAD_DOWN);  // Exit
    tap(SDL_CONTROLLER_BUTTON_A);
    EXPECT_TRUE(h.ended());
    EXPECT_TRUE(h.reporter.messages.empty());
}
