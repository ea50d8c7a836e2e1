// The title's theme tune: a Standard MIDI File that loops cleanly, on several instruments.
#include <gtest/gtest.h>

#include <QFile>
#include <set>

#include "asset_paths.h"
#include "midi_reader.h"

namespace {

MidiFileData theme() {
    QFile file(assetPath(QStringLiteral("Music/Theme.mid")));
    EXPECT_TRUE(file.open(QIODevice::ReadOnly));
    return readMidi(file.readAll());  // every track closed, or it throws
}

TEST(Theme, FormatOneOfOneToTwoMinutesEndingOnABarLine) {
    const MidiFileData midi = theme();
    EXPECT_EQ(midi.format, 1);
    EXPECT_GE(midi.tracks.size(), 4u);
    const double seconds = midi.seconds(midi.lastTick());
    EXPECT_GE(seconds, 60.0);
    EXPECT_LE(seconds, 120.0);
    // The title plays the tune again from its start: a loop must end on a bar line.
    EXPECT_EQ(midi.lastTick() % static_cast<std::uint32_t>(4 * midi.division), 0u);
}

TEST(Theme, SeveralInstrumentsWithEveryNoteEnded) {
    std::set<int> channels, programmed;
    std::map<std::pair<int, int>, int> sounding;
    int notes = 0;
    bool running = false;
    for (const auto& track : theme().tracks) {
        for (const MidiEvent& e : track) {
            const int kind = e.status & 0xf0, ch = e.status & 0x0f;
            int& count = sounding[std::make_pair(ch, e.data1)];
            running = running || e.runningStatus;
            if (kind == 0xc0) {
                programmed.insert(ch);
            } else if (kind == 0x90 && e.data2 > 0) {
                channels.insert(ch);
                ++notes;
                // Struck again while it sounds, a note would be cut short by its own end.
                EXPECT_EQ(count++, 0) << "key " << e.data1 << " struck again at " << e.tick;
            } else if (kind == 0x80 || kind == 0x90) {
                EXPECT_EQ(count--, 1) << "note-off without a note-on";
            }
        }
    }
    EXPECT_TRUE(running) << "the tune is written with running status, as the player must read";
    EXPECT_GE(channels.size(), 3u);
    EXPECT_GT(notes, 400);
    for (int ch : channels) {
        EXPECT_TRUE(ch == 9 || programmed.count(ch)) << "channel " << ch << " has no instrument";
    }
    for (const auto& [key, count] : sounding) {
        EXPECT_EQ(count, 0) << "note " << key.second << " on channel " << key.first
                            << " never ends";
    }
}

}  // namespace
