// The MIDI player on the software synthesizer. Most tests give it an output in memory: its own
// thread renders into it as into a sound device, and the test lets the frames through as a
// device would take them. The others give it no output and render its samples themselves,
// which is what drives the tune's clock then.

#include <gtest/gtest.h>

#include <QByteArray>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QTemporaryDir>
#include <algorithm>
#include <chrono>
#include <cmath>
#include <condition_variable>
#include <functional>
#include <mutex>
#include <thread>
#include <vector>

#include "platform/midi_file.h"
#include "platform/midi_player.h"
#include "platform/sound_limiter.h"

using platform::MidiPlayer;

namespace {

constexpr int kRate = MidiPlayer::kSampleRate;
constexpr int kBlock = 64;
constexpr int kPeriod = 256;

QByteArray be(std::uint32_t value, int bytes) {
    QByteArray out;
    for (int i = bytes - 1; i >= 0; --i) {
        out.append(static_cast<char>((value >> (8 * i)) & 0xFF));
    }
    return out;
}

QByteArray quantity(std::uint32_t v) {
    QByteArray out(1, static_cast<char>(v & 0x7F));
    while ((v >>= 7) != 0) {
        out.prepend(static_cast<char>(0x80 | (v & 0x7F)));
    }
    return out;
}

QByteArray trackChunk(const QByteArray& events) {
    return "MTrk" + be(static_cast<std::uint32_t>(events.size()), 4) + events;
}

// A file at 120 beats a minute, 480 ticks a beat (a tick is 1/960 s).
QByteArray midiFile(int format, const std::vector<QByteArray>& tracks) {
    QByteArray file = "MThd" + be(6, 4) + be(format, 2) +
                      be(static_cast<std::uint32_t>(tracks.size()), 2) + be(480, 2);
    for (const QByteArray& t : tracks) {
        file += trackChunk(t);
    }
    return file;
}

// One track: one piano note from `start` to `noteOff`, and the end of the track at `end`.
QByteArray shortTune(int noteOff, int end, int start = 0) {
    QByteArray track;
    track += quantity(0) + QByteArray("\xFF\x51\x03\x07\xA1\x20", 6);  // 500000 µs a beat
    track += quantity(0) + QByteArray("\xC0\x00", 2);
    track += quantity(start) + QByteArray("\x90\x3C\x64", 3);
    track += quantity(noteOff - start) + QByteArray("\x3C\x00", 2);  // running status
    track += quantity(end - noteOff) + QByteArray("\xFF\x2F\x00", 3);
    return midiFile(0, {track});
}

void writeFile(const QString& path, const QByteArray& bytes) {
    QDir().mkpath(QFileInfo(path).absolutePath());
    QFile file(path);
    ASSERT_TRUE(file.open(QIODevice::WriteOnly));
    file.write(bytes);
}

float peakOf(const float* samples, std::size_t count) {
    float peak = 0;
    for (std::size_t i = 0; i < count; ++i) {
        peak = std::max(peak, std::fabs(samples[i]));
    }
    return peak;
}

// The largest difference between two neighbouring samples of one channel, over frames
// [begin, end).
float largestStep(const std::vector<float>& s, std::size_t begin, std::size_t end) {
    float step = 0;
    for (std::size_t f = std::max<std::size_t>(begin, 1); f < end; ++f) {
        for (std::size_t c = 0; c < 2; ++c) {
            step = std::max(step, std::fabs(s[2 * f + c] - s[2 * (f - 1) + c]));
        }
    }
    return step;
}

// A sound output in memory: a thread of its own asks for frames, as a sound device would, and
// keeps them, but only as many as the test has let through; past them it waits, as on a full
// queue.
class MemoryOutput {
  public:
    static constexpr int kRequest = 256;

    platform::AudioOutput output() {
        return {"memory",
                [this](platform::RenderFunction render,
                       std::function<void()>) -> std::unique_ptr<platform::AudioStream> {
                    const std::lock_guard<std::mutex> lock(mutex_);
                    ++opened_;
                    open_ = true;
                    return std::make_unique<Stream>(*this, std::move(render));
                }};
    }

