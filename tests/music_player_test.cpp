// The music device: rendered by the test, by its own thread into an output in memory standing for
// a sound server (one that cannot be reached, goes away, stalls), and by ALSA's thread into a file.

#include <future>

#include "music_test_support.h"

using namespace music_test;

// The theme as the title plays it, to its end: loud enough, and clear of the limiter's ceiling.
TEST_F(MusicPlayer, TheThemePeaksBetweenMinusSixAndMinusOneDecibels) {
    Device d;
    d.start(QStringLiteral(VELMORA_THEME_FILE));
    float peak = 0;
    for (int block = 0; d.status() == "playing" && block < 300 * kRate / 4096; ++block) {
        peak = std::max(peak, peakOf(d.render(4096), 0, 4096));
    }
    EXPECT_EQ(d.status(), "stopped") << "the theme ends";
    EXPECT_GE(20 * std::log10(peak), -6.0);
    EXPECT_LE(20 * std::log10(peak), -1.0);
}

TEST(MusicCommands, AMissingOrBrokenFileIsNotOpenedAndWithNoOutputItSaysSoInOneLine) {
    const platform::AudioOutput none{"none", [](platform::RenderFunction, std::function<void()>) {
                                         return std::unique_ptr<platform::AudioStream>();
                                     }};
    testing::internal::CaptureStderr();
    {
        Device d({none, none});
        QFile huge(d.folder.filePath(QStringLiteral("huge.mid")));  // 3 GiB, sparse: never read
        ASSERT_TRUE(huge.open(QIODevice::WriteOnly) && huge.resize(qint64{3} << 30));
        for (const QString& path :
             {d.folder.filePath(QStringLiteral("none.mid")), huge.fileName(),
              d.write("MThd", QStringLiteral("b.mid")),
              d.write(shortTune(480, 960).left(30), QStringLiteral("c.mid"))}) {
            d.start(path);
            EXPECT_EQ(d.status(), "") << path.toStdString();
        }
        EXPECT_EQ(d.player.synthsCreated(), 0);
        for (const char* other : {"status other mode", "status backplay position", "seek x", ""}) {
            EXPECT_EQ(d.player.send(other), "") << other;
        }
        // No output will open: the tune is heard nowhere, so it is not playing, and the
        // watchdog's restarts are no reason to say so again.
        for (int restart = 0; restart < 3; ++restart) {
            d.start(d.write(shortTune(480, 960)));
            EXPECT_EQ(d.statusOnceNot("playing"), "stopped");
        }
    }
    const std::string said = testing::internal::GetCapturedStderr();
    EXPECT_EQ(std::count(said.begin(), said.end(), '\n'), 1) << said;
    EXPECT_NE(said.find("silent"), std::string::npos) << said;
}

