#pragma once

#include <QByteArray>
#include <QString>
#include <optional>

namespace platform {

// A Standard MIDI File read into memory, with the tick of its last event: the tune has played
// to its end once its clock has reached that tick.
struct MidiFile {
    QByteArray bytes;
    int lastTick = 0;

    // The file at `path`, or nothing when it cannot be read or is not a complete Standard MIDI
    // File.
    static std::optional<MidiFile> read(const QString& path);
    // The largest tick at which any track has an event (its end-of-track included), or nothing
    // for data that is not a complete Standard MIDI File.
    static std::optional<int> lastEventTick(const QByteArray& bytes);
};

}  // namespace platform