    // Lets `frames` more through and waits until they have been rendered, or the stream has
    // closed.
    void take(int frames) {
        std::unique_lock<std::mutex> lock(mutex_);
        allowed_ += static_cast<std::size_t>(frames);
        changed_.notify_all();
        const int closed = closed_;
        const bool done = changed_.wait_for(lock, std::chrono::seconds(20), [&] {
            return closed_ > closed || samples_.size() / 2 >= allowed_;
        });
        ASSERT_TRUE(done) << "the output stopped asking for sound";
        allowed_ = std::max(allowed_, samples_.size() / 2);
    }
    // Lets everything through until the stream has been closed `count` times in all.
    bool waitClosed(int count) {
        std::unique_lock<std::mutex> lock(mutex_);
        unlimited_ = true;
        changed_.notify_all();
        const bool closed =
            changed_.wait_for(lock, std::chrono::seconds(20), [&] { return closed_ >= count; });
        unlimited_ = false;
        allowed_ = samples_.size() / 2;
        return closed;
    }
    // Stops holding the thread back, for good.
    void release() {
        const std::lock_guard<std::mutex> lock(mutex_);
        unlimited_ = true;
        changed_.notify_all();
    }

    std::vector<float> samples() const {
        const std::lock_guard<std::mutex> lock(mutex_);
        return samples_;
    }
    std::size_t frames() const {
        const std::lock_guard<std::mutex> lock(mutex_);
        return samples_.size() / 2;
    }
    int opened() const {
        const std::lock_guard<std::mutex> lock(mutex_);
        return opened_;
    }
    bool isOpen() const {
        const std::lock_guard<std::mutex> lock(mutex_);
        return open_;
    }

  private:
    class Stream final : public platform::AudioStream {
      public:
        Stream(MemoryOutput& out, platform::RenderFunction render)
            : out_(out), render_(std::move(render)), thread_([this] { run(); }) {}
        ~Stream() override {
            {
                const std::lock_guard<std::mutex> lock(out_.mutex_);
                stopping_ = true;
                out_.changed_.notify_all();
            }
            thread_.join();
            const std::lock_guard<std::mutex> lock(out_.mutex_);
            ++out_.closed_;
            out_.open_ = false;
            out_.changed_.notify_all();
        }
        Stream(const Stream&) = delete;
        Stream& operator=(const Stream&) = delete;

      private:
        void run() {
            std::vector<float> request(2 * kRequest);
            std::unique_lock<std::mutex> lock(out_.mutex_);
            for (;;) {
                out_.changed_.wait(lock, [&] {
                    return stopping_ || out_.unlimited_ || out_.samples_.size() / 2 < out_.allowed_;
                });
                if (stopping_) {
                    return;
                }
                const std::size_t frames =
                    out_.unlimited_
                        ? kRequest
                        : std::min<std::size_t>(kRequest, out_.allowed_ - out_.samples_.size() / 2);
                lock.unlock();
                render_(request.data(), static_cast<int>(frames));
                lock.lock();
                out_.samples_.insert(out_.samples_.end(), request.begin(),
                                     request.begin() + static_cast<std::ptrdiff_t>(2 * frames));
                out_.changed_.notify_all();
            }
        }

        MemoryOutput& out_;
        platform::RenderFunction render_;
        bool stopping_ = false;
        std::thread thread_;
    };

    mutable std::mutex mutex_;
    std::condition_variable changed_;
    std::vector<float> samples_;
    std::size_t allowed_ = 0;
    bool unlimited_ = false;
    bool open_ = false;
    int opened_ = 0;
    int closed_ = 0;
};

bool haveSoundFont() {
    return QFileInfo::exists(QString::fromLatin1(MidiPlayer::kSystemSoundFont));
}

// A player with no sound output, and its soundfont folder empty.
struct Quiet {
    QTemporaryDir folder;
    MidiPlayer player{MidiPlayer::Options{{}, folder.path(), MidiPlayer::kGain}};

