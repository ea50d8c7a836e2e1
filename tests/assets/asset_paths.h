#pragma once

#include <QImage>
#include <QString>

// Where the committed files are, and small helpers shared by the asset tests.
inline QString assetPath(const QString& relative) {
    return QStringLiteral(VELMORA_ASSETS_DIR "/") + relative;
}

inline QString characterPath(int index) {
    return assetPath(QStringLiteral("Characters/Char%1.bmp").arg(index, 3, 10, QLatin1Char('0')));
}

inline QImage loadAsset(const QString& relative) {
    return QImage(assetPath(relative));
}

inline bool pureBlack(QRgb c) {
    return (c & 0xffffffu) == 0;
}
