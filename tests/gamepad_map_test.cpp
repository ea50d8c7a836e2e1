// A pad on the map: every button the map uses, the stick's dead zone, a held direction repeating
// like a held key, and a pad unplugged in the middle of a walk.
#include <gtest/gtest.h>

#include <vector>

#include "map/frm_map_controls.h"
#include "support/virtual_pad.h"

using testing_support::PadGame;
using testing_support::VirtualPad;

namespace {

struct PadOnMap : ::testing::Test, PadGame {
    PadOnMap() {
        h.start();
        play(250);  // the game has seen the pad
    }
    int x() { return h.map().CharX[1].value(); }
    int y() { return h.map().CharY[1].value(); }
    int sprite() { return h.game().modChar.PartySprite[1].value(); }

    // The moments at which the leader took a step, while `ms` pass.
    std::vector<std::int64_t> stepTimes(int ms) {
        std::vector<std::int64_t> at;
        for (int last = x(), elapsed = 0; elapsed < ms; elapsed += 10, last = x()) {
            play(10);
            if (x() != last) {
                at.push_back(h.clock.now());
            }
        }
        return at;
    }

    VirtualPad pad;
};

TEST_F(PadOnMap, EachButtonActsAsItsKeyOnTheMap) {
    tap(pad, SDL_CONTROLLER_BUTTON_DPAD_RIGHT);
    EXPECT_EQ(h.map().CharSrcY[1].value(), 32) << "facing right";
    tap(pad, SDL_CONTROLLER_BUTTON_DPAD_DOWN);
    EXPECT_EQ(std::pair(x(), y()), std::pair(16, 16));
    tap(pad, SDL_CONTROLLER_BUTTON_DPAD_LEFT);
    tap(pad, SDL_CONTROLLER_BUTTON_DPAD_UP);
    EXPECT_EQ(std::pair(x(), y()), std::pair(0, 0));
    // The stick walks once it leans past its dead zone, along the axis it leans furthest.
    pad.stick(9000, 6000);
    play(100);
    pad.stick(20000, 30000);
    play(40);
    pad.stick(0, 0);
    play(40);
    EXPECT_EQ(std::pair(x(), y()), std::pair(0, 16));

    tap(pad, SDL_CONTROLLER_BUTTON_LEFTSHOULDER);  // Page Up
    EXPECT_EQ(h.map().ui().txtChar.text(), QStringLiteral("1"));
    tap(pad, SDL_CONTROLLER_BUTTON_RIGHTSHOULDER);  // Page Down
    EXPECT_EQ(sprite(), 0);
    // Buttons the map does not use change nothing.
    for (auto unused :
         {SDL_CONTROLLER_BUTTON_A, SDL_CONTROLLER_BUTTON_B, SDL_CONTROLLER_BUTTON_BACK,
          SDL_CONTROLLER_BUTTON_GUIDE, SDL_CONTROLLER_BUTTON_LEFTSTICK}) {
        tap(pad, unused);
    }
    EXPECT_EQ(std::pair(x(), y()), std::pair(0, 16));
    EXPECT_EQ(h.journal().back(), "activate Map");

    tap(pad, SDL_CONTROLLER_BUTTON_Y);  // Text Test
    EXPECT_TRUE(h.map().ui().picText.isVisible());
    tap(pad, SDL_CONTROLLER_BUTTON_START);  // Escape
    EXPECT_TRUE(h.menu().isVisible());
    tap(pad, SDL_CONTROLLER_BUTTON_START);  // and Start again continues
    EXPECT_FALSE(h.menu().isLoaded());
    tap(pad, SDL_CONTROLLER_BUTTON_X);  // Battle Test
    EXPECT_TRUE(h.battle().isVisible());
}

TEST_F(PadOnMap, AHeldDirectionRepeatsLikeAHeldKeyUntilLetGoOrUnplugged) {
    EXPECT_EQ(h.velmora().gamepadPumpInterval(), 20) << "a pad is connected: looked at often";
    pad.stick(32767, 0);
    const std::vector<std::int64_t> held = stepTimes(600);
    pad.stick(0, 0);
    // The first repeat 400 ms after the press, then 25 a second.
    ASSERT_EQ(held.size(), 6u);
    const std::vector<std::int64_t> gaps{400, 40, 40, 40, 40};
    for (std::size_t i = 0; i + 1 < held.size(); ++i) {
        EXPECT_EQ(held[i + 1] - held[i], gaps[i]) << "step " << i + 1;
    }
    EXPECT_LE(stepTimes(500).size(), 1u) << "let go: no more steps";

    // Held on the D-pad while another button is pressed and let go, then the cable comes out.
    pad.hold(SDL_CONTROLLER_BUTTON_DPAD_RIGHT);
    tap(pad, SDL_CONTROLLER_BUTTON_A);
    EXPECT_EQ(stepTimes(440).size(), 2u) << "the direction repeats on";
    pad.unplug();
    const int where = x();
    play(1000);
    EXPECT_EQ(x(), where) << "the repeat stopped with the pad gone";
    EXPECT_EQ(h.velmora().gamepadPumpInterval(), 250) << "no pad: looked at seldom again";

    VirtualPad again;
    play(250);
    tap(again, SDL_CONTROLLER_BUTTON_DPAD_RIGHT);
    EXPECT_EQ(x(), where + 16) << "plugged in again, the pad walks";
}

TEST(PadOnMapWithoutPads, NoDeviceNoTimerAndNoPadOnlyASlowLook) {
    testing_support::Harness h;
    platform::NoGamepad none;
    h.velmora().attachGamepad(none);
    h.start();
    h.advance(100);
    EXPECT_EQ(h.velmora().gamepadPumpInterval(), 0);
    EXPECT_EQ(h.clock.runningTimers(), 0) << "the idle map runs no timer at all";

    PadGame game;
    game.h.start();
    game.play(100);
    EXPECT_EQ(game.h.velmora().gamepadPumpInterval(), 250);
    EXPECT_EQ(game.h.clock.runningTimers(), 1);
}

}  // namespace
