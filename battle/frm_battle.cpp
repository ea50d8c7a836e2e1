#include "battle/frm_battle.h"

#include "battle/frm_battle_controls.h"
#include "core/game.h"

namespace velmora {

frmBattle::frmBattle(Game& game) : Form(game, QStringLiteral("Battle")) {}

frmBattle::Controls& frmBattle::ui() const {
    return controls<Controls>();
}

std::unique_ptr<platform::ControlSet> frmBattle::createControls(platform::Window& window) {
    return std::make_unique<Controls>(window);
}

void frmBattle::Form_Load() {
    platform::Window& w = *window();
    w.setSizeTwips(display().widthTwips, display().heightTwips);
    w.setKeyPreview(true);
    ui().picMap.setGeometry(0, 0, w.widthTwips(), w.heightTwips());
    sprites_ = game().sprites;
}

void frmBattle::Form_KeyDown(Int16 keyCode, Int16 /*shift*/) {
    constexpr int kEscape = 27;
    if (keyCode == kEscape) {
        game().frmMenu().showModal([] {});
    }
}

void frmBattle::Form_QueryUnload() {
    sprites_.reset();
}

}  // namespace velmora
