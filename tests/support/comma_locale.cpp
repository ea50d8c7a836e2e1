#include "support/comma_locale.h"

#include <QProcess>
#include <clocale>
#include <cstdlib>

namespace testing_support {
namespace {

constexpr const char* kName = "de_DE.UTF-8";

}  // namespace

CommaLocale::CommaLocale() {
    previous_ = std::setlocale(LC_ALL, nullptr);
    if (std::setlocale(LC_ALL, kName) == nullptr) {
        // Not installed here: compile it from the system's locale sources.
        const QString target = compiled_.filePath(QString::fromLatin1(kName));
        QProcess localedef;
        localedef.start(QStringLiteral("localedef"),
                        {QStringLiteral("-i"), QStringLiteral("de_DE"), QStringLiteral("-f"),
                         QStringLiteral("UTF-8"), target});
        if (!localedef.waitForFinished(60000) || localedef.exitCode() != 0) {
            why_ = "localedef could not build " + std::string(kName) + ": " +
                   localedef.readAllStandardError().toStdString();
            return;
        }
        setenv("LOCPATH", compiled_.path().toLocal8Bit().constData(), 1);
        if (std::setlocale(LC_ALL, kName) == nullptr) {
            why_ = "the compiled locale does not load";
            unsetenv("LOCPATH");
            return;
        }
    }
    active_ = std::localeconv()->decimal_point[0] == ',';
    if (!active_) {
        why_ = "the locale's decimal mark is not a comma";
    }
}

CommaLocale::~CommaLocale() {
    std::setlocale(LC_ALL, previous_.c_str());
    unsetenv("LOCPATH");
}

}  // namespace testing_support
