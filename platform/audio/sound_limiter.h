#pragma once

#include <array>

namespace platform {

// Keeps the music below full scale: a look-ahead limiter on interleaved stereo samples. A tune
// that never rises above the ceiling passes unchanged, only later by the look-ahead; a louder
// one is turned down smoothly, both channels alike, just before its loud moment and for as
// long as it lasts, and comes back over about a tenth of a second. No sample leaves it at or
// beyond the ceiling.
class SoundLimiter {
  public:
    // -1 dBFS.
    static constexpr float kCeiling = 0.891f;
    // The samples are delayed by this many frames (1.4 ms at 44.1 kHz); the gain falls over as
    // many, so a peak is never reached at full gain.
    static constexpr int kLookahead = 64;

    explicit SoundLimiter(int sampleRate);

    // Limits `frames` frames in place; what comes out is what went in kLookahead frames
    // earlier.
    void process(float* interleaved, int frames);
    // Forgets what it holds: the next samples follow silence.
    void reset();

  private:
    float releasePerFrame_;
    // The last kLookahead frames that came in.
    std::array<float, 2 * kLookahead> delay_{};
    int at_ = 0;
    // The gain each of the last kLookahead + 1 frames needs to stay below the ceiling.
    std::array<float, kLookahead + 1> needed_{};
    int neededAt_ = 0;
    // The smallest needed gain of the kLookahead + 1 frames ending at each of the last
    // kLookahead frames, and their sum: their average is the gain for the frame leaving the
    // delay.
    std::array<float, kLookahead> windowMinimum_{};
    double minimumSum_ = kLookahead;
    float gain_ = 1;
    // Frames since the last that needed less than full gain; past 2 × kLookahead, and with the
    // gain back at 1, the limiter is idle and passes blocks below the ceiling straight through.
    int quietFrames_ = 2 * kLookahead;
};

}  // namespace platform
