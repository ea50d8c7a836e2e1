#include "smf.h"

#include <algorithm>
#include <cmath>

namespace assetgen::midi {

namespace {

void putVarLen(QByteArray& out, std::uint32_t value) {
    char bytes[5];
    int n = 0;
    bytes[n++] = static_cast<char>(value & 0x7f);
    while ((value >>= 7) != 0) {
        bytes[n++] = static_cast<char>((value & 0x7f) | 0x80);
    }
    while (n > 0) {
        out.append(bytes[--n]);
    }
}

void putU32(QByteArray& out, std::uint32_t v) {
    for (int shift = 24; shift >= 0; shift -= 8) {
        out.append(static_cast<char>((v >> shift) & 0xff));
    }
}

void putU16(QByteArray& out, std::uint32_t v) {
    out.append(static_cast<char>((v >> 8) & 0xff));
    out.append(static_cast<char>(v & 0xff));
}

QByteArray bytes(std::initializer_list<int> values) {
    QByteArray b;
    for (int v : values) {
        b.append(static_cast<char>(v));
    }
    return b;
}

}  // namespace

void Track::add(std::uint32_t tick, int rank, QByteArray data, bool meta) {
    events_.push_back(
        {tick, rank, static_cast<std::uint32_t>(events_.size()), std::move(data), meta});
}

void Track::name(const QByteArray& text) {
    QByteArray b = bytes({0xff, 0x03});
    putVarLen(b, static_cast<std::uint32_t>(text.size()));
    b.append(text);
    add(0, 0, b, true);
}

void Track::tempo(std::uint32_t tick, double bpm) {
    const auto micros = static_cast<std::uint32_t>(std::lround(60000000.0 / bpm));
    add(tick, 0,
        bytes({0xff, 0x51, 0x03, static_cast<int>((micros >> 16) & 0xff),
               static_cast<int>((micros >> 8) & 0xff), static_cast<int>(micros & 0xff)}),
        true);
}

void Track::timeSignature(std::uint32_t tick, int numerator, int denominatorPower) {
    add(tick, 0, bytes({0xff, 0x58, 0x04, numerator, denominatorPower, 24, 8}), true);
}

void Track::program(std::uint32_t tick, int channel, int program) {
    add(tick, 0, bytes({0xc0 | channel, program}), false);
}

void Track::control(std::uint32_t tick, int channel, int controller, int value) {
    add(tick, 0, bytes({0xb0 | channel, controller, value}), false);
}

void Track::note(std::uint32_t tick, std::uint32_t length, int channel, int key, int velocity) {
    add(tick, 2, bytes({0x90 | channel, key, std::clamp(velocity, 1, 127)}), false);
    add(tick + length, 1, bytes({0x90 | channel, key, 0}), false);
}

void Track::end(std::uint32_t tick) {
    endTick_ = tick;
}

QByteArray Track::encode() const {
    std::vector<Event> sorted = events_;
    std::sort(sorted.begin(), sorted.end(), [](const Event& a, const Event& b) {
        if (a.tick != b.tick) {
            return a.tick < b.tick;
        }
        return a.rank != b.rank ? a.rank < b.rank : a.sequence < b.sequence;
    });
    QByteArray data;
    std::uint32_t last = 0;
    int running = -1;
    for (const Event& e : sorted) {
        putVarLen(data, e.tick - last);
        last = e.tick;
        const int status = static_cast<unsigned char>(e.bytes[0]);
        if (e.meta) {
            data.append(e.bytes);
            running = -1;
        } else if (status == running) {
            data.append(e.bytes.mid(1));
        } else {
            data.append(e.bytes);
            running = status;
        }
    }
    putVarLen(data, std::max(endTick_, last) - last);
    data.append(bytes({0xff, 0x2f, 0x00}));
    QByteArray chunk("MTrk");
    putU32(chunk, static_cast<std::uint32_t>(data.size()));
    chunk.append(data);
    return chunk;
}

QByteArray file(const std::vector<Track>& tracks, int ticksPerQuarter) {
    QByteArray out("MThd");
    putU32(out, 6);
    putU16(out, 1);
    putU16(out, static_cast<std::uint32_t>(tracks.size()));
    putU16(out, static_cast<std::uint32_t>(ticksPerQuarter));
    for (const Track& t : tracks) {
        out.append(t.encode());
    }
    return out;
}

}  // namespace assetgen::midi
