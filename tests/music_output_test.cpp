// The music device's output through what sound servers do: one that cannot be reached, one
// that goes away and comes back, one that stops asking for sound or stalls.

#include <future>

#include "music_test_support.h"

using namespace music_test;

// A sound server that cannot be reached may report it while the next output opens, or later
// from a thread of its own: the next output plays all the same, and nothing is said.
TEST_F(MusicPlayer, WhenTheServerCannotBeReachedTheNextOutputPlays) {
    std::function<void()> lateReport;
    const platform::AudioOutput unreachable{
        "unreachable", [&](platform::RenderFunction, std::function<void()> broken) {
            broken();
            lateReport = broken;
            return std::unique_ptr<platform::AudioStream>();
        }};
    testing::internal::CaptureStderr();
    {
        Playing p({unreachable});
        p.device.start(p.device.write(shortTune(4800, 4800)));
        p.out.take(kRate / 4);
        lateReport();
        p.out.take(kRate / 4);
        EXPECT_GT(peakOf(p.out.samples, kRate / 4, kRate / 2), 0.05f) << "after the report";
        EXPECT_EQ(p.device.status(), "playing");
        EXPECT_EQ(p.out.opened, 1);
    }
    EXPECT_EQ(testing::internal::GetCapturedStderr(), "");
}

// The sound server goes away while the tune plays (the first time, as its stream opens): the
// tune is heard nowhere, so the title's watchdog starts it again meanwhile; the music comes back
// with the server, by itself.
TEST_F(MusicPlayer, WhenTheServerComesBackTheMusicComesBack) {
    Playing p({}, std::chrono::milliseconds(1));
    const QString tune = p.device.write(shortTune(4800, 4800));
    p.out.breaksAsItOpens = true;
    p.device.start(tune);
    ASSERT_TRUE(p.out.until([&] { return p.out.opened == 2; }));
    p.out.take(kRate / 4);
    p.out.breakStream(true);
    EXPECT_EQ(p.device.statusOnceNot("playing"), "stopped");
    p.device.start(tune);
    const std::size_t backAt = p.out.frames();
    p.out.set(p.out.down, false);
    p.out.take(kRate / 4);
    EXPECT_EQ(p.out.opened, 3);
    EXPECT_GT(peakOf(p.out.samples, backAt, p.out.frames()), 0.05f);
    EXPECT_EQ(p.device.status(), "playing");
}

// A server that stops asking for sound (a suspended sink), and one that then stalls: the
// tune's close (as Exit sends it) and the device's going wait on neither. The fade reaches
// the first before it is dropped; the second is left with the thread, which ends once it
// answers.
TEST_F(MusicPlayer, TheDeviceGoesAtOnceWhateverTheServerDoes) {
    for (const bool stalls : {false, true}) {
        MemoryOutput out;
        out.fadesHanded = true;
        auto device = std::make_unique<Device>(std::vector{out.output()});
        device->start(device->write(shortTune(4800, 4800)));
        out.take(kRate / 4);
        out.set(out.stalled, stalls);
        auto gone = std::async(std::launch::async, [&] {
            device->player.send("close all");
            device.reset();
        });
        const bool ended = gone.wait_for(std::chrono::seconds(20)) == std::future_status::ready;
        out.set(out.stalled, false);
        if (!ended) {
            std::fprintf(stderr, "the device waits on the server (stalls: %d)\n", stalls);
            std::abort();  // a device that never goes: stop, not hang
        }
        EXPECT_TRUE(out.until([&] { return out.streams == 0; })) << stalls;
        EXPECT_EQ(out.fadesAsked.size(), 1u) << stalls;
    }
}