TEST_F(MusicPlayer, CloseFadesMidNoteWithoutAClickAndTheOutputClosesUntilTheNextTune) {
    MemoryOutput out;
    Device d({out.output()});
    const QString tune = d.write(shortTune(4800, 4800, 96));  // 5 s from 0.1 s on
    // Starts the tune as the title's watchdog does and takes half a second: the note's silent
    // beginning is silent, even right after another tune.
    auto playHalfASecond = [&] {
        const std::size_t startedAt =
            out.frames() + MidiPlayer::kFadeFrames + platform::SoundLimiter::kLookahead;
        std::size_t fades = 0;
        out.until([&] { return (fades = out.fadesAsked.size(), true); });
        const bool sounding = d.status() == "playing";
        d.start(tune);
        // A sounding tune is faded before the next one starts, however late its thread runs.
        ASSERT_TRUE(!sounding || out.until([&] { return out.fadesAsked.size() > fades; }));
        out.take(kRate / 2);
        EXPECT_EQ(d.status(), "playing");
        EXPECT_LT(peakOf(out.samples, startedAt, startedAt + kRate / 15), 3e-5f) << "ringing";
    };
    for (const char* close : {"close all", "close backplay"}) {
        playHalfASecond();
        playHalfASecond();  // restarted at once: the output stays open
        const std::size_t closedAt = out.frames();
        d.player.send(close);
        EXPECT_EQ(d.status(), "") << "closed: no such tune";
        ASSERT_TRUE(out.takeUntilClosed()) << "the output stays open after the music";
        const Samples& s = out.samples;
        EXPECT_GT(peakOf(s, closedAt - 256, closedAt), 0.02f) << "mid-note";
        // Faded out within 10 ms, with no step larger than the note's own; silence until closed.
        EXPECT_EQ(peakOf(s, closedAt + kRate / 100, s.size()), 0.0f) << close;
        EXPECT_LE(largestStep(s, closedAt, s.size()),
                  largestStep(s, closedAt - kRate / 4, closedAt))
            << "a click";
    }
    // A stream that fades what it holds itself: what it takes next is silence at once.
    out.fadesHanded = true;
    playHalfASecond();
    const std::size_t closedAt = out.frames();
    d.player.send("close all");
    ASSERT_TRUE(out.until([&] { return out.fadesAsked.size() == 5; }));
    ASSERT_TRUE(out.takeUntilClosed());
    EXPECT_EQ(peakOf(out.samples, closedAt, out.samples.size()), 0.0f);
    EXPECT_EQ(out.fadesAsked, std::vector<int>(5, MidiPlayer::kFadeFrames)) << "each close";
    EXPECT_EQ(out.opened, 3);
    EXPECT_EQ(d.player.synthsCreated(), 1);
}

// Where a tune ends, to the tick. With 24 ticks a beat a tick lasts 1/48 s at 120 beats a minute
// (1/96 s at 240), longer than the synthesizer's step of 64 frames: a tick off shows.
TEST_F(MusicPlayer, ATuneEndsOnTheTickOfItsLastEventAndThenStartsAgain) {
    const QByteArray on("\x90\x3C\x64", 3);
    const QByteArray off("\x80\x3C\x00", 3);
    const QByteArray faster("\xFF\x51\x03\x03\xD0\x90", 6);  // 250000 µs a beat
    const QByteArray note = events({{0, kTempo}, {0, on}, {20, off}});
    // The case, its tracks, and when the tune ends.
    const std::tuple<const char*, std::vector<QByteArray>, double> cases[] = {
        {"the last note's end", {note + events({{0, kEnd}})}, 20 / 48.0},
        {"a rest, then the end", {note + events({{10, kEnd}})}, 30 / 48.0},
        {"no end of track", {note}, 20 / 48.0},
        {"the longer track first",
         {events({{0, kTempo}, {30, kEnd}}), events({{0, on}, {25, off}, {0, kEnd}})},
         30 / 48.0},
        {"a faster tempo at tick 10",
         {events({{0, kTempo}, {0, on}, {10, faster}, {20, off}, {0, kEnd}})},
         10 / 48.0 + 20 / 96.0},
    };
    for (const auto& [what, tracks, seconds] : cases) {
        Device d;
        d.start(d.write(midiFile(tracks.size() > 1 ? 1 : 0, tracks, 24)));
        int frames = 0;
        for (; d.status() == "playing" && frames < 3 * kRate; frames += 64) {
            d.render(64);
        }
        // The synthesizer rounds its clock to the nearest tick: a tempo's ticks come half early.
        EXPECT_GT(frames, (seconds - 1 / 48.0) * kRate) << what;
        EXPECT_LE(frames, seconds * kRate + 2 * 64) << what;
        d.player.send("play backplay");  // without closing it: from its beginning again
        EXPECT_EQ(d.status(), "playing") << what;
    }
}

