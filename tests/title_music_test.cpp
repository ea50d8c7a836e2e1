// The title's music watchdog against a recording device: the commands and their order, the
// exact tests of the status reply, the silent retrying, and the end with New Game and Exit.

#include <gtest/gtest.h>

#include "menu/frm_menu_controls.h"
#include "support/harness.h"
#include "title/frm_intro_controls.h"
#include "title/sound.h"

using testing_support::Harness;
using Commands = std::vector<std::string>;

namespace {

// The watchdog's tick when the tune is not playing: close, open, play. The folder goes into the
// open command as it is, blank included, without quotes.
Commands restart(const Harness& h, int ticks = 1) {
    Commands all;
    for (int tick = 0; tick < ticks; ++tick) {
        all.insert(all.end(), {"status backplay mode", "close all",
                               "open " + h.assetFolder().toStdString() +
                                   "\\Music\\Theme.mid type sequencer alias backplay",
                               "play backplay"});
    }
    return all;
}

// Map, Escape, QUIT: the title screen shows; its watchdog has not yet ticked.
void toTitle(Harness& h) {
    h.press(h.map(), Qt::Key_Escape);
    h.click(h.menu().ui().cmdQuit);
    h.music.commands.clear();
}

}  // namespace

TEST(MusicWatchdog, StartsTheThemeAtTheFirstTickAndKeepsItWhileTheReplyBeginsPlayingOrPaused) {
    Harness h;
    h.start();
    toTitle(h);
    h.advance(99);
    EXPECT_TRUE(h.music.commands.empty());
    h.advance(1);
    EXPECT_EQ(h.music.commands, restart(h));
    // The comparisons are exact and case-sensitive.
    const std::pair<const char*, bool> cases[] = {
        {"playing", true},   {"playing and more", true}, {"paused", true},  {"pausedx", true},
        {"Playing", false},  {"PAUSED", false},          {"playin", false}, {"pause", false},
        {" playing", false}, {"stopped", false},         {"", false},       {"xplaying", false},
    };
    for (const auto& [reply, keeps] : cases) {
        h.music.statusReply = reply;
        h.music.commands.clear();
        h.advance(100);
        EXPECT_EQ(h.music.commands, keeps ? Commands{"status backplay mode"} : restart(h))
            << '"' << reply << '"';
    }
    // A device that cannot open the tune answers every status with nothing: the tune is tried
    // again every tick, silently.
    h.music.commands.clear();
    h.advance(300);
    EXPECT_EQ(h.music.commands, restart(h, 3));
    EXPECT_TRUE(h.reporter.messages.empty());
}

TEST(MusicWatchdog, TheStatusReplyComesInA255CharacterBuffer) {
    testing_support::FakeMusic device;
    device.statusReply = "playing";
    EXPECT_EQ(velmora::SendMusicCommand(device, "status backplay mode", 255),
              "playing" + std::string(248, '\0'));
    // A reply too long for the buffer is cut to leave room for its end mark.
    device.statusReply = std::string(300, 'p');
    EXPECT_EQ(velmora::SendMusicCommand(device, "status backplay mode", 255),
              std::string(254, 'p') + '\0');
    EXPECT_EQ(velmora::SendMusicCommand(device, "status backplay mode", 0), "");
}

TEST(MusicWatchdog, NewGameAndExitStopTheMusicAtOnceAndASecondVisitStartsItAgain) {
    for (const bool exit : {false, true}) {
        Harness h;
        h.start();
        toTitle(h);
        h.music.statusReply = "playing";
        h.advance(300);
        h.music.commands.clear();
        h.clearJournal();
        // How many music commands had been sent at each step of the screens.
        std::vector<std::pair<std::string, std::size_t>> steps;
        h.game().flow().setObserver([&](const char* step, const velmora::Form& form) {
            steps.emplace_back(std::string(step) + " " + form.caption().toStdString(),
                               h.music.commands.size());
        });
        h.click(exit ? h.intro().ui().cmdExit : h.intro().ui().cmdNew);
        EXPECT_EQ(h.music.commands, Commands{"close all"});
        if (exit) {
            EXPECT_TRUE(h.ended());
            EXPECT_EQ(h.exitCode(), 0);
            EXPECT_TRUE(steps.empty()) << "no close handler runs";
            EXPECT_FALSE(h.intro().SceneBackground.isNull()) << "nor the title's close request";
        } else {
            EXPECT_EQ(
                steps,
                (decltype(steps){
                    {"load Map", 0}, {"show Map", 0}, {"close Intro", 1}, {"activate Map", 1}}));
            EXPECT_EQ(h.game().modChar.FoeHP[6].value(), 10) << "fresh tables";
        }
        h.advance(1000);
        EXPECT_EQ(h.music.commands, Commands{"close all"}) << "the watchdog ended with the title";
        if (!exit) {
            h.music.statusReply.clear();  // "close all" closed the tune
            toTitle(h);
            h.advance(100);
            EXPECT_EQ(h.music.commands, restart(h));
        }
    }
}
