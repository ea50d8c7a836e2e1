#pragma once

#include "core/form.h"

namespace velmora {

// The pause menu: Continue, Save Game (no action; disabled while the battle screen shows) and
// QUIT to the title screen. Opened modally by Escape on the map or in battle.
class frmMenu final : public Form {
  public:
    explicit frmMenu(Game& game);

    struct Controls;
    Controls& ui() const;

  protected:
    std::unique_ptr<platform::ControlSet> createControls(platform::Window& window) override;
    void Form_Load() override;

  private:
    void cmdContinue_Click();
    void cmdQuit_Click();
};

}  // namespace velmora
