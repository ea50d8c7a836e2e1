#pragma once

#include <memory>

#include "menu/frm_menu_controls.h"
#include "support/harness.h"
#include "support/test_images.h"
#include "title/frm_intro_controls.h"

namespace testing_support {

// The title's three landscapes, each in colours of its own, in a pattern that shows where a
// canvas pixel was sampled.
enum Scene { kHills, kPlains, kForest };

inline QRgb sceneColour(int scene, int index) {
    return qRgb(40 + scene * 60, 20 + index * 50, 200 - scene * 70);
}

// Which landscape a canvas pixel comes from, or -1 for none.
inline int sceneOf(QRgb pixel) {
    for (int scene : {kHills, kPlains, kForest}) {
        for (int i = 0; i < 4; ++i) {
            if ((sceneColour(scene, i) & 0xFFFFFF) == (pixel & 0xFFFFFF)) {
                return scene;
            }
        }
    }
    return -1;
}

// Map, Escape, QUIT: the title screen shows.
inline void toTitle(Harness& h) {
    h.press(h.map(), Qt::Key_Escape);
    h.click(h.menu().ui().cmdQuit);
}

// The title screen on a display of its own, over the three test landscapes.
inline std::unique_ptr<Harness> titleOn(int width = 1024, int height = 768,
                                        float twipsPerPixel = 15) {
    auto h = std::make_unique<Harness>(width, height, twipsPerPixel);
    const char* names[] = {"hills", "plains", "forest"};
    for (int scene : {kHills, kPlains, kForest}) {
        QVector<QRgb> palette;
        for (int i = 0; i < 4; ++i) {
            palette << sceneColour(scene, i);
        }
        writeGif(h->assetFolder() +
                     QStringLiteral("/Background/%1.gif").arg(QLatin1String(names[scene])),
                 indexedImage(96, 40, palette, [](int x, int y) { return (x / 5 + y / 3) % 4; }));
    }
    h->start();
    toTitle(*h);
    return h;
}

}  // namespace testing_support
