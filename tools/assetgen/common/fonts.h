#pragma once

#include <QFont>
#include <QString>

namespace assetgen {

// Fonts are loaded from the files Debian installs, so that lettering does not depend on the
// desktop's font configuration. Throws std::runtime_error when a font file is missing.
QFont labelFont(int pixelSize);
QFont titleFont(int pixelSize);

}  // namespace assetgen
