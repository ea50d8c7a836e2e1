#pragma once

#include <QString>
#include <memory>

#include "core/form.h"
#include "core/sprite_sheet.h"
#include "platform/pictures/picture.h"

namespace velmora {

// The overworld: the tile set drawn over the whole display with the party leader on top, the
// leader's sprite-number box, and a message window that types a text over the map.
// Creating it starts a new game: it fills the party and foe tables and loads the sprite sheet.
class frmMap final : public Form {
  public:
    explicit frmMap(Game& game);

    struct Controls;
    Controls& ui() const;

    // The text the message window types.
    static const QString& demonstrationText();

    // The leader (slot 1; the other slots are unused). Its frame and step phase survive a
    // re-creation of the screen, its place does not.
    SlotArray<Int32> CharSrcX;
    SlotArray<Int32> CharSrcY;
    SlotArray<Int32> CharX;
    SlotArray<Int32> CharY;
    SlotArray<Int16> CharStep;

    // The tile pass of the last DrawMap.
    Int16 TileSrcX;
    Int16 TileSrcY;
    Int16 TileCol;
    Int16 TileRow;
    Int16 ScreenPixelsX;
    Int16 ScreenPixelsY;

    platform::Picture TileSet;

    QString MessageText;
    Int16 MessageShown;

    // Redraws every tile and then the leader onto picMap.
    void DrawMap();
    // Activation: the tile set is read again (from memory while the file is unchanged on disk)
    // and the map redrawn.
    void Form_Activate() override;

  protected:
    std::unique_ptr<platform::ControlSet> createControls(platform::Window& window) override;
    void Form_Load() override;
    void Form_KeyDown(Int16 keyCode, Int16 shift) override;
    // Closing lets the tile set go: the next activation reads it again.
    void Form_QueryUnload() override;

  private:
    void cmdBattle_Click();
    void cmdText_Click();
    void txtChar_Change();
    void tmrChar_Timer();
    void tmrText_Timer();

    // The key table of walking and sprite switching, then the repaint every key schedules.
    void finishKey(Int16 keyCode);
    void walkOrSwitch(Int16 keyCode);
    void switchSprite(int delta);
    void copyMapUnderMessage();

    // The sprite sheet this screen loaded; shared with the battle.
    std::shared_ptr<SpriteSheet> picChar;
};

}  // namespace velmora
