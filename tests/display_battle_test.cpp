// The battle on the displays players have: odd sizes, ultra-wide ones, and desktops whose DPI is
// not 96. The command cursor's ticks and the others turn twips into pixels differently; on none
// of these displays may that make a line of a panel flash while a target is chosen, during an
// attack or during the hit flash.

#include <gtest/gtest.h>

#include "platform/display.h"
#include "support/battle_support.h"

using namespace testing_support;

namespace {

struct Screen {
    int width;
    int height;
    double dpi;  // the desktop's: 96 is 15 twips per pixel, 110 is 13, 192 is 7
};

class DisplayBattle : public ::testing::TestWithParam<Screen> {};

}  // namespace

TEST_P(DisplayBattle, ThePanelsShowTheSameFieldAtEveryTick) {
    const Screen s = GetParam();
    Harness h(s.width, s.height,
              platform::Display::ofScreen(QSize(s.width, s.height), s.dpi, s.dpi).twipsPerPixelY);
    writeBattlefield(h.assetFolder(), 256, 192);
    openBattle(h);
    const auto& c = h.battle().ui();
    const platform::PictureBox* const panels[] = {&c.picBar, &c.picSelect, &c.picTarget};
    h.advance(50);  // the first repaint
    std::vector<QImage> first;
    for (const platform::PictureBox* panel : panels) {
        first.push_back(pixelsOf(*panel));
    }
    // Space, then each 25 ms fires a tick of the command cursor or of the target cursor; Down,
    // then Space for the attack and its hit flash.
    playScript(
        "75 S 150 D 100 S 400", [&](int key) { pressInBattle(h, key); },
        [&](int ms) {
            for (int t = 0; t < ms; t += 25) {
                h.advance(25);
                for (std::size_t i = 0; i < std::size(panels); ++i) {
                    EXPECT_TRUE(samePixels(pixelsOf(*panels[i]), first[i]))
                        << s.width << "x" << s.height << " at " << s.dpi << " DPI, panel " << i;
                }
            }
        });
    EXPECT_EQ(c.tmrSelect.interval(), 50) << "the flash has ended";
}

INSTANTIATE_TEST_SUITE_P(Screens, DisplayBattle,
                         ::testing::Values(Screen{1024, 670, 96}, Screen{1366, 768, 96},
                                           Screen{1024, 768, 192}, Screen{1024, 768, 110}),
                         [](const ::testing::TestParamInfo<Screen>& info) {
                             return std::to_string(info.param.width) + "x" +
                                    std::to_string(info.param.height) + "at" +
                                    std::to_string(static_cast<int>(info.param.dpi)) + "dpi";
                         });
