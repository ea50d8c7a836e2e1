#pragma once

#include <memory>

#include "core/form.h"
#include "core/sprite_sheet.h"

namespace velmora {

// The battle screen: the party against six foes over a battlefield that fills the display.
// It is opened above the map by "Battle Test" and left through the pause menu or its close box.
class frmBattle final : public Form {
  public:
    explicit frmBattle(Game& game);

    struct Controls;
    Controls& ui() const;

    // The sprite sheet the battle draws from, kept until the battle closes even if the map
    // window closes first.
    const std::shared_ptr<const SpriteSheet>& sprites() const { return sprites_; }

  protected:
    std::unique_ptr<platform::ControlSet> createControls(platform::Window& window) override;
    void Form_Load() override;
    void Form_KeyDown(Int16 keyCode, Int16 shift) override;
    void Form_QueryUnload() override;

  private:
    std::shared_ptr<const SpriteSheet> sprites_;
};

}  // namespace velmora
