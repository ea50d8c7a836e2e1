// What the desktop's screen saver hears from the game, on a bus of the test's own: a gamepad
// player's screen is held awake while the pad is in use and let go once it rests; a keyboard
// player's is left to the desktop; a desktop without the service or without a session bus costs
// the game nothing and hears at most one line about it.
#include <gtest/gtest.h>

#include <QCoreApplication>
#include <QDBusConnection>
#include <QDBusMessage>
#include <QDBusVirtualObject>
#include <QFile>
#include <QMutex>
#include <QProcess>
#include <QTemporaryDir>
#include <QThread>
#include <string>
#include <vector>

#include "platform/desktop/idle_inhibitor.h"
#include "support/virtual_pad.h"

namespace {

using platform::IdleInhibitor;
using testing_support::PadGame;
using testing_support::VirtualPad;
using Calls = std::vector<std::string>;

const QString kPath = QStringLiteral("/org/freedesktop/ScreenSaver");
// The pad counts as the player's presence until it has rested this long.
constexpr int kFiveMinutes = 5 * 60 * 1000;

// A session bus of the test's own, which starts no services by itself; the player's own bus is
// never reached.
class PrivateBus {
  public:
    PrivateBus() : saved_(qgetenv("DBUS_SESSION_BUS_ADDRESS")) {
        const QString config = dir_.filePath(QStringLiteral("bus.conf"));
        QFile file(config);
        file.open(QIODevice::WriteOnly);
        file.write(
            QStringLiteral("<busconfig><type>session</type><listen>unix:path=%1/bus</listen>"
                           "<auth>EXTERNAL</auth><policy context=\"default\"><allow own=\"*\"/>"
                           "<allow send_destination=\"*\"/><allow receive_sender=\"*\"/></policy>"
                           "</busconfig>")
                .arg(dir_.path())
                .toUtf8());
        file.close();
        daemon_.start(QStringLiteral("dbus-daemon"),
                      {QStringLiteral("--nofork"), QStringLiteral("--print-address"),
                       QStringLiteral("--config-file=") + config});
        while (address.isEmpty() && daemon_.waitForReadyRead(10000)) {
            address = QString::fromUtf8(daemon_.readLine()).trimmed();
        }
        if (address.isEmpty()) {
            ADD_FAILURE() << "dbus-daemon did not start";
        }
        qputenv("DBUS_SESSION_BUS_ADDRESS", address.toUtf8());
    }
    ~PrivateBus() {
        qputenv("DBUS_SESSION_BUS_ADDRESS", saved_);
        daemon_.kill();
        daemon_.waitForFinished();
    }
    QDBusConnection connect(const QString& name) const {
        return QDBusConnection::connectToBus(address, name);
    }

    QString address;

  private:
    QByteArray saved_;
    QTemporaryDir dir_;
    QProcess daemon_;
};

// Writes down the calls it gets, on a thread of its own so that the test can wait for an answer
// while it works. Inhibit is answered with a new cookie each time, or refused. "Mark" calls from
// the test note in the list how far the game's calls had come.
class StandIn final : public QDBusVirtualObject {
  public:
    enum class Service { Answers, Refuses, Absent };

    StandIn(const PrivateBus& bus, Service service)
        : bus_(bus.connect(QStringLiteral("stand-in"))), refuses_(service == Service::Refuses) {
        moveToThread(&thread_);
        thread_.start();
        bus_.registerVirtualObject(kPath, this);
        if (service != Service::Absent) {
            bus_.registerService(QStringLiteral("org.freedesktop.ScreenSaver"));
        }
    }
    ~StandIn() override {
        bus_.unregisterObject(kPath);
        thread_.quit();
        thread_.wait();
        QDBusConnection::disconnectFromBus(QStringLiteral("stand-in"));
    }

    bool handleMessage(const QDBusMessage& message, const QDBusConnection& connection) override {
        QStringList args;
        for (const QVariant& arg : message.arguments()) {
            args << arg.toString();
        }
        QDBusMessage reply = message.createReply();
        if (message.member() == QLatin1String("Inhibit")) {
            reply = refuses_
                        ? message.createErrorReply(QDBusError::AccessDenied, QStringLiteral("no"))
                        : message.createReply(QVariant::fromValue(uint(++cookies_)));
        }
        {
            const QMutexLocker lock(&mutex_);
            calls_.push_back((message.member() + ' ' + args.join('|')).toStdString());
        }
        connection.send(reply);
        return true;
    }
    QString introspect(const QString&) const override { return {}; }

