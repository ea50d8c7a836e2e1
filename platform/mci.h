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

}  // namespace platform
