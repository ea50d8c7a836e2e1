// The battle screen's creation and start: the controls where they belong, the texts of the
// party panel, the standing places, the first drawing and the see-through panels.

#include <gtest/gtest.h>

#include <QLabel>
#include <array>

#include "map/frm_map_controls.h"
#include "menu/frm_menu_controls.h"
#include "support/battle_support.h"
#include "support/test_images.h"
#include "title/frm_intro_controls.h"

using namespace testing_support;

namespace {

QRect pixelGeometry(const platform::Control& c) {
    return c.widget()->geometry();
}

bool highlighted(const platform::Label& label) {
    return label.isOpaque() && static_cast<QLabel*>(label.widget())->autoFillBackground();
}

std::array<int, 6> column(const velmora::SlotArray<velmora::Int32>& values) {
    std::array<int, 6> out{};
    for (int i = 1; i <= 6; ++i) {
        out[static_cast<std::size_t>(i - 1)] = values[i].value();
    }
    return out;
}

}  // namespace

TEST(BattleLayout, CreationPlacesEveryControlAndWritesThePanelTexts) {
    Harness h;
    openBattle(h);
    auto& c = h.battle().ui();
    EXPECT_EQ(h.battle().window()->size(), QSize(1024, 768));
    EXPECT_EQ(pixelGeometry(c.picMap), QRect(0, 0, 1024, 768));
    EXPECT_EQ(pixelGeometry(c.picBar), QRect(0, 0, 1024, 192)) << "a quarter of the height";
    EXPECT_EQ(c.picBar.height(), 2880.0F);

    // Six columns at 0, 1/9 ... 5/9 of the panel's width, three rows of 300 twips.
    const std::array<float, 6> lefts{0,    15360 / 9.0F,  15360 / 4.5F,
                                     5120, 15360 / 2.25F, 15360 / 1.8F};
    const char* const names[] = {"Tov", "Ilvaine", "Darsic", "Corwyth", "Salora", "Bregan"};
    for (int i = 1; i <= 6; ++i) {
        SCOPED_TRACE(i);
        for (const platform::Label* l : {&c.lblName[i], &c.lblHP[i], &c.lblMP[i]}) {
            EXPECT_FLOAT_EQ(l->left(), lefts[static_cast<std::size_t>(i - 1)]);
            EXPECT_EQ(l->width(), 1485.0F);
            EXPECT_EQ(l->height(), 300.0F);
            EXPECT_FALSE(highlighted(*l));
        }
        EXPECT_EQ(c.lblName[i].top(), 0.0F);
        EXPECT_EQ(c.lblHP[i].top(), 300.0F);
        EXPECT_EQ(c.lblMP[i].top(), 600.0F);
        EXPECT_EQ(c.lblName[i].caption(), QLatin1String(names[i - 1]));
        EXPECT_EQ(c.lblHP[i].caption(), QStringLiteral("HP: 10/10"));
        EXPECT_EQ(c.lblMP[i].caption(), QStringLiteral("MP: 10/10"));
        EXPECT_EQ(c.lblName[i].widget()->parentWidget(), c.picBar.widget());
    }
    EXPECT_FLOAT_EQ(c.lblName[2].left(), 1706.6666F);
    EXPECT_FLOAT_EQ(c.lblName[6].left(), 8533.333F);

    const char* const foes[] = {"Muffin Man",      "WereWolf", "WereTiger",
                                "Reptile Warrior", "Golem",    "Fairy"};
    for (int i = 1; i <= 6; ++i) {
        EXPECT_EQ(c.lblTarget[i].caption(), QLatin1String(foes[i - 1]));
        EXPECT_EQ(pixelGeometry(c.lblTarget[i]), QRect(0, (i - 1) * 24, 173, 25));
        EXPECT_FALSE(highlighted(c.lblTarget[i]));
    }
    const char* const commands[] = {"Attack", "Magic/Tech", "Guard", "Item", "Escape"};
    for (int i = 1; i <= 5; ++i) {
        EXPECT_EQ(c.lblChoice[i].caption(), QLatin1String(commands[i - 1]));
        EXPECT_EQ(pixelGeometry(c.lblChoice[i]), QRect(0, (i - 1) * 24, 125, 25));
        EXPECT_EQ(highlighted(c.lblChoice[i]), i == 1) << "the active member's command";
    }
    EXPECT_EQ(c.lblSpell[0].caption(), QStringLiteral("Spell 1"));
    EXPECT_THROW(c.lblSpell[1], platform::RuntimeError) << "the spell list has index 0 only";
    EXPECT_THROW(c.lblChoice[6], platform::RuntimeError);

    // The panels, placed by the start; the spell list hidden at its design place.
    EXPECT_EQ(pixelGeometry(c.picSelect), QRect(0, 192, 129, 125));
    EXPECT_EQ(pixelGeometry(c.picTarget), QRect(851, 0, 173, 149));
    EXPECT_FALSE(c.picMagic.isVisible());
    EXPECT_EQ(pixelGeometry(c.picMagic), QRect(144, 304, 129, 125));
    EXPECT_FALSE(c.imgSelect.isVisible());
    EXPECT_FALSE(c.imgTarget.isVisible());
    EXPECT_EQ(pixelGeometry(c.imgSelect), QRect(104, 144, 30, 32));
    EXPECT_EQ(pixelGeometry(c.imgTarget), QRect(144, 144, 30, 32));

    // Timers: the command cursor runs, the foes' attack and tmrHit never do.
    EXPECT_EQ(c.tmrSelect.interval(), 50);
    for (const platform::Timer* t :
         {&c.tmrTarget, &c.tmrAttack, &c.tmrFoeHit, &c.tmrFoeAttack, &c.tmrMagic, &c.tmrHit}) {
        EXPECT_EQ(t->interval(), 0);
    }
    EXPECT_EQ(h.battle().ActiveMember.value(), 1);
}

