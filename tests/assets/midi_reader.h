#pragma once

#include <QByteArray>
#include <algorithm>
#include <cstdint>
#include <stdexcept>
#include <vector>

// A strict reader of the Standard MIDI Files the generator writes, for the tests, written from
// the file format itself and independent of the generator's writer. It throws
// std::runtime_error for what the game's player should never be given: a chunk or an event that
// runs short, a data byte with its top bit set, running status with nothing to run on, a track
// without its end or with events after it, a track count that the header does not give, and
// (which the generator does not write) system-exclusive events or a change of tempo.
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
    std::vector<std::vector<MidiEvent>> tracks;

    std::uint32_t lastTick() const {
        std::uint32_t last = 0;
        for (const auto& t : tracks) {
            last = std::max(last, t.back().tick);
        }
        return last;
    }
    double seconds(std::uint32_t tick) const { return tick * quarterSeconds / division; }
};

inline MidiFileData readMidi(const QByteArray& bytes) {
    qsizetype pos = 0, end = bytes.size();
    const auto fail = [](const char* what) { throw std::runtime_error(what); };
    const auto number = [&](int n) {
        std::uint32_t v = 0;
        for (; n > 0; --n, ++pos) {
            if (pos >= end) {
                fail("data runs short");
            }
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
        if (c & 0x80) {
            fail("variable-length number too long");
        }
        return v;
    };
    MidiFileData file;
    pos = 4;
    if (!bytes.startsWith("MThd") || number(4) != 6) {
        fail("missing MThd header");
    }
    file.format = static_cast<int>(number(2));
    const std::uint32_t count = number(2);
    file.division = static_cast<int>(number(2));
    while (pos < bytes.size()) {
        const QByteArray id = bytes.mid(pos, 4);
        pos += 4;
        end = bytes.size();
        const std::uint32_t length = number(4);
        end = pos + length;
        if (end > bytes.size() || id != "MTrk") {
            fail("a chunk that is no whole track");
        }
        auto& track = file.tracks.emplace_back();
        std::uint32_t tick = 0;
        int running = -1;
        while (pos < end) {
            if (!track.empty() && track.back().status == 0xff && track.back().data1 == 0x2f) {
                fail("events after the end of track");
            }
            MidiEvent e{tick += varLen(), static_cast<int>(number(1))};
            if (e.status < 0x80 && running < 0) {
                fail("running status without a previous status");
            } else if (e.status < 0x80) {
                e = {e.tick, running, e.status, 0, true};
            } else if (e.status != 0xff && e.status >= 0xf0) {
                fail("system-exclusive events are not expected");
            } else {
                e.data1 = static_cast<int>(number(1));
            }
            if (e.status == 0xff) {
                const std::uint32_t length = varLen(), at = static_cast<std::uint32_t>(pos);
                if (e.data1 == 0x51 && (e.tick != 0 || length != 3)) {
                    fail("a change of tempo");
                }
                if (e.data1 == 0x51) {
                    file.quarterSeconds = number(3) / 1e6;
                }
                pos = at + length;
            } else if ((e.status & 0xe0) != 0xc0) {
                e.data2 = static_cast<int>(number(1));
            }
            if (pos > end || (((e.data1 | e.data2) & 0x80) && e.status != 0xff)) {
                fail("a bad data byte or a length past the track");
            }
            running = e.status < 0xf0 ? e.status : -1;
            track.push_back(e);
        }
        if (track.empty() || track.back().status != 0xff || track.back().data1 != 0x2f) {
            fail("track without an end-of-track event");
        }
    }
    if (file.tracks.size() != count) {
        fail("track count does not match the header");
    }
    return file;
}
