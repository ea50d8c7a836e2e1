#include "platform/audio/midi_player.h"

#include <QCoreApplication>
#include <QStringList>
#include <cstdio>
#include <optional>

#include "platform/audio/midi_file.h"
#include "platform/audio/music_output.h"

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

}  // namespace

class MidiPlayer::Impl {
  public:
    explicit Impl(Options options)
        : shared_(std::make_shared<MusicOutput::Shared>(
              options.gain, std::move(options.soundFontFolder), std::move(options.outputs),
              options.retryAfter)),
          output_(shared_) {}

    // A tune still playing fades out; the output then goes, after its fade at most.
    ~Impl() { closeTune(); }
    Impl(const Impl&) = delete;
    Impl& operator=(const Impl&) = delete;

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
            const std::lock_guard<std::mutex> lock(shared_->mutex);
            shared_->source.play();
            output_.soundStarted();
            return {};
        }
        if (verb == QLatin1String("status") && w.size() == 3 && isOpen(w[1]) &&
            w[2].toLower() == QLatin1String("mode")) {
            const std::lock_guard<std::mutex> lock(shared_->mutex);
            // A tune no output will take is not playing: it is heard nowhere.
            return shared_->source.playing() && !output_.failed() ? "playing" : "stopped";
        }
        return {};
    }

    void render(float* interleaved, int frames) {
        const std::lock_guard<std::mutex> lock(shared_->mutex);
        shared_->source.take(interleaved, frames);
    }

    // Written only by the commands' thread, as the synthesizer is made.
    int synthsCreated() const { return shared_->source.synthsCreated(); }
    QString soundFont() const { return shared_->source.soundFont(); }
    std::string audioDriver() const {
        const std::lock_guard<std::mutex> lock(shared_->mutex);
        return shared_->driver;
    }

  private:
    bool isOpen(const QString& alias) const {
        return alias_ && alias_->compare(alias, Qt::CaseInsensitive) == 0;
    }

    std::string open(const std::string& command) {
        const std::optional<OpenCommand> request = parseOpen(command);
        if (!request || alias_) {
            return {};
        }
        std::optional<MidiFile> midi = MidiFile::read(request->path);
        if (!midi) {
            return {};
        }
        // Not under the lock: the first time, the soundfont is read. Nothing else touches the
        // synthesizer before it is made.
        const bool made = shared_->source.makeSynth();
        const std::lock_guard<std::mutex> lock(shared_->mutex);
        if (!made && !shared_->warned) {
            shared_->warned = true;
            std::fprintf(stderr, "velmora: no soundfont found; the music stays silent\n");
        }
        if (shared_->source.attach(midi->bytes, midi->lastTick)) {
            alias_ = request->alias;
        }
        return {};
    }

    // Frees the tune; what is heard fades out over kFadeFrames: from as soon as the sound
    // server can, when the output can reach what it has been handed, otherwise after what the
    // output holds. The synthesizer's reverb rings on, unheard, until it has died away.
    void closeTune() {
        const std::lock_guard<std::mutex> lock(shared_->mutex);
        if (!alias_) {
            return;
        }
        alias_.reset();
        const bool sounding = shared_->source.state() == MusicSource::State::Sounding;
        shared_->source.close();
        if (sounding) {
            output_.tuneClosed();
        }
    }

    const std::shared_ptr<MusicOutput::Shared> shared_;
    MusicOutput output_;
    // The open tune's name; only the commands' thread uses it.
    std::optional<QString> alias_;
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
