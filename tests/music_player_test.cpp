// The music device: rendered by the test, by its own thread into an output in memory that the
// test asks for frames, and by ALSA's thread into a file.

#include <gtest/gtest.h>

#include <QDir>
#include <QTemporaryDir>
#include <cmath>
#include <condition_variable>
#include <cstring>
#include <future>
#include <thread>

#include "platform/audio/midi_file.h"
#include "platform/audio/midi_player.h"
#include "platform/audio/sound_limiter.h"

using platform::MidiFile;
using platform::MidiPlayer;
using Samples = std::vector<float>;

namespace {

constexpr int kRate = MidiPlayer::kSampleRate;

QByteArray be(std::uint32_t value, int bytes) {
    QByteArray out(bytes, '\0');
    for (int i = 1; i <= bytes; ++i, value >>= 8) {
        out[bytes - i] = static_cast<char>(value & 0xFF);
    }
    return out;
}

// Events as (delta ticks, bytes) pairs, the deltas written as variable-length quantities.
QByteArray events(std::initializer_list<std::pair<std::uint32_t, QByteArray>> list) {
    QByteArray out;
    for (auto [delta, bytes] : list) {
        QByteArray quantity(1, static_cast<char>(delta & 0x7F));
        while ((delta >>= 7) != 0) {
            quantity.prepend(static_cast<char>(0x80 | (delta & 0x7F)));
        }
        out += quantity + bytes;
    }
    return out;
}

const QByteArray kTempo("\xFF\x51\x03\x07\xA1\x20", 6);  // 500000 µs a beat
const QByteArray kEnd("\xFF\x2F\x00", 3);

// A file at 120 beats a minute, 480 ticks a beat unless said (a tick is then 1/960 s).
QByteArray midiFile(int format, const std::vector<QByteArray>& tracks, int division = 480) {
    QByteArray file = "MThd" + be(6, 4) + be(format, 2) + be(tracks.size(), 2) + be(division, 2);
    for (const QByteArray& t : tracks) {
        file += "MTrk" + be(t.size(), 4) + t;
    }
    return file;
}

// One piano note from `start` to `off` (its end in running status), the track's end at `end`.
QByteArray shortTune(std::uint32_t off, std::uint32_t end, std::uint32_t start = 0) {
    return midiFile(0, {events({{0, kTempo},
                                {0, QByteArray("\xC0\x00", 2)},
                                {start, QByteArray("\x90\x3C\x64", 3)},
                                {off - start, QByteArray("\x3C\x00", 2)},
                                {end - off, kEnd}})});
}

QString writeFile(const QString& path, const QByteArray& bytes) {
    QDir().mkpath(QFileInfo(path).absolutePath());
    QFile file(path);
    EXPECT_TRUE(file.open(QIODevice::WriteOnly));
    file.write(bytes);
    return path;
}

// Over frames [begin, end): the loudest sample, and the largest step within a channel.
float peakOf(const Samples& s, std::size_t begin, std::size_t end) {
    float peak = 0;
    for (std::size_t i = 2 * begin; i < std::min(2 * end, s.size()); ++i) {
        peak = std::max(peak, std::fabs(s[i]));
    }
    return peak;
}
float largestStep(const Samples& s, std::size_t begin, std::size_t end) {
    float step = 0;
    for (std::size_t i = 2 * begin + 2; i < std::min(2 * end, s.size()); ++i) {
        step = std::max(step, std::fabs(s[i] - s[i - 2]));
    }
    return step;
}

// An output in memory that the device's thread opens, renders ahead for and closes; the test
// asks it for frames as a sound device would. It can be a server that is down (nothing opens),
// or one that stalls: its stream then asks for nothing and a fade asked of it waits until the
// server is let go on.
class MemoryOutput {
  public:
    platform::AudioOutput output() {
        return {"memory", [this](platform::RenderFunction render, std::function<void()> broken) {
                    const std::lock_guard<std::mutex> lock(mutex_);
                    if (down) {
                        return std::unique_ptr<platform::AudioStream>();
                    }
                    render_ = std::move(render);
                    broken_ = std::move(broken);
                    ++opened;
                    changed_.notify_all();
                    return std::unique_ptr<platform::AudioStream>(new Closing(*this));
                }};
    }
    // Asks for `frames` more, once the output is open.
    void take(int frames) {
        ASSERT_TRUE(until([&] { return render_ != nullptr; }));
        std::unique_lock<std::mutex> lock(mutex_);
        const platform::RenderFunction render = render_;
        lock.unlock();
        for (int n = 0; n < frames; n += 256) {
            Samples request(2 * static_cast<std::size_t>(std::min(256, frames - n)));
            render(request.data(), static_cast<int>(request.size() / 2));
            samples.insert(samples.end(), request.begin(), request.end());
        }
    }
    // Takes 0.2 s more, silence enough for the output to close, and waits until it has.
    bool takeUntilClosed() {
        if (const std::lock_guard<std::mutex> lock(mutex_); render_ == nullptr) {
            return true;
        }
        take(kRate / 5);
        return until([&] { return render_ == nullptr; });
    }
    // The server goes away (and stays away while `down`), as the open stream hears.
    void breakStream(bool staysDown) {
        std::unique_lock<std::mutex> lock(mutex_);
        down = staysDown;
        const std::function<void()> broken = broken_;
        lock.unlock();
        broken();
    }
    void set(bool& flag, bool value) {
        const std::lock_guard<std::mutex> lock(mutex_);
        flag = value;
        changed_.notify_all();
    }
    // Waits (20 s at most, so that a fault fails rather than hangs) until `done()`, under the
    // output's lock.
    template <typename Done>
    bool until(Done done) {
        std::unique_lock<std::mutex> lock(mutex_);
        return changed_.wait_for(lock, std::chrono::seconds(20), done);
    }
    std::size_t frames() const { return samples.size() / 2; }
    Samples samples;
    int opened = 0;
    int streams = 0;  // streams alive
    bool down = false;
    bool stalled = false;
    // Whether the stream fades what it has been given itself, and the fades it was asked for.
    bool fadesHanded = false;
    std::vector<int> fadesAsked;

