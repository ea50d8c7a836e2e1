#include "platform/display.h"

#include <QGuiApplication>
#include <QScreen>

namespace platform {

Display Display::ofPixels(int width, int height, float twipsPerPixel) {
    return Display{static_cast<float>(width) * twipsPerPixel,
                   static_cast<float>(height) * twipsPerPixel, twipsPerPixel, twipsPerPixel};
}

Display Display::primaryScreen() {
    const QScreen* screen = QGuiApplication::primaryScreen();
    const QSize size = screen->size();
    const float tppX = static_cast<float>(1440.0 / screen->logicalDotsPerInchX());
    const float tppY = static_cast<float>(1440.0 / screen->logicalDotsPerInchY());
    return Display{static_cast<float>(size.width()) * tppX,
                   static_cast<float>(size.height()) * tppY, tppX, tppY};
}

}  // namespace platform
