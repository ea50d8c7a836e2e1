#pragma once

#include <chrono>
#include <condition_variable>
#include <cstdint>
#include <memory>
#include <mutex>
#include <string>
#include <thread>
#include <vector>

#include "platform/audio/audio_stream.h"
#include "platform/audio/music_source.h"

namespace platform {

// The life of the music device's sound output, kept by a thread of the device's own. The commands
// and the output's thread share the source and the output's state under one lock.
//
//   Idle      no output open; the thread sleeps until there is sound
//   Opening   the outputs are tried in turn, the lock let go meanwhile; a report that one of
//             them broke while it was being opened counts only if it opens
//   Open      a stream takes the sound; the thread renders ahead of it
//   Fading    a tune was closed while its sound went out: the thread has the stream fade what
//             it holds; meanwhile the stream is given the tune's faded end and silence
//   Closing   enough silence went out after the last sound: the thread lets the stream go
//   Broken    the stream that was open went away (a sound server gone): let go, then tried anew
//   Failed    no output would open: none is tried again before a pause, while a tune sounds
//   Quitting  the device goes: any fade under way is let finish, briefly, and the stream dropped
//   Gone      the thread has ended
//
// No wait of the device's on a sound server is unbounded, and the device's owner waits for the
// thread no longer than kQuitWait: a thread held up by a stalled server is left to end alone.
class MusicOutput {
  public:
    enum class State { Idle, Opening, Open, Fading, Closing, Broken, Failed, Quitting, Gone };

    // After the last sound, the output stays open this long for the next tune (the title's
    // watchdog closes, opens and plays again in one go), then closes.
    static constexpr int kLingerFrames = 2048;
    // A stream let go after silence plays what it holds for up to this long; on the device's
    // going, for up to kQuitFinish. A fade asked of a stream takes up to kFadeWait: one handed
    // over late is still heard well before the server's whole queue (186 ms) would be, so a
    // busy machine's slow answer is waited for.
    static constexpr std::chrono::milliseconds kFinish{400};
    static constexpr std::chrono::milliseconds kQuitFinish{40};
    static constexpr std::chrono::milliseconds kFadeWait{100};
    static constexpr std::chrono::milliseconds kQuitWait{120};

    struct Shared {
        Shared(double gain, QString soundFontFolder, std::vector<AudioOutput> outputs,
               std::chrono::milliseconds retryAfter);
        std::mutex mutex;
        std::condition_variable wake;
        // Everything below is guarded by the mutex.
        MusicSource source;
        State state = State::Idle;
        const std::vector<AudioOutput> outputs;
        const std::chrono::milliseconds retryAfter;
        std::chrono::steady_clock::time_point retryAt;
        // Each stream opened or tried has a number of its own: a report from another is stale.
        std::uint64_t streamId = 0;
        // The last stream that went away while it was being opened.
        std::uint64_t brokenWhileOpening = 0;
        // The silence given since the last sound.
        int silentFrames = 0;
        // The one line said when there is no way to make the music heard.
        bool warned = false;
        std::string driver;
    };

    explicit MusicOutput(std::shared_ptr<Shared> shared) : shared_(std::move(shared)) {}
    ~MusicOutput();
    MusicOutput(const MusicOutput&) = delete;
    MusicOutput& operator=(const MusicOutput&) = delete;

    // Under the shared lock: a tune has begun to sound; the thread opens an output for it.
    void soundStarted();
    // Under the shared lock: a sounding tune was closed; its faded end is the source's next.
    void tuneClosed();
    // Under the shared lock: whether no output will take the sound for now.
    bool failed() const { return shared_->state == State::Failed; }

  private:
    std::shared_ptr<Shared> shared_;
    std::thread thread_;
};

}  // namespace platform