  private:
    struct Closing final : platform::AudioStream {
        explicit Closing(MemoryOutput& o) : out(o) { ++out.streams; }  // under its lock
        ~Closing() override {
            const std::lock_guard<std::mutex> lock(out.mutex_);
            out.render_ = nullptr;
            --out.streams;
            out.changed_.notify_all();
        }
        bool fadeOutHanded(int fadeFrames, std::chrono::milliseconds) override {
            std::unique_lock<std::mutex> lock(out.mutex_);
            out.fadesAsked.push_back(fadeFrames);
            out.changed_.notify_all();
            out.changed_.wait(lock, [&] { return !out.stalled; });
            return out.fadesHanded;
        }
        MemoryOutput& out;
    };
    std::mutex mutex_;
    std::condition_variable changed_;
    platform::RenderFunction render_;
    std::function<void()> broken_;
};

// A device with these outputs (none: the test renders) and an empty soundfont folder.
struct Device {
    explicit Device(std::vector<platform::AudioOutput> outputs = {},
                    std::chrono::milliseconds retryAfter = MidiPlayer::kRetryAfter)
        : player(MidiPlayer::Options{std::move(outputs), folder.path(), MidiPlayer::kGain,
                                     retryAfter}) {}
    QString write(const QByteArray& tune, const QString& name = QStringLiteral("tune.mid")) {
        return writeFile(folder.filePath(QStringLiteral("my game/") + name), tune);
    }
    // As the title's watchdog starts the tune: its path has blanks and backslashes.
    void start(QString path) {
        player.send("close all");
        player.send("open " + path.replace('/', '\\').toStdString() +
                    " type sequencer alias backplay");
        player.send("play backplay");
    }
    std::string status() { return player.send("status backplay mode"); }
    // The status once it is no longer `was` (the device's thread decides), within 20 s.
    std::string statusOnceNot(const std::string& was) {
        const auto deadline = std::chrono::steady_clock::now() + std::chrono::seconds(20);
        while (status() == was && std::chrono::steady_clock::now() < deadline) {
            std::this_thread::yield();
        }
        return status();
    }
    Samples render(int frames) {
        Samples s(2 * static_cast<std::size_t>(frames));
        player.render(s.data(), frames);
        return s;
    }
    QTemporaryDir folder;
    MidiPlayer player;
};

// A device whose own thread renders into an output in memory.
struct Playing {
    explicit Playing(std::vector<platform::AudioOutput> before = {},
                     std::chrono::milliseconds retryAfter = MidiPlayer::kRetryAfter)
        : device(withMemory(std::move(before)), retryAfter) {}
    std::vector<platform::AudioOutput> withMemory(std::vector<platform::AudioOutput> before) {
        before.push_back(out.output());
        return before;
    }
    ~Playing() {
        device.player.send("close all");
        if (!out.takeUntilClosed()) {
            std::abort();  // a device whose output never closes cannot go: stop, not hang
        }
    }
    MemoryOutput out;
    Device device;
};

// The tests that listen to what the synthesizer plays need a soundfont.
class MusicPlayer : public testing::Test {
    void SetUp() override {
        if (!QFileInfo::exists(QString::fromLatin1(MidiPlayer::kSystemSoundFont))) {
            GTEST_SKIP() << "no General MIDI soundfont installed";
        }
    }
};

}  // namespace

