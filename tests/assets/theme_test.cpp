// The theme tune: a valid Standard MIDI File of the right length on several instruments.
#include <gtest/gtest.h>

#include <QFile>
#include <map>
#include <set>

#include "asset_paths.h"
#include "midi_reader.h"

namespace {

MidiFileData theme() {
    QFile file(assetPath(QStringLiteral("Music/Theme.mid")));
    if (!file.open(QIODevice::ReadOnly)) {
        throw std::runtime_error("cannot open Theme.mid");
    }
    return readMidi(file.readAll());
}

TEST(Theme, ParsesAsFormatOneWithEveryTrackClosed) {
    const MidiFileData midi = theme();
    EXPECT_EQ(midi.format, 1);
    EXPECT_GE(midi.tracks.size(), 4u);
    EXPECT_GT(midi.division, 0);
    bool running = false;
    for (const MidiTrackData& t : midi.tracks) {
        ASSERT_FALSE(t.events.empty());
        EXPECT_EQ(t.events.back().status, 0xff);
        EXPECT_EQ(t.events.back().metaType, 0x2f);
        for (const MidiEvent& e : t.events) {
            running = running || e.runningStatus;
        }
    }
    EXPECT_TRUE(running) << "the reader handled no running status";
}

TEST(Theme, LastsBetweenOneAndTwoMinutesAndEndsOnABarLine) {
    const MidiFileData midi = theme();
    const double seconds = midi.seconds(midi.lastTick());
    EXPECT_GE(seconds, 60.0);
    EXPECT_LE(seconds, 120.0);
    EXPECT_EQ(midi.lastTick() % static_cast<std::uint32_t>(4 * midi.division), 0u)
        << "a loop must end on a bar line";
}

TEST(Theme, SeveralInstrumentsWithMatchedNotes) {
    const MidiFileData midi = theme();
    std::set<int> channels;
    std::set<int> programmed;
    std::map<std::pair<int, int>, int> sounding;
    int notes = 0;
    for (const MidiTrackData& t : midi.tracks) {
        for (const MidiEvent& e : t.events) {
            const int kind = e.status & 0xf0, ch = e.status & 0x0f;
            if (e.status >= 0xf0) {
                continue;
            }
            if (kind == 0xc0) {
                programmed.insert(ch);
            }
            if (kind == 0x90 && e.data2 > 0) {
                channels.insert(ch);
                ++sounding[std::make_pair(ch, e.data1)];
                ++notes;
            } else if (kind == 0x80 || (kind == 0x90 && e.data2 == 0)) {
                int& count = sounding[std::make_pair(ch, e.data1)];
                EXPECT_GT(count, 0) << "note-off without a note-on";
                --count;
            }
        }
    }
    EXPECT_GE(channels.size(), 3u);
    EXPECT_GT(notes, 400);
    for (int ch : channels) {
        if (ch != 9) {
            EXPECT_TRUE(programmed.count(ch)) << "channel " << ch << " has no instrument";
        }
    }
    for (const auto& [key, count] : sounding) {
        EXPECT_EQ(count, 0) << "note " << key.second << " on channel " << key.first
                            << " never ends";
    }
}

}  // namespace
