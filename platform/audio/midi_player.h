#pragma once

#include <QString>
#include <chrono>
#include <memory>
#include <string>
#include <vector>

#include "platform/audio/audio_stream.h"
#include "platform/audio/mci.h"
#include "platform/audio/music_source.h"

namespace platform {

// The game's music device: Standard MIDI Files played on a software synthesizer (FluidSynth),
// driven by text commands:
//
//   "open <file> type sequencer alias <name>"  the file's path runs up to " type ", blanks
//                                               and all; backslashes separate folders
//   "play <name>"                               from the start, or on from where it stands;
//                                               from the start again once it has ended
//   "status <name> mode"                        "playing" until the tune's last event has
//                                               played, then "stopped"
//   "close <name>", "close all"                 fade out at once and free the tune
//
// A command that cannot be carried out (a missing or unreadable file, an alias that is not
// open) answers an empty text, as does every command not listed.
//
// One synthesizer with one soundfont serves the whole process: both are made at the first
// successful open and kept until the device goes, so restarting the tune costs no reload. Of a
// soundfont, only the samples of the instruments a tune selects are read.
//
// While a tune plays, a thread of the device's own renders it ahead in long periods, and the
// first sound output that opens takes it as it wants it, into a queue of its own. "close" fades
// the tune out over a few milliseconds (a cut would click), then silences the synthesizer: the
// sound server's stream fades what it already holds, from just past what is playing, so the
// stop is heard at once however long its queue; an output that cannot is given the fade next,
// heard after its short queue. Once nothing has sounded for a moment the output is closed and
// the thread sleeps, and the next tune that plays opens it again. Every sample passes a limiter
// that keeps it below full scale.
//
// When no output will open, the device says so in one line, once, and "status" answers
// "stopped": the tune is heard nowhere. It tries the outputs again after a pause while a tune
// wants to sound, as it does at once when the output that was open goes away (a sound server
// that restarts): the music comes back with the server. No command waits on a sound server, and
// the device goes within a moment whatever the server does. Tests leave the outputs out and call
// render(), or give outputs of their own.
class MidiPlayer final : public CommandDevice {
  public:
    static constexpr int kSampleRate = MusicSource::kSampleRate;
    // With the synthesizer's own gain of 0.2 the theme peaks near -16 dBFS; this brings its
    // loudest moment to about -4 dBFS.
    static constexpr double kGain = 0.8;
    // Debian's General MIDI soundfont.
    static constexpr const char* kSystemSoundFont = MusicSource::kSystemSoundFont;
    // The sound card's queue through ALSA (29 ms), and what it asks for at a time: it asks when
    // what it holds has fallen to the difference (8.7 ms), about 49 times a second. A closed
    // tune's fade is heard after what it holds.
    static constexpr int kQueueFrames = 1280;
    static constexpr int kRequestFrames = 896;
    // The sound server's (186 ms, asked for half at a time, about 11 times a second): a closed
    // tune's fade is written over what it holds, from just past what it plays.
    static constexpr int kServerQueueFrames = 8192;
    static constexpr int kServerRequestFrames = 4096;
    // Voices sounding at once. The theme's harp rings on long after each note (up to a hundred
    // voices); past this many, the quietest of those tails give way. What is cut lies 64 dB below
    // the theme, and the synthesizer's work falls by a third.
    static constexpr int kPolyphony = MusicSource::kPolyphony;
    // A closed tune fades out over this many frames (6 ms).
    static constexpr int kFadeFrames = MusicSource::kFadeFrames;
    // With no output open, the outputs are tried again this often while a tune wants to sound.
    static constexpr std::chrono::milliseconds kRetryAfter{500};

    struct Options {
        // Tried in this order; the first that opens plays the music.
        std::vector<AudioOutput> outputs;
        // A folder searched first for a soundfont (*.sf2) of the game's own.
        QString soundFontFolder;
        double gain = kGain;
        std::chrono::milliseconds retryAfter = kRetryAfter;
    };
    // The game's options: PulseAudio, then ALSA; the "Music" folder beside the executable.
    static Options gameOptions();

    MidiPlayer();
    explicit MidiPlayer(Options options);
    ~MidiPlayer() override;
    MidiPlayer(const MidiPlayer&) = delete;
    MidiPlayer& operator=(const MidiPlayer&) = delete;

    std::string send(const std::string& command) override;

    // Renders `frames` stereo frames into `interleaved` (left, right, left, ...), as an audio
    // driver would take them; the tune's clock advances with them.
    void render(float* interleaved, int frames);

    // What the device has set up: synthesizers made (never more than one), the soundfont
    // loaded (empty if none could be) and the output last opened (empty if none).
    int synthsCreated() const;
    QString soundFont() const;
    std::string audioDriver() const;

  private:
    class Impl;
    std::unique_ptr<Impl> impl_;
};

}  // namespace platform