    std::string open(const QString& path) {
        return player.send("open " + path.toStdString() + " type sequencer alias backplay");
    }
    std::string status() { return player.send("status backplay mode"); }
    // Renders `frames` and gives the loudest sample.
    float render(int frames) {
        std::vector<float> samples(static_cast<std::size_t>(2 * frames));
        player.render(samples.data(), frames);
        return peakOf(samples.data(), samples.size());
    }
};

// A player whose own thread renders into an output in memory.
struct Playing {
    QTemporaryDir folder;
    MemoryOutput out;
    MidiPlayer player{MidiPlayer::Options{{out.output()}, folder.path(), MidiPlayer::kGain}};
    ~Playing() { out.release(); }

    QString write(const QByteArray& tune) {
        const QString path = folder.filePath(QStringLiteral("tune.mid"));
        writeFile(path, tune);
        return path;
    }
    void start(const QString& path) {
        player.send("close all");
        player.send("open " + path.toStdString() + " type sequencer alias backplay");
        player.send("play backplay");
    }
    std::string status() { return player.send("status backplay mode"); }
};

}  // namespace

TEST(MusicPlayer, PlaysUntilTheLastEventAndIsNotPlayingRightAfterIt) {
    Quiet q;
    const QString path = q.folder.filePath(QStringLiteral("tune.mid"));
    writeFile(path, shortTune(480, 960));  // the note for 0.5 s, the end at 1 s
    EXPECT_EQ(q.open(path), "");
    EXPECT_EQ(q.status(), "stopped") << "opened, not yet started";
    EXPECT_EQ(q.player.send("play backplay"), "");
    EXPECT_EQ(q.status(), "playing");
    EXPECT_GT(q.render(kRate / 4), 0.05f) << "the note sounds";
    int frames = kRate / 4;
    while (q.status() == "playing" && frames < 3 * kRate) {
        q.render(kBlock);
        frames += kBlock;
    }
    // The end of the track is at 1 s: the tune counts as ended then, not after a grace.
    EXPECT_GE(frames, kRate);
    EXPECT_LE(frames, kRate + 4 * kBlock);
    EXPECT_EQ(q.status(), "stopped");
    EXPECT_EQ(q.player.synthsCreated(), 1);
    EXPECT_EQ(q.player.audioDriver(), "");
}

TEST(MusicPlayer, CloseAllInMidNoteFadesToSilenceWithinTenMillisecondsWithoutAClick) {
    if (!haveSoundFont()) {
        GTEST_SKIP() << "no General MIDI soundfont installed";
    }
    Playing p;
    p.start(p.write(shortTune(4800, 4800)));  // one 5-second note
    p.out.take(kRate / 2);
    const std::size_t closedAt = p.out.frames();
    p.player.send("close all");
    EXPECT_EQ(p.status(), "") << "closed: no such tune";
    ASSERT_TRUE(p.out.waitClosed(1));
    const std::vector<float> s = p.out.samples();
    // The fade, and silence within 10 ms until the output closes.
    const std::size_t silentFrom = closedAt + kRate / 100;
    ASSERT_GT(s.size() / 2, silentFrom + kPeriod);
    EXPECT_GT(peakOf(s.data() + 2 * (closedAt - kPeriod), 2 * kPeriod), 0.02f) << "mid-note";
    EXPECT_EQ(peakOf(s.data() + 2 * silentFrom, s.size() - 2 * silentFrom), 0.0f);
    // No step in the stop larger than the note's own while it plays.
    const float playing = largestStep(s, kRate / 4, closedAt);
    const float stopping = largestStep(s, closedAt, s.size() / 2);
    EXPECT_LE(stopping, playing) << "a click";
}

