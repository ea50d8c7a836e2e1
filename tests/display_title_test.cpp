// The title screen on the displays players have. Wherever the window is, the canvas covers it at
// every tick; a display no wider than three heights keeps the canvas and the scene length it
// always had, and a wider one scrolls a scene as long as a 16:9 display of the same height,
// over the landscape repeated at its own proportions.

#include <gtest/gtest.h>

#include <cmath>

#include "platform/display.h"
#include "support/title_scene.h"

namespace {

struct Screen {
    int width;
    int height;
    double dpi;
};

// Ticks from a scene's start to the next: the canvas moves 100 twips a tick and the scene
// changes once its right edge is inside the window.
int ticksPerScene(double canvasTwips, double windowTwips) {
    return static_cast<int>(std::floor((canvasTwips - windowTwips) / 100)) + 1;
}

class DisplayTitle : public ::testing::TestWithParam<Screen> {};

}  // namespace

TEST_P(DisplayTitle, TheCanvasCoversTheWindowAndAScenesLengthFollowsTheHeight) {
    const Screen s = GetParam();
    const float tpp =
        platform::Display::ofScreen(QSize(s.width, s.height), s.dpi, s.dpi).twipsPerPixelY;
    const auto h = testing_support::titleOn(s.width, s.height, tpp);
    const velmora::frmIntro& intro = h->intro();
    auto& back = intro.ui().picBack;
    const bool wide = s.width > 3 * s.height;
    // A 16:9 display of the same height scrolls 3 - 16/9 heights.
    const int expected = ticksPerScene(
        3.0 * s.height * tpp, (wide ? s.height * 16 / 9 : s.width) * static_cast<double>(tpp));
    if (!wide) {
        EXPECT_EQ(back.widget()->width(), 3 * s.height) << "the canvas of every other display";
    }
    int ticks = 0;
    int scene = intro.SceneIndex.value();
    std::vector<int> lengths;
    while (lengths.size() < 2 && ticks < 2000) {
        h->advance(100);
        ++ticks;
        const QRect canvas = back.widget()->geometry();
        ASSERT_LE(canvas.left(), 0) << "tick " << ticks;
        ASSERT_GE(canvas.right(), s.width - 1) << "tick " << ticks << ": a band at the right";
        // The window's right edge, on the bottom row, where neither the title nor the figure is.
        const QRgb edge = back.surface().pixel(s.width - 1 - canvas.left(), s.height - 1);
        ASSERT_GE(testing_support::sceneOf(edge), 0) << "tick " << ticks << ": no landscape there";
        if (intro.SceneIndex.value() != scene) {
            scene = intro.SceneIndex.value();
            lengths.push_back(std::exchange(ticks, 0));
            if (wide) {
                // The next tick draws the new scene: its repeats join the first stretch, which
                // keeps the landscape's proportions.
                h->advance(100);
                ++ticks;
                const platform::Surface& pixels = back.surface();
                for (int x = 3 * s.height; x < pixels.width(); ++x) {
                    ASSERT_EQ(pixels.pixel(x, s.height - 1),
                              pixels.pixel(x - 3 * s.height, s.height - 1))
                        << "column " << x;
                }
            }
        }
    }
    EXPECT_EQ(lengths, (std::vector<int>{expected, expected}))
        << s.width << "x" << s.height << " at " << s.dpi << " DPI";
}

INSTANTIATE_TEST_SUITE_P(Screens, DisplayTitle,
                         ::testing::Values(Screen{1024, 670, 96}, Screen{1366, 768, 96},
                                           Screen{2560, 1080, 96}, Screen{3840, 1080, 96},
                                           Screen{5120, 1440, 96}, Screen{5760, 1080, 96},
                                           Screen{3840, 1080, 192}, Screen{3840, 1080, 110},
                                           Screen{1024, 768, 192}, Screen{1024, 768, 110}),
                         [](const ::testing::TestParamInfo<Screen>& info) {
                             return std::to_string(info.param.width) + "x" +
                                    std::to_string(info.param.height) + "at" +
                                    std::to_string(static_cast<int>(info.param.dpi)) + "dpi";
                         });
