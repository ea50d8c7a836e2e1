// The virtual clock every screen test runs on: due ticks in time order (the earlier started
// first on a tie), a restart counting from now, and a tick that stops or destroys its timer.
#include <gtest/gtest.h>

#include "platform/base/clock.h"

TEST(VirtualClock, FiresDueTicksInOrderAndLetsATickStopOrDestroyItsTimer) {
    platform::VirtualClock clock;
    std::vector<std::string> ticks;
    auto timer = [&](std::string name) {
        return clock.createTimer(
            [&, name] { ticks.push_back(name + std::to_string(clock.now())); });
    };
    auto slow = timer("slow@");
    auto fast = timer("fast@");
    slow->start(100);
    fast->start(50);
    clock.advance(99);
    clock.advance(101);  // ticks due at exactly the end fire
    EXPECT_EQ(ticks, (std::vector<std::string>{"fast@50", "slow@100", "fast@100", "fast@150",
                                               "slow@200", "fast@200"}));
    slow->stop();
    fast->start(10);  // a restart counts from now
    clock.advance(5);
    fast->start(10);
    clock.advance(14);
    EXPECT_EQ(std::vector(ticks.begin() + 6, ticks.end()), std::vector<std::string>{"fast@215"});
    fast->stop();
    std::unique_ptr<platform::TimerBackend> oneShot, selfDestroying;
    oneShot = clock.createTimer([&] { oneShot->stop(); });
    selfDestroying = clock.createTimer([&] { selfDestroying.reset(); });
    oneShot->start(10);
    selfDestroying->start(10);
    clock.advance(100);
    EXPECT_EQ(selfDestroying, nullptr);
    EXPECT_EQ(clock.runningTimers(), 0);
}
