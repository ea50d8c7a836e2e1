#include "fonts.h"

#include <QFontDatabase>
#include <QStringList>
#include <stdexcept>

namespace assetgen {

namespace {

QString loadFamily(const QString& path) {
    const int id = QFontDatabase::addApplicationFont(path);
    const QStringList families = QFontDatabase::applicationFontFamilies(id);
    if (id < 0 || families.isEmpty()) {
        throw std::runtime_error("cannot load font " + path.toStdString());
    }
    return families.first();
}

QFont make(const QString& family, int pixelSize, bool bold) {
    QFont font(family);
    font.setPixelSize(pixelSize);
    font.setBold(bold);
    font.setHintingPreference(QFont::PreferNoHinting);
    font.setStyleStrategy(QFont::PreferAntialias);
    return font;
}

}  // namespace

QFont labelFont(int pixelSize) {
    static const QString family =
        loadFamily(QStringLiteral("/usr/share/fonts/truetype/dejavu/DejaVuSans-Bold.ttf"));
    return make(family, pixelSize, true);
}

QFont titleFont(int pixelSize) {
    static const QString family =
        loadFamily(QStringLiteral("/usr/share/fonts/truetype/dejavu/DejaVuSerif-Bold.ttf"));
    return make(family, pixelSize, true);
}

}  // namespace assetgen
