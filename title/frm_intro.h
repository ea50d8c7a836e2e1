#pragma once

#include "core/form.h"

namespace velmora {

// The title screen, reached through QUIT in the pause menu: New Game, Load Game and Exit.
class frmIntro final : public Form {
  public:
    explicit frmIntro(Game& game);

    struct Controls;
    Controls& ui() const;

  protected:
    std::unique_ptr<platform::ControlSet> createControls(platform::Window& window) override;
    void Form_Load() override;

  private:
    void cmdNew_Click();
    void cmdLoad_Click();
    void cmdExit_Click();
};

}  // namespace velmora
