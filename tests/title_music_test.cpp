// The title's music watchdog against a recording device: the commands and their order, the
// exact tests of the status reply, and the silent retrying.

#include <gtest/gtest.h>

#include "menu/frm_menu_controls.h"
#include "support/harness.h"
#include "title/frm_intro_controls.h"
#include "title/sound.h"

using testing_support::Harness;
using Commands = std::vector<std::string>;

namespace {

void toTitle(Harness& h) {
    h.press(h.map(), Qt::Key_Escape);
    h.click(h.menu().ui().cmdQuit);
}

std::string openCommand(const Harness& h) {
    return "open " + h.assetFolder().toStdString() +
           "\\Music\\Theme.mid type sequencer alias backplay";
}

Commands restart(const Harness& h) {
    return {"status backplay mode", "close all", openCommand(h), "play backplay"};
}

}  // namespace

TEST(MusicWatchdog, StartsTheThemeAtTheFirstTickAfterTheTitleShows) {
    Harness h;
    h.start();
    toTitle(h);
    EXPECT_TRUE(h.music.commands.empty());
    h.advance(99);
    EXPECT_TRUE(h.music.commands.empty());
    h.advance(1);
    EXPECT_EQ(h.music.commands, restart(h));
    // The folder goes into the command as it is, blank included, without quotes.
    EXPECT_NE(openCommand(h).find("/my game\\Music\\Theme.mid type"), std::string::npos);
}

TEST(MusicWatchdog, WhileTheTunePlaysItOnlyAsks) {
    Harness h;
    h.start();
    toTitle(h);
    h.advance(100);
    h.music.commands.clear();
    h.music.statusReply = "playing";
    h.advance(1000);
    EXPECT_EQ(h.music.commands, Commands(10, "status backplay mode"));
    // The tune ends: the next tick starts it again from the beginning.
    h.music.commands.clear();
    h.music.statusReply = "stopped";
    h.advance(100);
    EXPECT_EQ(h.music.commands, restart(h));
}

TEST(MusicWatchdog, OnlyRepliesBeginningExactlyWithPlayingOrPausedKeepTheTune) {
    Harness h;
    h.start();
    toTitle(h);
    struct Case {
        std::string reply;
        bool keeps;
    };
    const Case cases[] = {
        {"playing", true},   {"playing and more", true},
        {"paused", true},    {"pausedx", true},
        {"Playing", false},  {"PAUSED", false},
        {"playin", false},   {"pause", false},
        {" playing", false}, {"stopped", false},
        {"seeking", false},  {"not ready", false},
        {"", false},         {"open", false},
        {"play", false},     {"xplaying", false},
    };
    for (const Case& c : cases) {
        h.music.statusReply = c.reply;
        h.music.commands.clear();
        h.advance(100);
        EXPECT_EQ(h.music.commands, c.keeps ? Commands{"status backplay mode"} : restart(h))
            << '"' << c.reply << '"';
    }
}

TEST(MusicWatchdog, ATuneThatCannotBeOpenedIsTriedAgainEveryTickSilently) {
    Harness h;
    h.start();
    toTitle(h);
    // A device that cannot open the tune answers every status with nothing.
    h.music.statusReply.clear();
    h.advance(500);
    Commands expected;
    for (int tick = 0; tick < 5; ++tick) {
        const Commands one = restart(h);
        expected.insert(expected.end(), one.begin(), one.end());
    }
    EXPECT_EQ(h.music.commands, expected);
    EXPECT_TRUE(h.reporter.messages.empty());
    EXPECT_FALSE(h.ended());
    EXPECT_TRUE(h.intro().isVisible());
}

TEST(MusicWatchdog, TheStatusReplyComesInA255CharacterBuffer) {
    testing_support::FakeMusic device;
    device.statusReply = "playing";
    const std::string buffer = velmora::SendMusicCommand(device, "status backplay mode", 255);
    ASSERT_EQ(buffer.size(), 255u);
    EXPECT_EQ(buffer.substr(0, 7), "playing");
    EXPECT_EQ(buffer.find_first_not_of('\0', 7), std::string::npos);
    // A reply too long for the buffer is cut to leave room for its end mark.
    device.statusReply = std::string(300, 'p');
    const std::string cut = velmora::SendMusicCommand(device, "status backplay mode", 255);
    EXPECT_EQ(cut, std::string(254, 'p') + '\0');
    EXPECT_EQ(velmora::SendMusicCommand(device, "status backplay mode", 0), "");
}

TEST(MusicWatchdog, NewGameStopsTheMusicBeforeTheMapShowsAndNothingPlaysAfter) {
    Harness h;
    h.start();
    toTitle(h);
    h.music.statusReply = "playing";
    h.advance(300);
    h.music.commands.clear();
    // Which music commands had been sent when the map came up.
    std::vector<std::pair<std::string, std::size_t>> steps;
    h.game().flow().setObserver([&](const char* step, const velmora::Form& form) {
        steps.emplace_back(std::string(step) + " " + form.caption().toStdString(),
                           h.music.commands.size());
    });
    h.click(h.intro().ui().cmdNew);
    using Steps = std::vector<std::pair<std::string, std::size_t>>;
    EXPECT_EQ(steps,
              (Steps{{"load Map", 0}, {"show Map", 0}, {"close Intro", 1}, {"activate Map", 1}}));
    EXPECT_EQ(h.music.commands, Commands{"close all"});
    EXPECT_EQ(h.game().modChar.FoeHP[6].value(), 10) << "fresh tables";
    h.advance(1000);
    EXPECT_EQ(h.music.commands, Commands{"close all"}) << "the watchdog ended with the title";
}

TEST(MusicWatchdog, ASecondVisitStartsTheTuneAgain) {
    Harness h;
    h.start();
    toTitle(h);
    h.advance(100);
    h.music.statusReply = "playing";
    h.click(h.intro().ui().cmdNew);
    h.music.statusReply.clear();  // "close all" closed the tune
    h.music.commands.clear();
    toTitle(h);
    h.advance(100);
    EXPECT_EQ(h.music.commands, restart(h));
}

TEST(MusicWatchdog, ExitStopsTheMusicAndEndsAtOnceWithStatusZero) {
    Harness h;
    h.start();
    toTitle(h);
    h.music.statusReply = "playing";
    h.advance(200);
    h.music.commands.clear();
    h.clearJournal();
    h.click(h.intro().ui().cmdExit);
    EXPECT_EQ(h.music.commands, Commands{"close all"});
    EXPECT_TRUE(h.ended());
    EXPECT_EQ(h.exitCode(), 0);
    EXPECT_TRUE(h.journal().empty()) << "no close handler runs";
    EXPECT_FALSE(h.intro().SceneBackground.isNull()) << "the title's close request did not run";
    h.advance(1000);
    EXPECT_EQ(h.music.commands, Commands{"close all"});
}