TEST_F(MusicPlayer, TheSoundCardHearsWhatTheSynthesizerRendersAndATuneThatHasEndedAgain) {
    // The note for 0.25 s, the end at 1 s: what is rendered ahead of the card when the tune
    // ends, and dropped as it closes, comes well after the first half second.
    Device rendered;
    const QString tune = rendered.write(shortTune(240, 960));
    rendered.start(tune);
    const Samples expected = rendered.render(kRate / 2);
    // ALSA's default device made a file of raw samples, taken as fast as they come.
    const QString raw = rendered.folder.filePath(QStringLiteral("card.raw"));
    const QString conf = rendered.write("pcm.!default { type file slave.pcm { type null } file \"" +
                                            QFile::encodeName(raw) + "\" format raw }\n",
                                        QStringLiteral("asound.conf"));
    setenv("ALSA_CONFIG_PATH", QFile::encodeName(conf), 1);
    {
        Device card(
            {platform::alsaOutput(kRate, MidiPlayer::kQueueFrames, MidiPlayer::kRequestFrames)});
        card.start(tune);
        EXPECT_EQ(card.statusOnceNot("playing"), "stopped");
        card.player.send("play backplay");  // without closing it: from its beginning again
        EXPECT_EQ(card.status(), "playing");
        EXPECT_EQ(card.statusOnceNot("playing"), "stopped");
        EXPECT_EQ(card.player.audioDriver(), "alsa");
    }  // the output plays what it holds before the device goes
    unsetenv("ALSA_CONFIG_PATH");
    QFile file(raw);
    ASSERT_TRUE(file.open(QIODevice::ReadOnly));
    Samples heard(static_cast<std::size_t>(file.size()) / sizeof(float));
    file.read(reinterpret_cast<char*>(heard.data()), heard.size() * sizeof(float));
    ASSERT_GE(heard.size(), expected.size());
    EXPECT_TRUE(std::equal(expected.begin(), expected.end(), heard.begin()))
        << "the card's samples differ from the synthesizer's";
    EXPECT_GT(peakOf(heard, kRate, heard.size()), 0.05f) << "the note again";
}

TEST(SoundLimiter, DelaysQuietSoundAndHoldsLoudSoundBelowTheCeiling) {
    using platform::SoundLimiter;
    constexpr std::size_t kFrames = 2000;
    Samples quiet(2 * kFrames);
    Samples loud(2 * kFrames);
    for (std::size_t i = 0; i < quiet.size(); ++i) {
        quiet[i] = 0.8f * std::sin(static_cast<float>(i) * 0.01f);
        loud[i] = quiet[i] * (i >= 600 && i < 1400 ? 2.5f : 1.0f);
    }
    SoundLimiter limiter(kRate);
    auto process = [&](Samples s) {  // in blocks of uneven size, as outputs ask for them
        for (std::size_t at = 0, n = 37; at < kFrames; at += n, n = n * 3 % 251 + 1) {
            limiter.process(s.data() + 2 * at, static_cast<int>(std::min(n, kFrames - at)));
        }
        return s;
    };
    for (int round = 0; round < 2; ++round) {
        const Samples out = process(quiet);
        const std::size_t delay = 2 * SoundLimiter::kLookahead;
        EXPECT_EQ(peakOf(out, 0, SoundLimiter::kLookahead), 0.0f) << "it begins after silence";
        EXPECT_TRUE(std::equal(quiet.begin(), quiet.end() - delay, out.begin() + delay)) << round;
        const Samples limited = process(loud);
        EXPECT_LE(peakOf(limited, 0, kFrames), SoundLimiter::kCeiling);
        EXPECT_GT(peakOf(limited, 300, 700), 0.8f * SoundLimiter::kCeiling) << "turned down only";
        limiter.reset();  // it forgets the loud sound in its delay, and the next round begins
    }
}

