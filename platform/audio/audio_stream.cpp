#include "platform/audio/audio_stream.h"

#include <alsa/asoundlib.h>
#include <pulse/pulseaudio.h>

#include <algorithm>
#include <atomic>
#include <cerrno>
#include <chrono>
#include <cstdint>
#include <thread>
#include <vector>

namespace platform {
namespace {

// A playback stream on the sound server, with a main loop of its own whose thread renders
// each request of the server as it comes: one wake-up per request, and nothing rendered
// before the server wants it.
class PulseAudioStream final : public AudioStream {
  public:
    PulseAudioStream(RenderFunction render, std::function<void()> broken)
        : render_(std::move(render)), broken_(std::move(broken)) {}

    // Drops what the server holds: nothing waits on it.
    ~PulseAudioStream() override {
        if (loop_ == nullptr) {
            return;
        }
        pa_threaded_mainloop_lock(loop_);
        stopping_ = true;
        if (stream_ != nullptr) {
            pa_stream_set_state_callback(stream_, nullptr, nullptr);
            pa_stream_set_write_callback(stream_, nullptr, nullptr);
            pa_stream_disconnect(stream_);
            pa_stream_unref(stream_);
        }
        if (context_ != nullptr) {
            pa_context_set_state_callback(context_, nullptr, nullptr);
            pa_context_disconnect(context_);
            pa_context_unref(context_);
        }
        pa_threaded_mainloop_unlock(loop_);
        pa_threaded_mainloop_stop(loop_);
        pa_threaded_mainloop_free(loop_);
    }
    PulseAudioStream(const PulseAudioStream&) = delete;
    PulseAudioStream& operator=(const PulseAudioStream&) = delete;

    bool open(int sampleRate, int queueFrames, int requestFrames) {
        sampleRate_ = sampleRate;
        kept_.assign(2 * static_cast<std::size_t>(kKeptSeconds * sampleRate), 0.0f);
        loop_ = pa_threaded_mainloop_new();
        if (loop_ == nullptr) {
            return false;
        }
        // What desktop mixers show beside the game's volume: its name and icon.
        pa_proplist* about = pa_proplist_new();
        pa_proplist_sets(about, PA_PROP_APPLICATION_NAME, kApplicationName);
        pa_proplist_sets(about, PA_PROP_APPLICATION_ID, kApplicationId);
        pa_proplist_sets(about, PA_PROP_APPLICATION_ICON_NAME, kApplicationId);
        context_ = pa_context_new_with_proplist(pa_threaded_mainloop_get_api(loop_),
                                                kApplicationName, about);
        pa_proplist_free(about);
        if (context_ == nullptr) {
            return false;
        }
        pa_context_set_state_callback(context_, &PulseAudioStream::contextChanged, this);
        // No server is started for the game: without one, the answer is a quick no.
        if (pa_context_connect(context_, nullptr, PA_CONTEXT_NOAUTOSPAWN, nullptr) < 0) {
            return false;
        }
        pa_threaded_mainloop_lock(loop_);
        if (pa_threaded_mainloop_start(loop_) < 0) {
            pa_threaded_mainloop_unlock(loop_);
            return false;
        }
        const bool ready = waitUntil(
                               [&] {
                                   const pa_context_state_t state = pa_context_get_state(context_);
                                   return state == PA_CONTEXT_READY || !PA_CONTEXT_IS_GOOD(state);
                               },
                               kOpenWait) &&
                           pa_context_get_state(context_) == PA_CONTEXT_READY &&
                           connectStream(sampleRate, queueFrames, requestFrames);
        pa_threaded_mainloop_unlock(loop_);
        return ready;
    }

    bool fadeOutHanded(int fadeFrames, std::chrono::milliseconds wait) override {
        pa_threaded_mainloop_lock(loop_);
        const bool faded = fadeLocked(fadeFrames, wait);
        pa_threaded_mainloop_unlock(loop_);
        return faded;
    }

    void finish(std::chrono::milliseconds wait) override {
        pa_threaded_mainloop_lock(loop_);
        if (pa_stream_get_state(stream_) == PA_STREAM_READY) {
            if (pa_operation* drain = pa_stream_drain(stream_, &PulseAudioStream::done, this)) {
                waitFor(drain, wait);
            }
        }
        pa_threaded_mainloop_unlock(loop_);
    }

