#pragma once

#include <gtest/gtest.h>

#include <QImage>
#include <functional>

namespace testing_support {

void writeFile(const QString& path, const QByteArray& bytes);

// Small pictures in the formats the game reads; the 8-bit BMPs as the asset generator writes them.
QByteArray bmp24(const QImage& image);
QByteArray bmp8(const QImage& indexed, bool rle8);
void writeGif(const QString& path, const QImage& indexed, int transparentIndex = -1);

// A GIF of one image on a logical screen of background colour 2, as other tools write them.
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

QImage indexedImage(int width, int height, const QVector<QRgb>& palette,
                    const std::function<int(int, int)>& index);

// The test tile set's colour at (x, y), different for every pixel of a 4096 × 4096 area.
QRgb tilePixel(int x, int y);
// A test character picture's 32 × 32 frame is black but for a figure of one colour, 16 × 24
// at (8, 4), with a black hole at (16, 16).
QRgb figureColour(int sprite, int frameX, int frameY);
bool isFigurePixel(int xInFrame, int yInFrame);

// Writes every file the game reads under `folder`.
void writeGameAssets(const QString& folder, int tileWidth = 1472, int tileHeight = 800);

// Same size and colours, alpha aside.
::testing::AssertionResult sameRgb(const QImage& actual, const QImage& expected);
}  // namespace testing_support
