#pragma once

#include <stdexcept>
#include <string>

namespace platform {

// A run-time error ends the game: nothing in the screens catches it. The outermost event
// dispatch hands it to the fatal-error reporter (a message box in the game, an exception in
// tests).
class RuntimeError : public std::runtime_error {
  public:
    enum class Kind { Overflow, SubscriptOutOfRange, DivisionByZero, FileNotFound, InvalidPicture };

    RuntimeError(Kind kind, const std::string& detail = {});

    Kind kind() const { return kind_; }
    // The classic error number, shown in the message (6, 9, 11, 53, 481).
    int number() const;

  private:
    Kind kind_;
};

[[noreturn]] void raise(RuntimeError::Kind kind, const std::string& detail = {});

}  // namespace platform
