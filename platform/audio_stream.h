#pragma once

#include <functional>
#include <memory>
#include <string>

namespace platform {

// Fills `frames` interleaved stereo frames of floats (left, right, left, ...) with what is to
// be heard next; called on the sound output's own thread whenever it wants more.
using RenderFunction = std::function<void(float* interleaved, int frames)>;

// A stream of sound to a device, open for as long as the object lives. Going, it stops asking
// for frames and waits until those it has been given have been heard.
class AudioStream {
  public:
    virtual ~AudioStream() = default;
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
AudioOutput pulseAudioOutput(int sampleRate, int queueFrames, int requestFrames);
// The sound card through ALSA's default device, with about the same queue, written
// `requestFrames` at a time.
AudioOutput alsaOutput(int sampleRate, int queueFrames, int requestFrames);

}  // namespace platform