  private:
    static constexpr auto kFrameBytes = static_cast<std::int64_t>(2 * sizeof(float));
    // What has been given is kept this long: the server's queue and what the device holds.
    static constexpr int kKeptSeconds = 2;
    // The fade starts this far past what the device plays, the time for the write to arrive.
    static constexpr int kLeadMs = 5;
    // How long a server has to take the stream.
    static constexpr std::chrono::milliseconds kOpenWait{2000};
    static constexpr const char* kApplicationName = "Velmora";
    // The desktop entry's name, which is also its icon's.
    static constexpr const char* kApplicationId = "org.velmora.Velmora";

    // Under the main loop's lock: waits until `ready()` or until `wait` has passed (a timer on
    // the main loop wakes it). Whether it is ready.
    template <typename Ready>
    bool waitUntil(Ready ready, std::chrono::milliseconds wait) {
        if (ready()) {
            return true;
        }
        struct Alarm {
            pa_threaded_mainloop* loop;
            bool rung = false;
        } alarm{loop_};
        timeval at{};
        pa_timeval_add(pa_gettimeofday(&at), static_cast<pa_usec_t>(wait.count()) * 1000);
        pa_mainloop_api* api = pa_threaded_mainloop_get_api(loop_);
        pa_time_event* timer = api->time_new(
            api, &at,
            [](pa_mainloop_api*, pa_time_event*, const timeval*, void* data) {
                auto* a = static_cast<Alarm*>(data);
                a->rung = true;
                pa_threaded_mainloop_signal(a->loop, 0);
            },
            &alarm);
        while (!ready() && !alarm.rung) {
            pa_threaded_mainloop_wait(loop_);
        }
        api->time_free(timer);
        return ready();
    }

    // Under the main loop's lock: until the operation is done or the stream has gone, for up to
    // `wait`; it is let go either way.
    bool waitFor(pa_operation* operation, std::chrono::milliseconds wait) {
        const bool done = waitUntil(
            [&] {
                return pa_operation_get_state(operation) != PA_OPERATION_RUNNING ||
                       pa_stream_get_state(stream_) != PA_STREAM_READY;
            },
            wait);
        const bool finished = pa_operation_get_state(operation) == PA_OPERATION_DONE;
        if (!finished) {
            pa_operation_cancel(operation);
        }
        pa_operation_unref(operation);
        return done && finished;
    }

    // Under the main loop's lock: where the device plays now, then the fade written over what
    // the server holds from a little past it, silence over the rest. Writing behind what the
    // server has already passed to the device makes it take that back and play the new frames.
    bool fadeLocked(int fadeFrames, std::chrono::milliseconds wait) {
        if (stream_ == nullptr || pa_stream_get_state(stream_) != PA_STREAM_READY) {
            return false;
        }
        // The answer tells where the device plays once it counts all that was given: a write
        // that went out while it was on its way (the stream asks for frames meanwhile) has the
        // server asked again.
        const auto deadline = std::chrono::steady_clock::now() + wait;
        const pa_timing_info* timing = nullptr;
        do {
            const auto left = std::chrono::duration_cast<std::chrono::milliseconds>(
                deadline - std::chrono::steady_clock::now());
            if (left.count() <= 0) {
                return false;  // a server that does not answer in time has its queue heard
            }
            pa_operation* update =
                pa_stream_update_timing_info(stream_, &PulseAudioStream::done, this);
            if (update == nullptr || !waitFor(update, left) ||
                pa_stream_get_state(stream_) != PA_STREAM_READY) {
                return false;
            }
            timing = pa_stream_get_timing_info(stream_);
            if (timing == nullptr || timing->read_index_corrupt || timing->write_index_corrupt) {
                return false;
            }
        } while (timing->write_index != given_ * kFrameBytes);
        const auto playing = static_cast<std::int64_t>(
            timing->read_index / kFrameBytes -
            static_cast<std::int64_t>(timing->sink_usec) * sampleRate_ / 1000000);
        const std::int64_t keptFrames = static_cast<std::int64_t>(kept_.size()) / 2;
        const std::int64_t from =
            std::max<std::int64_t>(playing, 0) + std::int64_t{kLeadMs} * sampleRate_ / 1000;
        const std::int64_t count = given_ - from;
        if (count < fadeFrames || from < given_ - keptFrames) {
            return false;  // too little left to fade, or gone from what is kept
        }
        std::vector<float> rewritten(2 * static_cast<std::size_t>(count), 0.0f);
        for (int f = 0; f < fadeFrames; ++f) {
            const auto at = static_cast<std::size_t>((from + f) % keptFrames);
            const auto gain = static_cast<float>(fadeGain(f, fadeFrames));
            rewritten[2 * static_cast<std::size_t>(f)] = kept_[2 * at] * gain;
            rewritten[2 * static_cast<std::size_t>(f) + 1] = kept_[2 * at + 1] * gain;
        }
        if (pa_stream_write(stream_, rewritten.data(), rewritten.size() * sizeof(float), nullptr,
                            from * kFrameBytes, PA_SEEK_ABSOLUTE) < 0) {
            return false;
        }
        std::fill(kept_.begin(), kept_.end(), 0.0f);
        return true;
    }

