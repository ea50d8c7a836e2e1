#include "title/frm_intro.h"

#include <QWidget>

#include "core/game.h"
#include "title/frm_intro_controls.h"
#include "title/sound.h"

namespace velmora {
namespace {

void designButton(platform::CommandButton& button, const char* caption, float top) {
    button.setCaption(QString::fromLatin1(caption));
    button.setGeometry(240, top, 3135, 555);
    button.setBackColor(qRgb(128, 128, 255));
    button.setFont({QStringLiteral("MS Sans Serif"), 24, true});
}

}  // namespace

frmIntro::frmIntro(Game& game) : Form(game, QStringLiteral("Intro")) {}

frmIntro::Controls& frmIntro::ui() const {
    return controls<Controls>();
}

std::unique_ptr<platform::ControlSet> frmIntro::createControls(platform::Window& window) {
    auto c = std::make_unique<Controls>(window);
    window.setPalette(QPalette(Qt::black));
    c->picMenu.setGeometry(0, 0, 3675, 3135);
    designButton(c->cmdNew, "New Game", 120);
    designButton(c->cmdLoad, "Load Game", 780);
    designButton(c->cmdExit, "Exit", 2400);
    QWidget::setTabOrder(c->picMenu.widget(), c->cmdNew.widget());
    QWidget::setTabOrder(c->cmdNew.widget(), c->cmdExit.widget());
    QWidget::setTabOrder(c->cmdExit.widget(), c->cmdLoad.widget());
    QWidget::setTabOrder(c->cmdLoad.widget(), c->picBack.widget());
    c->cmdNew.onClick([this] { cmdNew_Click(); });
    c->cmdLoad.onClick([this] { cmdLoad_Click(); });
    c->cmdExit.onClick([this] { cmdExit_Click(); });
    return c;
}

void frmIntro::Form_Load() {
    platform::Window& w = *window();
    w.setSizeTwips(display().widthTwips, display().heightTwips);
    w.setKeyPreview(true);
    ui().picBack.setGeometry(0, 0, w.heightTwips() * 3, w.heightTwips());
    ui().picMenu.move(w.widthTwips() / 2 - ui().picMenu.width() / 2,
                      w.heightTwips() / 2 - ui().picMenu.height() / 2);
}

void frmIntro::cmdNew_Click() {
    game().frmMap().show();
    ui().tmrIntro.setInterval(0);
    StopAllSound(game().services().music);
    unload();
}

void frmIntro::cmdLoad_Click() {
    game().services().fileDialog.showOpen(window(), QStringLiteral("Open Saved Game File"),
                                          QStringLiteral("Saved Games (*.sav)|*.sav"));
}

void frmIntro::cmdExit_Click() {
    StopAllSound(game().services().music);
    game().flow().endProgram(0);
}

}  // namespace velmora
