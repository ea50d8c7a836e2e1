#pragma once

namespace platform {

// The display the game fills: its size in twips and its twips per pixel on each axis.
// The game reads it from the primary screen; tests inject one of their own.
struct Display {
    float widthTwips = 0;
    float heightTwips = 0;
    float twipsPerPixelX = 15;
    float twipsPerPixelY = 15;

    // A display of the given pixel size at the given twips per pixel on both axes.
    static Display ofPixels(int width, int height, float twipsPerPixel = 15);
    // The primary screen: 1440 twips per logical inch.
    static Display primaryScreen();
};

}  // namespace platform
