#pragma once

#include <QByteArray>
#include <QString>
#include <optional>

namespace platform {

// A Standard MIDI File read into memory as one track, with the tick of its last event: the tune
// has played to its end once its clock has reached that tick.
struct MidiFile {
    QByteArray bytes;
    int lastTick = 0;

    // The file at `path` with all its tracks merged into one (`singleTrack`), or nothing when it
    // cannot be read or is not a complete Standard MIDI File.
    static std::optional<MidiFile> read(const QString& path);
    // The largest tick at which any track has an event (its end-of-track included), or nothing
    // for data that is not a complete Standard MIDI File.
    static std::optional<int> lastEventTick(const QByteArray& bytes);
    // The same tune as a file of one track (format 0): every track's events at the same times,
    // those at one time in the order of their tracks, each track's in its own order; one end of
    // track at the last event. The synthesizer's player takes files of any number of tracks
    // this way (it holds no more than 128 of its own). Nothing for data that is not a complete
    // Standard MIDI File.
    static std::optional<QByteArray> singleTrack(const QByteArray& bytes);
};

}  // namespace platform
