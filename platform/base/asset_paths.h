#pragma once

#include <QString>
#include <string_view>

namespace platform {

// The game names its files as the executable's folder followed by a path that begins with a
// backslash ("\Characters\Char000.bmp"); this maps such a name to a native path.
class AssetPaths {
  public:
    explicit AssetPaths(QString folder) : folder_(std::move(folder)) {}
    // The folder of the running executable.
    static AssetPaths besideExecutable();

    // The folder as the game spells it: no trailing separator.
    const QString& folder() const { return folder_; }
    QString resolve(std::string_view backslashPath) const;

  private:
    QString folder_;
};

}  // namespace platform
