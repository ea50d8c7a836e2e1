#include "platform/widgets/display.h"

#include <QGuiApplication>
#include <QScreen>
#include <algorithm>
#include <cmath>

namespace platform {
namespace {

constexpr double kTwipsPerInch = 1440;
double dpiScale = 1;

}  // namespace

float wholeTwipsPerPixel(double dotsPerInch) {
    const double exact = kTwipsPerInch / dotsPerInch;
    return static_cast<float>(std::max(1.0, std::ceil(exact - 0.5)));
}

Display Display::ofPixels(int width, int height, float twipsPerPixel) {
    return Display{static_cast<float>(width) * twipsPerPixel,
                   static_cast<float>(height) * twipsPerPixel, twipsPerPixel, twipsPerPixel};
}

Display Display::ofScreen(QSize pixels, double dotsPerInchX, double dotsPerInchY) {
    const float tppX = wholeTwipsPerPixel(dotsPerInchX);
    const float tppY = wholeTwipsPerPixel(dotsPerInchY);
    const auto text = static_cast<float>(kTwipsPerInch / dotsPerInchY);
    return Display{static_cast<float>(pixels.width()) * tppX,
                   static_cast<float>(pixels.height()) * tppY, tppX, tppY, text == tppY ? 0 : text};
}

Display Display::primaryScreen() {
    const QScreen* screen = QGuiApplication::primaryScreen();
    return ofScreen(screen->size(), screen->logicalDotsPerInchX() * dpiScale,
                    screen->logicalDotsPerInchY() * dpiScale);
}

void Display::setDpiScale(double scale) {
    dpiScale = scale > 0 ? scale : 1;
}

}  // namespace platform
