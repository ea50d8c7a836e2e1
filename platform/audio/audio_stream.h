#pragma once

#include <chrono>
#include <cmath>
#include <functional>
#include <memory>
#include <numbers>
#include <string>

namespace platform {

// Fills `frames` interleaved stereo frames of floats (left, right, left, ...) with what is to
// be heard next; called on the sound output's own thread whenever it wants more.
using RenderFunction = std::function<void(float* interleaved, int frames)>;

// The gain of frame `f` (from 0) of a fade out over `frames` frames: a raised cosine from full
// to nothing, which ends at nothing on its last frame.
inline double fadeGain(int f, int frames) {
    return 0.5 + 0.5 * std::cos(std::numbers::pi * (f + 1.0) / frames);
}

// A stream of sound to a device, open for as long as the object lives. Going, it stops asking
// for frames and drops what it holds at once.
class AudioStream {
  public:
    virtual ~AudioStream() = default;
    // Fades out over `fadeFrames` what it has been given and not yet played, from as soon as
    // the device allows, with silence after it; it goes on asking for frames. False if it cannot
    // reach them within `wait`: they are heard as they are.
    virtual bool fadeOutHanded(int /*fadeFrames*/, std::chrono::milliseconds /*wait*/) {
        return false;
    }
    // Goes on playing what it has been given, still asking for frames, for up to `wait` or
    // until it has all been heard.
    virtual void finish(std::chrono::milliseconds /*wait*/) {}
};

// A sound device by name, and how to open a stream on it that asks `render` for its sound;
// `open` gives nothing when the device cannot be opened. `broken` is called, on the stream's
// thread, if the device goes away while the stream is open.
struct AudioOutput {
    std::string name;
    std::function<std::unique_ptr<AudioStream>(RenderFunction render, std::function<void()> broken)>
        open;
};

// The sound server (PulseAudio, or PipeWire in its place). It holds up to `queueFrames` and asks
// for `requestFrames` at a time, when it has fallen to the difference: what is rendered is heard
// at most `queueFrames` later, and each request must be answered before the difference has played.
// Its streams can fade what they have handed over: they keep the last seconds they were given,
// and write the fade over what the server holds, from a few milliseconds past what it plays.
AudioOutput pulseAudioOutput(int sampleRate, int queueFrames, int requestFrames);
// The sound card through ALSA's default device, with about the same queue, written
// `requestFrames` at a time.
AudioOutput alsaOutput(int sampleRate, int queueFrames, int requestFrames);

}  // namespace platform
