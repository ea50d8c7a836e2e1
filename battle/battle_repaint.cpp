// The command cursor and the battle's repaint. While a command is chosen the active member walks
// in place and a blue arrow bobs above it, every 50 ms; every tick paints the scene again.

#include "battle/frm_battle_controls.h"
#include "battle/scene_painter.h"
#include "core/game.h"

namespace velmora {
namespace {

constexpr int kFacingRight = 32;

}  // namespace

void frmBattle::tmrSelect_Timer() {
    const Int16 m = ActiveMember;
    flipWalkingFrame(m);
    RepaintBattle(Quotient::Rounded);
    if (SelectBlink == 0) {
        showCursor(ui().imgSelect, "\\Pictures\\ArrowBlue1.gif", PartyX[m], PartyY[m], true);
        SelectBlink = 1;
    } else if (SelectBlink == 1) {
        showCursor(ui().imgSelect, "\\Pictures\\ArrowBlue2.gif", PartyX[m], PartyY[m], false);
        SelectBlink = 0;
    }
}

void frmBattle::flipWalkingFrame(Int16 member) {
    if (PartyStep[member] == 0) {
        PartySrcX[member] = 32;
        PartySrcY[member] = kFacingRight;
        PartyStep[member] = 1;
    } else if (PartyStep[member] == 1) {
        PartySrcX[member] = 0;
        PartySrcY[member] = kFacingRight;
        PartyStep[member] = 0;
    }
}

Int32 frmBattle::pixelsX(float twips, Quotient quotient) const {
    return quotient == Quotient::Rounded ? roundedQuotient32(twips, display().twipsPerPixelX)
                                         : wholeQuotient(twips, display().twipsPerPixelX);
}

Int32 frmBattle::pixelsY(float twips, Quotient quotient) const {
    return quotient == Quotient::Rounded ? roundedQuotient32(twips, display().twipsPerPixelY)
                                         : wholeQuotient(twips, display().twipsPerPixelY);
}

void frmBattle::RepaintBattle(Quotient quotient, int leaveOut) {
    paintScene(quotient, leaveOut, 0, platform::RasterOp::Copy);
}

void frmBattle::paintScene(Quotient quotient, int leaveOut, int flashFoe,
                           platform::RasterOp flashOp) {
    if (plainRepaint_) {
        paintPlain(quotient, leaveOut, flashFoe, flashOp);
        painter_->forget();
        return;
    }
    Controls& c = ui();
    const CharTables& t = game().modChar;
    BattleScene scene;
    scene.background = QSize(pixelsX(window()->widthTwips(), quotient).value(),
                             pixelsY(window()->heightTwips(), quotient).value());
    // A panel is refreshed over all of it, its size taken by the rounded quotient in every kind
    // of tick: where the whole quotient is a pixel short (a design size that is no whole number
    // of pixels at 13 twips per pixel), its ticks would leave the panel's last row or column
    // cleared and the line would flash against the rounding ticks beside them.
    const platform::PictureBox* panels[] = {&c.picBar, &c.picSelect, &c.picTarget, &c.picMagic};
    for (std::size_t k = 0; k < scene.panels.size(); ++k) {
        const platform::PictureBox& p = *panels[k];
        const bool bar = k == 0;
        scene.panels[k] = PanelCopy{bar ? 0 : pixelsX(p.left(), quotient).value(),
                                    bar ? 0 : pixelsY(p.top(), quotient).value(),
                                    pixelsX(p.width(), Quotient::Rounded).value(),
                                    pixelsY(p.height(), Quotient::Rounded).value(), k <= 1};
    }
    for (int i = 1; i <= 6; ++i) {
        scene.figures.push_back({2 * i, true, platform::RasterOp::Copy, t.PartySprite[i].value(),
                                 PartySrcX[i].value(), PartySrcY[i].value(), PartyX[i].value(),
                                 PartyY[i].value()});
        if (i != leaveOut && t.FoeHP[i] > 0) {
            scene.figures.push_back({2 * i + 1, true, platform::RasterOp::Copy,
                                     t.FoeSprite[i].value(), FoeSrcX[i].value(), FoeSrcY[i].value(),
                                     FoeX[i].value(), FoeY[i].value()});
        }
    }
    if (flashFoe != 0) {
        scene.figures.push_back({100, false, flashOp, t.FoeSprite[flashFoe].value(),
                                 FoeSrcX[flashFoe].value(), FoeSrcY[flashFoe].value(),
                                 FoeX[flashFoe].value(), FoeY[flashFoe].value()});
    }
    painter_->paint(scene, {c.picMap, {&c.picBar, &c.picSelect, &c.picTarget, &c.picMagic}},
                    BattleBackground, *sprites_);
}

// The whole scene drawn from scratch, step by step: clear, stretch the background, refresh the
// panels from it, then the figures.
void frmBattle::paintPlain(Quotient quotient, int leaveOut, int flashFoe,
                           platform::RasterOp flashOp) {
    Controls& c = ui();
    const CharTables& t = game().modChar;
    c.picMap.cls();
    c.picBar.cls();
    c.picSelect.cls();
    const platform::Surface& bg = BattleBackground.surface();
    platform::stretchBlt(c.picMap.canvas(), 0, 0, pixelsX(window()->widthTwips(), quotient).value(),
                         pixelsY(window()->heightTwips(), quotient).value(), bg, 0, 0, bg.width(),
                         bg.height());
    const platform::Surface& field = c.picMap.surface();
    platform::bitBlt(c.picBar.canvas(), 0, 0, pixelsX(c.picBar.width(), Quotient::Rounded).value(),
                     pixelsY(c.picBar.height(), Quotient::Rounded).value(), field, 0, 0);
    for (platform::PictureBox* p : {&c.picSelect, &c.picTarget, &c.picMagic}) {
        platform::bitBlt(p->canvas(), 0, 0, pixelsX(p->width(), Quotient::Rounded).value(),
                         pixelsY(p->height(), Quotient::Rounded).value(), field,
                         pixelsX(p->left(), quotient).value(), pixelsY(p->top(), quotient).value());
    }
    platform::Surface& canvas = c.picMap.canvas();
    for (int i = 1; i <= 6; ++i) {
        sprites_->draw(canvas, PartyX[i].value(), PartyY[i].value(), FigureDraw::kSize,
                       t.PartySprite[i], PartySrcX[i], PartySrcY[i]);
        if (i != leaveOut && t.FoeHP[i] > 0) {
            sprites_->draw(canvas, FoeX[i].value(), FoeY[i].value(), FigureDraw::kSize,
                           t.FoeSprite[i], FoeSrcX[i], FoeSrcY[i]);
        }
    }
    if (flashFoe != 0) {
        platform::stretchBlt(
            canvas, FoeX[flashFoe].value(), FoeY[flashFoe].value(), FigureDraw::kSize,
            FigureDraw::kSize, sprites_->picture(t.FoeSprite[flashFoe]), FoeSrcX[flashFoe].value(),
            FoeSrcY[flashFoe].value(), SpriteSheet::kFrame, SpriteSheet::kFrame, flashOp);
    }
}

}  // namespace velmora
