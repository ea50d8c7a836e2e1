#include "platform/audio/midi_player.h"

#include <fluidsynth.h>

#include <QCoreApplication>
#include <QDir>
#include <QFileInfo>
#include <QStringList>
#include <algorithm>
#include <chrono>
#include <cmath>
#include <condition_variable>
#include <cstdio>
#include <mutex>
#include <optional>
#include <thread>

#include "platform/audio/midi_file.h"
#include "platform/audio/sound_limiter.h"

namespace platform {
namespace {

// The words of a command, split at blanks.
QStringList words(const std::string& command) {
    return QString::fromUtf8(command.data(), static_cast<qsizetype>(command.size()))
        .split(QLatin1Char(' '), Qt::SkipEmptyParts);
}

// "open <file> type <device> alias <name>" taken apart. The path runs up to the last " type "
// (or, without a type, up to " alias "), so a folder with blanks in its name needs no quotes.
struct OpenCommand {
    QString path;
    QString deviceType;
    QString alias;
};

std::optional<OpenCommand> parseOpen(const std::string& command) {
    const QString text = QString::fromUtf8(command.data(), static_cast<qsizetype>(command.size()));
    const QString folded = text.toLower();
    if (!folded.startsWith(QLatin1String("open "))) {
        return std::nullopt;
    }
    qsizetype pathEnd = folded.lastIndexOf(QLatin1String(" type "));
    if (pathEnd < 0) {
        pathEnd = folded.lastIndexOf(QLatin1String(" alias "));
    }
    if (pathEnd < 0) {
        return std::nullopt;
    }
    OpenCommand open;
    open.path = text.mid(5, pathEnd - 5).trimmed();
    if (open.path.size() >= 2 && open.path.startsWith(QLatin1Char('"')) &&
        open.path.endsWith(QLatin1Char('"'))) {
        open.path = open.path.mid(1, open.path.size() - 2);
    }
    open.path.replace(QLatin1Char('\\'), QLatin1Char('/'));
    const QStringList rest = text.mid(pathEnd).split(QLatin1Char(' '), Qt::SkipEmptyParts);
    for (qsizetype i = 0; i + 1 < rest.size(); i += 2) {
        const QString key = rest[i].toLower();
        if (key == QLatin1String("type")) {
            open.deviceType = rest[i + 1].toLower();
        } else if (key == QLatin1String("alias")) {
            open.alias = rest[i + 1];
        } else {
            return std::nullopt;
        }
    }
    if (open.path.isEmpty() || (!open.deviceType.isEmpty() && open.deviceType != "sequencer")) {
        return std::nullopt;
    }
    if (open.alias.isEmpty()) {
        open.alias = open.path;
    }
    return open;
}

// FluidSynth reports through its log, which goes to stderr; the device says what matters
// itself, in one line at most.
void quietLog(int /*level*/, const char* /*message*/, void* /*data*/) {}

void silenceSynthLog() {
    for (int level = FLUID_PANIC; level <= FLUID_DBG; ++level) {
        fluid_set_log_function(level, quietLog, nullptr);
    }
}

// After the last sound, the output stays open this long for the next tune (the title's
// watchdog closes, opens and plays again in one go), then closes.
constexpr int kLingerFrames = 2048;
// While a tune plays, it is rendered ahead of the output by up to twice this many frames, a
// period of this many at a time: few wake-ups of the synthesizer, each with the tune's data
// still at hand, whatever the output's queue.
constexpr int kAheadFrames = 4096;

}  // namespace

class MidiPlayer::Impl {
  public:
    explicit Impl(Options options) : options_(std::move(options)), limiter_(kSampleRate) {}

    ~Impl() {
        // A tune still playing fades out and the output plays what it holds before it closes.
        closeTune();
        {
            const std::lock_guard<std::mutex> lock(mutex_);
            quit_ = true;
        }
        wake_.notify_all();
        if (output_.joinable()) {
            output_.join();
        }
        delete_fluid_synth(synth_);
        delete_fluid_settings(settings_);
    }

