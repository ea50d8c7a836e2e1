#include "platform/midi_file.h"

#include <QFile>
#include <QFileInfo>
#include <cstdint>
#include <limits>

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

// The tick of the track's last event, or nothing for a malformed track.
std::optional<std::int64_t> trackLength(Reader track) {
    std::int64_t tick = 0;
    std::uint8_t running = 0;
    while (!track.atEnd()) {
        std::uint32_t delta = 0;
        std::uint8_t status = 0;
        if (!track.quantity(delta) || !track.byte(status)) {
            return std::nullopt;
        }
        tick += delta;
        bool haveFirstData = false;
        if (status < 0x80) {
            // Running status: the byte read is the first data byte of a repeated message.
            if (running == 0) {
                return std::nullopt;
            }
            haveFirstData = true;
            status = running;
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
    }
    return tick;  // a track without its end-of-track event still ends with its last event
}

}  // namespace

std::optional<int> MidiFile::lastEventTick(const QByteArray& bytes) {
    Reader file(bytes, 0, bytes.size());
    std::uint32_t headerLength = 0;
    std::uint32_t format = 0;
    std::uint32_t trackCount = 0;
    std::uint32_t division = 0;
    if (!file.tag("MThd") || !file.number(4, headerLength) || headerLength < 6 ||
        !file.number(2, format) || !file.number(2, trackCount) || !file.number(2, division) ||
        !file.skip(headerLength - 6) || format > 2 || trackCount == 0 || division == 0) {
        return std::nullopt;
    }
    std::int64_t last = 0;
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
            const auto end = trackLength(
                Reader(bytes, file.position(), file.position() + static_cast<qsizetype>(length)));
            if (!end) {
                return std::nullopt;
            }
            last = std::max(last, *end);
            ++tracks;
        }
        file.skip(length);
    }
    if (tracks != trackCount || last > std::numeric_limits<int>::max()) {
        return std::nullopt;
    }
    return static_cast<int>(last);
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
    MidiFile midi;
    midi.bytes = file.readAll();
    const auto last = lastEventTick(midi.bytes);
    if (!last) {
        return std::nullopt;
    }
    midi.lastTick = *last;
    return midi;
}

}  // namespace platform
