#pragma once

#include <QString>
#include <string>
#include <vector>

#include "platform/audio/mci.h"
#include "platform/desktop/fatal.h"
#include "platform/widgets/file_dialog.h"

namespace testing_support {

// Records every command; answers "status" with whatever the test sets.
class FakeMusic final : public platform::CommandDevice {
  public:
    std::string send(const std::string& command) override {
        commands.push_back(command);
        return command.rfind("status", 0) == 0 ? statusReply : std::string();
    }
    std::vector<std::string> commands;
    std::string statusReply;
};

// Records each dialog shown and answers with a chosen file (or Cancel).
class FakeFileDialog final : public platform::FileDialog {
  public:
    struct Call {
        QString title, filter;
    };
    QString showOpen(QWidget*, const QString& title, const QString& filter) override {
        calls.push_back({title, filter});
        return answer;
    }
    std::vector<Call> calls;
    QString answer;
};

class RecordingReporter final : public platform::FatalReporter {
  public:
    void report(const std::string& message) override { messages.push_back(message); }
    std::vector<std::string> messages;
};

}  // namespace testing_support