    std::string send(const std::string& command) {
        const QStringList w = words(command);
        if (w.isEmpty()) {
            return {};
        }
        const QString verb = w[0].toLower();
        if (verb == QLatin1String("open")) {
            return open(command);
        }
        if (verb == QLatin1String("close") && w.size() == 2) {
            if (w[1].toLower() == QLatin1String("all") || isOpen(w[1])) {
                closeTune();
            }
            return {};
        }
        if (verb == QLatin1String("play") && w.size() == 2 && isOpen(w[1])) {
            play();
            return {};
        }
        if (verb == QLatin1String("status") && w.size() == 3 && isOpen(w[1]) &&
            w[2].toLower() == QLatin1String("mode")) {
            return mode();
        }
        return {};
    }

    void render(float* interleaved, int frames) {
        const std::lock_guard<std::mutex> lock(mutex_);
        renderLocked(interleaved, frames);
        limiter_.process(interleaved, frames);
    }

    int synthsCreated() const { return synthsCreated_; }
    QString soundFont() const { return soundFont_; }
    std::string audioDriver() const {
        const std::lock_guard<std::mutex> lock(mutex_);
        return audioDriver_;
    }

  private:
    struct Tune {
        QString alias;
        fluid_player_t* player = nullptr;
        QByteArray bytes;
        int lastTick = 0;
    };

    bool isOpen(const QString& alias) const {
        return tune_ && tune_->alias.compare(alias, Qt::CaseInsensitive) == 0;
    }

    std::string open(const std::string& command) {
        const std::optional<OpenCommand> request = parseOpen(command);
        if (!request || tune_) {
            return {};
        }
        std::optional<MidiFile> midi = MidiFile::read(request->path);
        if (!midi) {
            return {};
        }
        makeSynth();
        const std::lock_guard<std::mutex> lock(mutex_);
        // Before the tune is attached: rendering now moves no tune on.
        stopRinging();
        fluid_player_t* player = newPlayer(midi->bytes);
        if (player != nullptr) {
            tune_ = Tune{request->alias, player, std::move(midi->bytes), midi->lastTick};
        }
        return {};
    }

    fluid_player_t* newPlayer(const QByteArray& bytes) {
        fluid_player_t* player = new_fluid_player(synth_);
        if (player != nullptr &&
            fluid_player_add_mem(player, bytes.constData(),
                                 static_cast<std::size_t>(bytes.size())) != FLUID_OK) {
            delete_fluid_player(player);
            return nullptr;
        }
        return player;
    }

    void play() {
        {
            const std::lock_guard<std::mutex> lock(mutex_);
            // A tune that has played to its end starts again from its beginning.
            if (fluid_player_get_status(tune_->player) == FLUID_PLAYER_DONE ||
                fluid_player_get_current_tick(tune_->player) >= tune_->lastTick) {
                if (fluid_player_t* again = newPlayer(tune_->bytes)) {
                    delete_fluid_player(tune_->player);
                    tune_->player = again;
                }
            }
            fluid_player_play(tune_->player);
            sounding_ = true;
            outputFailed_ = false;
            if (!options_.outputs.empty() && !output_.joinable()) {
                output_ = std::thread(&Impl::outputLoop, this);
            }
        }
        wake_.notify_all();
    }

    std::string mode() {
        const std::lock_guard<std::mutex> lock(mutex_);
        const bool playing = fluid_player_get_status(tune_->player) == FLUID_PLAYER_PLAYING &&
                             fluid_player_get_current_tick(tune_->player) < tune_->lastTick;
        return playing ? "playing" : "stopped";
    }

