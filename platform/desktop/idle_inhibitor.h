#pragma once

#include <QDBusConnection>
#include <QObject>
#include <QString>
#include <functional>
#include <memory>
#include <optional>

#include "platform/base/clock.h"

namespace platform {

// Keeps the desktop from blanking the screen while the player plays with a gamepad. A desktop
// counts only the keyboard and the pointer as a player's presence, so a pad player's screen
// would dim and lock mid-play. From the first pad press on, the game holds an inhibition of the
// session's screen saver (org.freedesktop.ScreenSaver on the session bus, which GNOME, KDE and
// Xfce provide) and lets it go once the pad has rested for kHoldMs; from then on the desktop
// blanks the screen as for any idle player. Keyboard and pointer players are left to the desktop.
//
// One request starts a spell of pad play and one ends it, however many presses come between.
// Nothing waits for the bus: the calls are answered in the background. Without a session bus
// nothing happens and nothing is said; a bus without the service is said once, in one line,
// and asked again at most once per spell.
class IdleInhibitor {
  public:
    // The desktops' usual idle delay: a pad player who stops sees the screen blank after it.
    static constexpr int kHoldMs = 5 * 60 * 1000;

    // `bus` gives the session bus; it is asked for at the first pad press only.
    explicit IdleInhibitor(Clock& clock,
                           std::function<QDBusConnection()> bus = &QDBusConnection::sessionBus);
    ~IdleInhibitor();
    IdleInhibitor(const IdleInhibitor&) = delete;
    IdleInhibitor& operator=(const IdleInhibitor&) = delete;

    // The player pressed a button or moved a stick of a pad.
    void padUsed();

  private:
    enum class Request { None, Asking, Holding, Refused };

    void rested();
    void answered(bool ok, uint cookie, const QString& error);
    void release();

    std::function<QDBusConnection()> busFactory_;
    std::optional<QDBusConnection> bus_;
    std::unique_ptr<TimerBackend> holdTimer_;
    // Answers that come after the inhibitor has gone are dropped with it.
    QObject context_;
    // The pad was used within the last kHoldMs.
    bool playing_ = false;
    Request request_ = Request::None;
    uint cookie_ = 0;
    bool told_ = false;
};

}  // namespace platform
