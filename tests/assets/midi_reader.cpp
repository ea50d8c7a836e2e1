#include "midi_reader.h"

#include <algorithm>
#include <map>

namespace {

class Cursor {
  public:
    Cursor(const QByteArray& b, qsizetype pos, qsizetype end) : b_(b), pos_(pos), end_(end) {}
    bool atEnd() const { return pos_ >= end_; }
    int byte() {
        if (pos_ >= end_) {
            throw std::runtime_error("unexpected end of data");
        }
        return static_cast<unsigned char>(b_[pos_++]);
    }
    int peek() const {
        if (pos_ >= end_) {
            throw std::runtime_error("unexpected end of data");
        }
        return static_cast<unsigned char>(b_[pos_]);
    }
    std::uint32_t varLen() {
        std::uint32_t v = 0;
        for (int i = 0; i < 4; ++i) {
            const int c = byte();
            v = (v << 7) | static_cast<std::uint32_t>(c & 0x7f);
            if ((c & 0x80) == 0) {
                return v;
            }
        }
        throw std::runtime_error("variable-length number too long");
    }
    QByteArray take(std::uint32_t n) {
        if (pos_ + n > end_) {
            throw std::runtime_error("data runs past its chunk");
        }
        QByteArray out = b_.mid(pos_, n);
        pos_ += n;
        return out;
    }

  private:
    const QByteArray& b_;
    qsizetype pos_;
    qsizetype end_;
};

std::uint32_t bigEndian(const QByteArray& b, qsizetype at, int n) {
    std::uint32_t v = 0;
    for (int i = 0; i < n; ++i) {
        v = (v << 8) | static_cast<unsigned char>(b[at + i]);
    }
    return v;
}

MidiTrackData readTrack(const QByteArray& bytes, qsizetype begin, qsizetype end) {
    MidiTrackData track;
    Cursor c(bytes, begin, end);
    std::uint32_t tick = 0;
    int running = -1;
    bool ended = false;
    while (!c.atEnd()) {
        if (ended) {
            throw std::runtime_error("events after the end of track");
        }
        tick += c.varLen();
        MidiEvent e;
        e.tick = tick;
        int status = c.peek();
        if (status & 0x80) {
            c.byte();
        } else {
            if (running < 0) {
                throw std::runtime_error("running status without a previous status");
            }
            status = running;
            e.runningStatus = true;
        }
        e.status = status;
        if (status == 0xff) {
            e.metaType = c.byte();
            e.payload = c.take(c.varLen());
            running = -1;
            ended = e.metaType == 0x2f;
        } else if (status == 0xf0 || status == 0xf7) {
            e.payload = c.take(c.varLen());
            running = -1;
        } else {
            const int kind = status & 0xf0;
            e.data1 = c.byte();
            if (kind != 0xc0 && kind != 0xd0) {
                e.data2 = c.byte();
            }
            if ((e.data1 | e.data2) & 0x80) {
                throw std::runtime_error("data byte with the top bit set");
            }
            running = status;
        }
        track.events.push_back(e);
    }
    if (!ended) {
        throw std::runtime_error("track without an end-of-track event");
    }
    return track;
}

}  // namespace

MidiFileData readMidi(const QByteArray& bytes) {
    if (bytes.size() < 14 || !bytes.startsWith("MThd") || bigEndian(bytes, 4, 4) != 6) {
        throw std::runtime_error("missing MThd header");
    }
    MidiFileData file;
    file.format = static_cast<int>(bigEndian(bytes, 8, 2));
    const int count = static_cast<int>(bigEndian(bytes, 10, 2));
    file.division = static_cast<int>(bigEndian(bytes, 12, 2));
    if (file.division & 0x8000) {
        throw std::runtime_error("SMPTE timing is not expected");
    }
    qsizetype pos = 14;
    while (pos + 8 <= bytes.size()) {
        const QByteArray id = bytes.mid(pos, 4);
        const std::uint32_t len = bigEndian(bytes, pos + 4, 4);
        if (pos + 8 + len > static_cast<std::uint32_t>(bytes.size())) {
            throw std::runtime_error("chunk runs past the end of the file");
        }
        if (id == "MTrk") {
            file.tracks.push_back(readTrack(bytes, pos + 8, pos + 8 + len));
        }
        pos += 8 + len;
    }
    if (pos != bytes.size() || static_cast<int>(file.tracks.size()) != count) {
        throw std::runtime_error("track count does not match the header");
    }
    return file;
}

double MidiFileData::seconds(std::uint32_t tick) const {
    std::map<std::uint32_t, std::uint32_t> tempo{{0, 500000}};
    for (const MidiTrackData& t : tracks) {
        for (const MidiEvent& e : t.events) {
            if (e.status == 0xff && e.metaType == 0x51 && e.payload.size() == 3) {
                tempo[e.tick] =
                    static_cast<std::uint32_t>(static_cast<unsigned char>(e.payload[0]) << 16 |
                                               static_cast<unsigned char>(e.payload[1]) << 8 |
                                               static_cast<unsigned char>(e.payload[2]));
            }
        }
    }
    double total = 0.0;
    for (auto it = tempo.begin(); it != tempo.end() && it->first < tick; ++it) {
        const auto next = std::next(it);
        const std::uint32_t until = next == tempo.end() ? tick : std::min(tick, next->first);
        total += static_cast<double>(until - it->first) * it->second / 1e6 / division;
    }
    return total;
}

std::uint32_t MidiFileData::lastTick() const {
    std::uint32_t last = 0;
    for (const MidiTrackData& t : tracks) {
        if (!t.events.empty()) {
            last = std::max(last, t.events.back().tick);
        }
    }
    return last;
}