// The theme as the title plays it, to its end: loud enough, and clear of the limiter's ceiling.
TEST_F(MusicPlayer, TheThemePeaksBetweenMinusSixAndMinusOneDecibels) {
    Device d;
    d.start(QStringLiteral(VELMORA_THEME_FILE));
    float peak = 0;
    for (int block = 0; d.status() == "playing" && block < 300 * kRate / 4096; ++block) {
        for (float s : d.render(4096)) {
            peak = std::max(peak, std::fabs(s));
        }
    }
    EXPECT_EQ(d.status(), "stopped") << "the theme ends";
    EXPECT_GE(20 * std::log10(peak), -6.0);
    EXPECT_LE(20 * std::log10(peak), -1.0);
}

TEST_F(MusicPlayer, PlaysUntilTheTunesLastEvent) {
    Device d;
    d.start(d.write(shortTune(480, 960)));
    EXPECT_EQ(d.status(), "playing");
    EXPECT_GT(peakOf(d.render(kRate / 4), 0, kRate), 0.05f) << "the note sounds";
    int frames = kRate / 4;
    for (; d.status() == "playing" && frames < 3 * kRate; frames += 64) {
        d.render(64);
    }
    // The end of the track is at 1 s: the tune counts as ended then, not after a grace.
    EXPECT_GE(frames, kRate);
    EXPECT_LE(frames, kRate + 4 * 64);
    EXPECT_EQ(d.status(), "stopped");
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
    Playing p;
    const QString tune = p.device.write(shortTune(4800, 4800, 96));  // 5 s from 0.1 s on
    // Starts the tune as the title's watchdog does and lets half a second through: the note's
    // silent beginning is silent, even right after another tune.
    auto playHalfASecond = [&] {
        const std::size_t startedAt =
            p.out.frames() + MidiPlayer::kFadeFrames + platform::SoundLimiter::kLookahead;
        p.device.start(tune);
        p.out.take(kRate / 2);
        EXPECT_EQ(p.device.status(), "playing");
        EXPECT_LT(peakOf(p.out.samples, startedAt, startedAt + kRate / 15), 3e-5f) << "ringing";
    };
    for (const char* close : {"close all", "close backplay"}) {
        playHalfASecond();
        playHalfASecond();  // restarted at once: the output stays open
        const std::size_t closedAt = p.out.frames();
        p.device.player.send(close);
        EXPECT_EQ(p.device.status(), "") << "closed: no such tune";
        ASSERT_TRUE(p.out.takeUntilClosed()) << "the output stays open after the music";
        const Samples& s = p.out.samples;
        EXPECT_GT(peakOf(s, closedAt - 256, closedAt), 0.02f) << "mid-note";
        // Faded out within 10 ms, without a step larger than the note's own, then silence
        // until the output closes.
        EXPECT_EQ(peakOf(s, closedAt + kRate / 100, s.size()), 0.0f) << close;
        EXPECT_LE(largestStep(s, closedAt, s.size()),
                  largestStep(s, closedAt - kRate / 4, closedAt))
            << "a click";
    }
    // A stream that fades what it holds itself: what it takes next is silence at once.
    p.out.fadesHanded = true;
    playHalfASecond();
    const std::size_t closedAt = p.out.frames();
    p.device.player.send("close all");
    ASSERT_TRUE(p.out.until([&] { return p.out.fadesAsked.size() == 5; }));
    ASSERT_TRUE(p.out.takeUntilClosed());
    EXPECT_EQ(peakOf(p.out.samples, closedAt, p.out.samples.size()), 0.0f);
    EXPECT_EQ(p.out.fadesAsked, std::vector<int>(5, MidiPlayer::kFadeFrames)) << "each close";
    EXPECT_EQ(p.out.opened, 3);
    EXPECT_EQ(p.device.player.synthsCreated(), 1);
}

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
        EXPECT_EQ(p.device.player.audioDriver(), "memory");
        EXPECT_EQ(p.out.opened, 1);
    }
    EXPECT_EQ(testing::internal::GetCapturedStderr(), "");
}

