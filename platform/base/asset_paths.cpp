#include "platform/base/asset_paths.h"

#include <QCoreApplication>
#include <QDir>

namespace platform {

AssetPaths AssetPaths::besideExecutable() {
    return AssetPaths(QCoreApplication::applicationDirPath());
}

QString AssetPaths::resolve(std::string_view backslashPath) const {
    QString relative =
        QString::fromUtf8(backslashPath.data(), static_cast<qsizetype>(backslashPath.size()));
    relative.replace(QLatin1Char('\\'), QLatin1Char('/'));
    return QDir::cleanPath(folder_ + relative);
}

}  // namespace platform
