#include <gtest/gtest.h>

#include <QStyleFactory>
#include <QTemporaryDir>
#include <cstdlib>

#include "platform/desktop/application.h"

int main(int argc, char** argv) {
    // The suites never reach the desktop they are started from: whatever a test would send to the
    // player's display, session bus or sound server meets nothing (a test starts its own).
    const QTemporaryDir runtime;
    for (const char* name : {"DISPLAY", "WAYLAND_DISPLAY", "WAYLAND_SOCKET", "XDG_SESSION_TYPE"}) {
        unsetenv(name);
    }
    const QByteArray folder = QFile::encodeName(runtime.path());
    setenv("XDG_RUNTIME_DIR", folder.constData(), 1);
    setenv("DBUS_SESSION_BUS_ADDRESS", ("unix:path=" + folder + "/no-session-bus").constData(), 1);
    setenv("PULSE_SERVER", ("unix:" + folder + "/no-sound-server").constData(), 1);
    setenv("ALSA_CONFIG_PATH", "/dev/null", 1);  // no device known, not even "default"
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) {
        qputenv("QT_QPA_PLATFORM", "offscreen");
    }
    platform::Application app(argc, argv);
    QApplication::setStyle(QStyleFactory::create(QStringLiteral("Fusion")));
    ::testing::InitGoogleTest(&argc, argv);
    return RUN_ALL_TESTS();
}
