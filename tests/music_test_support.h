// What the music device's tests share: MIDI files made byte by byte, measures of the samples,
// an output in memory standing for a sound server, and devices that play into it.
#pragma once

#include <gtest/gtest.h>

#include <QDir>
#include <QTemporaryDir>
#include <cmath>
#include <condition_variable>
#include <cstring>
#include <thread>
#include <utility>

#include "platform/audio/midi_file.h"
#include "platform/audio/midi_player.h"
#include "platform/audio/sound_limiter.h"

namespace music_test {

using platform::MidiFile;
using platform::MidiPlayer;
using Samples = std::vector<float>;

inline constexpr int kRate = MidiPlayer::kSampleRate;

inline QByteArray be(std::uint32_t value, int bytes) {
    QByteArray out(bytes, '\0');
    for (int i = 1; i <= bytes; ++i, value >>= 8) {
        out[bytes - i] = static_cast<char>(value & 0xFF);
    }
    return out;
}

// Events as (delta ticks, bytes) pairs, the deltas written as variable-length quantities.
inline QByteArray events(std::initializer_list<std::pair<std::uint32_t, QByteArray>> list) {
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

inline const QByteArray kTempo("\xFF\x51\x03\x07\xA1\x20", 6);  // 500000 µs a beat
inline const QByteArray kEnd("\xFF\x2F\x00", 3);

// A file at 120 beats a minute, 480 ticks a beat unless said (a tick is then 1/960 s).
inline QByteArray midiFile(int format, const std::vector<QByteArray>& tracks, int division = 480) {
    QByteArray file = "MThd" + be(6, 4) + be(format, 2) + be(tracks.size(), 2) + be(division, 2);
    for (const QByteArray& t : tracks) {
        file += "MTrk" + be(t.size(), 4) + t;
    }
    return file;
}

// One piano note from `start` to `off` (its end in running status), the track's end at `end`.
inline QByteArray shortTune(std::uint32_t off, std::uint32_t end, std::uint32_t start = 0) {
    return midiFile(0, {events({{0, kTempo},
                                {0, QByteArray("\xC0\x00", 2)},
                                {start, QByteArray("\x90\x3C\x64", 3)},
                                {off - start, QByteArray("\x3C\x00", 2)},
                                {end - off, kEnd}})});
}

inline QString writeFile(const QString& path, const QByteArray& bytes) {
    QDir().mkpath(QFileInfo(path).absolutePath());
    QFile file(path);
    EXPECT_TRUE(file.open(QIODevice::WriteOnly));
    file.write(bytes);
    return path;
}

// Over frames [begin, end): the loudest sample, and the largest step within a channel.
inline float peakOf(const Samples& s, std::size_t begin, std::size_t end) {
    float peak = 0;
    for (std::size_t i = 2 * begin; i < std::min(2 * end, s.size()); ++i) {
        peak = std::max(peak, std::fabs(s[i]));
    }
    return peak;
}
inline float largestStep(const Samples& s, std::size_t begin, std::size_t end) {
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
                    auto stream = std::unique_ptr<platform::AudioStream>(new Closing(*this));
                    if (std::exchange(breaksAsItOpens, false)) {
                        broken_();
                    }
                    return stream;
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
    bool breaksAsItOpens = false;  // the next stream goes away before its opening is done
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

}  // namespace music_test
