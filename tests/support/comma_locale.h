#pragma once

#include <QTemporaryDir>
#include <string>

namespace testing_support {

// Puts the process under a locale whose decimal mark is a comma (German), as a player's
// desktop may be, for as long as the object lives. When the machine has no such locale, one is
// compiled into a temporary folder first.
class CommaLocale {
  public:
    CommaLocale();
    ~CommaLocale();
    CommaLocale(const CommaLocale&) = delete;
    CommaLocale& operator=(const CommaLocale&) = delete;

    bool active() const { return active_; }
    const std::string& why() const { return why_; }

  private:
    std::string previous_;
    QTemporaryDir compiled_;
    bool active_ = false;
    std::string why_;
};

}  // namespace testing_support
