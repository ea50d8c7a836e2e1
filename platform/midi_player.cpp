#include "platform/midi_player.h"

#include <fcntl.h>
#include <fluidsynth.h>
#include <unistd.h>

#include <QCoreApplication>
#include <QDir>
#include <QFileInfo>
#include <QStringList>
#include <algorithm>
#include <cstdio>
#include <mutex>
#include <optional>

#include "platform/midi_file.h"

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

// Points stderr at /dev/null for its lifetime: sound libraries that find no device complain
// there themselves, several lines each.
class QuietStderr {
  public:
    QuietStderr() {
        std::fflush(stderr);
        saved_ = dup(STDERR_FILENO);
        const int null = open("/dev/null", O_WRONLY | O_CLOEXEC);
        if (null >= 0) {
            dup2(null, STDERR_FILENO);
            close(null);
        }
    }
    ~QuietStderr() {
        std::fflush(stderr);
        if (saved_ >= 0) {
            dup2(saved_, STDERR_FILENO);
            close(saved_);
        }
    }
    QuietStderr(const QuietStderr&) = delete;
    QuietStderr& operator=(const QuietStderr&) = delete;

  private:
    int saved_ = -1;
};

}  // namespace

class MidiPlayer::Impl {
  public:
    explicit Impl(Options options) : options_(std::move(options)) {}

    ~Impl() {
        // The driver first: once it is gone no other thread touches the synthesizer.
        delete_fluid_audio_driver(driver_);
        driver_ = nullptr;
        closeTune();
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
        if (synth_ == nullptr) {
            std::fill(interleaved, interleaved + 2 * static_cast<std::ptrdiff_t>(frames), 0.0f);
            return;
        }
        fluid_synth_write_float(synth_, frames, interleaved, 0, 2, interleaved, 1, 2);
        if (!sounding_) {
            std::fill(interleaved, interleaved + 2 * static_cast<std::ptrdiff_t>(frames), 0.0f);
        }
    }

    int synthsCreated() const { return synthsCreated_; }
    QString soundFont() const { return soundFont_; }
    std::string audioDriver() const { return audioDriver_; }

  private:
    struct Tune {
        QString alias;
        fluid_player_t* player = nullptr;
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
        fluid_player_t* player = new_fluid_player(synth_);
        if (player == nullptr) {
            return {};
        }
        if (fluid_player_add_mem(player, midi->bytes.constData(),
                                 static_cast<std::size_t>(midi->bytes.size())) != FLUID_OK) {
            delete_fluid_player(player);
            return {};
        }
        tune_ = Tune{request->alias, player, midi->lastTick};
        return {};
    }

    void play() {
        const std::lock_guard<std::mutex> lock(mutex_);
        if (fluid_player_get_status(tune_->player) == FLUID_PLAYER_DONE) {
            fluid_player_seek(tune_->player, 0);
        }
        fluid_player_play(tune_->player);
        sounding_ = true;
    }

    std::string mode() {
        const std::lock_guard<std::mutex> lock(mutex_);
        const bool playing = fluid_player_get_status(tune_->player) == FLUID_PLAYER_PLAYING &&
                             fluid_player_get_current_tick(tune_->player) < tune_->lastTick;
        return playing ? "playing" : "stopped";
    }

    // Frees the tune and silences the synthesizer at once. The voices stop within the block
    // being rendered and the reverb's tail would linger, so nothing more is let out until the
    // next tune plays.
    void closeTune() {
        if (!tune_) {
            return;
        }
        const std::lock_guard<std::mutex> lock(mutex_);
        sounding_ = false;
        delete_fluid_player(tune_->player);
        tune_.reset();
        fluid_synth_all_sounds_off(synth_, -1);
    }

    void makeSynth() {
        if (synth_ != nullptr) {
            return;
        }
        silenceSynthLog();
        settings_ = new_fluid_settings();
        fluid_settings_setnum(settings_, "synth.sample-rate", kSampleRate);
        fluid_settings_setnum(settings_, "synth.gain", options_.gain);
        // Background music needs no short latency: periods of 8192 frames (0.19 s) keep the
        // driver's wake-ups few. Longer ones made the PulseAudio client spin.
        fluid_settings_setint(settings_, "audio.period-size", 8192);
        fluid_settings_setint(settings_, "audio.periods", 2);
        synth_ = new_fluid_synth(settings_);
        ++synthsCreated_;
        loadSoundFont();
        openAudio();
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
        problem_ = "no soundfont found";
    }

    void openAudio() {
        if (!options_.audioDrivers.empty()) {
            const QuietStderr quiet;
            for (const std::string& name : options_.audioDrivers) {
                fluid_settings_setstr(settings_, "audio.driver", name.c_str());
                driver_ = new_fluid_audio_driver2(settings_, &Impl::audioCallback, this);
                if (driver_ != nullptr) {
                    audioDriver_ = name;
                    break;
                }
            }
            if (driver_ == nullptr && problem_.empty()) {
                problem_ = "no sound output could be opened";
            }
        }
        if (!problem_.empty()) {
            std::fprintf(stderr, "velmora: %s; the music stays silent\n", problem_.c_str());
        }
    }

    // On the driver's thread. The drivers other than JACK give no effect buffers: reverb and
    // chorus are mixed into the two output channels.
    static int audioCallback(void* data, int len, int nfx, float* fx[], int nout, float* out[]) {
        auto* self = static_cast<Impl*>(data);
        const std::lock_guard<std::mutex> lock(self->mutex_);
        int result = FLUID_OK;
        if (nfx == 0 && nout >= 2) {
            float* mixed[4] = {out[0], out[1], out[0], out[1]};
            result = fluid_synth_process(self->synth_, len, 4, mixed, nout, out);
        } else {
            result = fluid_synth_process(self->synth_, len, nfx, fx, nout, out);
        }
        if (!self->sounding_) {
            for (int i = 0; i < nout; ++i) {
                std::fill(out[i], out[i] + len, 0.0f);
            }
            for (int i = 0; i < nfx; ++i) {
                std::fill(fx[i], fx[i] + len, 0.0f);
            }
        }
        return result;
    }

    Options options_;
    // Guards the synthesizer and the tune against the driver's thread.
    std::mutex mutex_;
    fluid_settings_t* settings_ = nullptr;
    fluid_synth_t* synth_ = nullptr;
    fluid_audio_driver_t* driver_ = nullptr;
    std::optional<Tune> tune_;
    // A tune has been started and not closed since: the synthesizer's output is let through.
    bool sounding_ = false;
    int synthsCreated_ = 0;
    QString soundFont_;
    std::string audioDriver_;
    std::string problem_;
};

MidiPlayer::Options MidiPlayer::gameOptions() {
    Options options;
    options.audioDrivers = {"pulseaudio", "pipewire", "alsa"};
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