TEST(MusicPlayer, TheOutputClosesWhenTheMusicStopsAndOpensAgainOnTheSameSynthesizer) {
    if (!haveSoundFont()) {
        GTEST_SKIP() << "no General MIDI soundfont installed";
    }
    Playing p;
    // The note begins at 0.1 s, after silence.
    const QString tune = p.write(shortTune(4800, 4800, 96));
    for (int round = 1; round <= 3; ++round) {
        const std::size_t startedAt = p.out.frames();
        p.start(tune);
        p.out.take(kRate / 2);
        EXPECT_EQ(p.out.opened(), round);
        EXPECT_EQ(p.status(), "playing");
        const std::vector<float> s = p.out.samples();
        // The last tune's reverb does not ring into the next one's silence.
        EXPECT_LT(peakOf(s.data() + 2 * startedAt, 2 * kRate / 12), 3e-5f) << round;
        EXPECT_GT(peakOf(s.data() + 2 * (startedAt + kRate / 4), 2 * kRate / 4), 0.05f) << round;
        // Closing by the tune's own name does the same as closing all.
        p.player.send(round == 2 ? "close backplay" : "close all");
        ASSERT_TRUE(p.out.waitClosed(round)) << "the output stays open after the music";
        EXPECT_FALSE(p.out.isOpen());
    }
    EXPECT_EQ(p.player.synthsCreated(), 1);
    EXPECT_EQ(p.player.audioDriver(), "memory");
}

TEST(MusicPlayer, ATuneThatHasEndedStartsAgainFromItsBeginning) {
    if (!haveSoundFont()) {
        GTEST_SKIP() << "no General MIDI soundfont installed";
    }
    Playing p;
    p.start(p.write(shortTune(240, 960)));  // the note for 0.25 s, the end at 1 s
    int frames = 0;
    while (p.status() == "playing" && frames < 3 * kRate) {
        p.out.take(kPeriod);
        frames += kPeriod;
    }
    ASSERT_EQ(p.status(), "stopped");
    const std::size_t endedAt = p.out.frames();
    p.out.take(kRate / 4);
    std::vector<float> s = p.out.samples();
    EXPECT_LT(peakOf(s.data() + 2 * endedAt, 2 * kRate / 4), 0.01f) << "the end is silent";
    // Started again without closing it.
    p.player.send("play backplay");
    EXPECT_EQ(p.status(), "playing");
    const std::size_t playedAt = p.out.frames();
    p.out.take(kRate / 4);
    s = p.out.samples();
    EXPECT_GT(peakOf(s.data() + 2 * playedAt, 2 * kRate / 4), 0.05f) << "the note again";
}

TEST(MusicPlayer, ALoudTuneStaysBelowFullScale) {
    if (!haveSoundFont()) {
        GTEST_SKIP() << "no General MIDI soundfont installed";
    }
    // Fifteen channels of loud instruments at full volume, each a chord of six notes at full
    // velocity, struck four times: far more than the synthesizer's gain was set for.
    QByteArray track;
    for (int channel = 0; channel < 16; ++channel) {
        if (channel == 9) {
            continue;
        }
        const char program = static_cast<char>((channel * 8 + 16) % 128);
        track += quantity(0) + QByteArray(1, static_cast<char>(0xC0 | channel)) + program;
        track += quantity(0) + QByteArray(1, static_cast<char>(0xB0 | channel)) +
                 QByteArray("\x07\x7F", 2);
    }
    for (int strike = 0; strike < 4; ++strike) {
        for (int channel = 0; channel < 16; ++channel) {
            for (int note = 0; note < 6 && channel != 9; ++note) {
                track += quantity(0) + QByteArray(1, static_cast<char>(0x90 | channel)) +
                         QByteArray(1, static_cast<char>(36 + 5 * note + channel)) + '\x7F';
            }
        }
        track += quantity(480) + QByteArray("\xFF\x01\x01x", 4);  // half a second on
    }
    track += quantity(0) + QByteArray("\xFF\x2F\x00", 3);
    Playing p;
    p.start(p.write(midiFile(0, {track})));
    p.out.take(2 * kRate);
    const std::vector<float> s = p.out.samples();
    const float peak = peakOf(s.data(), s.size());
    EXPECT_LT(peak, 1.0f) << "clipped";
    EXPECT_GT(peak, 0.8f) << "the tune is loud: it is held just below full scale";
}

