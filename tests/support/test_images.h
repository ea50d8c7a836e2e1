#pragma once

#include <QByteArray>
#include <QImage>
#include <QString>
#include <QVector>
#include <functional>

namespace testing_support {

// Little-endian fields, as picture and music files hold them, appended to `out`.
void put16(QByteArray& out, quint16 v);
void put32(QByteArray& out, quint32 v);
// Writes the bytes to a file, making its folder first.
void writeFile(const QString& path, const QByteArray& bytes);

// Small pictures made by the tests themselves, in the formats the game reads.
void writeBmp24(const QString& path, const QImage& image);
void writeBmp8(const QString& path, const QImage& indexed, bool rle8);
void writeGif(const QString& path, const QImage& indexed, int transparentIndex = -1);
void writeJpeg(const QString& path, const QImage& image, int quality = 100);

// An indexed image whose pixel (x, y) is index(x, y) into `palette`.
QImage indexedImage(int width, int height, const QVector<QRgb>& palette,
                    const std::function<int(int, int)>& index);

// The colour every test tile set has at (x, y): different for every pixel of a 4096 × 4096
// area, so a test can tell where a map pixel came from.
QRgb tilePixel(int x, int y);
// The colour of a test character picture's figure in frame (frameX, frameY): the frame's
// 32 × 32 cell is black except for a 16 × 24 figure at (8, 4) with a 1-pixel black hole at
// its centre (16, 16).
QRgb figureColour(int sprite, int frameX, int frameY);
bool isFigurePixel(int xInFrame, int yInFrame);

// Writes everything the game reads under `folder`: 64 character pictures, the tile set
// (tileWidth × tileHeight), the battle background and cursors, the title pictures and a file
// for the theme music.
void writeGameAssets(const QString& folder, int tileWidth = 1472, int tileHeight = 800);

}  // namespace testing_support
