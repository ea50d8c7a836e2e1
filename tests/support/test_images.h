#pragma once

#include <gtest/gtest.h>

#include <QByteArray>
#include <QImage>
#include <QSize>
#include <QString>
#include <QVector>
#include <functional>

namespace testing_support {

// Writes the bytes to a file, making its folder first.
void writeFile(const QString& path, const QByteArray& bytes);

// Small pictures in the formats the game reads; the 8-bit BMPs as the asset generator writes them.
QByteArray bmp24(const QImage& image);
QByteArray bmp8(const QImage& indexed, bool rle8);
void writeGif(const QString& path, const QImage& indexed, int transparentIndex = -1);

// A GIF of one image on a logical screen, as other tools write them; the screen's background
// is colour 2.
struct GifShape {
    int left = 0;  // where the image lies on the screen
    int top = 0;
    QSize screen = {};  // empty: the image's size
    bool interlaced = false;
    int transparentIndex = -1;
    bool localTable = false;  // the palette reversed, as the image's own colour table
    int rows = -1;            // data for only so many rows, as a writer that stopped early
};
QByteArray gifBytes(const QImage& indexed, const GifShape& shape = {});

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

// Whether two pictures have the same size and colours, alpha aside.
::testing::AssertionResult sameRgb(const QImage& actual, const QImage& expected);
}  // namespace testing_support