    // Frees the tune. What is heard fades out over kFadeFrames: from as soon as the sound server
    // can, when the output can reach what it has been handed; otherwise what the output takes
    // next fades, after what it holds. Then the synthesizer is silenced and its controllers
    // reset. Its reverb still rings, unheard, until it has died away.
    void closeTune() {
        AudioStream* stream = nullptr;
        {
            std::unique_lock<std::mutex> lock(mutex_);
            if (!tune_) {
                return;
            }
            // An output just opening may already be playing the tune: a moment for it to be
            // known, or its frames would be heard unfaded.
            wake_.wait_for(lock, std::chrono::milliseconds(200),
                           [&] { return stream_ != nullptr || !outputOpening_; });
            delete_fluid_player(tune_->player);
            tune_.reset();
            if (sounding_ && stream_ != nullptr) {
                // The output takes silence meanwhile, and stays open.
                stream = stream_;
                handingSilence_ = true;
            }
        }
        // Not under the lock: the output's thread takes it to ask for sound.
        const bool fadedHanded = stream != nullptr && stream->fadeOutHanded(kFadeFrames);
        {
            const std::lock_guard<std::mutex> lock(mutex_);
            handingSilence_ = false;
            if (sounding_) {
                sounding_ = false;
                if (fadedHanded) {
                    // The tune's next frames are never heard, nor those the limiter holds back.
                    ahead_.clear();
                    limiter_.reset();
                } else {
                    fadeNext();
                }
            }
            fluid_synth_all_sounds_off(synth_, -1);
            fluid_synth_system_reset(synth_);
            ringing_ = true;
        }
        wake_.notify_all();
    }

    // The frames to be heard next, what has been rendered ahead and then the synthesizer, faded
    // out, for the output to take before silence.
    void fadeNext() {
        const std::size_t start = fade_.size();
        fade_.resize(start + 2 * static_cast<std::size_t>(kFadeFrames));
        float* faded = fade_.data() + start;
        const int ahead = std::min(kFadeFrames, static_cast<int>(ahead_.size() / 2));
        std::copy_n(ahead_.begin(), 2 * ahead, faded);
        ahead_.clear();
        fluid_synth_write_float(synth_, kFadeFrames - ahead, faded + 2 * ahead, 0, 2,
                                faded + 2 * ahead, 1, 2);
        for (int f = 0; f < kFadeFrames; ++f) {
            const auto gain = static_cast<float>(fadeGain(f, kFadeFrames));
            faded[2 * f] *= gain;
            faded[2 * f + 1] *= gain;
        }
    }

    bool hasSound() const { return sounding_ || fadeAt_ < fade_.size() || !ahead_.empty(); }

    // The next frames: a fading tune's last ones first, then the playing tune, or silence.
    void renderLocked(float* interleaved, int frames) {
        int done = 0;
        if (fadeAt_ < fade_.size()) {
            const auto left = static_cast<int>((fade_.size() - fadeAt_) / 2);
            done = std::min(frames, left);
            std::copy_n(fade_.data() + fadeAt_, 2 * done, interleaved);
            fadeAt_ += 2 * static_cast<std::size_t>(done);
            if (fadeAt_ == fade_.size()) {
                fade_.clear();
                fadeAt_ = 0;
            }
        }
        float* rest = interleaved + 2 * done;
        if (done < frames) {
            if (sounding_ || ringing_) {
                fluid_synth_write_float(synth_, frames - done, rest, 0, 2, rest, 1, 2);
            }
            if (!sounding_) {
                // The reverb and chorus of a closed tune die away as time passes, unheard.
                ringing_ = ringing_ && !quiet(rest, frames - done);
                std::fill(rest, interleaved + 2 * frames, 0.0f);
            }
        }
    }

    // Below the smallest step of 16-bit sound, by far.
    static bool quiet(const float* interleaved, int frames) {
        return std::all_of(interleaved, interleaved + 2 * frames,
                           [](float x) { return std::fabs(x) < 1e-6f; });
    }

    // Lets the reverb and chorus of a closed tune die away at once (about a second of sound,
    // rendered in a few milliseconds), so that the next tune begins from silence.
    void stopRinging() {
        float scratch[2 * 512];
        for (int i = 0; ringing_ && i < 5 * kSampleRate / 512; ++i) {
            fluid_synth_write_float(synth_, 512, scratch, 0, 2, scratch, 1, 2);
            ringing_ = !quiet(scratch, 512);
        }
        ringing_ = false;
    }

