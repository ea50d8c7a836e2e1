// The battle screen's creation, start and repaints: redrawing only what changed must leave what
// redrawing everything leaves, and on odd displays the ticks that round twips to pixels must not
// make a panel flash against those that truncate.

#include <gtest/gtest.h>

#include <QLabel>
#include <array>

#include "battle/scene_painter.h"
#include "map/frm_map_controls.h"
#include "menu/frm_menu_controls.h"
#include "support/battle_support.h"
#include "title/frm_intro_controls.h"

using namespace testing_support;
using Controls = velmora::frmBattle::Controls;

TEST(BattleLayout, CreationPlacesThePanelsAndWritesTheirTexts) {
    Harness h;
    h.start();
    h.game().modChar.PartyHP[2] = -3;
    h.game().modChar.PartyMaxMP[4] = -5;
    h.game().modChar.PartyMP[4] = 0;
    h.click(h.map().ui().cmdBattle);
    auto& c = h.battle().ui();
    EXPECT_EQ(c.picMap.widget()->geometry(), QRect(0, 0, 1024, 768));
    EXPECT_EQ(c.picBar.widget()->geometry(), QRect(0, 0, 1024, 192)) << "a quarter of the height";

    // Six columns at 0, 1/9 ... 5/9 of the panel's width, three rows of 300 twips.
    const std::array<float, 6> lefts{0, 1706.6666F, 3413.3333F, 5120, 6826.6665F, 8533.333F};
    const char* const texts[] = {
        "Tov HP: 10/10 MP: 10/10 Muffin Man",   "Ilvaine HP:-3/10 MP: 10/10 WereWolf",
        "Darsic HP: 10/10 MP: 10/10 WereTiger", "Corwyth HP: 10/10 MP: 0/-5 Reptile Warrior",
        "Salora HP: 10/10 MP: 10/10 Golem",     "Bregan HP: 10/10 MP: 10/10 Fairy"};
    for (int i = 1; i <= 6; ++i) {
        const platform::Label* rows[] = {&c.lblName[i], &c.lblHP[i], &c.lblMP[i]};
        for (int row = 0; row < 3; ++row) {
            EXPECT_FLOAT_EQ(rows[row]->left(), lefts[static_cast<std::size_t>(i - 1)]) << i;
            EXPECT_EQ(rows[row]->top(), 300.0F * static_cast<float>(row));
            EXPECT_EQ(rows[row]->width(), 1485.0F);
            EXPECT_EQ(rows[row]->widget()->parentWidget(), c.picBar.widget());
        }
        EXPECT_EQ(c.lblName[i].caption() + ' ' + c.lblHP[i].caption() + ' ' + c.lblMP[i].caption() +
                      ' ' + c.lblTarget[i].caption(),
                  QLatin1String(texts[i - 1]));
    }
    QString lists = c.lblSpell[0].caption();
    for (int i = 1; i <= 5; ++i) {
        lists += ' ' + c.lblChoice[i].caption();
    }
    EXPECT_EQ(lists, QLatin1String("Spell 1 Attack Magic/Tech Guard Item Escape"));

    // 12 points (16 pixels) in the party panel, 13.5 in the lists, whose lit line shows red.
    const auto* attack = static_cast<QLabel*>(c.lblChoice[1].widget());
    EXPECT_EQ(c.lblName[1].widget()->font().pixelSize(), 16);
    EXPECT_EQ(attack->font().pixelSize(), 18);
    EXPECT_TRUE(c.lblChoice[1].isOpaque() && attack->autoFillBackground());
    EXPECT_EQ(attack->palette().color(QPalette::Window), QColor(255, 0, 0));
    EXPECT_EQ(attack->palette().color(QPalette::WindowText), QColor(255, 128, 0));

    // The start places the command window and the foe list; the spell list waits hidden. The
    // arrows lie on the battlefield, under every panel.
    EXPECT_EQ(c.picSelect.widget()->geometry(), QRect(0, 192, 129, 125));
    EXPECT_EQ(c.picTarget.widget()->geometry(), QRect(851, 0, 173, 149));
    EXPECT_FALSE(c.picMagic.isVisible());
    const QObjectList& onField = c.picMap.widget()->children();
    for (const platform::ImageBox* arrow : {&c.imgSelect, &c.imgTarget}) {
        EXPECT_FALSE(arrow->isVisible());
        EXPECT_EQ(arrow->widget()->parentWidget(), c.picMap.widget());
        EXPECT_LT(onField.indexOf(arrow->widget()), onField.indexOf(c.picBar.widget()));
    }
}

