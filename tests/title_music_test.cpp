// The title's music watchdog against a recording device: the commands and their order, the
// exact tests of the status reply, the silent retrying, and the end with New Game and Exit.

#include <gtest/gtest.h>

#include "menu/frm_menu_controls.h"
#include "support/harness.h"
#include "title/frm_intro_controls.h"

using Commands = std::vector<std::string>;

namespace {

// A game gone from the map to the title screen (Escape, QUIT), whose watchdog has not yet ticked.
struct AtTheTitle : testing_support::Harness {
    AtTheTitle() {
        start();
        toTitle();
    }
    void toTitle() {
        press(map(), Qt::Key_Escape);
        click(menu().ui().cmdQuit);
        music.commands.clear();
    }
    // The watchdog's tick when the tune is not playing: close, open, play. The folder goes into
    // the open command as it is, blank included, without quotes.
    Commands restart() const {
        return {"status backplay mode", "close all",
                "open " + assetFolder().toStdString() +
                    "\\Music\\Theme.mid type sequencer alias backplay",
                "play backplay"};
    }
};

}  // namespace

TEST(MusicWatchdog, StartsTheThemeAtTheFirstTickAndKeepsItWhileTheReplyBeginsPlayingOrPaused) {
    AtTheTitle h;
    h.advance(99);
    EXPECT_TRUE(h.music.commands.empty());
    h.advance(1);
    EXPECT_EQ(h.music.commands, h.restart());
    // The comparisons are exact and case-sensitive; the reply comes in a buffer of 255 characters.
    const std::pair<std::string, bool> cases[] = {
        {"playing", true},  {"playing and more", true}, {"paused", true},
        {"pausedx", true},  {"Playing", false},         {"PAUSED", false},
        {"playin", false},  {"pause", false},           {" playing", false},
        {"stopped", false}, {"xplaying", false},        {"playing" + std::string(300, 'x'), true},
        {"", false},
    };
    for (const auto& [reply, keeps] : cases) {
        h.music.statusReply = reply;
        h.music.commands.clear();
        h.advance(100);
        EXPECT_EQ(h.music.commands, keeps ? Commands{"status backplay mode"} : h.restart())
            << '"' << reply << '"';
    }
    EXPECT_TRUE(h.reporter.messages.empty()) << "a tune that cannot be opened is retried silently";
}

// New Game and Exit close the music at once (New Game before the title closes); the watchdog
// goes with the title, and the next visit starts the theme again.
TEST(MusicWatchdog, NewGameAndExitStopTheMusicAtOnceAndASecondVisitStartsItAgain) {
    for (const bool exit : {false, true}) {
        AtTheTitle h;
        h.music.statusReply = "playing";
        h.advance(300);
        h.music.commands.clear();
        // How many music commands had been sent at each step of the screens.
        std::vector<std::pair<std::string, std::size_t>> steps;
        h.game().flow().setObserver([&](const char* step, const velmora::Form& form) {
            steps.emplace_back(std::string(step) + " " + form.caption().toStdString(),
                               h.music.commands.size());
        });
        h.click(exit ? h.intro().ui().cmdExit : h.intro().ui().cmdNew);
        EXPECT_EQ(h.music.commands, Commands{"close all"});
        h.advance(1000);
        EXPECT_EQ(h.music.commands, Commands{"close all"}) << "the watchdog ended with the title";
        if (exit) {
            EXPECT_FALSE(h.intro().SceneBackground.isNull()) << "the title's close did not run";
            continue;
        }
        EXPECT_EQ(steps,
                  (decltype(steps){
                      {"load Map", 0}, {"show Map", 0}, {"close Intro", 1}, {"activate Map", 1}}));
        h.music.statusReply.clear();  // "close all" closed the tune
        h.toTitle();
        h.advance(100);
        EXPECT_EQ(h.music.commands, h.restart());
    }
}
