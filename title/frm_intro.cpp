// The title screen's layout, its loading and closing, and the three title commands.

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

frmIntro::Controls::Controls(platform::Window& window, frmIntro& intro)
    : picBack(window),
      picMenu(window),
      cmdNew(picMenu),
      cmdLoad(picMenu),
      cmdExit(picMenu),
      picChar(window),
      tmrIntro(window, [&intro] { intro.tmrIntro_Timer(); }),
      tmrMusic(window, [&intro] { intro.tmrMusic_Timer(); }) {
    window.setPalette(QPalette(Qt::black));
    picMenu.setGeometry(0, 0, 3675, 3135);
    designButton(cmdNew, "New Game", 120);
    designButton(cmdLoad, "Load Game", 780);
    designButton(cmdExit, "Exit", 2400);
    picChar.setVisible(false);
    // The panel and the canvas take part in the tab order as the buttons do.
    picMenu.widget()->setFocusPolicy(Qt::StrongFocus);
    picBack.widget()->setFocusPolicy(Qt::StrongFocus);
    QWidget::setTabOrder(picMenu.widget(), cmdNew.widget());
    QWidget::setTabOrder(cmdNew.widget(), cmdExit.widget());
    QWidget::setTabOrder(cmdExit.widget(), cmdLoad.widget());
    QWidget::setTabOrder(cmdLoad.widget(), picBack.widget());
    cmdNew.onClick([&intro] { intro.cmdNew_Click(); });
    cmdLoad.onClick([&intro] { intro.cmdLoad_Click(); });
    cmdExit.onClick([&intro] { intro.cmdExit_Click(); });
}

frmIntro::frmIntro(Game& game) : Form(game, QStringLiteral("Intro")) {}

frmIntro::Controls& frmIntro::ui() const {
    return controls<Controls>();
}

std::unique_ptr<platform::ControlSet> frmIntro::createControls(platform::Window& window) {
    return std::make_unique<Controls>(window, *this);
}

platform::Picture frmIntro::loadPicture(const char* backslashPath) const {
    return platform::Picture::load(game().services().paths.resolve(backslashPath));
}

Int16 frmIntro::centredTitleX() const {
    const float d = window()->widthTwips() / display().twipsPerPixelX - 600;
    return cint(d - static_cast<float>(cint(d).value()) / 2);
}

void frmIntro::placeFigure() {
    const platform::Display& s = display();
    IntroCharX = cint(s.widthTwips / 2 / s.twipsPerPixelX - 32);
    IntroCharY = cint(s.heightTwips / 1.3 / s.twipsPerPixelY);
}

void frmIntro::Form_Load() {
    platform::Window& w = *window();
    const platform::Display& s = display();
    Controls& c = ui();
    w.setSizeTwips(s.widthTwips, s.heightTwips);
    w.setKeyPreview(true);  // no key handler of its own

    c.picBack.setGeometry(
        0, 0, titleCanvasWidth(w.widthTwips(), w.heightTwips(), s.twipsPerPixelX, s.twipsPerPixelY),
        w.heightTwips());
    TitleX = centredTitleX();
    TitleY = 0;
    SceneBackground = loadPicture("\\Background\\hills.gif");
    TitlePicture = loadPicture("\\Pictures\\Title.jpg");

    // The first frame: the landscape and the panel; the title and the figure come with the
    // first tick.
    const platform::Surface& scene = SceneBackground.surface();
    drawLandscape(c.picBack.canvas(), scene,
                  QSize(wholeQuotient(c.picBack.height() * 3, s.twipsPerPixelX).value(),
                        wholeQuotient(c.picBack.height(), s.twipsPerPixelY).value()));
    canvasHoldsLandscape_ = false;

    c.picMenu.move(w.widthTwips() / 2 - c.picMenu.width() / 2,
                   w.heightTwips() / 2 - c.picMenu.height() / 2);
    platform::bitBlt(
        c.picMenu.canvas(), 0, 0, roundedQuotient32(c.picMenu.width(), s.twipsPerPixelX).value(),
        roundedQuotient32(c.picMenu.height(), s.twipsPerPixelY).value(), c.picBack.surface(),
        roundedQuotient32(c.picMenu.left(), s.twipsPerPixelX).value(),
        roundedQuotient32(c.picMenu.top(), s.twipsPerPixelY).value());

    const platform::Picture figure = loadPicture("\\Characters\\Char000.bmp");
    c.picChar.setGeometry(0, 0, static_cast<float>(figure.width()) * s.twipsPerPixelX,
                          static_cast<float>(figure.height()) * s.twipsPerPixelY);
    c.picChar.canvas() = figure.surface();

    placeFigure();
    c.tmrIntro.setInterval(100);
    c.tmrMusic.setInterval(100);
}

void frmIntro::Form_QueryUnload() {
    SceneBackground = platform::Picture();
    landscape_.release();
}

void frmIntro::cmdNew_Click() {
    game().frmMap().show();
    ui().tmrIntro.setInterval(0);
    StopAllSound(game().services().music);
    unload();
}

void frmIntro::cmdLoad_Click() {
    // No saved game exists: whatever is chosen, the title screen carries on as it was.
    game().services().fileDialog.showOpen(window(), QStringLiteral("Open Saved Game File"),
                                          QStringLiteral("Saved Games (*.sav)|*.sav"));
}

void frmIntro::cmdExit_Click() {
    StopAllSound(game().services().music);
    game().flow().endProgram(0);
}

}  // namespace velmora
