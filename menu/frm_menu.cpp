#include "menu/frm_menu.h"

#include <QWidget>

#include "core/game.h"
#include "menu/frm_menu_controls.h"

namespace velmora {
namespace {

constexpr QRgb kMenuBlue = qRgb(128, 128, 255);
constexpr QRgb kButtonBlue = qRgb(0, 0, 255);

void designButton(platform::CommandButton& button, const char* caption, float left, float top) {
    button.setCaption(QString::fromLatin1(caption));
    button.setGeometry(left, top, 3135, 615);
    button.setBackColor(kButtonBlue);
    button.setFont({QStringLiteral("MS Sans Serif"), 24, true});
}

}  // namespace

frmMenu::frmMenu(Game& game) : Form(game, QStringLiteral("Menu")) {}

frmMenu::Controls& frmMenu::ui() const {
    return controls<Controls>();
}

std::unique_ptr<platform::ControlSet> frmMenu::createControls(platform::Window& window) {
    auto c = std::make_unique<Controls>(window);
    window.setSizeTwips(4770, 4890);
    window.setPalette(QPalette(QColor::fromRgb(kMenuBlue)));
    c->picBack.setGeometry(0, 0, 4755, 4875);
    c->picBack.setBackColor(kMenuBlue);
    c->picBack.cls();
    c->picBack.widget()->setFocusPolicy(Qt::StrongFocus);
    designButton(c->cmdContinue, "Continue", 720, 360);
    designButton(c->cmdSave, "Save Game", 720, 1080);
    designButton(c->cmdQuit, "QUIT", 780, 3960);
    QWidget::setTabOrder(c->picBack.widget(), c->cmdSave.widget());
    QWidget::setTabOrder(c->cmdSave.widget(), c->cmdContinue.widget());
    QWidget::setTabOrder(c->cmdContinue.widget(), c->cmdQuit.widget());
    c->cmdContinue.onClick([this] { cmdContinue_Click(); });
    c->cmdQuit.onClick([this] { cmdQuit_Click(); });
    // The menu sits in the middle of the display.
    const platform::Display& d = display();
    window.move(static_cast<int>((d.widthTwips - 4770) / 2 / d.twipsPerPixelX),
                static_cast<int>((d.heightTwips - 4890) / 2 / d.twipsPerPixelY));
    return c;
}

void frmMenu::Form_Load() {
    if (game().frmBattle().isVisible()) {
        ui().cmdSave.setEnabled(false);
    }
}

void frmMenu::cmdContinue_Click() {
    unload();
}

void frmMenu::cmdQuit_Click() {
    unload();
    game().frmIntro().show();
    if (game().frmBattle().isVisible()) {
        game().frmBattle().unload();
    }
    if (game().frmMap().isVisible()) {
        game().frmMap().unload();
    }
}

}  // namespace velmora
