// What the game takes from the desktop: whole scale factors with the remainder left to the
// game's DPI, and the one line it says when no display can be reached.
#include <gtest/gtest.h>

#include "platform/desktop/application.h"

TEST(Desktop, AFractionalScaleFactorBecomesWholeAndTheGameTakesTheRest) {
    using Set = std::vector<std::pair<QByteArray, QByteArray>>;
    for (const auto& [name, value, set, dpiScale] :
         {std::tuple{"QT_SCALE_FACTOR", "2", Set{}, 1.0},
          {"QT_SCALE_FACTOR", "1.5", Set{{"QT_SCALE_FACTOR", "1"}}, 1.5},
          {"QT_SCALE_FACTOR", "1.75", Set{{"QT_SCALE_FACTOR", "2"}}, 0.875},
          {"QT_SCREEN_SCALE_FACTORS", "1.25", Set{{"QT_SCREEN_SCALE_FACTORS", "1"}}, 1.25},
          {"QT_SCREEN_SCALE_FACTORS", "DP-1=1.5;HDMI-1=2",
           Set{{"QT_SCREEN_SCALE_FACTORS", "DP-1=1;HDMI-1=2"}}, 1.0},
          {"QT_SCALE_FACTOR_ROUNDING_POLICY", "PassThrough",
           Set{{"QT_SCALE_FACTOR_ROUNDING_POLICY", "RoundPreferFloor"}}, 1.0}}) {
        QProcessEnvironment environment;
        environment.insert(QString::fromLatin1(name), QString::fromLatin1(value));
        const platform::WholeScaling scaling = platform::wholeScaling(environment);
        EXPECT_EQ(scaling.environment, set) << name << "=" << value;
        EXPECT_DOUBLE_EQ(scaling.dpiScale, dpiScale) << name << "=" << value;
    }
}

TEST(Desktop, NoDisplayToReachSaysWhatIsMissingAndWhatToInstall) {
    const QString plugins = QStringLiteral("Available platform plugins are: offscreen, xcb");
    for (const auto& [wayland, x11, listed, said] :
         {std::tuple{"", ":173", ", wayland.", "the X display \":173\" cannot be reached"},
          {"wayland-0", "", ".",
           "the Wayland display \"wayland-0\" needs Qt's Wayland platform plugin, which is not "
           "installed (install the package qt6-wayland), and no X display is set (DISPLAY)"},
          {"wayland-1", ":5", ", wayland.",
           "the Wayland display \"wayland-1\" cannot be reached, and the X display \":5\" "
           "cannot be reached"},
          {"", "", ".", "no display can be reached"}}) {
        QProcessEnvironment environment;
        for (const auto& [name, value] :
             {std::pair{"WAYLAND_DISPLAY", wayland}, {"DISPLAY", x11}}) {
            if (*value != 0) {
                environment.insert(QString::fromLatin1(name), QString::fromLatin1(value));
            }
        }
        EXPECT_EQ(platform::unreachableDisplay(environment, plugins + listed).toStdString(), said);
    }
}