TEST(BattleStart, StandingPlacesByTheRoundedQuotient) {
    // 1026 pixels across at 15 twips per pixel, 768 down at 12; 256.5 goes to the even 256.
    Harness h;
    h.changeDisplay(platform::Display{15390, 9216, 15, 12});
    openBattle(h);
    const auto& b = h.battle();
    const std::array<int, 4> places[] = {{256, 404, 684, 404}, {256, 512, 684, 512},
                                         {256, 614, 684, 614}, {93, 404, 855, 404},
                                         {93, 512, 855, 512},  {93, 614, 855, 614}};
    for (int i = 1; i <= 6; ++i) {  // each member's x and y, then its foe's
        EXPECT_EQ((std::array{b.PartyX[i].value(), b.PartyY[i].value(), b.FoeX[i].value(),
                              b.FoeY[i].value()}),
                  places[i - 1]);
    }
}

TEST(BattleStart, ActivationDrawsEveryFigureAndCopiesTheFieldWithItIntoThePanels) {
    // At 16 twips per pixel the foe list's left (861.8 pixels) and the command window's width
    // (120.9) lose their remainders; the back row stands behind the command window.
    Battle g(1024, 300, 16, 4);
    g.h.game().modChar.FoeHP[3] = 0;  // drawn by every activation all the same
    g.keys("E");
    g.h.click(g.h.menu().ui().cmdContinue);
    std::vector<ExpectedFigure> all = g.figures();  // every figure at its first frame
    all.push_back(
        {g.h.game().modChar.FoeSprite[3].value(), 0, 96, g.b.FoeX[3].value(), g.b.FoeY[3].value()});
    const QImage field = g.field(all);
    EXPECT_TRUE(samePixels(pixelsOf(g.c.picMap), field));
    EXPECT_TRUE(samePixels(pixelsOf(g.c.picBar), field.copy(0, 0, 1024, 75)));
    const QImage select = pixelsOf(g.c.picSelect);
    EXPECT_TRUE(samePixels(select.copy(0, 0, 120, 117), field.copy(0, 75, 120, 117)));
    EXPECT_NE(select.copy(120, 0, 1, 117), field.copy(120, 75, 1, 117));
    EXPECT_TRUE(
        samePixels(pixelsOf(g.c.picTarget).copy(0, 0, 162, 139), field.copy(861, 0, 162, 139)));

    g.h.advance(50);  // the first repaint leaves the defeated foe out, and the panels bare
    EXPECT_TRUE(g.shows(g.figures(), true));
}

TEST(BattleStart, AReturnFromThePauseMenuStartsAgainButKeepsTheChoices) {
    Battle g(1024, 768, 15, 4);
    g.keys("RRUU LD R 150");  // member 3: Item; member 2: Magic/Tech, whose line is lit
    EXPECT_EQ(g.b.PartySrcX[3].value(), 32) << "three walking steps of member 3";
    const int blink = g.b.SelectBlink.value();
    g.keys("E 50");
    EXPECT_NE(g.b.SelectBlink.value(), blink) << "the battle's timers tick under the menu";
    g.h.click(g.h.menu().ui().cmdContinue);
    EXPECT_EQ(g.b.ActiveMember.value(), 3);
    EXPECT_EQ(g.b.PartySrcX[3].value(), 0) << "every figure back to its first frame";
    EXPECT_EQ(g.c.picSelect.left(), 0.0F) << "the command window back under column 1";
    EXPECT_EQ(g.highlighted(false), (std::vector<int>{2, 4})) << "member 3's own command lit";

    // In the middle of an attack the attacker goes back to its place, and steps back from it.
    g.keys("DDSS 50 E");
    g.h.click(g.h.menu().ui().cmdContinue);
    EXPECT_EQ(g.b.PartyX[3].value(), 256);
    g.keys("50");
    EXPECT_EQ(g.b.PartyX[3].value(), 226);
}

TEST(BattleStart, TheBattleOutlivesTheMapAndANewOneKeepsOnlyTheTargets) {
    Battle g(1024, 768, 15, 4);
    g.h.activate(g.h.map());
    g.h.closeBox(g.h.map());
    g.h.activate(g.b);
    g.keys("SS 350");  // it still draws from the map's sprite sheet
    EXPECT_EQ(g.hp(1), 7);
    EXPECT_TRUE(g.shows(g.figures(), true));

    g.keys("RSDDDCU E");  // member 2 keeps target 4, and chooses Escape
    g.h.click(g.h.menu().ui().cmdQuit);
    EXPECT_TRUE(g.b.BattleBackground.isNull()) << "the closed battle lets its pictures go";
    EXPECT_EQ(g.b.sprites(), nullptr);
    EXPECT_FALSE(g.b.painter()->keepsBackground()) << "nor its stretched battlefield";
    g.h.click(g.h.intro().ui().cmdNew);
    g.h.click(g.h.map().ui().cmdBattle);
    EXPECT_EQ(g.b.ActiveMember.value(), 1);
    for (int i = 1; i <= 6; ++i) {
        EXPECT_EQ(g.b.PartyCommand[i].value(), 1);
    }
    EXPECT_EQ(g.b.PartyTarget[2].value(), 4) << "targets carry over into the next battle";
}

