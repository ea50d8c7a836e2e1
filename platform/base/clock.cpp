#include "platform/base/clock.h"

#include <QTimer>

namespace platform {
namespace {

class QtTimerBackend final : public TimerBackend {
  public:
    explicit QtTimerBackend(std::function<void()> onTick) {
        timer_.setTimerType(Qt::PreciseTimer);
        QObject::connect(&timer_, &QTimer::timeout, std::move(onTick));
    }
    void start(int intervalMs) override { timer_.start(intervalMs); }
    void stop() override { timer_.stop(); }

  private:
    QTimer timer_;
};

}  // namespace

std::unique_ptr<TimerBackend> QtClock::createTimer(std::function<void()> onTick) {
    return std::make_unique<QtTimerBackend>(std::move(onTick));
}

class VirtualClock::Backend final : public TimerBackend {
  public:
    Backend(VirtualClock& clock, std::list<Entry>::iterator entry) : clock_(clock), entry_(entry) {}
    ~Backend() override { clock_.entries_.erase(entry_); }

    void start(int intervalMs) override {
        entry_->interval = intervalMs;
        entry_->due = clock_.now_ + intervalMs;
        entry_->order = ++clock_.started_;
    }
    void stop() override { entry_->interval = 0; }

  private:
    VirtualClock& clock_;
    std::list<Entry>::iterator entry_;
};

std::unique_ptr<TimerBackend> VirtualClock::createTimer(std::function<void()> onTick) {
    entries_.push_back(Entry{std::move(onTick)});
    return std::make_unique<Backend>(*this, std::prev(entries_.end()));
}

VirtualClock::Entry* VirtualClock::nextDue(std::int64_t until) {
    Entry* next = nullptr;
    for (Entry& e : entries_) {
        if (e.interval > 0 && e.due <= until &&
            (next == nullptr || e.due < next->due ||
             (e.due == next->due && e.order < next->order))) {
            next = &e;
        }
    }
    return next;
}

void VirtualClock::advance(std::int64_t ms) {
    const std::int64_t until = now_ + ms;
    while (Entry* e = nextDue(until)) {
        now_ = e->due;
        e->due += e->interval;
        // The handler is copied: the tick may destroy its own timer.
        const std::function<void()> tick = e->onTick;
        tick();
    }
    now_ = until;
}

int VirtualClock::runningTimers() const {
    int n = 0;
    for (const Entry& e : entries_) {
        n += e.interval > 0 ? 1 : 0;
    }
    return n;
}

}  // namespace platform
