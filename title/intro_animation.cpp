// The title's animation, every 100 ms: the landscape scrolls left as a control while the title
// and the walking figure move right on it, and each time the canvas's right edge has come
// inside the display the next landscape (hills, plains, forest) starts over at the left.
//
// Every tick begins from the canvas cleared and the landscape stretched over all of it. That
// stretched picture stays the same until the scene changes, so it is kept, and the tick puts
// back only what the last tick drew over it: the title's pixels and the figure's square.

#include "core/game.h"
#include "title/frm_intro.h"
#include "title/frm_intro_controls.h"

namespace velmora {
namespace {

constexpr int kTitleWidth = 600;
constexpr int kTitleHeight = 113;
constexpr QRgb kTitleKey = qRgb(255, 255, 255);
constexpr int kFigureCell = 32;
constexpr int kFigureSize = 64;
constexpr float kScrollTwips = 100;

}  // namespace

void frmIntro::tmrIntro_Timer() {
    Controls& c = ui();
    const platform::Display& s = display();
    platform::PictureBox& back = c.picBack;

    // The canvas cleared and the landscape stretched over it: where the stretched picture is
    // still on the canvas, only what the title and the figure covered goes back.
    // The landscape is stretched three heights wide: over the whole canvas, except on a window
    // wider than that, whose canvas repeats it.
    const QSize stretched(roundedQuotient32(back.height() * 3, s.twipsPerPixelX).value(),
                          roundedQuotient32(back.height(), s.twipsPerPixelY).value());
    bool remade = false;
    const platform::Surface& landscape = landscape_.draw(
        SceneBackground.surface(), QSize(back.surface().width(), back.surface().height()),
        back.backColor(), stretched, remade);
    const bool newTitle =
        title_.prepare(TitlePicture.surface(), QRect(0, 0, kTitleWidth, kTitleHeight), kTitleKey);
    if (remade || newTitle || !canvasHoldsLandscape_) {
        platform::bitBlt(back.canvas(), 0, 0, landscape.width(), landscape.height(), landscape, 0,
                         0);
        canvasHoldsLandscape_ = true;
    } else {
        title_.restore(back.canvas(titleDrawn_), titleDrawn_.x(), titleDrawn_.y(), landscape);
        platform::bitBlt(back.canvas(figureDrawn_), figureDrawn_.x(), figureDrawn_.y(),
                         figureDrawn_.width(), figureDrawn_.height(), landscape, figureDrawn_.x(),
                         figureDrawn_.y());
    }

    // The panel shows the landscape behind it, never the title or the figure.
    platform::bitBlt(c.picMenu.canvas(), 0, 0,
                     roundedQuotient32(c.picMenu.width(), s.twipsPerPixelX).value(),
                     roundedQuotient32(c.picMenu.height(), s.twipsPerPixelY).value(), landscape,
                     roundedQuotient32(c.picMenu.left() - back.left(), s.twipsPerPixelX).value(),
                     roundedQuotient32(c.picMenu.top(), s.twipsPerPixelY).value());

    // The title, keyed on white.
    titleDrawn_ = QRect(TitleX.value(), TitleY.value(), kTitleWidth, kTitleHeight);
    title_.draw(back.canvas(titleDrawn_), TitleX.value(), TitleY.value());

    // The figure's next step, facing right, drawn doubled and keyed on black.
    if (IntroCharSrcX == 0) {
        IntroCharSrcX = kFigureCell;
        IntroCharSrcY = kFigureCell;
    } else if (IntroCharSrcX == kFigureCell) {
        IntroCharSrcX = 0;
        IntroCharSrcY = kFigureCell;
    }
    IntroCharX = cint(kScrollTwips / s.twipsPerPixelX + static_cast<float>(IntroCharX.value()));
    figureDrawn_ = QRect(IntroCharX.value(), IntroCharY.value(), kFigureSize, kFigureSize);
    platform::transparentBlt(back.canvas(figureDrawn_), IntroCharX.value(), IntroCharY.value(),
                             kFigureSize, kFigureSize, c.picChar.surface(), IntroCharSrcX.value(),
                             IntroCharSrcY.value(), kFigureCell, kFigureCell, qRgb(0, 0, 0));

    // The canvas moves as a control.
    back.setLeft(back.left() - kScrollTwips);
    TitleX = cint(kScrollTwips / s.twipsPerPixelX + static_cast<float>(TitleX.value()));

    // The canvas's right edge has come inside the display: the next scene starts at the left.
    if (s.widthTwips - back.width() > back.left()) {
        placeFigure();
        back.setLeft(0);
        TitleX = centredTitleX();
        switch (SceneIndex.value()) {
            case 0:
                SceneBackground = loadPicture("\\Background\\plains.gif");
                SceneIndex = 1;
                break;
            case 1:
                SceneBackground = loadPicture("\\Background\\forest.gif");
                SceneIndex = 2;
                break;
            case 2:
                SceneBackground = loadPicture("\\Background\\hills.gif");
                SceneIndex = 0;
                break;
            default:
                break;
        }
    }
}

}  // namespace velmora
