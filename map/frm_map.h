#pragma once

#include <memory>

#include "core/form.h"
#include "core/sprite_sheet.h"

namespace velmora {

// The overworld: the tile set drawn over the whole display with the party leader on top.
// Creating it starts a new game: it fills the party and foe tables and loads the sprite sheet.
class frmMap final : public Form {
public:
    explicit frmMap(Game& game);

    struct Controls;
    Controls& ui() const;

    // The leader's place and frame; only slot 1 is used. The frame and step survive a
    // re-creation of the screen, the place does not.
    SlotArray<Int32> CharSrcX;
    SlotArray<Int32> CharSrcY;
    SlotArray<Int32> CharX;
    SlotArray<Int32> CharY;
    SlotArray<Int16> CharStep;

protected:
    std::unique_ptr<platform::ControlSet> createControls(platform::Window& window) override;
    void Form_Load() override;
    void Form_KeyDown(Int16 keyCode, Int16 shift) override;

private:
    void cmdBattle_Click();

    // The sprite sheet this screen loaded; shared with the battle.
    std::shared_ptr<SpriteSheet> picChar;
};

}  // namespace velmora