    // On a thread of the device's own: while there is sound, keeps the first output that will
    // open, which renders from the device as it wants; closes it when nothing has sounded for
    // kLingerFrames; then sleeps until the next tune plays.
    void outputLoop() {
        std::unique_lock<std::mutex> lock(mutex_);
        for (;;) {
            wake_.wait(lock, [&] { return quit_ || (hasSound() && !outputFailed_); });
            if (quit_ && (outputFailed_ || !hasSound())) {
                return;
            }
            silentFrames_ = 0;
            outputDone_ = false;
            outputOpening_ = true;
            lock.unlock();
            std::string name;
            std::unique_ptr<AudioStream> stream = openOutput(name);
            lock.lock();
            outputOpening_ = false;
            wake_.notify_all();
            if (!stream) {
                outputFailed_ = true;
                fade_.clear();
                fadeAt_ = 0;
                if (!warned_) {
                    warned_ = true;
                    std::fprintf(stderr,
                                 "velmora: no sound output could be opened; the music "
                                 "stays silent\n");
                }
                continue;
            }
            audioDriver_ = name;
            stream_ = stream.get();
            // Renders ahead, a long period at a time, while the output takes short ones.
            std::vector<float> period(2 * static_cast<std::size_t>(kAheadFrames));
            for (;;) {
                wake_.wait(lock, [&] {
                    return outputDone_ || outputFailed_ ||
                           (sounding_ && ahead_.size() / 2 <= kAheadFrames);
                });
                if (outputDone_ || outputFailed_) {
                    break;
                }
                renderLocked(period.data(), kAheadFrames);
                ahead_.insert(ahead_.end(), period.begin(), period.end());
            }
            ahead_.clear();
            // A tune closing may be fading what the stream holds.
            wake_.wait(lock, [&] { return !handingSilence_; });
            stream_ = nullptr;
            lock.unlock();
            stream.reset();  // after what it holds has been heard
            lock.lock();
            limiter_.reset();
            if (!tune_) {
                stopRinging();
            }
        }
    }

    // On the output's thread: the next frames, until enough silence has followed the last
    // sound to bring it out of the limiter's look-ahead and the output may close.
    void renderForOutput(float* interleaved, int frames) {
        const std::lock_guard<std::mutex> lock(mutex_);
        if (outputDone_ || handingSilence_) {
            std::fill(interleaved, interleaved + 2 * frames, 0.0f);
            return;
        }
        silentFrames_ = hasSound() ? 0 : silentFrames_ + frames;
        // What has been rendered ahead, then (should the thread rendering ahead fall behind)
        // the rest now.
        const int ahead = std::min(frames, static_cast<int>(ahead_.size() / 2));
        std::copy_n(ahead_.begin(), 2 * ahead, interleaved);
        ahead_.erase(ahead_.begin(), ahead_.begin() + 2 * ahead);
        if (ahead < frames) {
            renderLocked(interleaved + 2 * ahead, frames - ahead);
        }
        limiter_.process(interleaved, frames);
        if (ahead_.size() / 2 <= kAheadFrames) {
            wake_.notify_all();
        }
        if (silentFrames_ >= (quit_ ? SoundLimiter::kLookahead : kLingerFrames)) {
            outputDone_ = true;
            wake_.notify_all();
        }
    }

    void outputBroken() {
        const std::lock_guard<std::mutex> lock(mutex_);
        outputFailed_ = true;
        wake_.notify_all();
    }

    std::unique_ptr<AudioStream> openOutput(std::string& name) {
        for (const AudioOutput& output : options_.outputs) {
            if (std::unique_ptr<AudioStream> stream =
                    output.open([this](float* out, int frames) { renderForOutput(out, frames); },
                                [this] { outputBroken(); })) {
                name = output.name;
                return stream;
            }
        }
        return nullptr;
    }

