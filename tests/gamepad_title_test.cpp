// A pad on the title screen with the platform's real file dialog: A on Load Game opens it while
// the title goes on, B cancels it, and A on Exit ends the game.

#include <gtest/gtest.h>

#include <QApplication>
#include <QFileDialog>
#include <QTemporaryDir>
#include <QTimer>

#include "app/velmora.h"
#include "platform/file_dialog.h"
#include "support/open_dialog.h"
#include "support/test_images.h"
#include "support/virtual_pad.h"
#include "title/frm_intro_controls.h"

namespace {

using testing_support::openFileDialog;

// The virtual clock, telling whether one of its ticks is running. On the window system's clock a
// timer does not tick again while its own tick is running: a dialog opened inside the tick that
// looks at the pads would leave B unseen.
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
};

TEST(PadOnTitle, LoadGameDialogOpensWithAAndBCancelsItThenExitEndsTheGame) {
    QTemporaryDir dir;
    const QString folder = dir.filePath(QStringLiteral("my game"));
    testing_support::writeGameAssets(folder);
    platform::SdlGamepad pads;
    WatchedClock watched;
    platform::VirtualClock& clock = watched.clock;
    testing_support::FakeMusic music;
    platform::QtFileDialog fileDialog;
    testing_support::RecordingReporter reporter;
    auto game = std::make_unique<velmora::Velmora>(
        velmora::Services{[] { return platform::Display::ofPixels(1024, 768); }, watched,
                          platform::AssetPaths(folder), music, fileDialog, reporter});
    game->attachGamepad(pads);
    auto play = [&](int ms) {
        for (int t = 0; t < ms; t += 10) {
            clock.advance(10);
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
    game->game.start();
    play(250);
    tap(SDL_CONTROLLER_BUTTON_START);
    tap(SDL_CONTROLLER_BUTTON_DPAD_UP);  // QUIT
    tap(SDL_CONTROLLER_BUTTON_A);
    ASSERT_TRUE(game->intro.isVisible());
    tap(SDL_CONTROLLER_BUTTON_DPAD_DOWN);
    tap(SDL_CONTROLLER_BUTTON_DPAD_DOWN);  // Load Game

    bool opened = false;
    int openedInATick = -1;
    bool stillOpen = false;
    float leftWhileOpen = 0;
    // A timer, not a posted call: it fires in the dialog's own event loop.
    QTimer::singleShot(10, [&] {
        opened = openFileDialog() != nullptr;
        openedInATick = watched.ticking;
        // The pad's other buttons do nothing to the dialog or the title beneath it.
        tap(SDL_CONTROLLER_BUTTON_A);
        tap(SDL_CONTROLLER_BUTTON_DPAD_DOWN);
        stillOpen = openFileDialog() != nullptr;
        leftWhileOpen = game->intro.ui().picBack.left();
        pad.hold(SDL_CONTROLLER_BUTTON_B);
        play(20);  // the dialog's own event loop hands B to the game's pads
    });
    // Whatever happens, the dialog does not stay open.
    bool rescued = false;
    QTimer::singleShot(20000, [&] {
        if (QFileDialog* dialog = openFileDialog()) {
            rescued = true;
            dialog->reject();
        }
    });
    const float leftBefore = game->intro.ui().picBack.left();
    pad.hold(SDL_CONTROLLER_BUTTON_A);
    play(20);
    pad.release(SDL_CONTROLLER_BUTTON_B);
    pad.release(SDL_CONTROLLER_BUTTON_A);

    EXPECT_TRUE(opened);
    EXPECT_EQ(openedInATick, 0) << "the press opened the dialog after the pads' tick returned";
    EXPECT_TRUE(stillOpen);
    EXPECT_FALSE(rescued) << "B cancelled the dialog";
    EXPECT_EQ(openFileDialog(), nullptr);
    EXPECT_LT(leftWhileOpen, leftBefore) << "the title scrolled on while the dialog was open";
    EXPECT_TRUE(game->intro.isVisible());
    EXPECT_EQ(game->intro.window()->focusWidget(), game->intro.ui().cmdLoad.widget());
    play(40);
    tap(SDL_CONTROLLER_BUTTON_DPAD_DOWN);  // Exit
    tap(SDL_CONTROLLER_BUTTON_A);
    EXPECT_TRUE(game->game.flow().ended());
    EXPECT_EQ(game->game.flow().exitCode(), 0);
    EXPECT_TRUE(reporter.messages.empty());
    game.reset();
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
}

}  // namespace
