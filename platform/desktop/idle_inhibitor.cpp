#include "platform/desktop/idle_inhibitor.h"

#include <QDBusMessage>
#include <QDBusPendingCallWatcher>
#include <QDBusPendingReply>
#include <QDebug>
#include <QGuiApplication>

namespace platform {

namespace {

QDBusMessage screenSaver(const QString& method) {
    return QDBusMessage::createMethodCall(QStringLiteral("org.freedesktop.ScreenSaver"),
                                          QStringLiteral("/org/freedesktop/ScreenSaver"),
                                          QStringLiteral("org.freedesktop.ScreenSaver"), method);
}

// The name the desktop shows for what keeps it awake: the desktop entry's, the one the shell
// knows the game by.
QString applicationId() {
    const QString entry = QGuiApplication::desktopFileName();
    return entry.isEmpty() ? QCoreApplication::applicationName() : entry;
}

}  // namespace

IdleInhibitor::IdleInhibitor(Clock& clock, std::function<QDBusConnection()> bus)
    : busFactory_(std::move(bus)), holdTimer_(clock.createTimer([this] { rested(); })) {}

IdleInhibitor::~IdleInhibitor() {
    // The desktop also lets go of it when the game leaves the bus.
    if (request_ == Request::Holding) {
        bus_->send(screenSaver(QStringLiteral("UnInhibit")) << cookie_);
    }
}

void IdleInhibitor::padUsed() {
    holdTimer_->start(kHoldMs);
    playing_ = true;
    if (request_ != Request::None) {
        return;  // asked already in this spell of play
    }
    if (!bus_) {
        bus_ = busFactory_();
    }
    if (!bus_->isConnected()) {
        return;  // no session bus: no desktop to tell
    }
    request_ = Request::Asking;
    const QDBusMessage inhibit = screenSaver(QStringLiteral("Inhibit"))
                                 << applicationId() << QStringLiteral("Playing with a gamepad");
    auto* watcher = new QDBusPendingCallWatcher(bus_->asyncCall(inhibit), &context_);
    QObject::connect(watcher, &QDBusPendingCallWatcher::finished, &context_,
                     [this](QDBusPendingCallWatcher* finished) {
                         const QDBusPendingReply<uint> reply = *finished;
                         finished->deleteLater();
                         answered(!reply.isError(), reply.isError() ? 0 : reply.value(),
                                  reply.error().message());
                     });
}

void IdleInhibitor::rested() {
    holdTimer_->stop();
    playing_ = false;
    if (request_ == Request::Holding) {
        release();
    } else if (request_ == Request::Refused) {
        request_ = Request::None;  // asked again in the next spell
    }
}

void IdleInhibitor::answered(bool ok, uint cookie, const QString& error) {
    if (!ok) {
        if (!told_) {
            told_ = true;
            qWarning().noquote() << "velmora: the screen may blank while a gamepad plays:" << error;
        }
        request_ = playing_ ? Request::Refused : Request::None;
        return;
    }
    cookie_ = cookie;
    request_ = Request::Holding;
    if (!playing_) {
        release();  // the spell ended before the answer came
    }
}

void IdleInhibitor::release() {
    bus_->send(screenSaver(QStringLiteral("UnInhibit")) << cookie_);
    request_ = Request::None;
}

}  // namespace platform
