#pragma once

#include <QImage>
#include <QString>

inline QString assetPath(const QString& relative) {
    return QStringLiteral(VELMORA_ASSETS_DIR "/") + relative;
}

inline QString characterPath(int index) {
    return assetPath(QStringLiteral("Characters/Char%1.bmp").arg(index, 3, 10, QLatin1Char('0')));
}

// The picture as 32-bit pixels, with its alpha channel when it has one.
inline QImage loadAsset(const QString& relative) {
    const QImage img(assetPath(relative));
    return img.convertToFormat(img.hasAlphaChannel() ? QImage::Format_ARGB32
                                                     : QImage::Format_RGB32);
}

inline bool pureBlack(QRgb c) {
    return (c & 0xffffffu) == 0;
}
