#include "map/frm_map.h"

#include "core/game.h"
#include "map/frm_map_controls.h"

namespace velmora {

frmMap::frmMap(Game& game) : Form(game, QStringLiteral("Map")) {}

frmMap::Controls& frmMap::ui() const { return controls<Controls>(); }

std::unique_ptr<platform::ControlSet> frmMap::createControls(platform::Window& window) {
    auto c = std::make_unique<Controls>(window);
    c->picMap.setBackColor(qRgb(0, 128, 0));
    c->txtChar.setGeometry(120, 300, 555, 495);
    c->cmdBattle.setCaption(QStringLiteral("Battle Test"));
    c->cmdBattle.setGeometry(120, 2520, 1275, 615);
    c->cmdBattle.onClick([this] { cmdBattle_Click(); });
    return c;
}

void frmMap::Form_Load() {
    platform::Window& w = *window();
    w.setSizeTwips(display().widthTwips, display().heightTwips);
    w.setKeyPreview(true);
    ui().picMap.setGeometry(0, 0, w.widthTwips(), w.heightTwips());
    CharTables& tables = game().modChar;
    tables.fillSpritesAndNames();
    picChar = std::make_shared<SpriteSheet>();
    game().sprites = picChar;
    picChar->load(game().services().paths);
    tables.fillNumbers();
    // The sprite pictures are pixel images already: nothing to rescale.
    CharX[1] = 0;
    CharY[1] = 0;
}

void frmMap::Form_KeyDown(Int16 keyCode, Int16 /*shift*/) {
    constexpr int kEscape = 27;
    if (keyCode == kEscape) {
        game().frmMenu().showModal([] {});
    }
}

void frmMap::cmdBattle_Click() { game().frmBattle().show(); }

}  // namespace velmora