    // Returns once the game's calls made before it have reached the stand-in, and their answers
    // the game.
    void mark(QDBusConnection game, const char* label) {
        if (!game.isConnected()) {
            return;
        }
        game.call(QDBusMessage::createMethodCall(bus_.baseService(), kPath,
                                                 QStringLiteral("org.velmora.Test"),
                                                 QStringLiteral("Mark"))
                  << QString::fromLatin1(label));
        QCoreApplication::processEvents();
    }
    Calls calls() {
        const QMutexLocker lock(&mutex_);
        return calls_;
    }

  private:
    QDBusConnection bus_;
    QThread thread_;
    QMutex mutex_;
    Calls calls_;
    uint cookies_ = 40;
    bool refuses_ = false;
};

// The game's own lines about the desktop.
QStringList said;
void keepSaid(QtMsgType, const QMessageLogContext&, const QString& message) {
    if (message.startsWith(QLatin1String("velmora:"))) {
        said << message;
    }
}

}  // namespace

TEST(IdleInhibitor, APadHoldsTheScreenAwakeUntilItRestsAndKeysAreLeftToTheDesktop) {
    PrivateBus bus;
    StandIn standIn(bus, StandIn::Service::Answers);
    const QString name = QStringLiteral("game-playing");
    const QDBusConnection game = bus.connect(name);
    PadGame g;
    IdleInhibitor inhibitor(g.h.clock, [&] { return bus.connect(name); });
    g.h.velmora().keepScreenAwakeWith(inhibitor);
    g.h.start();
    VirtualPad pad;
    g.play(250);  // the game has seen the pad
    for (int i = 0; i < 3; ++i) {
        g.h.press(g.h.map(), Qt::Key_Right);
    }
    g.play(100);
    standIn.mark(game, "keys");
    // Eight minutes of pad play, with four-minute pauses and a direction held down.
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
    g.h.advance(kFiveMinutes - 1000);
    standIn.mark(game, "resting");
    g.h.advance(1000);
    standIn.mark(game, "rested");
    g.tap(pad, SDL_CONTROLLER_BUTTON_DPAD_UP);
    standIn.mark(game, "again");

    const std::string inhibit = "Inhibit velmora-tests|Playing with a gamepad";
    EXPECT_EQ(standIn.calls(),
              (Calls{"Mark keys", inhibit, "Mark first press", "Mark played", "Mark resting",
                     "UnInhibit 41", "Mark rested", inhibit, "Mark again"}));
    QDBusConnection::disconnectFromBus(name);
}

TEST(IdleInhibitor, WithoutTheServiceOrABusPadPlayGoesOnAndIsToldOfOnceAtMost) {
    for (const auto& [service, bus, calls, lines] :
         {std::tuple{StandIn::Service::Refuses, true, 3, 1},
          {StandIn::Service::Absent, true, 0, 1},
          {StandIn::Service::Absent, false, 0, 0}}) {
        PrivateBus privateBus;
        StandIn standIn(privateBus, service);
        const QString name = QStringLiteral("game-%1-%2").arg(int(service)).arg(bus);
        const QString address = bus ? privateBus.address : QStringLiteral("unix:path=/nonexistent");
        const QDBusConnection game = QDBusConnection::connectToBus(address, name);
        said.clear();
        const QtMessageHandler previous = qInstallMessageHandler(keepSaid);
        {
            PadGame g;
            IdleInhibitor inhibitor(g.h.clock, [&] { return game; });
            g.h.velmora().keepScreenAwakeWith(inhibitor);
            g.h.start();
            VirtualPad pad;
            g.play(250);
            // Three spells of play, the first of two presses.
            for (int spell = 0; spell < 3; ++spell) {
                for (int press = 0; press < (spell == 0 ? 2 : 1); ++press) {
                    g.tap(pad, SDL_CONTROLLER_BUTTON_DPAD_DOWN);
                    standIn.mark(game, "press");
                }
                g.h.advance(kFiveMinutes);
            }
        }
        qInstallMessageHandler(previous);
        int inhibits = 0;
        for (const std::string& call : standIn.calls()) {
            inhibits += call.starts_with("Inhibit ") ? 1 : 0;
        }
        EXPECT_EQ(inhibits, calls) << address.toStdString();
        EXPECT_EQ(said.size(), lines) << said.join('\n').toStdString();
        QDBusConnection::disconnectFromBus(name);
    }
}
