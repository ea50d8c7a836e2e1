#pragma once

#include <string>

namespace platform {

// Tells the player about the error that ends the game.
class FatalReporter {
  public:
    virtual ~FatalReporter() = default;
    virtual void report(const std::string& message) = 0;
};

// Writes the message to stderr and shows it in a message box.
class MessageBoxReporter final : public FatalReporter {
  public:
    void report(const std::string& message) override;
};

}  // namespace platform
