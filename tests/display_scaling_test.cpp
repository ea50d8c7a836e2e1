// Desktops whose DPI is not 96 or whose scale factor is a fraction: the display the game reads,
// its text's size, and the scale factors it lets the window system apply. (What it says when no
// display can be reached: tests/e2e/no_display.sh and wayland.sh.)
#include <gtest/gtest.h>

#include "platform/application.h"
#include "platform/controls.h"

namespace {

TEST(DisplayScaling, TwipsPerPixelAreWholeAHalfGoingDownAndTextKeepsTheDpi) {
    // DPI, twips per pixel, 12-point text in pixels
    const std::tuple<double, float, int> cases[] = {{96, 15, 16},  {110, 13, 18}, {120, 12, 20},
                                                    {144, 10, 24}, {168, 9, 28},  {192, 7, 32},
                                                    {72, 20, 12}};
    for (const auto& [dpi, twipsPerPixel, fontPixels] : cases) {
        const platform::Display d = platform::Display::ofScreen(QSize(1024, 768), dpi, dpi);
        EXPECT_EQ(QSizeF(d.twipsPerPixelX, d.twipsPerPixelY), QSizeF(twipsPerPixel, twipsPerPixel))
            << dpi << " DPI";
        EXPECT_EQ(QSizeF(d.widthTwips, d.heightTwips), QSizeF(1024, 768) * twipsPerPixel);
        EXPECT_EQ(platform::makeFont({QStringLiteral("MS Sans Serif"), 12, true}, d).pixelSize(),
                  fontPixels)
            << dpi << " DPI";
    }
}

TEST(DisplayScaling, AFractionalScaleFactorBecomesWholeAndTheGameTakesTheRest) {
    using Set = std::vector<std::pair<QByteArray, QByteArray>>;
    const std::tuple<const char*, Set, double> cases[] = {
        {"", {}, 1},
        {"QT_SCALE_FACTOR=1.5", {{"QT_SCALE_FACTOR", "1"}}, 1.5},
        {"QT_SCALE_FACTOR=1.75", {{"QT_SCALE_FACTOR", "2"}}, 0.875},
        {"QT_SCREEN_SCALE_FACTORS=1.25", {{"QT_SCREEN_SCALE_FACTORS", "1"}}, 1.25},
        {"QT_SCREEN_SCALE_FACTORS=DP-1=1.5;HDMI-1=2",
         {{"QT_SCREEN_SCALE_FACTORS", "DP-1=1;HDMI-1=2"}},
         1},
        {"QT_SCALE_FACTOR_ROUNDING_POLICY=PassThrough",
         {{"QT_SCALE_FACTOR_ROUNDING_POLICY", "RoundPreferFloor"}},
         1},
    };
    for (const auto& [variable, set, dpiScale] : cases) {
        QProcessEnvironment environment;
        const QString v = QLatin1String(variable);
        if (!v.isEmpty()) {
            environment.insert(v.section(QLatin1Char('='), 0, 0), v.section(QLatin1Char('='), 1));
        }
        const platform::WholeScaling scaling = platform::wholeScaling(environment);
        EXPECT_EQ(scaling.environment, set) << variable;
        EXPECT_DOUBLE_EQ(scaling.dpiScale, dpiScale) << variable;
    }
}

}  // namespace
