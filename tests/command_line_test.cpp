// The options the game takes, what it prints for help, version and mistakes, and when it says
// that there is no display to open a window on.
#include <gtest/gtest.h>

#include <QRegularExpression>

#include "app/command_line.h"

namespace {

TEST(CommandLine, OptionsHelpVersionAndUsageErrors) {
    struct Case {
        QStringList arguments;
        bool play, windowed, music;
        int status;
        const char* out;  // what stdout starts with
        const char* err;  // what stderr contains
    };
    const QString usage = QStringLiteral("Usage: velmora [options]");
    const Case cases[] = {
        {{}, true, false, true, 0, "", ""},
        {{"--windowed"}, true, true, true, 0, "", ""},
        {{"--no-music"}, true, false, false, 0, "", ""},
        {{"--no-music", "--windowed"}, true, true, false, 0, "", ""},
        {{"--help"}, false, false, true, 0, "Usage: velmora [options]", ""},
        {{"-h"}, false, false, true, 0, "Usage: velmora [options]", ""},
        {{"--version"}, false, false, true, 0, "Velmora ", ""},
        {{"-v"}, false, false, true, 0, "Velmora ", ""},
        {{"--fullscreen"}, false, false, true, 2, "", "velmora: Unknown option 'fullscreen'"},
        {{"-x"}, false, false, true, 2, "", "velmora: "},
        {{"--windowed", "--bogus"}, false, false, true, 2, "", "velmora: "},
        {{"saved.sav"}, false, false, true, 2, "", "velmora: unexpected argument 'saved.sav'"},
        {{"--no-music=yes"}, false, false, true, 2, "", "velmora: "},
        {{"-platform", "offscreen"}, false, false, true, 2, "", "velmora: "},  // Qt's, not ours
    };
    for (const Case& c : cases) {
        const std::string name = c.arguments.join(' ').toStdString();
        const velmora::CommandLine r =
            velmora::parseCommandLine(QStringList{"/usr/lib/velmora/velmora"} + c.arguments);
        EXPECT_EQ(r.play, c.play) << name;
        EXPECT_EQ(r.exitStatus, c.status) << name;
        if (c.play) {
            EXPECT_EQ(r.options.windowed, c.windowed) << name;
            EXPECT_EQ(r.options.music, c.music) << name;
        }
        EXPECT_EQ(r.out.left(qstrlen(c.out)), QLatin1String(c.out)) << name;
        EXPECT_EQ(r.out.isEmpty(), *c.out == 0) << name;
        EXPECT_EQ(r.err.left(qstrlen(c.err)), QLatin1String(c.err)) << name;
        EXPECT_EQ(r.err.contains(usage), c.status == 2) << name;
    }
    const QString help = velmora::parseCommandLine({"velmora", "--help"}).out;
    for (const char* option : {"--help", "--version", "--windowed", "--no-music"}) {
        EXPECT_TRUE(help.contains(QLatin1String(option))) << option;
    }
    EXPECT_FALSE(help.contains(QStringLiteral("--help-all"))) << "offered, but refused";
    EXPECT_EQ(velmora::parseCommandLine({"velmora", "-v"}).out,
              QStringLiteral("Velmora ") + velmora::version() + QLatin1Char('\n'));
    EXPECT_TRUE(QRegularExpression(QStringLiteral("^\\d+\\.\\d+\\.\\d+$"))
                    .match(velmora::version())
                    .hasMatch());
}

TEST(CommandLine, NoDisplayIsReportedOnlyWhenTheWindowSystemNeedsOne) {
    struct Case {
        const char* variable;
        const char* value;
        bool missing;
    };
    const Case cases[] = {
        {"", "", true},
        {"DISPLAY", "", true},
        {"QT_QPA_PLATFORM", "xcb", true},
        {"QT_QPA_PLATFORM", "wayland;xcb", true},
        {"QT_QPA_PLATFORM", "wayland-egl", true},
        {"DISPLAY", ":0", false},
        {"WAYLAND_DISPLAY", "wayland-0", false},
        {"QT_QPA_PLATFORM", "offscreen", false},
        {"QT_QPA_PLATFORM", "xcb;offscreen", false},
        {"QT_QPA_PLATFORM", "vnc:size=800x600", false},
    };
    for (const Case& c : cases) {
        QProcessEnvironment environment;
        if (*c.variable != 0) {
            environment.insert(QLatin1String(c.variable), QLatin1String(c.value));
        }
        const QString said = velmora::missingDisplay(environment);
        EXPECT_EQ(said.isEmpty(), !c.missing) << c.variable << "=" << c.value;
        EXPECT_FALSE(said.contains(QLatin1Char('\n'))) << "one line";
    }
    EXPECT_TRUE(velmora::missingDisplay({}).contains(QStringLiteral("DISPLAY")));
}

}  // namespace
