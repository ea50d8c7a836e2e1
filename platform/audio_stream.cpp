#include "platform/audio_stream.h"

#include <alsa/asoundlib.h>
#include <pulse/error.h>
#include <pulse/simple.h>

#include <cstdint>

namespace platform {
namespace {

class PulseAudioStream final : public AudioStream {
  public:
    explicit PulseAudioStream(pa_simple* stream) : stream_(stream) {}
    ~PulseAudioStream() override { pa_simple_free(stream_); }
    PulseAudioStream(const PulseAudioStream&) = delete;
    PulseAudioStream& operator=(const PulseAudioStream&) = delete;

    bool write(const float* interleaved, int frames) override {
        int error = 0;
        return pa_simple_write(stream_, interleaved,
                               2 * sizeof(float) * static_cast<std::size_t>(frames), &error) >= 0;
    }
    void drain() override {
        int error = 0;
        pa_simple_drain(stream_, &error);
    }

  private:
    pa_simple* stream_;
};

class AlsaStream final : public AudioStream {
  public:
    explicit AlsaStream(snd_pcm_t* pcm) : pcm_(pcm) {}
    ~AlsaStream() override { snd_pcm_close(pcm_); }
    AlsaStream(const AlsaStream&) = delete;
    AlsaStream& operator=(const AlsaStream&) = delete;

    bool write(const float* interleaved, int frames) override {
        while (frames > 0) {
            snd_pcm_sframes_t written =
                snd_pcm_writei(pcm_, interleaved, static_cast<snd_pcm_uframes_t>(frames));
            if (written < 0) {
                // An underrun or a suspended card starts again; anything else ends the stream.
                if (snd_pcm_recover(pcm_, static_cast<int>(written), 1) < 0) {
                    return false;
                }
                continue;
            }
            interleaved += 2 * written;
            frames -= static_cast<int>(written);
        }
        return true;
    }
    void drain() override { snd_pcm_drain(pcm_); }

  private:
    snd_pcm_t* pcm_;
};

// ALSA reports to stderr by itself, several lines where there is no card; the game says what
// matters in one line of its own.
void quietAlsa(const char*, int, const char*, int, const char*, ...) {}

}  // namespace

AudioOutput pulseAudioOutput(int sampleRate, int queueFrames) {
    return {"pulseaudio", [sampleRate, queueFrames]() -> std::unique_ptr<AudioStream> {
                pa_sample_spec spec{};
                spec.format = PA_SAMPLE_FLOAT32NE;
                spec.rate = static_cast<std::uint32_t>(sampleRate);
                spec.channels = 2;
                pa_buffer_attr queue{};
                queue.maxlength = static_cast<std::uint32_t>(-1);
                queue.tlength = static_cast<std::uint32_t>(queueFrames) * 2 * sizeof(float);
                queue.prebuf = static_cast<std::uint32_t>(-1);
                queue.minreq = static_cast<std::uint32_t>(-1);
                queue.fragsize = static_cast<std::uint32_t>(-1);
                int error = 0;
                pa_simple* stream = pa_simple_new(nullptr, "Velmora", PA_STREAM_PLAYBACK, nullptr,
                                                  "Music", &spec, nullptr, &queue, &error);
                if (stream == nullptr) {
                    return nullptr;
                }
                return std::make_unique<PulseAudioStream>(stream);
            }};
}

AudioOutput alsaOutput(int sampleRate, int queueFrames) {
    return {"alsa", [sampleRate, queueFrames]() -> std::unique_ptr<AudioStream> {
                snd_lib_error_set_handler(quietAlsa);
                snd_pcm_t* pcm = nullptr;
                if (snd_pcm_open(&pcm, "default", SND_PCM_STREAM_PLAYBACK, 0) < 0) {
                    return nullptr;
                }
                const auto latency = static_cast<unsigned>(static_cast<long long>(queueFrames) *
                                                           1000000 / sampleRate);
                if (snd_pcm_set_params(pcm, SND_PCM_FORMAT_FLOAT, SND_PCM_ACCESS_RW_INTERLEAVED, 2,
                                       static_cast<unsigned>(sampleRate), 1, latency) < 0) {
                    snd_pcm_close(pcm);
                    return nullptr;
                }
                return std::make_unique<AlsaStream>(pcm);
            }};
}

}  // namespace platform
