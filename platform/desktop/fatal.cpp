#include "platform/desktop/fatal.h"

#include <QMessageBox>
#include <iostream>

namespace platform {

void MessageBoxReporter::report(const std::string& message) {
    std::cerr << "velmora: " << message << std::endl;
    QMessageBox::critical(nullptr, QStringLiteral("Velmora"), QString::fromStdString(message));
}

}  // namespace platform
