// The title's theme, as the generator writes it: a Standard MIDI File that loops cleanly.
#include <gtest/gtest.h>

#include <QFile>
#include <algorithm>
#include <cstdint>
#include <map>
#include <set>
#include <stdexcept>
#include <vector>

#include "asset_paths.h"

namespace {

// A strict reader written from the format, not from the writer: it throws std::runtime_error for
// anything short, malformed, or beyond what the generator writes (system exclusive, tempo changes).
struct MidiEvent {
    std::uint32_t tick;  // absolute
    int status;          // 0x80..0xEF for channel messages, 0xFF meta
    int data1 = 0;       // the meta type for meta events
    int data2 = 0;
    bool runningStatus = false;
};

struct MidiFileData {
    int format = 0;
    int division = 0;
    double quarterSeconds = 0.5;  // the tempo
    std::uint32_t lastTick = 0;   // of the longest track
    std::vector<std::vector<MidiEvent>> tracks;

    double seconds(std::uint32_t tick) const { return tick * quarterSeconds / division; }
};

MidiFileData readMidi(const QByteArray& bytes) {
    qsizetype pos = 4;
    const auto require = [](bool ok, const char* what) {
        if (!ok) {
            throw std::runtime_error(what);
        }
    };
    const auto number = [&](int n) {
        std::uint32_t v = 0;
        for (; n > 0; --n, ++pos) {
            require(pos < bytes.size(), "data runs short");
            v = v << 8 | static_cast<unsigned char>(bytes[pos]);
        }
        return v;
    };
    const auto varLen = [&]() {
        std::uint32_t v = 0, c = 0x80;
        for (int i = 0; i < 4 && (c & 0x80); ++i) {
            c = number(1);
            v = v << 7 | (c & 0x7f);
        }
        require(!(c & 0x80), "variable-length number too long");
        return v;
    };
    const auto ended = [](const std::vector<MidiEvent>& track) {
        return !track.empty() && track.back().status == 0xff && track.back().data1 == 0x2f;
    };
    MidiFileData file;
    require(bytes.startsWith("MThd") && number(4) == 6, "missing MThd header");
    file.format = static_cast<int>(number(2));
    const std::uint32_t count = number(2);
    file.division = static_cast<int>(number(2));
    while (pos < bytes.size()) {
        const QByteArray id = bytes.mid(pos, 4);
        pos += 4;
        const std::uint32_t length = number(4);
        const qsizetype end = pos + length;
        require(end <= bytes.size() && id == "MTrk", "a chunk that is no whole track");
        auto& track = file.tracks.emplace_back();
        std::uint32_t tick = 0;
        int running = -1;
        while (pos < end) {
            require(!ended(track), "events after the end of track");
            MidiEvent e{tick += varLen(), static_cast<int>(number(1))};
            require(e.status >= 0x80 || running >= 0, "running status without a previous status");
            require(e.status == 0xff || e.status < 0xf0,
                    "system-exclusive events are not expected");
            if (e.status < 0x80) {
                e = {e.tick, running, e.status, 0, true};
            } else {
                e.data1 = static_cast<int>(number(1));
            }
            if (e.status == 0xff) {
                const std::uint32_t length = varLen(), at = static_cast<std::uint32_t>(pos);
                if (e.data1 == 0x51) {
                    require(e.tick == 0 && length == 3, "a change of tempo");
                    file.quarterSeconds = number(3) / 1e6;
                }
                pos = at + length;
            } else if ((e.status & 0xe0) != 0xc0) {
                e.data2 = static_cast<int>(number(1));
            }
            const bool badData = ((e.data1 | e.data2) & 0x80) && e.status != 0xff;
            require(pos <= end && !badData, "a bad data byte or a length past the track");
            running = e.status < 0xf0 ? e.status : -1;
            track.push_back(e);
        }
        require(ended(track), "track without an end-of-track event");
        file.lastTick = std::max(file.lastTick, tick);
    }
    require(file.tracks.size() == count, "track count does not match the header");
    return file;
}

TEST(Theme, FormatOneOfOneToTwoMinutesOnABarLineWithSeveralInstrumentsAndEveryNoteEnded) {
    QFile file(assetPath(QStringLiteral("Music/Theme.mid")));
    ASSERT_TRUE(file.open(QIODevice::ReadOnly));
    const MidiFileData midi = readMidi(file.readAll());
    EXPECT_EQ(midi.format, 1);
    EXPECT_GE(midi.tracks.size(), 4u);
    const double seconds = midi.seconds(midi.lastTick);
    EXPECT_GE(seconds, 60.0);
    EXPECT_LE(seconds, 120.0);
    // The title plays the tune again from its start: a loop must end on a bar line.
    EXPECT_EQ(midi.lastTick % static_cast<std::uint32_t>(4 * midi.division), 0u);
    std::set<int> channels, programmed;
    std::map<std::pair<int, int>, int> sounding;
    int notes = 0;
    bool running = false;
    for (const auto& track : midi.tracks) {
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