TEST(BattleLayout, LabelsHaveTheirFontsAndColours) {
    Harness h;
    openBattle(h);
    auto& c = h.battle().ui();
    auto check = [](const platform::Label& l, int pixels, QRgb text) {
        const auto* q = static_cast<QLabel*>(l.widget());
        EXPECT_EQ(q->font().pixelSize(), pixels);
        EXPECT_TRUE(q->font().bold());
        EXPECT_EQ(q->palette().color(QPalette::WindowText).rgb() & 0xFFFFFF, text);
    };
    check(c.lblName[3], 16, 0x000000);  // 12 points at 15 twips per pixel
    check(c.lblHP[3], 16, 0xFF0000);
    check(c.lblMP[3], 16, 0x0000FF);
    check(c.lblChoice[2], 18, 0xFF8000);  // 13.5 points
    check(c.lblTarget[4], 18, 0xFF8000);
    check(c.lblSpell[0], 18, 0xFF8000);
    // A highlighted line shows a red background.
    const auto* attack = static_cast<QLabel*>(c.lblChoice[1].widget());
    EXPECT_EQ(attack->palette().color(QPalette::Window).rgb() & 0xFFFFFF, 0xFF0000u);
}

TEST(BattleLayout, TheCursorsLieOnTheBattlefieldUnderEveryPanel) {
    Harness h;
    openBattle(h);
    auto& c = h.battle().ui();
    EXPECT_EQ(c.imgSelect.widget()->parentWidget(), c.picMap.widget());
    EXPECT_EQ(c.imgTarget.widget()->parentWidget(), c.picMap.widget());
    const QObjectList& onField = c.picMap.widget()->children();
    EXPECT_LT(onField.indexOf(c.imgSelect.widget()), onField.indexOf(c.picBar.widget()));
    EXPECT_LT(onField.indexOf(c.imgTarget.widget()), onField.indexOf(c.picBar.widget()));
    const QObjectList& inWindow = h.battle().window()->children();
    const auto field = inWindow.indexOf(c.picMap.widget());
    for (platform::PictureBox* panel : {&c.picSelect, &c.picTarget, &c.picMagic}) {
        EXPECT_GT(inWindow.indexOf(panel->widget()), field);
    }
}

TEST(BattleLayout, NumberTextsOfNegativeValues) {
    Harness h;
    h.start();
    auto& t = h.game().modChar;
    t.PartyHP[2] = -3;
    t.PartyMaxMP[4] = -5;
    t.PartyMP[4] = 0;
    h.click(h.map().ui().cmdBattle);
    auto& c = h.battle().ui();
    EXPECT_EQ(c.lblHP[2].caption(), QStringLiteral("HP:-3/10"));
    EXPECT_EQ(c.lblMP[4].caption(), QStringLiteral("MP: 0/-5"));
}

