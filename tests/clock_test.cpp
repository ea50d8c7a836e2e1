#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "platform/clock.h"

namespace {

struct Recorder {
    std::vector<std::string> ticks;
    platform::VirtualClock clock;
    std::unique_ptr<platform::TimerBackend> make(const std::string& name) {
        return clock.createTimer(
            [this, name] { ticks.push_back(name + "@" + std::to_string(clock.now())); });
    }
};

}  // namespace

TEST(VirtualClock, FiresDueTicksInTimeOrder) {
    Recorder r;
    auto fast = r.make("fast");
    auto slow = r.make("slow");
    slow->start(100);
    fast->start(50);
    r.clock.advance(99);
    EXPECT_EQ(r.ticks, (std::vector<std::string>{"fast@50"}));
    r.clock.advance(101);
    // At 100 both are due: the one started first goes first.
    EXPECT_EQ(r.ticks, (std::vector<std::string>{"fast@50", "slow@100", "fast@100", "fast@150",
                                                 "slow@200", "fast@200"}));
    EXPECT_EQ(r.clock.now(), 200);
}

TEST(VirtualClock, RestartingAndStoppingInsideATick) {
    platform::VirtualClock clock;
    std::vector<std::int64_t> ticks;
    std::unique_ptr<platform::TimerBackend> oneShot;
    oneShot = clock.createTimer([&] {
        ticks.push_back(clock.now());
        oneShot->stop();
    });
    oneShot->start(10);
    clock.advance(100);
    EXPECT_EQ(ticks, (std::vector<std::int64_t>{10}));

    // Setting the interval again restarts the count from now.
    oneShot->start(10);
    clock.advance(5);
    oneShot->start(10);
    clock.advance(9);
    EXPECT_EQ(ticks.size(), 1u);
    clock.advance(1);
    EXPECT_EQ(ticks, (std::vector<std::int64_t>{10, 115}));
}

TEST(VirtualClock, ATickMayDestroyItsOwnTimer) {
    platform::VirtualClock clock;
    int ticks = 0;
    std::unique_ptr<platform::TimerBackend> timer;
    timer = clock.createTimer([&] {
        ++ticks;
        timer.reset();
    });
    timer->start(50);
    clock.advance(500);
    EXPECT_EQ(ticks, 1);
    EXPECT_EQ(clock.runningTimers(), 0);
}
