// Any bytes as the theme file: reading the last event's tick either gives a tick or says the
// bytes are no complete Standard MIDI File; it never reads past them, loops or overflows. The
// same bytes merged into one track read back as a complete file that ends at the same tick.
#include <QByteArray>
#include <cstddef>
#include <cstdint>
#include <cstdlib>

#include "platform/audio/midi_file.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    // An exact copy, so that a read past the end is caught.
    const QByteArray bytes(reinterpret_cast<const char*>(data), static_cast<qsizetype>(size));
    const auto last = platform::MidiFile::lastEventTick(bytes);
    if (last && *last < 0) {
        std::abort();  // ticks only go forwards from 0
    }
    const auto merged = platform::MidiFile::singleTrack(bytes);
    if (merged.has_value() != last.has_value() ||
        (merged && platform::MidiFile::lastEventTick(*merged) != last)) {
        std::abort();  // the merged track is the same tune
    }
    return 0;
}
