#include "platform/audio/music_source.h"

#include <fluidsynth.h>

#include <QDir>
#include <QFileInfo>
#include <QStringList>
#include <algorithm>
#include <cmath>

#include "platform/audio/audio_stream.h"

namespace platform {
namespace {

// FluidSynth reports through its log, which goes to stderr; the device says what matters
// itself, in one line at most.
void quietLog(int /*level*/, const char* /*message*/, void* /*data*/) {}

// Below the smallest step of 16-bit sound, by far.
bool quiet(const float* interleaved, int frames) {
    return std::all_of(interleaved, interleaved + 2 * frames,
                       [](float x) { return std::fabs(x) < 1e-6f; });
}

}  // namespace

MusicSource::MusicSource(double gain, QString soundFontFolder)
    : gain_(gain), soundFontFolder_(std::move(soundFontFolder)) {}

MusicSource::~MusicSource() {
    if (player_ != nullptr) {
        delete_fluid_player(player_);
    }
    delete_fluid_synth(synth_);
    delete_fluid_settings(settings_);
}

bool MusicSource::makeSynth() {
    if (synth_ != nullptr) {
        return true;
    }
    for (int level = FLUID_PANIC; level <= FLUID_DBG; ++level) {
        fluid_set_log_function(level, quietLog, nullptr);
    }
    settings_ = new_fluid_settings();
    fluid_settings_setnum(settings_, "synth.sample-rate", kSampleRate);
    fluid_settings_setnum(settings_, "synth.gain", gain_);
    // Every call into the synthesizer is made under the device's own lock.
    fluid_settings_setint(settings_, "synth.threadsafe-api", 0);
    fluid_settings_setint(settings_, "synth.polyphony", kPolyphony);
    // The chorus would run on every block; the theme sends nothing to it, so without it the
    // samples are the same to the bit, for a tenth less work.
    fluid_settings_setint(settings_, "synth.chorus.active", 0);
    // Only the samples of the instruments a tune selects are read into memory, when it selects
    // them: a large General MIDI soundfont costs what the theme's few instruments need.
    fluid_settings_setint(settings_, "synth.dynamic-sample-loading", 1);
    synth_ = new_fluid_synth(settings_);
    // Linear interpolation between a sample's points costs a fifth less than the default
    // fourth-order one, which is most of the title's sound; the theme is as loud either way.
    fluid_synth_set_interp_method(synth_, -1, FLUID_INTERP_LINEAR);
    ++synthsCreated_;
    loadSoundFont();
    return !soundFont_.isEmpty();
}

// A .sf2 of the game's own, then FluidSynth's default, then Debian's General MIDI font.
void MusicSource::loadSoundFont() {
    QStringList candidates;
    if (!soundFontFolder_.isEmpty()) {
        const QDir own(soundFontFolder_);
        for (const QString& name :
             own.entryList({QStringLiteral("*.sf2")}, QDir::Files, QDir::Name)) {
            candidates << own.filePath(name);
        }
    }
    char* fallback = nullptr;
    if (fluid_settings_dupstr(settings_, "synth.default-soundfont", &fallback) == FLUID_OK &&
        fallback != nullptr) {
        candidates << QString::fromUtf8(fallback);
        fluid_free(fallback);
    }
    candidates << QString::fromLatin1(kSystemSoundFont);
    for (const QString& path : candidates) {
        if (QFileInfo(path).isFile() &&
            fluid_synth_sfload(synth_, QFile::encodeName(path).constData(), 1) != FLUID_FAILED) {
            soundFont_ = path;
            return;
        }
    }
}

fluid_player_t* MusicSource::newPlayer(const QByteArray& bytes) {
    fluid_player_t* player = new_fluid_player(synth_);
    if (player != nullptr &&
        fluid_player_add_mem(player, bytes.constData(), static_cast<std::size_t>(bytes.size())) !=
            FLUID_OK) {
        delete_fluid_player(player);
        return nullptr;
    }
    return player;
}

bool MusicSource::attach(const QByteArray& bytes, int lastTick) {
    // Before the tune is attached: rendering now moves no tune on.
    stopRinging();
    player_ = newPlayer(bytes);
    tune_ = bytes;
    lastTick_ = lastTick;
    return player_ != nullptr;
}

void MusicSource::play() {
    if (fluid_player_get_status(player_) == FLUID_PLAYER_DONE ||
        fluid_player_get_current_tick(player_) >= lastTick_) {
        if (fluid_player_t* again = newPlayer(tune_)) {
            delete_fluid_player(player_);
            player_ = again;
        }
    }
    fluid_player_play(player_);
    state_ = State::Sounding;
}

bool MusicSource::playing() const {
    return fluid_player_get_status(player_) == FLUID_PLAYER_PLAYING &&
           fluid_player_get_current_tick(player_) < lastTick_;
}

void MusicSource::close() {
    delete_fluid_player(player_);
    player_ = nullptr;
    if (state_ == State::Sounding) {
        fadeNext();
    }
    fluid_synth_all_sounds_off(synth_, -1);
    fluid_synth_system_reset(synth_);
    state_ = State::Ringing;
}

// The frames to be heard next, what has been rendered ahead and then the synthesizer, faded
// out, for the output to take before anything else.
void MusicSource::fadeNext() {
    const std::size_t start = fade_.size();
    fade_.resize(start + 2 * static_cast<std::size_t>(kFadeFrames));
    float* faded = fade_.data() + start;
    const int ahead = std::min(kFadeFrames, static_cast<int>(ahead_.size() / 2));
    std::copy_n(ahead_.begin(), 2 * ahead, faded);
    ahead_.clear();
    fluid_synth_write_float(synth_, kFadeFrames - ahead, faded + 2 * ahead, 0, 2, faded + 2 * ahead,
                            1, 2);
    for (int f = 0; f < kFadeFrames; ++f) {
        const auto gain = static_cast<float>(fadeGain(f, kFadeFrames));
        faded[2 * f] *= gain;
        faded[2 * f + 1] *= gain;
    }
}

bool MusicSource::hasSound() const {
    return state_ == State::Sounding || fadeAt_ < fade_.size() || !ahead_.empty();
}

int MusicSource::takeFade(float* interleaved, int frames) {
    if (fadeAt_ >= fade_.size()) {
        return 0;
    }
    const int done = std::min(frames, static_cast<int>((fade_.size() - fadeAt_) / 2));
    std::copy_n(fade_.data() + fadeAt_, 2 * done, interleaved);
    fadeAt_ += 2 * static_cast<std::size_t>(done);
    if (fadeAt_ == fade_.size()) {
        fade_.clear();
        fadeAt_ = 0;
    }
    return done;
}

void MusicSource::render(float* interleaved, int frames) {
    const int done = takeFade(interleaved, frames);
    float* rest = interleaved + 2 * done;
    if (done < frames) {
        if (state_ != State::Silent) {
            fluid_synth_write_float(synth_, frames - done, rest, 0, 2, rest, 1, 2);
        }
        if (state_ != State::Sounding) {
            // The reverb and chorus of a closed tune die away as time passes, unheard.
            if (state_ == State::Ringing && quiet(rest, frames - done)) {
                state_ = State::Silent;
            }
            std::fill(rest, interleaved + 2 * frames, 0.0f);
        }
    }
}

bool MusicSource::wantsAhead() const {
    return state_ == State::Sounding && ahead_.size() / 2 <= kAheadFrames;
}

void MusicSource::renderAhead() {
    const std::size_t at = ahead_.size();
    ahead_.resize(at + 2 * static_cast<std::size_t>(kAheadFrames));
    render(ahead_.data() + at, kAheadFrames);
}

void MusicSource::take(float* interleaved, int frames) {
    // What has been rendered ahead, then (should the thread rendering ahead fall behind) the
    // rest now.
    const int ahead = std::min(frames, static_cast<int>(ahead_.size() / 2));
    std::copy_n(ahead_.begin(), 2 * ahead, interleaved);
    ahead_.erase(ahead_.begin(), ahead_.begin() + 2 * ahead);
    if (ahead < frames) {
        render(interleaved + 2 * ahead, frames - ahead);
    }
    limiter_.process(interleaved, frames);
}

void MusicSource::takeEnd(float* interleaved, int frames) {
    const int done = takeFade(interleaved, frames);
    std::fill(interleaved + 2 * done, interleaved + 2 * frames, 0.0f);
    limiter_.process(interleaved, frames);
}

void MusicSource::dropNext() {
    // The tune's next frames are never heard, nor those the limiter holds back.
    ahead_.clear();
    fade_.clear();
    fadeAt_ = 0;
    limiter_.reset();
}

void MusicSource::outputGone() {
    dropNext();
    if (player_ == nullptr) {
        stopRinging();
    }
}

// Lets the reverb and chorus of a closed tune die away at once (about a second of sound,
// rendered in a few milliseconds), so that the next tune begins from silence.
void MusicSource::stopRinging() {
    float scratch[2 * 512];
    for (int i = 0; state_ == State::Ringing && i < 5 * kSampleRate / 512; ++i) {
        fluid_synth_write_float(synth_, 512, scratch, 0, 2, scratch, 1, 2);
        if (quiet(scratch, 512)) {
            state_ = State::Silent;
        }
    }
    if (state_ == State::Ringing) {
        state_ = State::Silent;
    }
}

}  // namespace platform
