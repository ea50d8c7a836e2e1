// The battle screen's controls as designed, and what its creation and closing do: the window
// fills the display, the background is stretched over the battlefield once, and the party panel
// and the foe list get their texts.

#include "battle/frm_battle.h"

#include "battle/frm_battle_controls.h"
#include "battle/scene_painter.h"
#include "core/game.h"

namespace velmora {
namespace {

constexpr QRgb kBlack = qRgb(0, 0, 0);
constexpr QRgb kRed = qRgb(255, 0, 0);
constexpr QRgb kBlue = qRgb(0, 0, 255);
constexpr QRgb kOrange = qRgb(255, 128, 0);

const platform::FontSpec kPanelFont{QStringLiteral("MS Sans Serif"), 12, true};
const platform::FontSpec kListFont{QStringLiteral("MS Sans Serif"), 13.5, true};

void designLabel(platform::Label& label, const QString& caption, const platform::FontSpec& font,
                 QRgb foreColor, QRgb backColor) {
    label.setCaption(caption);
    label.setFont(font);
    label.setForeColor(foreColor);
    label.setBackColor(backColor);
    label.setOpaque(false);
}

// A list line (command, foe or spell): orange on a red background that shows when highlighted.
void designListLine(platform::Label& label, const QString& caption, float top, float width) {
    designLabel(label, caption, kListFont, kOrange, kRed);
    label.setGeometry(0, top, width, 375);
}

// The decimal digits of a value, after a blank when it is 0 or more and after "-" when not.
QString numberText(Int16 value) {
    return value.value() < 0 ? QString::number(value.value())
                             : QLatin1Char(' ') + QString::number(value.value());
}

// "HP: 10/10": the current value's number text, and the maximum's without its leading blank.
QString pointsText(const char* name, Int16 current, Int16 maximum) {
    return QLatin1String(name) + numberText(current) + QLatin1Char('/') +
           numberText(maximum).trimmed();
}

}  // namespace

frmBattle::Controls::Controls(platform::Window& window, frmBattle& battle)
    : picMap(window),
      imgSelect(picMap),
      imgTarget(picMap),
      picBar(static_cast<platform::Container&>(picMap)),
      lblName(picBar),
      lblHP(picBar),
      lblMP(picBar),
      picSelect(window),
      lblChoice(picSelect),
      picTarget(window),
      lblTarget(picTarget),
      picMagic(window),
      lblSpell(picMagic),
      tmrSelect(window, [&battle] { battle.tmrSelect_Timer(); }),
      tmrTarget(window, [&battle] { battle.tmrTarget_Timer(); }),
      tmrAttack(window, [&battle] { battle.tmrAttack_Timer(); }),
      tmrFoeHit(window, [&battle] { battle.tmrFoeHit_Timer(); }),
      tmrFoeAttack(window, [&battle] { battle.tmrFoeAttack_Timer(); }),
      tmrMagic(window, [] {}),  // a confirmed spell has no effect yet
      tmrHit(window, [] {}) {
    picMap.setGeometry(180, 720, 7260, 2940);
    imgSelect.setGeometry(1560, 2160, 450, 480);
    imgSelect.setVisible(false);
    imgTarget.setGeometry(2160, 2160, 450, 480);
    imgTarget.setVisible(false);
    picBar.setGeometry(0, 120, 7035, 1455);
    for (int i = 1; i <= 6; ++i) {
        designLabel(lblName[i], QStringLiteral("Character %1").arg(i), kPanelFont, kBlack, kRed);
        lblName[i].setGeometry(0, 0, 1485, 300);
        designLabel(lblHP[i], QStringLiteral("HP"), kPanelFont, kRed, kRed);
        lblHP[i].setGeometry(0, 300, 435, 300);
        designLabel(lblMP[i], QStringLiteral("MP"), kPanelFont, kBlue, kRed);
        lblMP[i].setGeometry(0, 600, 435, 300);
    }
    picSelect.setGeometry(180, 3780, 1935, 1875);
    const char* const commands[] = {"Attack", "Magic/Tech", "Guard", "Item", "Escape"};
    for (int i = 1; i <= 5; ++i) {
        designListLine(lblChoice[i], QString::fromLatin1(commands[i - 1]),
                       static_cast<float>((i - 1) * 360), 1875);
    }
    picTarget.setGeometry(4800, 3720, 2595, 2235);
    for (int i = 1; i <= 6; ++i) {
        designListLine(lblTarget[i], QStringLiteral("Target %1").arg(i),
                       static_cast<float>((i - 1) * 360), 2595);
    }
    picMagic.setGeometry(2160, 4560, 1935, 1875);
    picMagic.setVisible(false);
    designListLine(lblSpell[0], QStringLiteral("Spell 1"), 0, 1875);
}

frmBattle::frmBattle(Game& game) : Form(game, QStringLiteral("Battle")) {}

frmBattle::~frmBattle() = default;

frmBattle::Controls& frmBattle::ui() const {
    return controls<Controls>();
}

std::unique_ptr<platform::ControlSet> frmBattle::createControls(platform::Window& window) {
    return std::make_unique<Controls>(window, *this);
}

void frmBattle::Form_Load() {
    Controls& c = ui();
    platform::Window& w = *window();
    w.setSizeTwips(display().widthTwips, display().heightTwips);
    w.setKeyPreview(true);
    c.picMap.setGeometry(0, 0, w.widthTwips(), w.heightTwips());
    // A quarter of the battlefield, to the nearest whole pixel: on a display whose height is not
    // a multiple of four pixels the two ways of turning twips into pixels would otherwise part
    // on the panel's height and on the command window's top, and a line would flash at every
    // tick of the target choice.
    const float ty = display().twipsPerPixelY;
    c.picBar.setGeometry(
        0, 0, c.picMap.width(),
        static_cast<float>(roundedQuotient32(c.picMap.height() / 4, ty).value()) * ty);
    sprites_ = game().sprites;
    BattleBackground = platform::Picture::load(
        game().services().paths.resolve("\\Background\\Battle\\plains.gif"));
    stretchBackgroundOnce();
    if (!painter_) {
        painter_ = std::make_unique<ScenePainter>();
    }
    painter_->forget();
    ActiveMember = 1;
    writePartyPanel();
}

void frmBattle::stretchBackgroundOnce() {
    platform::Window& w = *window();
    const platform::Surface& bg = BattleBackground.surface();
    platform::stretchBlt(ui().picMap.canvas(), 0, 0,
                         wholeQuotient(w.widthTwips(), display().twipsPerPixelX).value(),
                         wholeQuotient(w.heightTwips(), display().twipsPerPixelY).value(), bg, 0, 0,
                         bg.width(), bg.height());
}

void frmBattle::writePartyPanel() {
    Controls& c = ui();
    const CharTables& t = game().modChar;
    for (int i = 1; i <= 6; ++i) {
        PartyCommand[i] = 1;
        c.lblName[i].setTop(0);
        c.lblName[i].setCaption(t.PartyName[i]);
        c.lblHP[i].setTop(c.lblName[i].top() + c.lblName[i].height());
        c.lblHP[i].setWidth(c.lblName[i].width());
        c.lblHP[i].setCaption(pointsText("HP:", t.PartyHP[i], t.PartyMaxHP[i]));
        c.lblMP[i].setTop(c.lblHP[i].top() + c.lblHP[i].height());
        c.lblMP[i].setWidth(c.lblName[i].width());
        c.lblMP[i].setCaption(pointsText("MP:", t.PartyMP[i], t.PartyMaxMP[i]));
        c.lblTarget[i].setCaption(t.FoeName[i]);
    }
    // Six columns at 0, 1/9 ... 5/9 of the panel's width; the right third stays free for the
    // foe list.
    const double divisors[] = {9, 4.5, 3, 2.25, 1.8};
    for (int i = 1; i <= 6; ++i) {
        const float left = i == 1 ? 0.0F : static_cast<float>(c.picBar.width() / divisors[i - 2]);
        c.lblName[i].setLeft(left);
        c.lblHP[i].setLeft(left);
        c.lblMP[i].setLeft(left);
    }
}

void frmBattle::Form_QueryUnload() {
    BattleBackground = platform::Picture();
    if (painter_) {
        painter_->release();
    }
    sprites_.reset();
}

}  // namespace velmora
