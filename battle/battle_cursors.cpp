// The target cursor: while a target is chosen, a red arrow bobs above the foe the active member
// targets, every 50 ms, and the scene is painted again. The arrows are placed by one rule.

#include "battle/frm_battle_controls.h"
#include "core/game.h"

namespace velmora {
namespace {

// The raised frame of an arrow stands this much higher.
constexpr double kLiftTwips = 100;

}  // namespace

void frmBattle::tmrTarget_Timer() {
    RepaintBattle(Quotient::Whole);
    const Int16 t = PartyTarget[ActiveMember];
    if (TargetBlink == 0) {
        showCursor(ui().imgTarget, "\\Pictures\\ArrowRed1.gif", FoeX[t], FoeY[t], true);
        TargetBlink = 1;
    } else if (TargetBlink == 1) {
        showCursor(ui().imgTarget, "\\Pictures\\ArrowRed2.gif", FoeX[t], FoeY[t], false);
        TargetBlink = 0;
    }
}

void frmBattle::showCursor(platform::ImageBox& image, const char* file, Int32 x, Int32 y,
                           bool raised) {
    image.loadPicture(game().services().paths.resolve(file));
    image.setVisible(true);
    // Centred over the 64-pixel-wide figure; when lowered, its lower edge touches the figure's
    // upper edge.
    const double tx = display().twipsPerPixelX;
    const double ty = display().twipsPerPixelY;
    const double w = image.width();
    const double h = image.height();
    const double left = tx * x.value() + tx * 32 - w / 2;
    const double top = ty * y.value() - h - (raised ? kLiftTwips : 0);
    image.move(static_cast<float>(left), static_cast<float>(top));
}

}  // namespace velmora
