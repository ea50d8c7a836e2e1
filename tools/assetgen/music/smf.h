#pragma once

#include <QByteArray>
#include <cstdint>
#include <vector>

namespace assetgen::midi {

// One track of a Standard MIDI File, built from timed events and encoded with running status.
class Track {
  public:
    void name(const QByteArray& text);
    void tempo(std::uint32_t tick, double bpm);
    void timeSignature(std::uint32_t tick, int numerator, int denominatorPower);
    void program(std::uint32_t tick, int channel, int program);
    void control(std::uint32_t tick, int channel, int controller, int value);
    // A note from `tick` lasting `length` ticks. Note-offs are written as note-ons of velocity 0.
    void note(std::uint32_t tick, std::uint32_t length, int channel, int key, int velocity);
    // Closes the track at `tick`, which must not be before any other event.
    void end(std::uint32_t tick);

    QByteArray encode() const;

  private:
    struct Event {
        std::uint32_t tick;
        int rank;  // at equal ticks: set-up first, then note-offs, then note-ons
        std::uint32_t sequence;
        QByteArray bytes;  // status byte first
        bool meta;
    };
    void add(std::uint32_t tick, int rank, QByteArray bytes, bool meta);

    std::vector<Event> events_;
    std::uint32_t endTick_ = 0;
};

// A format-1 file: the first track carries the tempo map, the others the parts.
QByteArray file(const std::vector<Track>& tracks, int ticksPerQuarter);

}  // namespace assetgen::midi
