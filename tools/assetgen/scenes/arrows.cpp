// The bobbing selection arrows: a square shaft on a triangular head, pointing down.
#include "characters/sprite_canvas.h"
#include "common/indexed_image.h"
#include "common/save.h"
#include "generators.h"

namespace assetgen {

namespace {

QImage arrow(QColor base, bool lit) {
    SpriteCanvas c(30, 32);
    const int body = c.addMaterial(base.lighter(lit ? 118 : 100), 1.1);
    c.rect(9, 1, 12, 13, body, Shading::Cylinder);
    c.polygon({{1, 13}, {29, 13}, {15, 31}}, body, Shading::Round);
    c.rect(11, 2, 2, 10, body, Shading::Tone0, false);
    c.line(5, 15, 13, 24, body, 0);
    return c.render(false, true);
}

}  // namespace

void writeArrows(const Output& out) {
    const QColor blue(56, 132, 232);
    const QColor red(238, 70, 128);
    const QString dir = out.assets + QStringLiteral("/Pictures/");
    saveGif(dir + QStringLiteral("ArrowBlue1.gif"), indexExact(arrow(blue, false), true));
    saveGif(dir + QStringLiteral("ArrowBlue2.gif"), indexExact(arrow(blue, true), true));
    saveGif(dir + QStringLiteral("ArrowRed1.gif"), indexExact(arrow(red, false), true));
    saveGif(dir + QStringLiteral("ArrowRed2.gif"), indexExact(arrow(red, true), true));
}

}  // namespace assetgen