TEST(MusicPlayer, AFileOfThreeHundredTracksIsHeardWhole) {
    // Tracks 1 to 299 each hold one note in turn, 30 ms apart; the tracks past 128 are the
    // ones a player of at most 128 tracks would lose.
    std::vector<QByteArray> tracks{quantity(0) +
                                   QByteArray("\xFF\x51\x03\x07\xA1\x20\x00\xFF\x2F\x00", 10)};
    for (int t = 1; t < 300; ++t) {
        const int at = 29 * t;
        tracks.push_back(quantity(at) + QByteArray("\x90\x48\x70", 3) + quantity(20) +
                         QByteArray("\x80\x48\x00", 3) + quantity(0) +
                         QByteArray("\xFF\x2F\x00", 3));
    }
    const QByteArray file = midiFile(1, tracks);
    const auto merged = platform::MidiFile::singleTrack(file);
    ASSERT_TRUE(merged);
    EXPECT_EQ(merged->mid(8, 6), be(0, 2) + be(1, 2) + be(480, 2)) << "format 0, one track";
    EXPECT_EQ(platform::MidiFile::lastEventTick(*merged), 29 * 299 + 20);
    EXPECT_EQ(platform::MidiFile::lastEventTick(file), 29 * 299 + 20);
    if (!haveSoundFont()) {
        GTEST_SKIP() << "no General MIDI soundfont installed";
    }
    Quiet q;
    const QString path = q.folder.filePath(QStringLiteral("tracks.mid"));
    writeFile(path, file);
    q.open(path);
    q.player.send("play backplay");
    // Each note sounds in its turn, the last ones as well as the first.
    const int turn = 29 * kRate / 960;
    std::vector<float> samples(static_cast<std::size_t>(2 * turn));
    int heard = 0;
    for (int t = 0; t < 300; ++t) {
        q.player.render(samples.data(), turn);
        heard += peakOf(samples.data(), samples.size()) > 0.02f ? 1 : 0;
    }
    EXPECT_GE(heard, 298);
    EXPECT_EQ(q.status(), "stopped");
}

TEST(MusicPlayer, OpensAPathWithBlanksUpToTheWordType) {
    Quiet q;
    const QString folder = q.folder.filePath(QStringLiteral("my game files"));
    writeFile(folder + QStringLiteral("/Music/Theme.mid"), shortTune(480, 960));
    // As the title names it: the folder, then the file with backslashes.
    EXPECT_EQ(q.player.send("open " + folder.toStdString() +
                            "\\Music\\Theme.mid type sequencer alias backplay"),
              "");
    EXPECT_EQ(q.status(), "stopped");
    q.player.send("play backplay");
    EXPECT_EQ(q.status(), "playing");
    EXPECT_GT(q.render(kRate / 4), 0.05f);
}

TEST(MusicPlayer, AMissingOrBrokenFileIsNotOpenedAndNeedsNoSynthesizer) {
    Quiet q;
    const QString broken = q.folder.filePath(QStringLiteral("broken.mid"));
    writeFile(broken, QByteArray("MThd"));
    const QString truncated = q.folder.filePath(QStringLiteral("truncated.mid"));
    writeFile(truncated, shortTune(480, 960).left(30));
    for (const QString& path : {q.folder.filePath(QStringLiteral("none.mid")), broken, truncated}) {
        for (int tick = 0; tick < 3; ++tick) {
            EXPECT_EQ(q.player.send("close all"), "");
            EXPECT_EQ(q.open(path), "");
            EXPECT_EQ(q.player.send("play backplay"), "");
            EXPECT_EQ(q.status(), "") << path.toStdString();
        }
    }
    EXPECT_EQ(q.player.synthsCreated(), 0);
    EXPECT_EQ(q.render(kBlock), 0.0f);
    // Commands it does not know, or for another name, answer nothing.
    const QString path = q.folder.filePath(QStringLiteral("tune.mid"));
    writeFile(path, shortTune(480, 960));
    q.open(path);
    EXPECT_EQ(q.player.send("status other mode"), "");
    EXPECT_EQ(q.player.send("status backplay position"), "");
    EXPECT_EQ(q.player.send("seek backplay to start"), "");
    EXPECT_EQ(q.player.send(""), "");
    EXPECT_EQ(q.status(), "stopped");
}

