#pragma once

#include <memory>

#include "core/form.h"
#include "core/sprite_sheet.h"
#include "platform/pictures/picture.h"
#include "platform/pictures/surface.h"

namespace platform {
class ImageBox;
}

namespace velmora {

class ScenePainter;

// The battle screen: the party against six foes over a battlefield that fills the display.
// It is opened above the map by "Battle Test" and left through the pause menu or its close box.
// The keys choose a member, a command and a target; the timers animate the cursors, the attack
// and the foe's hit flash, each tick painting the scene again.
class frmBattle final : public Form {
  public:
    explicit frmBattle(Game& game);
    ~frmBattle() override;

    struct Controls;
    Controls& ui() const;

    // The sprite sheet the battle draws from, kept until the battle closes even if the map
    // window closes first.
    const std::shared_ptr<const SpriteSheet>& sprites() const { return sprites_; }
    // What the repaints keep between ticks; null until the battle first opens.
    const ScenePainter* painter() const { return painter_.get(); }

    // The battle state. Slots are party slots for the Party arrays and foe slots for the Foe
    // arrays. Closing the screen keeps them; creation and activation re-set what they own.
    SlotArray<Int32> PartySrcX;
    SlotArray<Int32> PartySrcY;
    SlotArray<Int32> PartyX;
    SlotArray<Int32> PartyY;
    SlotArray<Int16> PartyStep;
    SlotArray<Int16> PartyTarget;
    Int16 SelectBlink;
    Int16 TargetBlink;
    SlotArray<Int32> FoeSrcX;
    SlotArray<Int32> FoeSrcY;
    SlotArray<Int32> FoeX;
    SlotArray<Int32> FoeY;
    SlotArray<Int16> FoeStep;
    SlotArray<Int16> FoeFlash;
    Int16 ActiveMember;
    SlotArray<Int16> PartyCommand;
    Int16 AttackStep;
    platform::Picture BattleBackground;

    // How a repaint turns twips into pixels: the command cursor's ticks round the quotient,
    // the other timers drop its remainder.
    enum class Quotient { Rounded, Whole };

    // Paints the whole scene from the battle state: the stretched background, the four panels
    // showing the battlefield behind them, then member i and foe i for i = 1 to 6, a foe only
    // while it has hit points left. `leaveOut` names a foe slot not to draw (0: none).
    void RepaintBattle(Quotient quotient, int leaveOut = 0);

    // By default a repaint redraws, and shows again, only what changed since the previous
    // one. The plain repaint redraws everything every time; both leave the same pixels, and
    // the plain one is kept as the reference the other is held to.
    void usePlainRepaint(bool on) { plainRepaint_ = on; }

    // The timers' ticks. The window's timers call them; public so that a benchmark can run one
    // tick on its own.
    void tmrSelect_Timer();
    void tmrTarget_Timer();
    void tmrAttack_Timer();
    void tmrFoeHit_Timer();
    void tmrFoeAttack_Timer();

  protected:
    std::unique_ptr<platform::ControlSet> createControls(platform::Window& window) override;
    void Form_Load() override;
    void Form_Activate() override;
    void Form_KeyDown(Int16 keyCode, Int16 shift) override;
    void Form_QueryUnload() override;

  private:
    // Form_Load's steps.
    void stretchBackgroundOnce();
    void writePartyPanel();
    // Form_Activate's steps.
    void placeFigures();
    void drawEveryFigure();
    void copyBattlefieldIntoPanels();

    // The rules of the keyboard, one per key.
    void keyLeft();
    void keyRight();
    void keyUpDown(int delta);
    void keySpace();
    void keyCtrl();
    void startTargetChoice();

    // The walking frame of a member: the other of its two facing-right steps.
    void flipWalkingFrame(Int16 member);
    // Loads a cursor picture into `image`, shows it and centres it above the figure standing
    // at (x, y) pixels, 100 twips higher when raised.
    void showCursor(platform::ImageBox& image, const char* file, Int32 x, Int32 y, bool raised);

    // A repaint, with the hit flash of foe `flashFoe` drawn last by `flashOp` when it is not 0.
    void paintScene(Quotient quotient, int leaveOut, int flashFoe, platform::RasterOp flashOp);
    void paintPlain(Quotient quotient, int leaveOut, int flashFoe, platform::RasterOp flashOp);
    Int32 pixelsX(float twips, Quotient quotient) const;
    Int32 pixelsY(float twips, Quotient quotient) const;

    std::shared_ptr<const SpriteSheet> sprites_;
    std::unique_ptr<ScenePainter> painter_;
    bool plainRepaint_ = false;
};

}  // namespace velmora
