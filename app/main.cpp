#include <QIcon>
#include <QStyleFactory>
#include <cstdio>
#include <cstdlib>

#include "app/command_line.h"
#include "app/velmora.h"
#include "platform/audio/mci.h"
#include "platform/audio/midi_player.h"
#include "platform/base/clock.h"
#include "platform/desktop/application.h"
#include "platform/desktop/fatal.h"
#include "platform/desktop/idle_inhibitor.h"
#include "platform/input/gamepad_sdl.h"
#include "platform/widgets/file_dialog.h"
#include "platform/widgets/window.h"

int main(int argc, char** argv) {
    const velmora::Options options = velmora::readCommandLine(argc, argv);
    // Pictures stay whole multiples on the device on desktops scaled by a fraction.
    platform::Application::useWholeScaling();
    platform::Application app(argc, argv);
    platform::Window::setWindowedMode(options.windowed);
    QApplication::setApplicationName(QStringLiteral("Velmora"));
    // The shell matches the game's windows to its desktop entry by this name: the Wayland app
    // id; under X11 the entry's StartupWMClass names the window class, the application name.
    QGuiApplication::setDesktopFileName(QStringLiteral("org.velmora.Velmora"));
    QApplication::setStyle(QStyleFactory::create(QStringLiteral("Fusion")));

    const platform::AssetPaths paths = platform::AssetPaths::besideExecutable();
    QApplication::setWindowIcon(QIcon(paths.resolve("\\Pictures\\Velmora.png")));

    platform::QtClock clock;
    // The synthesizer is made only when the title first opens its tune.
    platform::MidiPlayer player;
    platform::SilentDevice silence;
    platform::CommandDevice& music =
        options.music ? static_cast<platform::CommandDevice&>(player) : silence;
    platform::QtFileDialog fileDialog;
    platform::MessageBoxReporter fatal;
    platform::SdlGamepad pads;
    platform::IdleInhibitor idleInhibitor(clock);
    velmora::Velmora velmora(velmora::Services{&platform::Display::primaryScreen, clock, paths,
                                               music, fileDialog, fatal});
    velmora.game.flow().setOnEnd([](int exitCode) {
        if (exitCode != 0) {
            // A run-time error ends the game at once, after its message.
            std::fflush(nullptr);
            std::_Exit(exitCode);
        }
        QCoreApplication::exit(exitCode);
    });
    velmora.attachGamepad(pads);
    velmora.keepScreenAwakeWith(idleInhibitor);
    velmora.game.start();
    if (velmora.game.flow().ended()) {
        return velmora.game.flow().exitCode();
    }
    return QApplication::exec();
}
