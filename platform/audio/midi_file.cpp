#include "platform/audio/midi_file.h"

#include <QFile>
#include <QFileInfo>
#include <algorithm>
#include <cstdint>
#include <limits>
#include <vector>

namespace platform {
namespace {

// Reads big-endian numbers and variable-length quantities, refusing to run past the end.
class Reader {
  public:
    Reader(const QByteArray& data, qsizetype begin, qsizetype end)
        : data_(data), pos_(begin), end_(end) {}

    bool atEnd() const { return pos_ >= end_; }
    qsizetype position() const { return pos_; }
    qsizetype remaining() const { return end_ - pos_; }

    bool byte(std::uint8_t& out) {
        if (pos_ >= end_) {
            return false;
        }
        out = static_cast<std::uint8_t>(data_[pos_++]);
        return true;
    }
    bool number(int bytes, std::uint32_t& out) {
        out = 0;
        for (int i = 0; i < bytes; ++i) {
            std::uint8_t b = 0;
            if (!byte(b)) {
                return false;
            }
            out = (out << 8) | b;
        }
        return true;
    }
    // At most four bytes, as the file format allows.
    bool quantity(std::uint32_t& out) {
        out = 0;
        for (int i = 0; i < 4; ++i) {
            std::uint8_t b = 0;
            if (!byte(b)) {
                return false;
            }
            out = (out << 7) | (b & 0x7Fu);
            if ((b & 0x80u) == 0) {
                return true;
            }
        }
        return false;
    }
    bool skip(std::uint32_t count) {
        if (count > static_cast<std::uint64_t>(remaining())) {
            return false;
        }
        pos_ += static_cast<qsizetype>(count);
        return true;
    }
    bool tag(const char (&name)[5]) {
        if (remaining() < 4 || data_.mid(pos_, 4) != QByteArray(name, 4)) {
            return false;
        }
        pos_ += 4;
        return true;
    }

