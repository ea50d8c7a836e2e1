#include "platform/audio/music_output.h"

#include <cstdio>

namespace platform {
namespace {

using State = MusicOutput::State;
using Clock = std::chrono::steady_clock;

// On the stream's own thread: the next frames it asks for.
void give(MusicOutput::Shared& s, float* interleaved, int frames) {
    const std::lock_guard<std::mutex> lock(s.mutex);
    if (s.state == State::Opening || s.state == State::Open) {
        s.source.take(interleaved, frames);
    } else {
        // A closed tune's faded end, then silence, and nothing of the next tune yet.
        s.source.takeEnd(interleaved, frames);
    }
    s.silentFrames = s.source.hasSound() ? 0 : s.silentFrames + frames;
    if (s.state == State::Open && s.silentFrames >= MusicOutput::kLingerFrames) {
        s.state = State::Closing;
        s.wake.notify_all();
    } else if (s.source.wantsAhead()) {
        s.wake.notify_all();
    }
}

// On any thread: stream `id` went away. Only an open stream's report counts: one that comes
// while a stream is being opened (or from one tried before) is answered by its opening.
void broken(MusicOutput::Shared& s, std::uint64_t id) {
    const std::lock_guard<std::mutex> lock(s.mutex);
    if (id == s.streamId && (s.state == State::Open || s.state == State::Fading)) {
        s.state = State::Broken;
        s.wake.notify_all();
    }
}

// Until a tune sounds and, after a failure, the pause is over. False when the device goes.
bool waitForSound(MusicOutput::Shared& s, std::unique_lock<std::mutex>& lock) {
    for (;;) {
        if (s.state == State::Quitting) {
            return false;
        }
        if (s.source.hasSound() && (s.state != State::Failed || Clock::now() >= s.retryAt)) {
            return true;
        }
        if (s.state == State::Failed) {
            s.wake.wait_until(lock, s.retryAt);
        } else {
            s.wake.wait(lock);
        }
    }
}

// The first output that opens, or none.
std::unique_ptr<AudioStream> open(MusicOutput::Shared& s, std::unique_lock<std::mutex>& lock) {
    s.state = State::Opening;
    s.silentFrames = 0;
    for (const AudioOutput& output : s.outputs) {
        const std::uint64_t id = ++s.streamId;
        lock.unlock();
        std::unique_ptr<AudioStream> stream = output.open(
            [&s](float* out, int frames) { give(s, out, frames); }, [&s, id] { broken(s, id); });
        lock.lock();
        if (stream) {
            s.driver = output.name;
            if (s.state == State::Opening) {
                s.state = State::Open;
            }
            return stream;
        }
        if (s.state == State::Quitting) {
            break;
        }
    }
    return nullptr;
}

// While the stream is open: renders ahead of it, and has it fade what it holds when a tune
// closes. Returns once it is to go.
void serve(MusicOutput::Shared& s, std::unique_lock<std::mutex>& lock, AudioStream& stream) {
    for (;;) {
        s.wake.wait(lock, [&] { return s.state != State::Open || s.source.wantsAhead(); });
        if (s.state == State::Fading) {
            lock.unlock();
            const bool handed =
                stream.fadeOutHanded(MusicSource::kFadeFrames, MusicOutput::kFadeWait);
            lock.lock();
            if (handed) {
                s.source.dropNext();
            }
            if (s.state == State::Fading) {
                s.state =
                    s.silentFrames >= MusicOutput::kLingerFrames ? State::Closing : State::Open;
            }
            s.wake.notify_all();
            continue;
        }
        if (s.state != State::Open) {
            return;
        }
        s.source.renderAhead();
    }
}

void run(const std::shared_ptr<MusicOutput::Shared>& shared) {
    MusicOutput::Shared& s = *shared;
    std::unique_lock<std::mutex> lock(s.mutex);
    while (waitForSound(s, lock)) {
        std::unique_ptr<AudioStream> stream = open(s, lock);
        if (!stream) {
            if (s.state == State::Quitting) {
                break;
            }
            s.state = State::Failed;
            s.retryAt = Clock::now() + s.retryAfter;
            s.source.outputGone();
            if (!s.warned) {
                s.warned = true;
                std::fprintf(stderr,
                             "velmora: no sound output could be opened; the music stays silent\n");
            }
            continue;
        }
        serve(s, lock, *stream);
        const State ending = s.state;
        lock.unlock();
        // A stream that goes after silence plays what it holds; one that broke holds nothing
        // to be heard; on the device's going, a fade under way is heard and the rest dropped.
        if (ending != State::Broken) {
            stream->finish(ending == State::Closing ? MusicOutput::kFinish
                                                    : MusicOutput::kQuitFinish);
        }
        stream.reset();
        lock.lock();
        s.source.outputGone();
        if (s.state == State::Quitting) {
            break;
        }
        if (ending == State::Broken) {
            // Tried again at once, then after a pause while none will open.
            s.state = State::Failed;
            s.retryAt = Clock::now();
        } else {
            s.state = State::Idle;
        }
    }
    s.state = State::Gone;
    s.wake.notify_all();
}

}  // namespace

MusicOutput::Shared::Shared(double gain, QString soundFontFolder, std::vector<AudioOutput> outputs,
                            std::chrono::milliseconds retryAfter)
    : source(gain, std::move(soundFontFolder)),
      outputs(std::move(outputs)),
      retryAfter(retryAfter) {}

MusicOutput::~MusicOutput() {
    if (!thread_.joinable()) {
        return;
    }
    Shared& s = *shared_;
    std::unique_lock<std::mutex> lock(s.mutex);
    const auto deadline = Clock::now() + kQuitWait;
    // A closed tune's fade is let reach the stream first.
    s.wake.wait_until(lock, deadline - kQuitFinish, [&] { return s.state != State::Fading; });
    s.state = State::Quitting;
    s.wake.notify_all();
    const bool gone = s.wake.wait_until(lock, deadline, [&] { return s.state == State::Gone; });
    lock.unlock();
    if (gone) {
        thread_.join();
    } else {
        // Held up by a sound server: it ends alone, with what it shares.
        thread_.detach();
    }
}

void MusicOutput::soundStarted() {
    if (shared_->outputs.empty()) {
        return;
    }
    if (!thread_.joinable()) {
        thread_ = std::thread(run, shared_);
    }
    shared_->wake.notify_all();
}

void MusicOutput::tuneClosed() {
    if (shared_->state == State::Opening || shared_->state == State::Open) {
        shared_->state = State::Fading;
    }
    shared_->wake.notify_all();
}

}  // namespace platform
