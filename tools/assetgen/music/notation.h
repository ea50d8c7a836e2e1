#pragma once

#include <QString>
#include <cstdint>
#include <vector>

namespace assetgen::music {

constexpr std::uint32_t kQuarter = 480;
constexpr std::uint32_t kBar = 4 * kQuarter;

struct Note {
    std::uint32_t start;   // ticks from the beginning of the phrase
    std::uint32_t length;  // ticks
    int key;               // MIDI key number, or -1 for a rest
};

// Reads a phrase written as space-separated notes such as "G4:e C5:e E5:h r:q Bb4:q.".
// Lengths: w whole, h half, q quarter, e eighth, s sixteenth; a trailing dot adds half.
// A lone "|" marks a bar line and is skipped.
// Throws std::invalid_argument on a malformed note.
std::vector<Note> phrase(const QString& text);

// MIDI key of a note name such as "C4" (60), "F#3" or "Bb4".
int keyOf(const QString& name);

std::uint32_t lengthOf(const std::vector<Note>& notes);

// A chord symbol such as "C", "Am", "G/B", "Bb" or "G7".
struct Chord {
    int root;                // pitch class, C = 0
    std::vector<int> tones;  // pitch classes of the chord
    int bass;                // pitch class of the lowest note
};
Chord chordOf(const QString& symbol);

}  // namespace assetgen::music
