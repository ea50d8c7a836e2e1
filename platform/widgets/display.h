#pragma once

#include <QSize>

namespace platform {

// The display the game fills: its size in twips and its twips per pixel on each axis.
// The game reads it from the primary screen; tests inject one of their own.
struct Display {
    float widthTwips = 0;
    float heightTwips = 0;
    float twipsPerPixelX = 15;
    float twipsPerPixelY = 15;
    // Twips per pixel of text, where the desktop's DPI is not a whole number of twips per pixel
    // (192 DPI: 7.5); 0 when text uses twipsPerPixelY.
    float textTwipsPerPixel = 0;

    // A display of the given pixel size at the given twips per pixel on both axes.
    static Display ofPixels(int width, int height, float twipsPerPixel = 15);
    // A screen of the given logical pixels at the given logical dots per inch. Drawing needs a
    // whole twips per pixel, or the two ways the game turns twips into pixels part by many
    // pixels: each axis gets the whole number nearest to 1440 twips an inch ÷ DPI. A half goes
    // to the smaller one (7 at 192 DPI), so that controls come out larger, not smaller, than
    // that DPI asks, and text, which keeps the DPI itself, fits in them.
    static Display ofScreen(QSize pixels, double dotsPerInchX, double dotsPerInchY);
    // The primary screen, at its logical DPI times the scale left over by the desktop-scaling
    // policy (see setDpiScale).
    static Display primaryScreen();
    // A fraction of the desktop's scale factor that the window system does not apply itself,
    // so that the game applies it to its twips and its text instead (1 when there is none).
    static void setDpiScale(double scale);

    // The twips per pixel that text is measured with.
    float textTwipsPerPixelY() const {
        return textTwipsPerPixel > 0 ? textTwipsPerPixel : twipsPerPixelY;
    }
};

// The whole twips per pixel nearest to 1440 ÷ DPI, a half going to the smaller; at least 1.
float wholeTwipsPerPixel(double dotsPerInch);

}  // namespace platform
