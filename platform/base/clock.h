#pragma once

#include <cstdint>
#include <functional>
#include <list>
#include <memory>

namespace platform {

// One timer's connection to a clock: started with an interval in milliseconds, or stopped.
class TimerBackend {
  public:
    virtual ~TimerBackend() = default;
    virtual void start(int intervalMs) = 0;
    virtual void stop() = 0;
};

// Where timers get their ticks from: the window system's timers in the game, a virtual clock
// in tests.
class Clock {
  public:
    virtual ~Clock() = default;
    virtual std::unique_ptr<TimerBackend> createTimer(std::function<void()> onTick) = 0;
};

// Precise window-system timers, ticking on the window thread.
class QtClock final : public Clock {
  public:
    std::unique_ptr<TimerBackend> createTimer(std::function<void()> onTick) override;
};

// Time that passes only when a test says so. advance() fires every tick that falls due, in
// time order (timers due at the same moment in the order they were started), each tick after
// the previous one has returned, so a tick may start or stop any timer, its own included.
class VirtualClock final : public Clock {
  public:
    std::unique_ptr<TimerBackend> createTimer(std::function<void()> onTick) override;

    void advance(std::int64_t ms);
    std::int64_t now() const { return now_; }
    // Timers currently running.
    int runningTimers() const;

  private:
    struct Entry {
        std::function<void()> onTick;
        int interval = 0;
        std::int64_t due = 0;
        std::uint64_t order = 0;
    };
    class Backend;

    Entry* nextDue(std::int64_t until);

    std::list<Entry> entries_;
    std::int64_t now_ = 0;
    std::uint64_t started_ = 0;
};

}  // namespace platform