TEST(BattleStart, StandingPlacesByTheRoundedQuotient) {
    Harness h;
    openBattle(h);
    const auto& b = h.battle();
    EXPECT_EQ(column(b.PartyX), (std::array{256, 256, 256, 93, 93, 93}));
    EXPECT_EQ(column(b.PartyY), (std::array{404, 512, 614, 404, 512, 614}));
    EXPECT_EQ(column(b.FoeX), (std::array{683, 683, 683, 853, 853, 853}));
    EXPECT_EQ(column(b.FoeY), (std::array{404, 512, 614, 404, 512, 614}));
    EXPECT_EQ(column(b.PartySrcY), (std::array{32, 32, 32, 32, 32, 32}));
    EXPECT_EQ(column(b.FoeSrcY), (std::array{96, 96, 96, 96, 96, 96}));

    Harness wide(1280, 720, 12);
    openBattle(wide);
    EXPECT_EQ(column(wide.battle().PartyX), (std::array{320, 320, 320, 116, 116, 116}));
    EXPECT_EQ(column(wide.battle().FoeX), (std::array{853, 853, 853, 1067, 1067, 1067}));
    EXPECT_EQ(column(wide.battle().FoeY), (std::array{379, 480, 576, 379, 480, 576}));

    // Exactly half a pixel goes to the even neighbour: 256.5 to 256, 257.5 to 258.
    Harness even(1026, 768);
    openBattle(even);
    EXPECT_EQ(even.battle().PartyX[1].value(), 256);
    Harness odd(1030, 768);
    openBattle(odd);
    EXPECT_EQ(odd.battle().PartyX[1].value(), 258);
}

TEST(BattleStart, DrawsEveryFigureOverTheStretchedBackgroundAndCopiesItIntoThePanels) {
    Harness h;
    writeBattlefield(h.assetFolder(), 256, 192);
    h.start();
    h.game().modChar.FoeHP[3] = 0;  // drawn by the start all the same
    h.click(h.map().ui().cmdBattle);
    auto& c = h.battle().ui();
    std::vector<ExpectedFigure> all;
    for (int i = 1; i <= 6; ++i) {
        const auto& b = h.battle();
        const auto& t = h.game().modChar;
        all.push_back({t.PartySprite[i].value(), 0, 32, b.PartyX[i].value(), b.PartyY[i].value()});
        all.push_back({t.FoeSprite[i].value(), 0, 96, b.FoeX[i].value(), b.FoeY[i].value()});
    }
    const QImage field = expectedBattlefield(1024, 768, 4, 4, all);
    EXPECT_TRUE(samePixels(pixelsOf(c.picMap), field));
    EXPECT_TRUE(samePixels(pixelsOf(c.picBar), field.copy(0, 0, 1024, 192)));
    EXPECT_TRUE(samePixels(pixelsOf(c.picSelect), field.copy(0, 192, 129, 125)));
    EXPECT_TRUE(samePixels(pixelsOf(c.picTarget), field.copy(851, 0, 173, 149)));

    // The first repaint leaves the defeated foe out.
    h.advance(50);
    EXPECT_TRUE(
        samePixels(pixelsOf(c.picMap), expectedBattlefield(1024, 768, 4, 4, repaintFigures(h))));
    EXPECT_EQ(repaintFigures(h).size(), 11u);
}

TEST(BattleStart, AFigureUnderAPanelShowsInItUntilTheFirstRepaint) {
    // On a low display the back row stands behind the command window.
    Harness h(1024, 300);
    writeBattlefield(h.assetFolder(), 256, 75);
    openBattle(h);
    const auto& b = h.battle();
    auto& c = h.battle().ui();
    ASSERT_EQ(pixelGeometry(c.picSelect), QRect(0, 75, 129, 125));
    const int x = b.PartyX[4].value();
    const int y = b.PartyY[4].value();
    ASSERT_EQ(x, 93);
    ASSERT_EQ(y, 158);
    // A figure pixel of member 4 (sprite 8), seen through the command window.
    const QRgb figure = figureColour(8, 0, 32) & 0xFFFFFF;
    EXPECT_EQ(c.picSelect.surface().pixel(x + 20, y + 20 - 75), figure);
    h.advance(50);
    EXPECT_EQ(c.picSelect.surface().pixel(x + 20, y + 20 - 75),
              battlefieldPixel((x + 20) / 4, (y + 20) / 4) & 0xFFFFFF)
        << "the panels are refreshed before the figures are drawn";
    EXPECT_EQ(c.picMap.surface().pixel(x + 20, y + 20), figure);
}