    bool connectStream(int sampleRate, int queueFrames, int requestFrames) {
        pa_sample_spec spec{};
        spec.format = PA_SAMPLE_FLOAT32NE;
        spec.rate = static_cast<std::uint32_t>(sampleRate);
        spec.channels = 2;
        // Mixers class it with the sound of games.
        pa_proplist* about = pa_proplist_new();
        pa_proplist_sets(about, PA_PROP_MEDIA_ROLE, "game");
        stream_ = pa_stream_new_with_proplist(context_, "Music", &spec, nullptr, about);
        pa_proplist_free(about);
        if (stream_ == nullptr) {
            return false;
        }
        pa_stream_set_state_callback(stream_, &PulseAudioStream::streamChanged, this);
        pa_stream_set_write_callback(stream_, &PulseAudioStream::wanted, this);
        pa_buffer_attr queue{};
        queue.maxlength = static_cast<std::uint32_t>(-1);
        queue.tlength = static_cast<std::uint32_t>(queueFrames * kFrameBytes);
        queue.prebuf = static_cast<std::uint32_t>(-1);
        queue.minreq = static_cast<std::uint32_t>(requestFrames * kFrameBytes);
        queue.fragsize = static_cast<std::uint32_t>(-1);
        if (pa_stream_connect_playback(stream_, nullptr, &queue, PA_STREAM_ADJUST_LATENCY, nullptr,
                                       nullptr) < 0) {
            return false;
        }
        waitUntil(
            [&] {
                const pa_stream_state_t state = pa_stream_get_state(stream_);
                return state == PA_STREAM_READY || !PA_STREAM_IS_GOOD(state);
            },
            kOpenWait);
        return pa_stream_get_state(stream_) == PA_STREAM_READY;
    }

    // The server wants `bytes` more.
    static void wanted(pa_stream* stream, std::size_t bytes, void* data) {
        auto* self = static_cast<PulseAudioStream*>(data);
        if (self->stopping_) {
            return;
        }
        void* buffer = nullptr;
        if (pa_stream_begin_write(stream, &buffer, &bytes) < 0 || buffer == nullptr) {
            return;
        }
        const auto frames = static_cast<int>(bytes / (2 * sizeof(float)));
        auto* samples = static_cast<float*>(buffer);
        self->render_(samples, frames);
        self->keep(samples, frames);
        pa_stream_write(stream, buffer, static_cast<std::size_t>(frames) * 2 * sizeof(float),
                        nullptr, 0, PA_SEEK_RELATIVE);
    }

    // The frames given, kept in a ring by their place in the stream.
    void keep(const float* samples, int frames) {
        const auto keptFrames = static_cast<std::int64_t>(kept_.size()) / 2;
        for (int f = 0; f < frames; ++f) {
            const auto at = static_cast<std::size_t>((given_ + f) % keptFrames);
            kept_[2 * at] = samples[2 * f];
            kept_[2 * at + 1] = samples[2 * f + 1];
        }
        given_ += frames;
    }

    static void contextChanged(pa_context* context, void* data) {
        auto* self = static_cast<PulseAudioStream*>(data);
        if (!PA_CONTEXT_IS_GOOD(pa_context_get_state(context)) && !self->stopping_) {
            self->broken_();
        }
        pa_threaded_mainloop_signal(self->loop_, 0);
    }

    static void streamChanged(pa_stream* stream, void* data) {
        auto* self = static_cast<PulseAudioStream*>(data);
        if (!PA_STREAM_IS_GOOD(pa_stream_get_state(stream)) && !self->stopping_) {
            self->broken_();
        }
        pa_threaded_mainloop_signal(self->loop_, 0);
    }

    static void done(pa_stream*, int, void* data) {
        pa_threaded_mainloop_signal(static_cast<PulseAudioStream*>(data)->loop_, 0);
    }

