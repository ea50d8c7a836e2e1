#include "app/command_line.h"

#include <QCommandLineParser>
#include <QFileInfo>
#include <QtGlobal>
#include <algorithm>
#include <cstdio>
#include <cstdlib>

#include "platform/desktop/application.h"

#ifndef VELMORA_VERSION
#error "VELMORA_VERSION names the game's version"
#endif

namespace velmora {
namespace {

const QString kProgram = QStringLiteral("velmora");

// Platforms that draw on a display server; every other one (offscreen, minimal, vnc, the
// frame-buffer ones) runs without.
bool needsDisplayServer(const QString& platform) {
    const QString name = platform.section(QLatin1Char(':'), 0, 0).trimmed();
    return name.isEmpty() || name == QLatin1String("xcb") ||
           name.startsWith(QLatin1String("wayland"));
}

// Qt's own messages while it connects to the display: a display that cannot be reached comes
// as warnings, a paragraph about platform plugins and an abort; the player gets one line instead.
QtMessageHandler previousHandler = nullptr;

void quietDisplayFailure(QtMsgType type, const QMessageLogContext& context,
                         const QString& message) {
    const QLatin1String category(context.category != nullptr ? context.category : "");
    const bool connecting =
        (category == QLatin1String("qt.qpa.xcb") &&
         message.startsWith(QLatin1String("could not connect to display"))) ||
        (category == QLatin1String("qt.qpa.plugin") &&
         (message.startsWith(QLatin1String("Could not load the Qt platform plugin")) ||
          message.startsWith(QLatin1String("Could not find the Qt platform plugin")))) ||
        message.startsWith(QLatin1String("Failed to create wl_display"));
    if (type != QtFatalMsg && connecting) {
        return;
    }
    if (type == QtFatalMsg && message.contains(QLatin1String("platform plugin"))) {
        std::fprintf(stderr, "%s: cannot open a window: %s\n", qPrintable(kProgram),
                     qPrintable(platform::unreachableDisplay(
                         QProcessEnvironment::systemEnvironment(), message)));
        std::fflush(stderr);
        std::_Exit(1);
    }
    if (previousHandler != nullptr) {
        previousHandler(type, context, message);
    }
}

}  // namespace

QString version() {
    return QStringLiteral(VELMORA_VERSION);
}

CommandLine parseCommandLine(const QStringList& arguments) {
    QCommandLineParser parser;
    parser.setApplicationDescription(
        QStringLiteral("Velmora, a small role-playing game with a party of six."));
    const QCommandLineOption help({QStringLiteral("h"), QStringLiteral("help")},
                                  QStringLiteral("Show this help and exit."));
    const QCommandLineOption showVersion({QStringLiteral("v"), QStringLiteral("version")},
                                         QStringLiteral("Show the version and exit."));
    const QCommandLineOption windowed(
        QStringLiteral("windowed"),
        QStringLiteral("Show the map, the battle and the title screen as ordinary windows "
                       "instead of full-screen."));
    const QCommandLineOption noMusic(QStringLiteral("no-music"),
                                     QStringLiteral("Play no music on the title screen."));
    parser.addOptions({help, showVersion, windowed, noMusic});

    const QString program =
        arguments.isEmpty() ? kProgram : QFileInfo(arguments.constFirst()).fileName();
    // The parser names the program after the application object, which does not exist yet.
    QString usage = parser.helpText();
    usage = QStringLiteral("Usage: %1 [options]").arg(program) +
            usage.mid(usage.indexOf(QLatin1Char('\n')));

    CommandLine result;
    if (!parser.parse(arguments)) {
        result.play = false;
        result.exitStatus = 2;
        result.err =
            program + QStringLiteral(": ") + parser.errorText() + QLatin1Char('\n') + usage;
        return result;
    }
    if (!parser.positionalArguments().isEmpty()) {
        result.play = false;
        result.exitStatus = 2;
        result.err = program + QStringLiteral(": unexpected argument '") +
                     parser.positionalArguments().constFirst() + QStringLiteral("'\n") + usage;
        return result;
    }
    if (parser.isSet(help)) {
        result.play = false;
        result.out = usage;
        return result;
    }
    if (parser.isSet(showVersion)) {
        result.play = false;
        result.out = QStringLiteral("Velmora ") + version() + QLatin1Char('\n');
        return result;
    }
    result.options.windowed = parser.isSet(windowed);
    result.options.music = !parser.isSet(noMusic);
    return result;
}

QString missingDisplay(const QProcessEnvironment& environment) {
    const QStringList platforms =
        environment.value(QStringLiteral("QT_QPA_PLATFORM")).split(QLatin1Char(';'));
    const bool needsServer = std::all_of(platforms.begin(), platforms.end(), needsDisplayServer);
    if (!needsServer || !environment.value(QStringLiteral("DISPLAY")).isEmpty() ||
        !environment.value(QStringLiteral("WAYLAND_DISPLAY")).isEmpty()) {
        return {};
    }
    return QStringLiteral(
        "no display to open a window on: neither DISPLAY nor WAYLAND_DISPLAY "
        "is set");
}

Options readCommandLine(int argc, char** argv) {
    QStringList arguments;
    for (int i = 0; i < argc; ++i) {
        arguments << QString::fromLocal8Bit(argv[i]);
    }
    const CommandLine commandLine = parseCommandLine(arguments);
    if (!commandLine.play) {
        std::fputs(qPrintable(commandLine.out), stdout);
        std::fputs(qPrintable(commandLine.err), stderr);
        std::fflush(nullptr);
        std::exit(commandLine.exitStatus);
    }
    const QString problem = missingDisplay(QProcessEnvironment::systemEnvironment());
    if (!problem.isEmpty()) {
        std::fprintf(stderr, "%s: %s\n", qPrintable(kProgram), qPrintable(problem));
        std::exit(1);
    }
    previousHandler = qInstallMessageHandler(quietDisplayFailure);
    return commandLine.options;
}

}  // namespace velmora
