#pragma once

#include <vector>

namespace platform {

// The parts of a pad in the standard layout (A is the bottom face button) that the game acts
// on. The four directions stand for the D-pad and the left stick alike.
enum class PadButton { A, B, X, Y, LeftShoulder, RightShoulder, Start, Up, Down, Left, Right };

constexpr int kPadButtons = 11;

constexpr bool isDirection(PadButton button) {
    return button == PadButton::Up || button == PadButton::Down || button == PadButton::Left ||
           button == PadButton::Right;
}

// A button of all the connected pads taken together going down (held on at least one pad) or up
// (held on none).
struct PadChange {
    PadButton button;
    bool down;

    bool operator==(const PadChange&) const = default;
};

// The game's gamepads: any number of them, plugged in and out at any moment, seen as one.
// poll() takes in what they did since the last call; a pad that goes away lets go of everything
// it held. Failures are silent: a device that cannot reach any pad never reports one.
class GamepadDevice {
  public:
    virtual ~GamepadDevice() = default;
    // False when the device can never see a pad (no access to input devices): nobody need ask.
    virtual bool available() const = 0;
    virtual std::vector<PadChange> poll() = 0;
    // Pads connected as of the last poll.
    virtual int connectedPads() const = 0;
};

// No pad at all, as on a machine without access to input devices.
class NoGamepad final : public GamepadDevice {
  public:
    bool available() const override { return false; }
    std::vector<PadChange> poll() override { return {}; }
    int connectedPads() const override { return 0; }
};

}  // namespace platform
