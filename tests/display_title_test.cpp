// The title screen on the displays players have. Wherever the window is, the canvas covers it at
// every tick; a display no wider than three heights keeps the canvas and the scene length it
// always had, and a wider one scrolls a scene as long as a 16:9 display of the same height,
// over the landscape repeated at its own proportions.

#include <gtest/gtest.h>

#include <cmath>

#include "map/frm_map_controls.h"
#include "menu/frm_menu_controls.h"
#include "platform/display.h"
#include "support/harness.h"
#include "support/test_images.h"
#include "title/frm_intro_controls.h"

using testing_support::Harness;

namespace {

struct Screen {
    int width;
    int height;
    double dpi;
};

// Each landscape in colours of its own, in a pattern that shows where a pixel came from.
QRgb sceneColour(int scene, int index) {
    return qRgb(30 + scene * 70, 25 + index * 55, 210 - scene * 60);
}

int sceneOf(QRgb pixel) {
    for (int scene = 0; scene < 3; ++scene) {
        for (int i = 0; i < 4; ++i) {
            if ((sceneColour(scene, i) & 0xFFFFFF) == pixel) {
                return scene;
            }
        }
    }
    return -1;
}

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
    Harness h(s.width, s.height, tpp);
    const char* names[] = {"hills", "plains", "forest"};
    for (int scene = 0; scene < 3; ++scene) {
        QVector<QRgb> palette;
        for (int i = 0; i < 4; ++i) {
            palette << sceneColour(scene, i);
        }
        testing_support::writeGif(
            h.assetFolder() + QStringLiteral("/Background/%1.gif").arg(QLatin1String(names[scene])),
            testing_support::indexedImage(96, 32, palette,
                                          [](int x, int y) { return (x / 5 + y / 3) % 4; }));
    }
    h.start();
    h.press(h.map(), Qt::Key_Escape);
    h.click(h.menu().ui().cmdQuit);

    const velmora::frmIntro& intro = h.intro();
    auto& back = intro.ui().picBack;
    const double height = s.height * tpp;
    const double width = s.width * tpp;
    const bool wide = s.width > 3 * s.height;
    // A 16:9 display of the same height scrolls 3 - 16/9 heights.
    const int sixteenByNine = ticksPerScene(3 * height, s.height * 16 / 9 * tpp);
    const int expected = wide ? sixteenByNine : ticksPerScene(3 * height, width);
    if (!wide) {
        EXPECT_EQ(back.widget()->width(), 3 * s.height) << "the canvas of every other display";
    }
    const int tile = 3 * s.height;  // the landscape keeps its proportions

    int ticks = 0;
    int scene = intro.SceneIndex.value();
    std::vector<int> lengths;
    while (lengths.size() < 2 && ticks < 2000) {
        h.advance(100);
        ++ticks;
        const QRect canvas = back.widget()->geometry();
        ASSERT_LE(canvas.left(), 0) << "tick " << ticks;
        ASSERT_GE(canvas.right(), s.width - 1) << "tick " << ticks << ": a band at the right";
        // The window's right edge, on the bottom row, where neither the title nor the figure is.
        const QRgb edge = back.surface().pixel(s.width - 1 - canvas.left(), s.height - 1);
        ASSERT_GE(sceneOf(edge), 0) << "tick " << ticks << ": no landscape at the right edge";
        if (intro.SceneIndex.value() != scene) {
            scene = intro.SceneIndex.value();
            lengths.push_back(ticks);
            ticks = 0;
            if (wide) {
                // The next tick draws the new scene: its repeats join the first stretch.
                h.advance(100);
                ++ticks;
                const platform::Surface& pixels = back.surface();
                for (int x = tile; x < pixels.width(); ++x) {
                    ASSERT_EQ(pixels.pixel(x, s.height - 1), pixels.pixel(x - tile, s.height - 1))
                        << "column " << x;
                }
            }
        }
    }
    ASSERT_EQ(lengths.size(), 2u);
    for (int length : lengths) {
        EXPECT_EQ(length, expected) << s.width << "x" << s.height << " at " << s.dpi << " DPI";
        if (wide && s.dpi == 96) {
            EXPECT_GE(length, 150);
        }
    }
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
