#include <QIcon>
#include <QStyleFactory>
#include <cstdio>
#include <cstdlib>

#include "app/command_line.h"
#include "app/velmora.h"
#include "platform/application.h"
#include "platform/clock.h"
#include "platform/fatal.h"
#include "platform/file_dialog.h"
#include "platform/mci.h"
#include "platform/window.h"

namespace {

// Until the title music is wired to a synthesizer, music commands go nowhere: like a device
// that cannot be opened, it answers every command with an empty reply.
class SilentDevice final : public platform::CommandDevice {
  public:
    std::string send(const std::string&) override { return {}; }
};

}  // namespace

int main(int argc, char** argv) {
    const velmora::Options options = velmora::readCommandLine(argc, argv);
    platform::Application app(argc, argv);
    platform::Window::setWindowedMode(options.windowed);
    QApplication::setApplicationName(QStringLiteral("Velmora"));
    QApplication::setStyle(QStyleFactory::create(QStringLiteral("Fusion")));

    const platform::AssetPaths paths = platform::AssetPaths::besideExecutable();
    QApplication::setWindowIcon(QIcon(paths.resolve("\\Pictures\\Velmora.png")));

    platform::QtClock clock;
    SilentDevice music;
    platform::QtFileDialog fileDialog;
    platform::MessageBoxReporter fatal;
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
    velmora.game.start();
    if (velmora.game.flow().ended()) {
        return velmora.game.flow().exitCode();
    }
    return QApplication::exec();
}