TEST(MusicPlayer, ReadsTheLastTickOfEveryTrack) {
    EXPECT_EQ(platform::MidiFile::lastEventTick(shortTune(480, 960)), 960);
    EXPECT_EQ(platform::MidiFile::lastEventTick(shortTune(100, 100)), 100);
    // A second, longer track decides; a chunk of another kind is passed over.
    QByteArray two = shortTune(480, 960);
    two[11] = 2;                                         // two tracks
    two[9] = 1;                                          // format 1
    const QByteArray second("\x83\x60\xFF\x2F\x00", 5);  // its end at tick 480
    two += "XTRA" + be(2, 4) + "ab" + "MTrk" + be(5, 4) + second;
    EXPECT_EQ(platform::MidiFile::lastEventTick(two), 960);
    QByteArray longer = shortTune(480, 960);
    longer[11] = 2;
    longer += "MTrk" + be(6, 4) + QByteArray("\x81\x80\x00\xFF\x2F\x00", 6);  // at 16384
    EXPECT_EQ(platform::MidiFile::lastEventTick(longer), 16384);
    EXPECT_FALSE(platform::MidiFile::lastEventTick(QByteArray("MThd")));
    EXPECT_FALSE(platform::MidiFile::lastEventTick(shortTune(480, 960).left(40)));
    QByteArray missingTrack = shortTune(480, 960);
    missingTrack[11] = 2;
    EXPECT_FALSE(platform::MidiFile::lastEventTick(missingTrack));
    EXPECT_FALSE(platform::MidiFile::singleTrack(missingTrack));
}

TEST(MusicPlayer, MergesTracksInTimeOrderWithTheEarlierTrackFirstAtOneTime) {
    // Track 1: a tempo at 0, a note at 10 (running status for its end at 30), a name at 30.
    // Track 2: a program change at 0, a note at 10, a sysex at 20.
    const QByteArray one =
        quantity(0) + QByteArray("\xFF\x51\x03\x07\xA1\x20", 6) + quantity(10) +
        QByteArray("\x90\x3C\x64", 3) + quantity(20) + QByteArray("\x3C\x00", 2) + quantity(0) +
        QByteArray("\xFF\x03\x01n", 4) + quantity(0) + QByteArray("\xFF\x2F\x00", 3);
    const QByteArray two = quantity(0) + QByteArray("\xC1\x05", 2) + quantity(10) +
                           QByteArray("\x91\x40\x50", 3) + quantity(10) +
                           QByteArray("\xF0\x02\x7E\xF7", 4) + quantity(40) +
                           QByteArray("\xFF\x2F\x00", 3);
    const auto merged = platform::MidiFile::singleTrack(midiFile(1, {one, two}));
    ASSERT_TRUE(merged);
    const QByteArray expected = midiFile(
        0, {quantity(0) + QByteArray("\xFF\x51\x03\x07\xA1\x20", 6) + quantity(0) +
            QByteArray("\xC1\x05", 2) + quantity(10) + QByteArray("\x90\x3C\x64", 3) + quantity(0) +
            QByteArray("\x91\x40\x50", 3) + quantity(10) + QByteArray("\xF0\x02\x7E\xF7", 4) +
            quantity(10) + QByteArray("\x90\x3C\x00", 3) + quantity(0) +
            QByteArray("\xFF\x03\x01n", 4) + quantity(30) + QByteArray("\xFF\x2F\x00", 3)});
    EXPECT_EQ(merged->toHex(' '), expected.toHex(' '));
}