// The sound server goes away while the tune plays: the tune is heard nowhere, so the title's
// watchdog starts it again meanwhile; the music comes back with the server, by itself.
TEST_F(MusicPlayer, WhenTheServerComesBackTheMusicComesBack) {
    Playing p({}, std::chrono::milliseconds(1));
    const QString tune = p.device.write(shortTune(4800, 4800));
    p.device.start(tune);
    p.out.take(kRate / 4);
    p.out.breakStream(true);
    EXPECT_EQ(p.device.statusOnceNot("playing"), "stopped");
    p.device.start(tune);
    const std::size_t backAt = p.out.frames();
    p.out.set(p.out.down, false);
    p.out.take(kRate / 4);
    EXPECT_EQ(p.out.opened, 2);
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

// Where a tune ends, to the tick. With 24 ticks a beat, a tick lasts 1/48 s (919 frames) at 120
// beats a minute and 1/96 s at 240, longer than the synthesizer's step of 64 frames, so that a
// tick too many or too few shows.
TEST_F(MusicPlayer, ATuneEndsOnTheTickOfItsLastEventAndThenStartsAgain) {
    const QByteArray on("\x90\x3C\x64", 3);
    const QByteArray off("\x80\x3C\x00", 3);
    const QByteArray faster("\xFF\x51\x03\x03\xD0\x90", 6);  // 250000 µs a beat
    struct Case {
        const char* what;
        std::vector<QByteArray> tracks;
        int lastTick;
        double seconds;
    };
    const Case cases[] = {
        {"the last note's end",
         {events({{0, kTempo}, {0, on}, {20, off}, {0, kEnd}})},
         20,
         20 / 48.0},
        {"a rest, then the end",
         {events({{0, kTempo}, {0, on}, {20, off}, {10, kEnd}})},
         30,
         30 / 48.0},
        {"no end of track", {events({{0, kTempo}, {0, on}, {20, off}})}, 20, 20 / 48.0},
        {"the longer track first",
         {events({{0, kTempo}, {30, kEnd}}), events({{0, on}, {25, off}, {0, kEnd}})},
         30,
         30 / 48.0},
        {"a faster tempo at tick 10",
         {events({{0, kTempo}, {0, on}, {10, faster}, {20, off}, {0, kEnd}})},
         30,
         10 / 48.0 + 20 / 96.0},
    };
    for (const Case& c : cases) {
        const QByteArray file = midiFile(c.tracks.size() > 1 ? 1 : 0, c.tracks, 24);
        EXPECT_EQ(MidiFile::lastEventTick(file).value_or(-1), c.lastTick) << c.what;
        Device d;
        d.start(d.write(file));
        int frames = 0;
        for (; d.status() == "playing" && frames < 3 * kRate; frames += 64) {
            d.render(64);
        }
        // The synthesizer's player rounds its clock to the nearest tick: a tempo's ticks come
        // half a tick early. A tick too many or too few would be half a tick of 1/48 s beyond.
        EXPECT_GT(frames, (c.seconds - 1 / 48.0) * kRate) << c.what;
        EXPECT_LE(frames, c.seconds * kRate + 2 * 64) << c.what;
        d.player.send("play backplay");  // without closing it: from its beginning again
        EXPECT_EQ(d.status(), "playing") << c.what;
    }
}

TEST_F(MusicPlayer, TheSoundCardHearsWhatTheSynthesizerRendersAndATuneThatHasEndedAgain) {
    // ALSA's default device made a file of raw samples, taken as fast as they come.
    QTemporaryDir dir;
    const QString raw = dir.filePath(QStringLiteral("card.raw"));
    const QString conf = writeFile(dir.filePath(QStringLiteral("asound.conf")),
                                   "pcm.!default { type file slave.pcm { type null } file \"" +
                                       QFile::encodeName(raw) + "\" format raw }\n");
    setenv("ALSA_CONFIG_PATH", QFile::encodeName(conf), 1);
    // The note for 0.25 s, the end at 1 s: what is rendered ahead of the card when the tune
    // ends, and dropped as it closes, comes well after the first half second.
    const QByteArray tune = shortTune(240, 960);
    Device rendered;
    rendered.start(rendered.write(tune));
    const Samples expected = rendered.render(kRate / 2);
    {
        Device card(
            {platform::alsaOutput(kRate, MidiPlayer::kQueueFrames, MidiPlayer::kRequestFrames)});
        auto waitUntilStopped = [&] {
            const auto deadline = std::chrono::steady_clock::now() + std::chrono::seconds(20);
            while (card.status() == "playing" && std::chrono::steady_clock::now() < deadline) {
                std::this_thread::yield();
            }
        };
        card.start(card.write(tune));
        waitUntilStopped();
        card.player.send("play backplay");  // without closing it: from its beginning again
        EXPECT_EQ(card.status(), "playing");
        waitUntilStopped();
        EXPECT_EQ(card.player.audioDriver(), "alsa");
    }  // the output plays what it holds before the device goes
    unsetenv("ALSA_CONFIG_PATH");
    QFile file(raw);
    ASSERT_TRUE(file.open(QIODevice::ReadOnly));
    const QByteArray bytes = file.readAll();
    Samples heard(static_cast<std::size_t>(bytes.size()) / sizeof(float));
    std::memcpy(heard.data(), bytes.constData(), heard.size() * sizeof(float));
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
    QByteArray onlyOne = midiFile(1, {one});
    onlyOne[11] = 2;  // two tracks
    const QByteArray both = onlyOne + "XTRA" + be(2, 4) + "ab" + "MTrk" + be(two.size(), 4) + two;
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