TEST(MidiFile, MergesTheTracksInTimeOrderAndReadsTheLastTickOfAll) {
    // Track 1: a tempo at 0, a note at 10 (running status for its end at 30), a name at 30, its
    // end at 70. Track 2: a program change and channel pressure at 0, a note at 10, a sysex at
    // 20, its end at 60. A chunk of another kind between them is passed over.
    const QByteArray one = events({{0, kTempo},
                                   {10, QByteArray("\x90\x3C\x64", 3)},
                                   {20, QByteArray("\x3C\x00", 2)},
                                   {0, QByteArray("\xFF\x03\x01n", 4)},
                                   {40, kEnd}});
    const QByteArray two = events({{0, QByteArray("\xC1\x05\x00\xD1\x40", 5)},
                                   {10, QByteArray("\x91\x40\x50", 3)},
                                   {10, QByteArray("\xF0\x02\x7E\xF7", 4)},
                                   {40, kEnd}});
    QByteArray both = midiFile(1, {one, two});
    const QByteArray onlyOne = both.left(22 + one.size());  // the header and the first track
    both.insert(onlyOne.size(), QByteArray("XTRA\0\0\0\2ab", 10));
    const QByteArray merged = midiFile(0, {events({{0, kTempo},
                                                   {0, QByteArray("\xC1\x05\x00\xD1\x40", 5)},
                                                   {10, QByteArray("\x90\x3C\x64", 3)},
                                                   {0, QByteArray("\x91\x40\x50", 3)},
                                                   {10, QByteArray("\xF0\x02\x7E\xF7", 4)},
                                                   {10, QByteArray("\x90\x3C\x00", 3)},
                                                   {0, QByteArray("\xFF\x03\x01n", 4)},
                                                   {40, kEnd}})});
    EXPECT_EQ(MidiFile::singleTrack(both).value_or("none").toHex(' '), merged.toHex(' '));
    EXPECT_EQ(MidiFile::lastEventTick(both), 70) << "the longer track, though it comes first";
    // Not a whole file: the second track missing or cut short, or no more than a tag.
    for (const QByteArray& broken : {onlyOne, both.left(both.size() - 3), QByteArray("MThd")}) {
        EXPECT_FALSE(MidiFile::lastEventTick(broken)) << broken.toHex(' ').toStdString();
        EXPECT_FALSE(MidiFile::singleTrack(broken));
    }
}

// A server that cannot be reached may say so as the next output opens, or later from a thread of
// its own: the next output plays all the same, and nothing is said.
TEST_F(MusicPlayer, WhenTheServerCannotBeReachedTheNextOutputPlays) {
    std::function<void()> lateReport;
    const platform::AudioOutput unreachable{
        "unreachable", [&](platform::RenderFunction, std::function<void()> broken) {
            broken();
            lateReport = broken;
            return std::unique_ptr<platform::AudioStream>();
        }};
    MemoryOutput out;
    testing::internal::CaptureStderr();
    {
        Device d({unreachable, out.output()});
        d.start(d.write(shortTune(4800, 4800)));
        out.take(kRate / 4);
        lateReport();
        out.take(kRate / 4);
        EXPECT_GT(peakOf(out.samples, kRate / 4, kRate / 2), 0.05f) << "after the report";
        EXPECT_EQ(d.status(), "playing");
        EXPECT_EQ(out.opened, 1);
        d.player.send("close all");  // the stream the report came after is still there to fade
        EXPECT_TRUE(out.until([&] { return out.fadesAsked.size() == 1; }));
    }
    EXPECT_EQ(testing::internal::GetCapturedStderr(), "");
}

// The server goes away while the tune plays (the first time, as its stream opens): the tune is
// heard nowhere, so the title's watchdog starts it again; the music comes back with the server.
TEST_F(MusicPlayer, WhenTheServerComesBackTheMusicComesBack) {
    MemoryOutput out;
    Device d({out.output()}, std::chrono::milliseconds(1));
    const QString tune = d.write(shortTune(4800, 4800));
    out.breaksAsItOpens = true;
    d.start(tune);
    ASSERT_TRUE(out.until([&] { return out.opened == 2; }));
    out.take(kRate / 4);
    out.breakStream();
    EXPECT_EQ(d.statusOnceNot("playing"), "stopped");
    d.start(tune);
    const std::size_t backAt = out.frames();
    out.set(out.down, false);
    out.take(kRate / 4);
    EXPECT_EQ(out.opened, 3);
    EXPECT_GT(peakOf(out.samples, backAt, out.frames()), 0.05f);
    EXPECT_EQ(d.status(), "playing");
}

// A server that stops asking for sound (a suspended sink), and one that then stalls: the tune's
// close (as Exit sends it) and the device's going wait on neither. The fade reaches the first;
// the second is left with the device's thread, which ends once the server answers.
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
