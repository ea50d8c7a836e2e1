// The battle's start, at every activation: the figures go to their standing places with their
// first frames and are drawn once over the battlefield, the panels are placed and show the
// battlefield behind them, and the command cursor starts.

#include "battle/frm_battle_controls.h"
#include "battle/scene_painter.h"
#include "core/game.h"

namespace velmora {
namespace {

constexpr int kSelectMs = 50;

// Where each slot stands, as divisors of the battlefield's width and height.
struct Place {
    double partyX, partyY, foeX, foeY;
};
constexpr Place kPlaces[] = {
    {4, 1.9, 1.5, 1.9},  {4, 1.5, 1.5, 1.5},  {4, 1.25, 1.5, 1.25},
    {11, 1.9, 1.2, 1.9}, {11, 1.5, 1.2, 1.5}, {11, 1.25, 1.2, 1.25},
};

}  // namespace

void frmBattle::Form_Activate() {
    placeFigures();
    drawEveryFigure();
    Controls& c = ui();
    c.picSelect.move(0, c.picBar.height());
    c.picTarget.move(c.picBar.width() - c.picTarget.width(), 0);
    c.lblChoice[PartyCommand[ActiveMember]].setOpaque(true);
    copyBattlefieldIntoPanels();
    c.tmrSelect.setInterval(kSelectMs);
}

void frmBattle::placeFigures() {
    const double w = ui().picMap.width();
    const double h = ui().picMap.height();
    const double tx = display().twipsPerPixelX;
    const double ty = display().twipsPerPixelY;
    for (int i = 1; i <= 6; ++i) {
        const Place& p = kPlaces[i - 1];
        PartyX[i] = clng(w / p.partyX / tx);
        PartyY[i] = clng(h / p.partyY / ty);
    }
    for (int i = 1; i <= 6; ++i) {
        const Place& p = kPlaces[i - 1];
        FoeX[i] = clng(w / p.foeX / tx);
        FoeY[i] = clng(h / p.foeY / ty);
    }
}

// Every foe is drawn here whatever its hit points; the next repaint leaves out the defeated.
void frmBattle::drawEveryFigure() {
    platform::Surface& canvas = ui().picMap.canvas();
    const CharTables& t = game().modChar;
    for (int i = 1; i <= 6; ++i) {
        PartySrcX[i] = 0;
        PartySrcY[i] = 32;
        PartyStep[i] = 0;
        FoeSrcX[i] = 0;
        FoeSrcY[i] = 96;
        FoeStep[i] = 0;
        sprites_->draw(canvas, PartyX[i].value(), PartyY[i].value(), FigureDraw::kSize,
                       t.PartySprite[i], PartySrcX[i], PartySrcY[i]);
        sprites_->draw(canvas, FoeX[i].value(), FoeY[i].value(), FigureDraw::kSize, t.FoeSprite[i],
                       FoeSrcX[i], FoeSrcY[i]);
    }
    painter_->forget();
}

// The party panel, the command window and the foe list get a copy of the battlefield behind
// them, figures included, so that they look see-through.
void frmBattle::copyBattlefieldIntoPanels() {
    Controls& c = ui();
    const float tx = display().twipsPerPixelX;
    const float ty = display().twipsPerPixelY;
    const platform::Surface& field = c.picMap.surface();
    platform::bitBlt(c.picBar.canvas(), 0, 0, wholeQuotient(c.picBar.width(), tx).value(),
                     wholeQuotient(c.picBar.height(), ty).value(), field, 0, 0);
    for (platform::PictureBox* p : {&c.picSelect, &c.picTarget}) {
        platform::bitBlt(p->canvas(), 0, 0, wholeQuotient(p->width(), tx).value(),
                         wholeQuotient(p->height(), ty).value(), field,
                         wholeQuotient(p->left(), tx).value(), wholeQuotient(p->top(), ty).value());
    }
    painter_->forget();
}

}  // namespace velmora
