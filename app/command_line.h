#pragma once

#include <QProcessEnvironment>
#include <QString>
#include <QStringList>

namespace velmora {

// What the player asked for on the command line.
struct Options {
    // The map, the battle and the title screen as ordinary windows instead of full-screen.
    bool windowed = false;
    // No music device is opened; the title screen is silent.
    bool music = true;
};

// The outcome of reading the command line: either play with the options, or leave at once with
// a status after printing the texts (--help and --version on stdout, a usage error on stderr).
struct CommandLine {
    bool play = true;
    int exitStatus = 0;
    QString out;
    QString err;
    Options options;
};

// The game's version, as the package and --version give it.
QString version();

// Reads the arguments, the program's name first.
CommandLine parseCommandLine(const QStringList& arguments);

// Why no window can be opened in this environment, in one line, or an empty text when a display
// is there to try (or the platform needs none, as the offscreen one).
QString missingDisplay(const QProcessEnvironment& environment);

// What main runs before the application object exists: reads the command line and the
// environment, and ends the process when there is nothing to play (help, version, a usage
// error with status 2, no display with status 1). A display that is named but cannot be reached
// also ends the game with one line and status 1 when the application object is created.
Options readCommandLine(int argc, char** argv);

}  // namespace velmora
