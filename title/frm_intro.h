#pragma once

#include "core/form.h"
#include "platform/pictures/picture.h"
#include "title/keyed_picture.h"
#include "title/stretched_landscape.h"

namespace velmora {

// The title screen, reached through QUIT in the pause menu: a landscape scrolling through hills,
// plains and forest behind the title and a walking figure, the theme music, and the New Game,
// Load Game and Exit buttons on a panel that shows the landscape behind it.
class frmIntro final : public Form {
  public:
    explicit frmIntro(Game& game);

    struct Controls;
    Controls& ui() const;

    // Screen-level variables: they survive closing, and a later visit goes on from them.
    // The figure's top-left on the canvas and its 32 × 32 cell in its picture, in pixels.
    Int16 IntroCharX;
    Int16 IntroCharY;
    Int16 IntroCharSrcX;
    Int16 IntroCharSrcY;
    // The title's top-left on the canvas, in pixels.
    Int16 TitleX;
    Int16 TitleY;
    // The landscape the next scene change loads: 0 plains, 1 forest, 2 hills.
    Int16 SceneIndex;
    platform::Picture SceneBackground;
    platform::Picture TitlePicture;
    // The stretched landscape the animation keeps while the title is open.
    const StretchedLandscape& landscape() const { return landscape_; }

  protected:
    std::unique_ptr<platform::ControlSet> createControls(platform::Window& window) override;
    void Form_Load() override;
    void Form_QueryUnload() override;

  private:
    void cmdNew_Click();
    void cmdLoad_Click();
    void cmdExit_Click();
    void tmrIntro_Timer();
    void tmrMusic_Timer();

    // The title centred on the display, in canvas pixels.
    Int16 centredTitleX() const;
    // The figure's starting place: left of the middle, three quarters of the way down.
    void placeFigure();
    platform::Picture loadPicture(const char* backslashPath) const;

    // The stretched landscape each tick starts from, the title keyed on white, and where the
    // last tick drew them.
    StretchedLandscape landscape_;
    KeyedPicture title_;
    bool canvasHoldsLandscape_ = false;
    QRect titleDrawn_;
    QRect figureDrawn_;
};

}  // namespace velmora