    RenderFunction render_;
    std::function<void()> broken_;
    pa_threaded_mainloop* loop_ = nullptr;
    pa_context* context_ = nullptr;
    pa_stream* stream_ = nullptr;
    // Set under the main loop's lock once the stream is going: nothing more is rendered.
    bool stopping_ = false;
    int sampleRate_ = 0;
    // The last frames given, and how many have been given in all (the server's write index).
    std::vector<float> kept_;
    std::int64_t given_ = 0;
};

// The sound card, fed period by period from a thread of the stream's own. Its device is open
// without blocking: the thread waits on it a little at a time, so that a card (or a sound server
// behind ALSA) that takes nothing never holds the stream's going.
class AlsaStream final : public AudioStream {
  public:
    AlsaStream(snd_pcm_t* pcm, int periodFrames, std::chrono::milliseconds queue,
               RenderFunction render, std::function<void()> broken)
        : pcm_(pcm), queue_(queue), render_(std::move(render)), broken_(std::move(broken)) {
        thread_ = std::thread([this, periodFrames] { run(periodFrames); });
    }
    ~AlsaStream() override {
        stopping_ = true;
        thread_.join();
        snd_pcm_drop(pcm_);
        snd_pcm_close(pcm_);
    }
    AlsaStream(const AlsaStream&) = delete;
    AlsaStream& operator=(const AlsaStream&) = delete;

    // What the card holds is heard within its queue's length.
    void finish(std::chrono::milliseconds wait) override {
        std::this_thread::sleep_for(std::min(wait, queue_));
    }

  private:
    static constexpr int kWaitMs = 20;

    void run(int periodFrames) {
        std::vector<float> period(2 * static_cast<std::size_t>(periodFrames));
        while (!stopping_) {
            render_(period.data(), periodFrames);
            const float* at = period.data();
            int left = periodFrames;
            while (left > 0 && !stopping_) {
                const snd_pcm_sframes_t written =
                    snd_pcm_writei(pcm_, at, static_cast<snd_pcm_uframes_t>(left));
                if (written == -EAGAIN) {
                    snd_pcm_wait(pcm_, kWaitMs);
                    continue;
                }
                if (written < 0) {
                    // An underrun or a suspended card starts again; anything else ends it.
                    if (snd_pcm_recover(pcm_, static_cast<int>(written), 1) < 0) {
                        broken_();
                        return;
                    }
                    continue;
                }
                at += 2 * written;
                left -= static_cast<int>(written);
            }
        }
    }

    snd_pcm_t* pcm_;
    std::chrono::milliseconds queue_;
    RenderFunction render_;
    std::function<void()> broken_;
    std::atomic<bool> stopping_{false};
    std::thread thread_;
};

// ALSA reports to stderr by itself, several lines where there is no card; the game says what
// matters in one line of its own.
void quietAlsa(const char*, int, const char*, int, const char*, ...) {}

}  // namespace

AudioOutput pulseAudioOutput(int sampleRate, int queueFrames, int requestFrames) {
    return {
        "pulseaudio",
        [sampleRate, queueFrames, requestFrames](
            RenderFunction render, std::function<void()> broken) -> std::unique_ptr<AudioStream> {
            auto stream = std::make_unique<PulseAudioStream>(std::move(render), std::move(broken));
            if (!stream->open(sampleRate, queueFrames, requestFrames)) {
                return nullptr;
            }
            return stream;
        }};
}

AudioOutput alsaOutput(int sampleRate, int queueFrames, int requestFrames) {
    return {
        "alsa",
        [sampleRate, queueFrames, requestFrames](
            RenderFunction render, std::function<void()> broken) -> std::unique_ptr<AudioStream> {
            snd_lib_error_set_handler(quietAlsa);
            snd_pcm_t* pcm = nullptr;
            if (snd_pcm_open(&pcm, "default", SND_PCM_STREAM_PLAYBACK, SND_PCM_NONBLOCK) < 0) {
                return nullptr;
            }
            const auto latency =
                static_cast<unsigned>(static_cast<long long>(queueFrames) * 1000000 / sampleRate);
            if (snd_pcm_set_params(pcm, SND_PCM_FORMAT_FLOAT, SND_PCM_ACCESS_RW_INTERLEAVED, 2,
                                   static_cast<unsigned>(sampleRate), 1, latency) < 0) {
                snd_pcm_close(pcm);
                return nullptr;
            }
            return std::make_unique<AlsaStream>(pcm, requestFrames,
                                                std::chrono::milliseconds(latency / 1000 + 1),
                                                std::move(render), std::move(broken));
        }};
}

}  // namespace platform