    void makeSynth() {
        if (synth_ != nullptr) {
            return;
        }
        silenceSynthLog();
        settings_ = new_fluid_settings();
        fluid_settings_setnum(settings_, "synth.sample-rate", kSampleRate);
        fluid_settings_setnum(settings_, "synth.gain", options_.gain);
        // Every call into the synthesizer is made under the device's own lock.
        fluid_settings_setint(settings_, "synth.threadsafe-api", 0);
        fluid_settings_setint(settings_, "synth.polyphony", kPolyphony);
        // The chorus would run on every block; the theme sends nothing to it, so without it the
        // samples are the same to the bit, for a tenth less work.
        fluid_settings_setint(settings_, "synth.chorus.active", 0);
        synth_ = new_fluid_synth(settings_);
        // Linear interpolation between a sample's points costs a fifth less than the default
        // fourth-order one, which is most of the title's sound; the theme is as loud either
        // way.
        fluid_synth_set_interp_method(synth_, -1, FLUID_INTERP_LINEAR);
        ++synthsCreated_;
        loadSoundFont();
    }

    // A .sf2 of the game's own, then FluidSynth's default, then Debian's General MIDI font.
    void loadSoundFont() {
        QStringList candidates;
        if (!options_.soundFontFolder.isEmpty()) {
            const QDir own(options_.soundFontFolder);
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
                fluid_synth_sfload(synth_, QFile::encodeName(path).constData(), 1) !=
                    FLUID_FAILED) {
                soundFont_ = path;
                return;
            }
        }
        const std::lock_guard<std::mutex> lock(mutex_);
        warned_ = true;
        std::fprintf(stderr, "velmora: no soundfont found; the music stays silent\n");
    }

    const Options options_;
    // Guards the synthesizer, the tune and everything below that the output thread shares.
    mutable std::mutex mutex_;
    std::condition_variable wake_;
    fluid_settings_t* settings_ = nullptr;
    fluid_synth_t* synth_ = nullptr;
    std::optional<Tune> tune_;
    // A tune has been started and not closed since: the synthesizer is rendered.
    bool sounding_ = false;
    // A closed tune's reverb and chorus have not yet died away.
    bool ringing_ = false;
    // What has been rendered ahead for the output, not yet taken.
    std::vector<float> ahead_;
    // The faded end of a closed tune, still to be heard, and how much of it has gone out.
    std::vector<float> fade_;
    std::size_t fadeAt_ = 0;
    SoundLimiter limiter_;
    std::thread output_;
    // The output's stream while one is open, and a closing tune is having it fade what it holds:
    // meanwhile the output takes silence and the stream is not let go.
    AudioStream* stream_ = nullptr;
    bool handingSilence_ = false;
    // An output is being opened, and its stream is not yet known.
    bool outputOpening_ = false;
    bool quit_ = false;
    // The output's silence since the last sound; the output has had enough of it to close.
    int silentFrames_ = 0;
    bool outputDone_ = false;
    // No output would open (or one failed) for the tune now playing: none is tried again
    // until the next play.
    bool outputFailed_ = false;
    bool warned_ = false;
    std::string audioDriver_;
    int synthsCreated_ = 0;
    QString soundFont_;
};

MidiPlayer::Options MidiPlayer::gameOptions() {
    Options options;
    options.outputs = {pulseAudioOutput(kSampleRate, kServerQueueFrames, kServerRequestFrames),
                       alsaOutput(kSampleRate, kQueueFrames, kRequestFrames)};
    options.soundFontFolder = QCoreApplication::applicationDirPath() + QStringLiteral("/Music");
    return options;
}

MidiPlayer::MidiPlayer() : MidiPlayer(gameOptions()) {}

MidiPlayer::MidiPlayer(Options options) : impl_(std::make_unique<Impl>(std::move(options))) {}

MidiPlayer::~MidiPlayer() = default;

std::string MidiPlayer::send(const std::string& command) {
    return impl_->send(command);
}

void MidiPlayer::render(float* interleaved, int frames) {
    impl_->render(interleaved, frames);
}

int MidiPlayer::synthsCreated() const {
    return impl_->synthsCreated();
}

QString MidiPlayer::soundFont() const {
    return impl_->soundFont();
}

std::string MidiPlayer::audioDriver() const {
    return impl_->audioDriver();
}

}  // namespace platform
