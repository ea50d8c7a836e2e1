#pragma once

#include <gtest/gtest.h>

#include <functional>
#include <vector>

#include "battle/frm_battle_controls.h"
#include "support/harness.h"

namespace testing_support {

// The four cursor pictures, each of its own size and colour.
struct CursorPicture {
    const char* file;
    int width, height;
    QRgb colour;
};
extern const CursorPicture kBlue1, kBlue2, kRed1, kRed2;

// Starts the game and opens a battle over the four cursors and a battlefield picture of that size
// whose every pixel's colour tells where it came from.
void openBattle(Harness& h, int pictureWidth = 256, int pictureHeight = 192);
// Plays a script of keys and pauses: letters name keys (L R U D the arrows, S Space, C Ctrl,
// E Escape), a number lets that many milliseconds pass, blanks only separate.
void playScript(const char* script, const std::function<void(int)>& press,
                const std::function<void(int)>& wait);

QImage pixelsOf(const platform::PictureBox& box);
::testing::AssertionResult samePixels(const QImage& actual, const QImage& expected);

// A figure as drawn: keyed on black, or XORed or ORed into what is under it (the hit flash).
struct ExpectedFigure {
    int sprite, cellX, cellY, x, y, how = Keyed;
    enum { Keyed, Xor, Or };
};

// A battle opened on a display `scale` times the size of its battlefield picture.
struct Battle {
    Battle(int width, int height, float twipsPerPixel, int scale);

    void keys(const char* script);
    // The battlefield picture stretched over the display, then `figures` drawn on it.
    QImage field(const std::vector<ExpectedFigure>& figures = {}) const;
    // What a repaint draws from the battle state: member i, then foe i while it has hit points
    // and is not `leaveOut`; `flash` (Xor or Or) then adds foe `leaveOut` drawn that way.
    std::vector<ExpectedFigure> figures(int leaveOut = 0, int flash = ExpectedFigure::Keyed) const;
    // The battlefield shows `figures`, and each panel the bare field behind it, from where the
    // panel stands by the rounded (or else the whole) quotient of twips and pixels.
    ::testing::AssertionResult shows(const std::vector<ExpectedFigure>& figures,
                                     bool rounded) const;
    int hp(int foe) const { return h.game().modChar.FoeHP[foe].value(); }
    // The lit lines of the command window, or of the foe list.
    std::vector<int> highlighted(bool targets) const;

    Harness h;
    int scale;
    velmora::frmBattle& b;
    const velmora::frmBattle::Controls& c;
};

}  // namespace testing_support
