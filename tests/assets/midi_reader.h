#pragma once

#include <QByteArray>
#include <cstdint>
#include <stdexcept>
#include <vector>

// A small reader of Standard MIDI Files for the tests, written from the file format itself and
// independent of the generator's writer.
struct MidiEvent {
    std::uint32_t tick;  // absolute
    int status;          // 0x80..0xEF for channel messages, 0xFF meta, 0xF0/0xF7 sysex
    int metaType = -1;
    int data1 = 0;
    int data2 = 0;
    QByteArray payload;  // meta and sysex data
    bool runningStatus = false;
};

struct MidiTrackData {
    std::vector<MidiEvent> events;
};

struct MidiFileData {
    int format = 0;
    int division = 0;
    std::vector<MidiTrackData> tracks;

    // Seconds from the start to `tick`, following every tempo change in the file.
    double seconds(std::uint32_t tick) const;
    std::uint32_t lastTick() const;
};

// Throws std::runtime_error on malformed data.
MidiFileData readMidi(const QByteArray& bytes);
