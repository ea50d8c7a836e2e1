#pragma once

#include <functional>
#include <memory>
#include <string>

namespace platform {

// A stream of sound to a device, open for as long as the object lives: interleaved stereo
// frames of floats (left, right, left, ...).
class AudioStream {
  public:
    virtual ~AudioStream() = default;
    // Queues the frames, waiting while the device's queue is full: that wait paces whoever
    // renders them. False when the device has gone.
    virtual bool write(const float* interleaved, int frames) = 0;
    // Waits until everything queued has been heard.
    virtual void drain() = 0;
};

// A sound device by name, and how to open a stream on it; `open` gives nothing when the
// device cannot be opened.
struct AudioOutput {
    std::string name;
    std::function<std::unique_ptr<AudioStream>()> open;
};

// The sound server (PulseAudio, or PipeWire in its place), its queue held to `queueFrames`:
// what is written is heard that long after.
AudioOutput pulseAudioOutput(int sampleRate, int queueFrames);
// The sound card through ALSA's default device, with the same queue.
AudioOutput alsaOutput(int sampleRate, int queueFrames);

}  // namespace platform
