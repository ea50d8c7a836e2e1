#pragma once

#include <QByteArray>
#include <algorithm>
#include <cstdint>
#include <map>
#include <stdexcept>
#include <vector>

// A strict reader of Standard MIDI Files for the tests, written from the file format itself and
// independent of the generator's writer. Malformed data throws std::runtime_error: a chunk or a
// track that runs short, a data byte with its top bit set, running status with nothing to run
// on, a track without its end, events after it, a track count that the header does not give.
struct MidiEvent {
    std::uint32_t tick;  // absolute
    int status;          // 0x80..0xEF for channel messages, 0xFF meta, 0xF0/0xF7 sysex
    int data1 = 0;       // the meta type for meta events
    int data2 = 0;
    bool runningStatus = false;
};

struct MidiFileData {
    int format = 0;
    int division = 0;
    std::vector<std::vector<MidiEvent>> tracks;
    std::map<std::uint32_t, std::uint32_t> tempo{{0, 500000}};  // tick → microseconds a quarter

    std::uint32_t lastTick() const {
        std::uint32_t last = 0;
        for (const auto& t : tracks) {
            last = std::max(last, t.back().tick);
        }
        return last;
    }
    // Seconds from the start to `tick`, following every tempo change.
    double seconds(std::uint32_t tick) const {
        double total = 0.0;
        for (auto it = tempo.begin(); it != tempo.end() && it->first < tick; ++it) {
            const auto next = std::next(it);
            const std::uint32_t until = next == tempo.end() ? tick : std::min(tick, next->first);
            total += static_cast<double>(until - it->first) * it->second / 1e6 / division;
        }
        return total;
    }
};

inline MidiFileData readMidi(const QByteArray& bytes) {
    qsizetype pos = 0, end = bytes.size();
    const auto byte = [&]() -> std::uint32_t {
        if (pos >= end) {
            throw std::runtime_error("data runs short");
        }
        return static_cast<unsigned char>(bytes[pos++]);
    };
    const auto number = [&](int n) {
        std::uint32_t v = 0;
        while (n-- > 0) {
            v = v << 8 | byte();
        }
        return v;
    };
    const auto varLen = [&]() {
        std::uint32_t v = 0, c = 0x80;
        for (int i = 0; i < 4 && (c & 0x80); ++i) {
            c = byte();
            v = v << 7 | (c & 0x7f);
        }
        if (c & 0x80) {
            throw std::runtime_error("variable-length number too long");
        }
        return v;
    };
    MidiFileData file;
    pos = 4;
    if (!bytes.startsWith("MThd") || number(4) != 6) {
        throw std::runtime_error("missing MThd header");
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
            throw std::runtime_error("a chunk that is no whole track");
        }
        auto& track = file.tracks.emplace_back();
        std::uint32_t tick = 0;
        int running = -1;
        while (pos < end) {
            if (!track.empty() && track.back().status == 0xff && track.back().data1 == 0x2f) {
                throw std::runtime_error("events after the end of track");
            }
            MidiEvent e{tick += varLen(), static_cast<int>(byte())};
            if (e.status < 0x80) {
                if (running < 0) {
                    throw std::runtime_error("running status without a previous status");
                }
                e = {e.tick, running, e.status, 0, true};
            } else if (e.status < 0xf0) {
                e.data1 = static_cast<int>(byte());
            }
            if (e.status == 0xff) {
                e.data1 = static_cast<int>(byte());
                const std::uint32_t length = varLen(), at = static_cast<std::uint32_t>(pos);
                if (e.data1 == 0x51 && length == 3) {
                    file.tempo[e.tick] = number(3);
                }
                pos = at + length;
            } else if (e.status >= 0xf0) {
                pos += varLen();
            } else if ((e.status & 0xe0) != 0xc0) {
                e.data2 = static_cast<int>(byte());
            }
            if (pos > end || (((e.data1 | e.data2) & 0x80) && e.status != 0xff)) {
                throw std::runtime_error("a bad data byte or a length past the track");
            }
            running = e.status < 0xf0 ? e.status : -1;
            track.push_back(e);
        }
        if (track.empty() || track.back().status != 0xff || track.back().data1 != 0x2f) {
            throw std::runtime_error("track without an end-of-track event");
        }
    }
    if (file.tracks.size() != count) {
        throw std::runtime_error("track count does not match the header");
    }
    return file;
}