TEST(BattleStart, ReactivationAfterThePauseMenuStartsAgainButKeepsTheChoices) {
    Harness h;
    openBattle(h);
    auto& b = h.battle();
    auto& c = b.ui();
    pressInBattle(h, Qt::Key_Down);   // member 1: Magic/Tech
    pressInBattle(h, Qt::Key_Right);  // member 2, whose command is Attack
    pressInBattle(h, Qt::Key_Right);  // member 3
    EXPECT_EQ(c.picSelect.left(), c.lblName[3].left());
    pressInBattle(h, Qt::Key_Space);  // member 3 targets
    h.advance(150);
    EXPECT_EQ(b.PartySrcX[3].value(), 32) << "three walking steps of member 3";
    const int blink = b.SelectBlink.value();

    pressInBattle(h, Qt::Key_Escape);
    ASSERT_TRUE(h.menu().isVisible());
    h.advance(50);  // the battle's timers tick under the menu
    EXPECT_NE(b.SelectBlink.value(), blink);
    h.clearJournal();
    h.click(h.menu().ui().cmdContinue);
    EXPECT_EQ(h.journal(), (std::vector<std::string>{"close Menu", "activate Battle"}));
    EXPECT_EQ(b.ActiveMember.value(), 3);
    EXPECT_EQ(b.PartySrcX[3].value(), 0) << "every figure back to its first frame";
    EXPECT_EQ(b.PartyStep[3].value(), 0);
    EXPECT_EQ(c.picSelect.left(), 0.0F) << "the command window back under column 1";
    EXPECT_EQ(c.tmrTarget.interval(), 50) << "the target choice goes on";
    EXPECT_TRUE(highlighted(c.lblChoice[1]));
    EXPECT_TRUE(highlighted(c.lblChoice[2])) << "two commands highlighted";
}

TEST(BattleStart, ReactivationDuringAnAttackPutsTheAttackerBackAndRestartsTheCursor) {
    Harness h;
    openBattle(h);
    auto& b = h.battle();
    pressInBattle(h, Qt::Key_Space, 2);
    h.advance(50);
    EXPECT_EQ(b.PartyX[1].value(), 286);
    pressInBattle(h, Qt::Key_Escape);
    h.click(h.menu().ui().cmdContinue);
    EXPECT_EQ(b.PartyX[1].value(), 256);
    EXPECT_EQ(b.ui().tmrSelect.interval(), 50);
    h.advance(50);  // the attack's second step stops the command cursor again
    EXPECT_EQ(b.ui().tmrSelect.interval(), 0);
    EXPECT_EQ(b.PartyX[1].value(), 226);
    EXPECT_EQ(h.game().modChar.FoeHP[1].value(), 7);
}

TEST(BattleStart, ANewBattleAfterQuitStartsWithMemberOneAndAttackButKeepsTargets) {
    Harness h;
    openBattle(h);
    pressInBattle(h, Qt::Key_Right);
    pressInBattle(h, Qt::Key_Space);
    pressInBattle(h, Qt::Key_Down, 3);
    pressInBattle(h, Qt::Key_Control);  // cancels: member 2 keeps target 4
    pressInBattle(h, Qt::Key_Up);       // member 2: Escape
    EXPECT_EQ(h.battle().PartyCommand[2].value(), 5);
    pressInBattle(h, Qt::Key_Escape);
    h.click(h.menu().ui().cmdQuit);
    EXPECT_FALSE(h.battle().isLoaded());
    h.click(h.intro().ui().cmdNew);
    h.click(h.map().ui().cmdBattle);
    const auto& b = h.battle();
    EXPECT_EQ(b.ActiveMember.value(), 1);
    for (int i = 1; i <= 6; ++i) {
        EXPECT_EQ(b.PartyCommand[i].value(), 1);
    }
    EXPECT_EQ(b.PartyTarget[2].value(), 4) << "targets carry over into the next battle";
    EXPECT_EQ(b.ui().tmrTarget.interval(), 0);
}

TEST(BattleStart, KeepsFightingFromTheSpriteSheetAfterTheMapWindowClosed) {
    Harness h;
    writeBattlefield(h.assetFolder(), 256, 192);
    openBattle(h);
    h.activate(h.map());
    h.closeBox(h.map());
    ASSERT_FALSE(h.map().isLoaded());
    h.activate(h.battle());
    pressInBattle(h, Qt::Key_Space, 2);
    h.advance(300);
    EXPECT_EQ(h.game().modChar.FoeHP[1].value(), 7);
    h.advance(50);
    EXPECT_TRUE(samePixels(pixelsOf(h.battle().ui().picMap),
                           expectedBattlefield(1024, 768, 4, 4, repaintFigures(h))));
}
