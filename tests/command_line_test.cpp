#include <gtest/gtest.h>

#include <QRegularExpression>

#include "app/command_line.h"

namespace {

using velmora::CommandLine;
using velmora::missingDisplay;
using velmora::parseCommandLine;

CommandLine parse(QStringList arguments) {
    arguments.prepend(QStringLiteral("/usr/lib/velmora/velmora"));
    return parseCommandLine(arguments);
}

TEST(CommandLine, NoArgumentsPlaysFullScreenWithMusic) {
    const CommandLine c = parse({});
    EXPECT_TRUE(c.play);
    EXPECT_FALSE(c.options.windowed);
    EXPECT_TRUE(c.options.music);
    EXPECT_TRUE(c.out.isEmpty());
    EXPECT_TRUE(c.err.isEmpty());
}

TEST(CommandLine, WindowedAndNoMusicAreIndependent) {
    EXPECT_TRUE(parse({QStringLiteral("--windowed")}).options.windowed);
    EXPECT_TRUE(parse({QStringLiteral("--windowed")}).options.music);
    EXPECT_FALSE(parse({QStringLiteral("--no-music")}).options.music);
    EXPECT_FALSE(parse({QStringLiteral("--no-music")}).options.windowed);
    const CommandLine both = parse({QStringLiteral("--no-music"), QStringLiteral("--windowed")});
    EXPECT_TRUE(both.play);
    EXPECT_TRUE(both.options.windowed);
    EXPECT_FALSE(both.options.music);
}

TEST(CommandLine, HelpListsEveryOptionOnStdoutUnderTheProgramsName) {
    for (const QString& flag : {QStringLiteral("--help"), QStringLiteral("-h")}) {
        const CommandLine c = parse({flag});
        EXPECT_FALSE(c.play);
        EXPECT_EQ(c.exitStatus, 0);
        EXPECT_TRUE(c.err.isEmpty());
        EXPECT_TRUE(c.out.startsWith(QStringLiteral("Usage: velmora [options]")))
            << c.out.toStdString();
        for (const char* option : {"--help", "--version", "--windowed", "--no-music"}) {
            EXPECT_TRUE(c.out.contains(QLatin1String(option))) << option;
        }
        // Options the game would reject are not offered.
        EXPECT_FALSE(c.out.contains(QStringLiteral("--help-all")));
    }
}

TEST(CommandLine, VersionPrintsTheProjectVersion) {
    const CommandLine c = parse({QStringLiteral("--version")});
    EXPECT_FALSE(c.play);
    EXPECT_EQ(c.exitStatus, 0);
    EXPECT_EQ(c.out, QStringLiteral("Velmora ") + velmora::version() + QLatin1Char('\n'));
    EXPECT_TRUE(QRegularExpression(QStringLiteral("^\\d+\\.\\d+\\.\\d+$"))
                    .match(velmora::version())
                    .hasMatch());
    EXPECT_EQ(parse({QStringLiteral("-v")}).out, c.out);
}

TEST(CommandLine, UnknownOptionsAndArgumentsAreUsageErrorsWithStatusTwo) {
    const QStringList cases[] = {
        {QStringLiteral("--fullscreen")},
        {QStringLiteral("-x")},
        {QStringLiteral("--windowed"), QStringLiteral("--bogus")},
        {QStringLiteral("saved.sav")},
        {QStringLiteral("--no-music=yes")},
        // Qt's own options are not the game's.
        {QStringLiteral("-platform"), QStringLiteral("offscreen")},
    };
    for (const QStringList& arguments : cases) {
        const CommandLine c = parse(arguments);
        EXPECT_FALSE(c.play) << arguments.join(' ').toStdString();
        EXPECT_EQ(c.exitStatus, 2) << arguments.join(' ').toStdString();
        EXPECT_TRUE(c.out.isEmpty());
        EXPECT_TRUE(c.err.startsWith(QStringLiteral("velmora: "))) << c.err.toStdString();
        EXPECT_TRUE(c.err.contains(QStringLiteral("Usage: velmora [options]")));
    }
    EXPECT_TRUE(parse({QStringLiteral("--fullscreen")}).err.contains(QStringLiteral("fullscreen")));
}

QProcessEnvironment environment(std::initializer_list<std::pair<const char*, const char*>> vars) {
    QProcessEnvironment env;
    for (const auto& [name, value] : vars) {
        env.insert(QString::fromLatin1(name), QString::fromLatin1(value));
    }
    return env;
}

TEST(CommandLine, NoDisplayIsReportedOnlyWhenTheWindowSystemNeedsOne) {
    const QString none = missingDisplay(environment({}));
    EXPECT_FALSE(none.isEmpty());
    EXPECT_FALSE(none.contains(QLatin1Char('\n')));
    EXPECT_TRUE(none.contains(QStringLiteral("DISPLAY")));
    EXPECT_FALSE(missingDisplay(environment({{"DISPLAY", ""}})).isEmpty());
    EXPECT_FALSE(missingDisplay(environment({{"QT_QPA_PLATFORM", "xcb"}})).isEmpty());
    EXPECT_FALSE(missingDisplay(environment({{"QT_QPA_PLATFORM", "wayland;xcb"}})).isEmpty());

    EXPECT_TRUE(missingDisplay(environment({{"DISPLAY", ":0"}})).isEmpty());
    EXPECT_TRUE(missingDisplay(environment({{"WAYLAND_DISPLAY", "wayland-0"}})).isEmpty());
    EXPECT_TRUE(missingDisplay(environment({{"QT_QPA_PLATFORM", "offscreen"}})).isEmpty());
    EXPECT_TRUE(missingDisplay(environment({{"QT_QPA_PLATFORM", "xcb;offscreen"}})).isEmpty());
    EXPECT_TRUE(missingDisplay(environment({{"QT_QPA_PLATFORM", "vnc:size=800x600"}})).isEmpty());
}

}  // namespace
