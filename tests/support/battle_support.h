#pragma once

#include <gtest/gtest.h>

#include <QImage>
#include <QString>
#include <vector>

#include "battle/frm_battle_controls.h"
#include "support/harness.h"

namespace testing_support {

// Pictures for the battle tests, written over the harness's own before the game starts.
//
// The battlefield is width × height pixels; every pixel's colour tells its position (up to 256
// pixels along a row), so a test can tell where a pixel of the battlefield or a panel came from.
void writeBattlefield(const QString& assetFolder, int width, int height);
QRgb battlefieldPixel(int x, int y);
// The four cursor pictures, each of its own size and colour.
void writeCursors(const QString& assetFolder);
struct CursorPicture {
    const char* file;
    int width;
    int height;
    QRgb colour;
};
extern const CursorPicture kBlue1, kBlue2, kRed1, kRed2;

// Starts the game and presses "Battle Test".
void openBattle(Harness& h);
// Presses a key in the battle `times` times.
void pressInBattle(Harness& h, int qtKey, int times = 1);

// One figure of the battlefield, as the tests expect it drawn.
struct ExpectedFigure {
    int sprite;
    int cellX;
    int cellY;
    int x;
    int y;
    enum { Keyed, Xor, Or } how = Keyed;
};

// The battlefield a full repaint leaves: the battlefield picture stretched by whole factors
// (the display is a whole multiple of the picture), then the figures in order.
QImage expectedBattlefield(int width, int height, int scaleX, int scaleY,
                           const std::vector<ExpectedFigure>& figures);
// The figures a repaint draws from the battle's state: member i, then foe i if it has hit
// points and is not `leaveOut`.
std::vector<ExpectedFigure> repaintFigures(Harness& h, int leaveOut = 0);

// Compares two images pixel by pixel; reports the first few differences.
::testing::AssertionResult samePixels(const QImage& actual, const QImage& expected);
QImage pixelsOf(const platform::PictureBox& box);

}  // namespace testing_support
