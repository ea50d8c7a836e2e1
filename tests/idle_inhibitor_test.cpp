// What the desktop's screen saver hears from the game on a bus of the test's own: a pad player's
// screen is held awake until the pad rests, a keyboard player's is left to the desktop, and a
// desktop that refuses, or no session bus, costs the game nothing but at most one line.
#include <gtest/gtest.h>

#include <QCoreApplication>
#include <QDBusConnection>
#include <QDBusMessage>
#include <QDBusVirtualObject>
#include <QFile>
#include <QProcess>
#include <QTemporaryDir>

#include "platform/desktop/idle_inhibitor.h"
#include "support/virtual_pad.h"

namespace {

const QString kPath = QStringLiteral("/org/freedesktop/ScreenSaver");

// A session bus of the test's own, which starts no services by itself.
struct PrivateBus {
    PrivateBus() {
        QFile config(dir.filePath(QStringLiteral("bus.conf")));
        config.open(QIODevice::WriteOnly);
        config.write(
            QStringLiteral("<busconfig><type>session</type><listen>unix:path=%1/bus</listen>"
                           "<auth>EXTERNAL</auth><policy context=\"default\"><allow own=\"*\"/>"
                           "<allow send_destination=\"*\"/><allow receive_sender=\"*\"/></policy>"
                           "</busconfig>")
                .arg(dir.path())
                .toUtf8());
        config.close();
        daemon.start(QStringLiteral("dbus-daemon"),
                     {QStringLiteral("--nofork"), QStringLiteral("--print-address"),
                      QStringLiteral("--config-file=") + config.fileName()});
        while (!daemon.canReadLine() && daemon.waitForReadyRead(10000)) {
        }
        address = QString::fromUtf8(daemon.readLine()).trimmed();
        EXPECT_FALSE(address.isEmpty()) << "dbus-daemon did not start";
    }
    ~PrivateBus() {
        daemon.kill();
        daemon.waitForFinished();
    }
    QTemporaryDir dir;
    QProcess daemon;
    QString address;
};

// Writes down the calls it gets: Inhibit is answered with a new cookie each time, or refused.
// "Mark" calls from the test note in the list how far the game's calls had come.
class StandIn final : public QDBusVirtualObject {
  public:
    StandIn(const QString& address, bool refuses)
        : bus_(QDBusConnection::connectToBus(address, QStringLiteral("stand-in"))),
          refuses_(refuses) {
        bus_.registerVirtualObject(kPath, this);
        bus_.registerService(QStringLiteral("org.freedesktop.ScreenSaver"));
    }
    ~StandIn() override {
        bus_.unregisterObject(kPath);
        QDBusConnection::disconnectFromBus(QStringLiteral("stand-in"));
    }
    bool handleMessage(const QDBusMessage& message, const QDBusConnection& connection) override {
        calls << message.member() + ' ' + QVariant(message.arguments()).toStringList().join('|');
        const bool inhibit = message.member() == QLatin1String("Inhibit");
        connection.send(inhibit && refuses_
                            ? message.createErrorReply(QDBusError::AccessDenied, "no")
                        : inhibit ? message.createReply(QVariant::fromValue(++cookies_))
                                  : message.createReply());
        return true;
    }
    QString introspect(const QString&) const override { return {}; }

    // Returns once the game's calls before it, and their answers, have arrived.
    void mark(const QDBusConnection& game, const char* label) {
        if (game.isConnected()) {
            game.call(QDBusMessage::createMethodCall(bus_.baseService(), kPath, "org.velmora.Test",
                                                     "Mark")
                          << QString::fromLatin1(label),
                      QDBus::BlockWithGui);
            QCoreApplication::processEvents();
        }
    }

    QStringList calls;

  private:
    QDBusConnection bus_;
    uint cookies_ = 40;
    bool refuses_;
};

// The game's own lines about the desktop.
QStringList said;
void keepSaid(QtMsgType, const QMessageLogContext&, const QString& message) {
    if (message.startsWith(QLatin1String("velmora:"))) {
        said << message;
    }
}

}  // namespace

// Keys, then a spell of pad play with four-minute pauses and a direction held down, five
// minutes of rest, and a press that starts the next spell.
TEST(IdleInhibitor, APadHoldsTheScreenAwakeUntilItRestsAndKeysAreLeftToTheDesktop) {
    const QString inhibit = QStringLiteral("Inhibit velmora-tests|Playing with a gamepad");
    // Whether the bus runs, the service refuses; then what it hears and the lines.
    for (const auto& [onBus, refuses, calls, lines] :
         {std::tuple{
              true, false,
              QStringList{"Mark keys", inhibit, "Mark first press", "Mark played", "Mark resting",
                          "UnInhibit 41", "Mark rested", inhibit, "Mark again"},
              0},
          {true, true,
           QStringList{"Mark keys", inhibit, "Mark first press", "Mark played", "Mark resting",
                       "Mark rested", inhibit, "Mark again"},
           1},
          {false, false, QStringList{}, 0}}) {
        PrivateBus bus;
        StandIn standIn(bus.address, refuses);
        const QString name = QStringLiteral("game-%1-%2").arg(onBus).arg(refuses);
        const QDBusConnection game = QDBusConnection::connectToBus(
            onBus ? bus.address : QStringLiteral("unix:path=/nonexistent"), name);
        said.clear();
        const QtMessageHandler previous = qInstallMessageHandler(keepSaid);
        {
            testing_support::PadGame g;
            platform::IdleInhibitor inhibitor(g.h.clock, [&] { return game; });
            g.h.velmora().keepScreenAwakeWith(inhibitor);
            g.h.start();
            testing_support::VirtualPad pad;
            g.play(250);  // the game has seen the pad
            g.h.press(g.h.map(), Qt::Key_Right);
            g.play(100);
            standIn.mark(game, "keys");
            g.tap(pad, SDL_CONTROLLER_BUTTON_DPAD_RIGHT);
            standIn.mark(game, "first press");
            for (int i = 0; i < 2; ++i) {
                g.h.advance(4 * 60 * 1000);
                g.tap(pad, SDL_CONTROLLER_BUTTON_DPAD_DOWN);
            }
            pad.hold(SDL_CONTROLLER_BUTTON_DPAD_LEFT);
            g.play(2000);
            pad.release(SDL_CONTROLLER_BUTTON_DPAD_LEFT);
            g.play(20);
            standIn.mark(game, "played");
            g.h.advance(5 * 60 * 1000 - 1000);
            standIn.mark(game, "resting");
            g.h.advance(1000);
            standIn.mark(game, "rested");
            g.tap(pad, SDL_CONTROLLER_BUTTON_DPAD_UP);
            standIn.mark(game, "again");
            EXPECT_EQ(standIn.calls, calls) << "on the bus " << onBus << ", refusing " << refuses;
        }
        qInstallMessageHandler(previous);
        EXPECT_EQ(said.size(), lines) << said.join('\n').toStdString();
        QDBusConnection::disconnectFromBus(name);
    }
}
