#include "platform/audio/sound_limiter.h"

#include <algorithm>
#include <cmath>

namespace platform {

SoundLimiter::SoundLimiter(int sampleRate)
    : releasePerFrame_(1.0f - std::exp(-1.0f / (0.1f * static_cast<float>(sampleRate)))) {
    reset();
}

void SoundLimiter::reset() {
    delay_.fill(0);
    needed_.fill(1);
    windowMinimum_.fill(1);
    minimumSum_ = kLookahead;
    at_ = 0;
    neededAt_ = 0;
    gain_ = 1;
    quietFrames_ = 2 * kLookahead;
}

void SoundLimiter::process(float* interleaved, int frames) {
    const bool idle = quietFrames_ >= 2 * kLookahead && gain_ == 1.0f;
    float peak = 0;
    for (int i = 0; i < 2 * frames; ++i) {
        peak = std::max(peak, std::fabs(interleaved[i]));
    }
    if (idle && peak < kCeiling) {
        // Nothing to turn down, now or in the look-ahead: only the delay.
        for (int f = 0; f < frames; ++f) {
            float* frame = interleaved + 2 * f;
            float* held = delay_.data() + 2 * at_;
            std::swap(frame[0], held[0]);
            std::swap(frame[1], held[1]);
            at_ = (at_ + 1) % kLookahead;
        }
        return;
    }
    for (int f = 0; f < frames; ++f) {
        float* frame = interleaved + 2 * f;
        const float loudest = std::max(std::fabs(frame[0]), std::fabs(frame[1]));
        const float needed = loudest > kCeiling ? kCeiling / loudest : 1.0f;
        quietFrames_ = needed < 1.0f ? 0 : std::min(quietFrames_ + 1, 2 * kLookahead);
        needed_[static_cast<std::size_t>(neededAt_)] = needed;
        neededAt_ = (neededAt_ + 1) % (kLookahead + 1);
        // The frame leaving the delay came in kLookahead frames ago. It lies in each of the
        // last kLookahead windows, so the average of their minimums is no more than the gain it
        // needs; and the average moves smoothly.
        const float minimum = *std::min_element(needed_.begin(), needed_.end());
        minimumSum_ += minimum - windowMinimum_[static_cast<std::size_t>(at_)];
        windowMinimum_[static_cast<std::size_t>(at_)] = minimum;
        if (quietFrames_ >= 2 * kLookahead) {
            minimumSum_ = kLookahead;  // every window is all ones again: no rounding left over
        }
        const float smooth = static_cast<float>(minimumSum_ / kLookahead);
        gain_ = std::min(smooth, gain_ + (1.0f - gain_) * releasePerFrame_);
        if (gain_ > 0.9999f && smooth >= 1.0f) {
            gain_ = 1;
        }
        float* held = delay_.data() + 2 * at_;
        const float left = held[0];
        const float right = held[1];
        held[0] = frame[0];
        held[1] = frame[1];
        frame[0] = left * gain_;
        frame[1] = right * gain_;
        at_ = (at_ + 1) % kLookahead;
    }
}

}  // namespace platform
