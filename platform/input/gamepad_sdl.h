#pragma once

#include <memory>

#include "platform/input/gamepad.h"

namespace platform {

// The pads SDL knows: its game-controller layer with its built-in mapping database, and only
// that (no SDL video, no SDL signal handlers). Any pad SDL can map counts; one that cannot be
// opened is left out. If SDL cannot start, the device stays unavailable, without a word.
//
// The left stick counts as a direction once it leans past a dead zone, towards the axis it
// leans furthest along.
class SdlGamepad final : public GamepadDevice {
  public:
    // How far (of 32767) the stick must lean before it counts as a direction.
    static constexpr int kStickDeadZone = 12000;

    SdlGamepad();
    ~SdlGamepad() override;
    SdlGamepad(const SdlGamepad&) = delete;
    SdlGamepad& operator=(const SdlGamepad&) = delete;

    bool available() const override;
    std::vector<PadChange> poll() override;
    int connectedPads() const override;

  private:
    class Impl;
    std::unique_ptr<Impl> impl_;
};

}  // namespace platform