TEST(MusicPlayer, TheGamesOwnSoundfontComesFirstThenTheSystemOne) {
    if (!haveSoundFont()) {
        GTEST_SKIP() << "no General MIDI soundfont installed";
    }
    QTemporaryDir folder;
    const QString tune = folder.filePath(QStringLiteral("tune.mid"));
    writeFile(tune, shortTune(480, 960));
    auto soundFontUsed = [&](const QString& own) {
        MidiPlayer player(MidiPlayer::Options{{}, own, MidiPlayer::kGain});
        EXPECT_EQ(player.soundFont(), QString()) << "nothing loaded before the first open";
        player.send("open " + tune.toStdString() + " type sequencer alias backplay");
        return player.soundFont();
    };
    // A broken one of the game's own is passed over.
    const QString music = folder.filePath(QStringLiteral("Music"));
    writeFile(music + QStringLiteral("/broken.sf2"), QByteArray("RIFF"));
    const QString afterOwn = soundFontUsed(music);
    EXPECT_TRUE(afterOwn == QLatin1String(MidiPlayer::kSystemSoundFont) ||
                afterOwn.startsWith(QLatin1String("/usr/share/sounds/sf3/")))
        << afterOwn.toStdString();
    ASSERT_TRUE(QFile::link(QString::fromLatin1(MidiPlayer::kSystemSoundFont),
                            music + QStringLiteral("/game.sf2")));
    EXPECT_EQ(soundFontUsed(music), music + QStringLiteral("/game.sf2"));
}

TEST(MusicPlayer, WithNoSoundOutputItStaysSilentAndSaysSoInOneLine) {
    QTemporaryDir folder;
    const QString tune = folder.filePath(QStringLiteral("tune.mid"));
    writeFile(tune, shortTune(480, 960));
    const auto none = [](const char* name) {
        return platform::AudioOutput{name, [](platform::RenderFunction, std::function<void()>) {
                                         return std::unique_ptr<platform::AudioStream>();
                                     }};
    };
    testing::internal::CaptureStderr();
    {
        MidiPlayer player(MidiPlayer::Options{
            {none("no-such-output"), none("nor-this-one")}, folder.path(), MidiPlayer::kGain});
        for (int restart = 0; restart < 3; ++restart) {
            player.send("close all");
            player.send("open " + tune.toStdString() + " type sequencer alias backplay");
            player.send("play backplay");
            EXPECT_EQ(player.send("status backplay mode"), "playing");
        }
        EXPECT_EQ(player.audioDriver(), "");
        EXPECT_EQ(player.synthsCreated(), 1);
    }
    const std::string said = testing::internal::GetCapturedStderr();
    EXPECT_EQ(std::count(said.begin(), said.end(), '\n'), 1) << said;
    EXPECT_NE(said.find("silent"), std::string::npos) << said;
}

TEST(MusicPlayer, TheThemePeaksBetweenMinusSixAndMinusOneDecibelsWithoutClipping) {
    const QString theme = QStringLiteral(VELMORA_THEME_FILE);
    const auto midi = platform::MidiFile::read(theme);
    ASSERT_TRUE(midi);
    Quiet q;
    q.open(theme);
    q.player.send("play backplay");
    if (q.player.soundFont().isEmpty()) {
        GTEST_SKIP() << "no soundfont installed";
    }
    float peak = 0;
    double sumOfSquares = 0;
    long long samples = 0;
    std::vector<float> block(2 * 4096);
    int blocks = 0;
    while (q.status() == "playing" && blocks < 300 * kRate / 4096) {
        q.player.render(block.data(), 4096);
        for (float s : block) {
            peak = std::max(peak, std::fabs(s));
            sumOfSquares += static_cast<double>(s) * s;
        }
        samples += static_cast<long long>(block.size());
        ++blocks;
    }
    ASSERT_EQ(q.status(), "stopped") << "the theme ends";
    const double peakDb = 20 * std::log10(peak);
    const double averageDb = 10 * std::log10(sumOfSquares / static_cast<double>(samples));
    EXPECT_GE(peakDb, -6.0);
    EXPECT_LE(peakDb, -1.0);
    // The limiter leaves the theme as it is: it never rises to the limiter's ceiling.
    EXPECT_LT(peak, 0.95f * platform::SoundLimiter::kCeiling);
    EXPECT_GT(averageDb, -24.0) << "about 12 dB louder than the synthesizer's own gain";
    std::printf("theme: peak %.2f dBFS, average %.2f dBFS over %.1f s\n", peakDb, averageDb,
                static_cast<double>(samples) / 2 / kRate);
}