  private:
    const QByteArray& data_;
    qsizetype pos_;
    qsizetype end_;
};

// One event of a track: its time, and where its bytes are in the file. An event written with
// running status has its status byte apart, as the file leaves it out.
struct Event {
    std::int64_t tick = 0;
    qsizetype begin = 0;
    qsizetype end = 0;
    std::uint8_t impliedStatus = 0;  // 0 when the event's own bytes begin with its status
};

// Walks a track's events up to its end-of-track event (left out), or nothing for a malformed
// track. `events` may be null when only the length is wanted.
std::optional<std::int64_t> readTrack(Reader track, std::vector<Event>* events) {
    std::int64_t tick = 0;
    std::uint8_t running = 0;
    while (!track.atEnd()) {
        std::uint32_t delta = 0;
        std::uint8_t status = 0;
        if (!track.quantity(delta)) {
            return std::nullopt;
        }
        tick += delta;
        Event event{tick, track.position(), 0, 0};
        if (!track.byte(status)) {
            return std::nullopt;
        }
        bool haveFirstData = false;
        if (status < 0x80) {
            // Running status: the byte read is the first data byte of a repeated message.
            if (running == 0) {
                return std::nullopt;
            }
            haveFirstData = true;
            status = running;
            event.impliedStatus = running;
        }
        std::uint32_t length = 0;
        if (status == 0xFF) {
            std::uint8_t type = 0;
            if (!track.byte(type) || !track.quantity(length) || !track.skip(length)) {
                return std::nullopt;
            }
            if (type == 0x2F) {
                return tick;  // end of track
            }
        } else if (status == 0xF0 || status == 0xF7) {
            running = 0;
            if (!track.quantity(length) || !track.skip(length)) {
                return std::nullopt;
            }
        } else if (status >= 0xF0) {
            return std::nullopt;  // no other system message belongs in a file
        } else {
            running = status;
            const std::uint32_t kind = status & 0xF0u;
            const std::uint32_t dataBytes = (kind == 0xC0 || kind == 0xD0) ? 1 : 2;
            if (!track.skip(dataBytes - (haveFirstData ? 1 : 0))) {
                return std::nullopt;
            }
        }
        if (events != nullptr) {
            event.end = track.position();
            events->push_back(event);
        }
    }
    return tick;  // a track without its end-of-track event still ends with its last event
}

struct Parsed {
    std::uint32_t division = 0;
    std::int64_t lastTick = 0;
};

// Reads the header and every track, or nothing for data that is not a complete Standard MIDI
// File. With `events`, collects every track's events, track after track.
std::optional<Parsed> parse(const QByteArray& bytes, std::vector<Event>* events) {
    Reader file(bytes, 0, bytes.size());
    std::uint32_t headerLength = 0;
    std::uint32_t format = 0;
    std::uint32_t trackCount = 0;
    Parsed parsed;
    if (!file.tag("MThd") || !file.number(4, headerLength) || headerLength < 6 ||
        !file.number(2, format) || !file.number(2, trackCount) ||
        !file.number(2, parsed.division) || !file.skip(headerLength - 6) || format > 2 ||
        trackCount == 0 || parsed.division == 0) {
        return std::nullopt;
    }
    std::uint32_t tracks = 0;
    while (tracks < trackCount && file.remaining() >= 8) {
        const bool isTrack = file.tag("MTrk");
        if (!isTrack) {
            file.skip(4);  // a chunk of another kind: passed over
        }
        std::uint32_t length = 0;
        file.number(4, length);
        if (length > static_cast<std::uint64_t>(file.remaining())) {
            return std::nullopt;
        }
        if (isTrack) {
            const auto end = readTrack(
                Reader(bytes, file.position(), file.position() + static_cast<qsizetype>(length)),
                events);
            if (!end) {
                return std::nullopt;
            }
            parsed.lastTick = std::max(parsed.lastTick, *end);
            ++tracks;
        }
        file.skip(length);
    }
    if (tracks != trackCount || parsed.lastTick > std::numeric_limits<int>::max()) {
        return std::nullopt;
    }
    return parsed;
}

void appendNumber(QByteArray& out, std::uint32_t value, int bytes) {
    for (int i = bytes - 1; i >= 0; --i) {
        out.append(static_cast<char>((value >> (8 * i)) & 0xFFu));
    }
}

void appendQuantity(QByteArray& out, std::uint32_t value) {
    char bytes[5];
    int count = 0;
    do {
        bytes[count++] = static_cast<char>(value & 0x7Fu);
        value >>= 7;
    } while (value != 0);
    while (count > 1) {
        out.append(static_cast<char>(bytes[--count] | 0x80));
    }
    out.append(bytes[0]);
}

}  // namespace

std::optional<int> MidiFile::lastEventTick(const QByteArray& bytes) {
    const std::optional<Parsed> parsed = parse(bytes, nullptr);
    if (!parsed) {
        return std::nullopt;
    }
    return static_cast<int>(parsed->lastTick);
}

std::optional<QByteArray> MidiFile::singleTrack(const QByteArray& bytes) {
    std::vector<Event> events;
    const std::optional<Parsed> parsed = parse(bytes, &events);
    if (!parsed) {
        return std::nullopt;
    }
    // The tracks' events were collected track after track: a stable sort by time keeps, among
    // events at one time, the earlier track's first and each track's own order.
    std::stable_sort(events.begin(), events.end(),
                     [](const Event& a, const Event& b) { return a.tick < b.tick; });
    QByteArray track;
    track.reserve(bytes.size() + static_cast<qsizetype>(events.size()) + 4);
    std::int64_t tick = 0;
    for (const Event& event : events) {
        appendQuantity(track, static_cast<std::uint32_t>(event.tick - tick));
        tick = event.tick;
        if (event.impliedStatus != 0) {
            track.append(static_cast<char>(event.impliedStatus));
        }
        track.append(bytes.constData() + event.begin, event.end - event.begin);
    }
    appendQuantity(track, static_cast<std::uint32_t>(parsed->lastTick - tick));
    track.append("\xFF\x2F\x00", 3);
    QByteArray out("MThd", 4);
    appendNumber(out, 6, 4);
    appendNumber(out, 0, 2);  // format 0: one track
    appendNumber(out, 1, 2);
    appendNumber(out, parsed->division, 2);
    out.append("MTrk", 4);
    appendNumber(out, static_cast<std::uint32_t>(track.size()), 4);
    out.append(track);
    return out;
}

std::optional<MidiFile> MidiFile::read(const QString& path) {
    // Tunes are kilobytes; anything that is not a plain file of a sane size (a folder, a pipe,
    // a device, a file of gigabytes) is no tune, and is refused without reading it.
    constexpr qint64 kLargestTune = 16 * 1024 * 1024;
    const QFileInfo info(path);
    QFile file(path);
    if (!info.isFile() || info.size() > kLargestTune || !file.open(QIODevice::ReadOnly)) {
        return std::nullopt;
    }
    const QByteArray bytes = file.readAll();
    const auto last = lastEventTick(bytes);
    auto merged = singleTrack(bytes);
    if (!last || !merged) {
        return std::nullopt;
    }
    MidiFile midi;
    midi.bytes = std::move(*merged);
    midi.lastTick = *last;
    return midi;
}

}  // namespace platform
