// What the game takes from its command line and the desktop: options and usage errors, whole
// scale factors (the rest left to the game's DPI), and what it says when no display is reached.
#include <gtest/gtest.h>

#include "app/command_line.h"
#include "platform/desktop/application.h"

TEST(CommandLine, OptionsAndUsageErrors) {
    // Arguments; then -1: plays windowed, 1: plays full-screen, 0: stops with status 0, 2: a
    // usage error; then the music, when it plays.
    const std::tuple<QStringList, int, bool> cases[] = {
        {{}, 1, true},
        {{"--windowed"}, -1, true},
        {{"--no-music"}, 1, false},
        {{"--no-music", "--windowed"}, -1, false},
        {{"-h"}, 0, true},
        {{"--fullscreen"}, 2, true},
        {{"saved.sav"}, 2, true},
        {{"--no-music=yes"}, 2, true},
        {{"-platform", "offscreen"}, 2, true},  // Qt's own, not the game's
    };
    for (const auto& [arguments, outcome, music] : cases) {
        const std::string name = arguments.join(' ').toStdString();
        const velmora::CommandLine r =
            velmora::parseCommandLine(QStringList{"velmora"} + arguments);
        EXPECT_EQ(r.play, outcome == 1 || outcome == -1) << name;
        EXPECT_EQ(r.play && r.options.windowed, outcome == -1) << name;
        EXPECT_TRUE(!r.play || r.options.music == music) << name;
        EXPECT_EQ(r.exitStatus, outcome == 2 ? 2 : 0) << name;
        EXPECT_EQ(r.out.isEmpty(), outcome != 0) << name;
        EXPECT_EQ(r.err.startsWith(QStringLiteral("velmora: ")), outcome == 2) << name;
    }
    EXPECT_TRUE(velmora::parseCommandLine({"velmora", "a.sav"})
                    .err.contains(QStringLiteral("unexpected argument 'a.sav'\nUsage: velmora")));
}

TEST(CommandLine, NoDisplayIsReportedOnlyWhenTheWindowSystemNeedsOne) {
    const std::tuple<const char*, const char*, bool> cases[] = {
        // variable, value, missing
        {"", "", true},
        {"DISPLAY", "", true},
        {"QT_QPA_PLATFORM", "xcb", true},
        {"QT_QPA_PLATFORM", "wayland;xcb", true},
        {"QT_QPA_PLATFORM", "wayland-egl", true},
        {"DISPLAY", ":0", false},
        {"WAYLAND_DISPLAY", "wayland-0", false},
        {"QT_QPA_PLATFORM", "xcb;offscreen", false},
        {"QT_QPA_PLATFORM", "vnc:size=800x600", false},
    };
    for (const auto& [variable, value, missing] : cases) {
        QProcessEnvironment environment;
        environment.insert(QLatin1String(variable), QLatin1String(value));
        const QString said = velmora::missingDisplay(environment);
        EXPECT_EQ(said.contains(QStringLiteral("neither DISPLAY nor WAYLAND_DISPLAY")), missing)
            << variable << "=" << value;
        EXPECT_FALSE(said.contains(QLatin1Char('\n'))) << "one line";
    }
}

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
        QProcessEnvironment environment;  // a variable set empty is one not set
        environment.insert(QStringLiteral("WAYLAND_DISPLAY"), QString::fromLatin1(wayland));
        environment.insert(QStringLiteral("DISPLAY"), QString::fromLatin1(x11));
        EXPECT_EQ(platform::unreachableDisplay(environment, plugins + listed).toStdString(), said);
    }
}
