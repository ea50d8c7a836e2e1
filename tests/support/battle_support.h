#pragma once

#include <gtest/gtest.h>

#include <QImage>
#include <QString>
#include <functional>
#include <vector>

#include "battle/frm_battle_controls.h"
#include "support/harness.h"

namespace testing_support {

// The battlefield picture for the battle tests, written over the harness's own before the game
// starts: every pixel's colour tells its position, so a test can tell where a pixel of the
// battlefield or a panel came from, to the pixel.
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
void pressInBattle(Harness& h, int qtKey, int times = 1);
// Plays a script of keys and pauses: letters name keys (L R U D the arrows, S Space, C Ctrl,
// E Escape), a number lets that many milliseconds pass, blanks only separate.
void playScript(const char* script, const std::function<void(int)>& press,
                const std::function<void(int)>& wait);

// One figure as the tests expect it drawn: keyed on black, or XORed / ORed into what is under it.
struct ExpectedFigure {
    int sprite;
    int cellX;
    int cellY;
    int x;
    int y;
    enum { Keyed, Xor, Or } how = Keyed;
};

QImage pixelsOf(const platform::PictureBox& box);
::testing::AssertionResult samePixels(const QImage& actual, const QImage& expected);

// A battle opened on a display of the given size, over a battlefield picture that the display
// holds a whole number of times.
struct Battle {
    Battle(int width, int height, float twipsPerPixel, int scale);

    void keys(const char* script);
    // The battlefield as a full repaint leaves it: the picture stretched, then `figures`.
    QImage field(const std::vector<ExpectedFigure>& figures = {}) const;
    // The figures a repaint draws from the battle's state: member i, then foe i if it has hit
    // points and is not `leaveOut`; `flash` adds foe `leaveOut` drawn that way last.
    std::vector<ExpectedFigure> figures(int leaveOut = 0, int flash = ExpectedFigure::Keyed) const;
    // The battlefield shows `figures`, and each panel the bare battlefield behind it, taken from
    // where the panel stands by the rounded (or the whole) quotient of twips and pixels.
    ::testing::AssertionResult shows(const std::vector<ExpectedFigure>& figures,
                                     bool rounded) const;
    int hp(int foe) const { return h.game().modChar.FoeHP[foe].value(); }
    std::vector<int> highlighted(bool targets) const;

    Harness h;
    float twipsPerPixel;
    int scale;
    velmora::frmBattle& b;
    const velmora::frmBattle::Controls& c;
};

}  // namespace testing_support
