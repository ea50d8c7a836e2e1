#pragma once

#include <string>

namespace platform {

// A device driven by text commands, one reply text per command ("status backplay mode"
// answers "playing" while the tune plays). Failures are silent: a command that cannot be
// carried out answers an empty text.
class CommandDevice {
  public:
    virtual ~CommandDevice() = default;
    virtual std::string send(const std::string& command) = 0;
};

// A device with nothing behind it: like one that cannot be opened, it answers every command
// with an empty reply.
class SilentDevice final : public CommandDevice {
  public:
    std::string send(const std::string& /*command*/) override { return {}; }
};

}  // namespace platform
