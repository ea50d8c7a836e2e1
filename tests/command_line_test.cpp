// The options the game takes, the mistakes it refuses with its usage, and when it says that
// there is no display to open a window on. (The help and version texts: tests/e2e/no_display.sh.)
#include <gtest/gtest.h>

#include "app/command_line.h"

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
