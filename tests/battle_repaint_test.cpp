// The battle's repaints on displays of every kind. Redrawing only what changed must leave what
// redrawing everything leaves; and the command cursor's ticks (rounding twips to pixels) must
// not make a panel flash against the others (dropping the remainder) on odd displays.

#include <gtest/gtest.h>

#include "map/frm_map_controls.h"
#include "menu/frm_menu_controls.h"
#include "support/battle_support.h"
#include "title/frm_intro_controls.h"

using namespace testing_support;
using Controls = velmora::frmBattle::Controls;

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

// One game repaints everything every time; after every key and every 5 ms each surface of the
// other must be the same.
INSTANTIATE_TEST_SUITE_P(Screens, BattleChangedOnly,
                         ::testing::Values(Screen{1024, 768, 15, 256, 192},
                                           // the foe list is a pixel apart between the ticks
                                           Screen{1280, 720, 12, 640, 360},
                                           // the back row under the command window, and a
                                           // background stretched by no whole factor
                                           Screen{1024, 300, 15, 100, 70}));

class BattleDisplay : public ::testing::TestWithParam<Screen> {};

// Through target choice, an attack and its hit flash the panels show the same field at every
// tick of either cursor, 25 ms apart.
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

// A height of no whole multiple of four pixels, an odd width, 192 DPI (7 twips per pixel) and
// 110 DPI (13).
INSTANTIATE_TEST_SUITE_P(Screens, BattleDisplay,
                         ::testing::Values(Screen{1024, 670, 15, 256, 192},
                                           Screen{1366, 768, 15, 256, 192},
                                           Screen{1024, 768, 7, 256, 192},
                                           Screen{1024, 768, 13, 256, 192}));
