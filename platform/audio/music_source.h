#pragma once

#include <QByteArray>
#include <QString>
#include <QStringList>
#include <vector>

#include "platform/audio/sound_limiter.h"

struct _fluid_hashtable_t;
struct _fluid_synth_t;
struct _fluid_player_t;

namespace platform {

// What the music device makes heard: one synthesizer with one soundfont, the tune it plays, what
// has been rendered of it ahead of the output, a closed tune's faded end, and the limiter every
// sample passes. Not safe to share by itself: the device calls it under its own lock.
class MusicSource {
  public:
    // Silent: nothing plays and nothing rings. Sounding: a tune plays (or has played to its end
    // and holds its last notes). Ringing: a tune was closed and its reverb dies away, unheard.
    enum class State { Silent, Sounding, Ringing };

    static constexpr int kSampleRate = 44100;
    // Debian's General MIDI soundfont.
    static constexpr const char* kSystemSoundFont = "/usr/share/sounds/sf2/default-GM.sf2";
    static constexpr int kPolyphony = 64;
    static constexpr int kFadeFrames = 265;
    // While a tune plays, it is rendered ahead of the output by up to twice this many frames, a
    // period of this many at a time: few wake-ups of the synthesizer, each with the tune's data
    // still at hand, whatever the output's queue.
    static constexpr int kAheadFrames = 4096;

    MusicSource(double gain, QString soundFontFolder);
    ~MusicSource();
    MusicSource(const MusicSource&) = delete;
    MusicSource& operator=(const MusicSource&) = delete;

    // Makes the synthesizer and loads the soundfont, the first time only. False the first time
    // no soundfont can be found (the caller says so once).
    bool makeSynth();
    int synthsCreated() const { return synthsCreated_; }
    QString soundFont() const { return soundFont_; }

    // Takes a tune (a file of one track) and the tick of its last event, after the last one's
    // reverb has died away. False if the synthesizer's player refuses it.
    bool attach(const QByteArray& bytes, int lastTick);
    bool hasTune() const { return player_ != nullptr; }
    // Plays the tune from where it stands, or from its beginning once it has played to its end.
    void play();
    // The tune has been started and its last event has not yet played.
    bool playing() const;
    // Frees the tune. What would be heard next fades out over kFadeFrames, kept to be heard
    // before anything else; the synthesizer is silenced and its controllers reset.
    void close();

    State state() const { return state_; }
    // There is something to be heard: a tune, its faded end, or what was rendered ahead.
    bool hasSound() const;
    // Renders the next frames: the faded end first, then the tune, or silence.
    void render(float* interleaved, int frames);
    // Whether the output may soon want more than has been rendered ahead, and one more period.
    bool wantsAhead() const;
    void renderAhead();
    // The next frames for the output, from what was rendered ahead first, through the limiter.
    void take(float* interleaved, int frames);
    // The same, with nothing of a tune: only the faded end of the last one, then silence.
    void takeEnd(float* interleaved, int frames);
    // The output has faded what it was given itself: what it would have had next goes.
    void dropNext();
    // The output has gone: what was rendered ahead for it goes; the next one begins from silence.
    void outputGone();

  private:
    void fadeNext();
    // Copies what is left of the faded end, up to `frames`; how many frames it gave.
    int takeFade(float* interleaved, int frames);
    void stopRinging();
    QStringList soundFonts() const;
    _fluid_player_t* newPlayer(const QByteArray& bytes);

    const double gain_;
    const QString soundFontFolder_;
    _fluid_hashtable_t* settings_ = nullptr;
    _fluid_synth_t* synth_ = nullptr;
    _fluid_player_t* player_ = nullptr;
    QByteArray tune_;
    int lastTick_ = 0;
    State state_ = State::Silent;
    std::vector<float> ahead_;
    std::vector<float> fade_;
    std::size_t fadeAt_ = 0;
    SoundLimiter limiter_{kSampleRate};
    int synthsCreated_ = 0;
    QString soundFont_;
};

}  // namespace platform
