// What the music device's tests share: MIDI files made byte by byte, measures of the samples,
// an output in memory standing for a sound server, and devices that play into it.
#pragma once

#include <gtest/gtest.h>

#include <QDataStream>
#include <QDir>
#include <QTemporaryDir>
#include <cmath>
#include <condition_variable>
#include <thread>

#include "platform/audio/midi_file.h"
#include "platform/audio/midi_player.h"
#include "platform/audio/sound_limiter.h"

namespace music_test {

using platform::MidiFile;
using platform::MidiPlayer;
using Samples = std::vector<float>;

inline constexpr int kRate = MidiPlayer::kSampleRate;

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
    QByteArray file("MThd\0\0\0\6", 8);
    QDataStream out(&file, QIODevice::Append);  // big-endian
    out << quint16(format) << quint16(tracks.size()) << quint16(division);
    for (const QByteArray& t : tracks) {
        out.writeRawData("MTrk", 4);
        out << t;  // its length, then its bytes
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

// A sound server in memory: the device's thread opens, renders ahead for and closes its streams,
// and the test asks for frames as the server would. It can be down (nothing opens), or stall (a
// fade asked of it waits until `stalled` is cleared).
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
        platform::RenderFunction render;
        ASSERT_TRUE(until([&] { return (render = render_) != nullptr; }));
        for (int n = 0; n < frames; n += 256) {
            Samples request(2 * static_cast<std::size_t>(std::min(256, frames - n)));
            render(request.data(), static_cast<int>(request.size() / 2));
            samples.insert(samples.end(), request.begin(), request.end());
        }
    }
    // Takes 0.2 s more, silence enough for the output to close, and waits until it has.
    bool takeUntilClosed() {
        take(kRate / 5);
        return until([&] { return render_ == nullptr; });
    }
    // The server goes away and stays down, as the open stream hears.
    void breakStream() {
        std::unique_lock<std::mutex> lock(mutex_);
        down = true;
        const std::function<void()> broken = broken_;
        lock.unlock();
        broken();
    }
    void set(bool& flag, bool value) {
        const std::lock_guard<std::mutex> lock(mutex_);
        flag = value;
        changed_.notify_all();
    }
    // Waits until `done()`, under the lock; 20 s at most, so that a fault fails, not hangs.
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
    bool fadesHanded = false;      // the stream fades what it has been given itself
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
    // The tune goes into a folder whose name has a blank.
    QString write(const QByteArray& bytes, const QString& name = "my game/tune.mid") {
        QDir(folder.path()).mkdir(QStringLiteral("my game"));
        QFile file(folder.filePath(name));
        EXPECT_TRUE(file.open(QIODevice::WriteOnly));
        file.write(bytes);
        return file.fileName();
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

// The tests that listen to what the synthesizer plays need a soundfont.
class MusicPlayer : public testing::Test {
    void SetUp() override {
        if (!QFileInfo::exists(QString::fromLatin1(MidiPlayer::kSystemSoundFont))) {
            GTEST_SKIP() << "no General MIDI soundfont installed";
        }
    }
};

}  // namespace music_test