namespace {

struct Screen {
    int width, height, twipsPerPixel, pictureWidth, pictureHeight;
};

class BattleChangedOnly : public ::testing::TestWithParam<Screen> {
  protected:
    void both(const std::function<void(Harness&)>& step) {
        step(plain);
        step(changed);
        ++steps;
        for (auto box : {&Controls::picMap, &Controls::picBar, &Controls::picSelect,
                         &Controls::picTarget, &Controls::picMagic}) {
            if (plain.battle().isLoaded() && !HasFailure()) {  // the first difference says enough
                EXPECT_TRUE(samePixels(pixelsOf(changed.battle().ui().*box),
                                       pixelsOf(plain.battle().ui().*box)))
                    << "at step " << steps;
            }
        }
    }
    void play(const char* script) {
        playScript(
            script, [this](int key) { both([key](Harness& h) { h.press(h.battle(), key); }); },
            [this](int ms) {
                for (int t = 0; t < ms; t += 5) {
                    both([](Harness& h) { h.advance(5); });
                }
            });
    }

    const Screen s = GetParam();
    Harness plain{s.width, s.height, float(s.twipsPerPixel)};
    Harness changed{s.width, s.height, float(s.twipsPerPixel)};
    int steps = 0;
};

}  // namespace

// Command choice, the spell list, target choice with and without it, a confirmed spell, attacks
// with their flashes (one foe defeated and struck again), keys during the attack and the flash,
// a sprite changed from the map, the pause menu in the middle of an attack, and a new battle.
TEST_P(BattleChangedOnly, EverySurfaceMatchesTheFullRepaint) {
    plain.battle().usePlainRepaint(true);
    both([this](Harness& h) { openBattle(h, s.pictureWidth, s.pictureHeight); });
    play("120 R 60 LL 55 DS 60 S 70 DD 50 S 100 CC RRR E");
    both([](Harness& h) { h.click(h.menu().ui().cmdContinue); });
    play("75");
    for (int blow = 0; blow < 5; ++blow) {  // foe 2 falls at the fourth
        play(blow == 2 ? "S 35 D 20 S 20 DU 200 S 200 L 50" : "S 35 D 20 S 420");
    }
    both([](Harness& h) { h.game().modChar.PartySprite[1] = 33; });  // changed on the map
    play("LL 100 SS 50 E 30");  // member 1 attacks, paused between the two steps
    both([](Harness& h) { h.click(h.menu().ui().cmdContinue); });
    play("500 US 100 E");
    EXPECT_LT(changed.game().modChar.FoeHP[2].value(), 0);
    both([](Harness& h) {
        h.click(h.menu().ui().cmdQuit);
        h.click(h.intro().ui().cmdNew);
        h.click(h.map().ui().cmdBattle);
    });
    play("200 SS 500");
}

INSTANTIATE_TEST_SUITE_P(Screens, BattleChangedOnly,
                         ::testing::Values(Screen{1024, 768, 15, 256, 192},
                                           // the back row under the command window, and a
                                           // background stretched by no whole factor
                                           Screen{1024, 300, 15, 100, 70}));

class BattleDisplay : public ::testing::TestWithParam<Screen> {};

// Through target choice, an attack and its hit flash the panels show the same field at every
// tick of either cursor, 25 ms apart: on a height of no whole multiple of four pixels and at
// 192 DPI (7 twips per pixel).
TEST_P(BattleDisplay, ThePanelsShowTheSameFieldAtEveryTick) {
    const Screen s = GetParam();
    Battle g(s.width, s.height, float(s.twipsPerPixel), s.width / s.pictureWidth);
    g.keys("50");
    auto panels = [&g] {
        return std::vector{pixelsOf(g.c.picBar), pixelsOf(g.c.picSelect), pixelsOf(g.c.picTarget)};
    };
    const auto first = panels();
    playScript(
        "75 S 150 D 100 S 400", [&](int key) { g.h.press(g.b, key); },
        [&](int ms) {
            for (int t = 0; t < ms; t += 25) {
                g.keys("25");
                EXPECT_TRUE(panels() == first) << s.width << "x" << s.height << ", tick " << t;
            }
        });
    EXPECT_EQ(g.c.tmrSelect.interval(), 50) << "the flash has ended";
}

INSTANTIATE_TEST_SUITE_P(Screens, BattleDisplay,
                         ::testing::Values(Screen{1024, 670, 15, 256, 192},
                                           Screen{1024, 768, 7, 256, 192}));
