// The battle repaints only what changed since its previous repaint. Two games play the same
// keys on the same clock, one repainting everything every time and one only the changes; after
// every key and every 5 ms every surface of the two must hold the same pixels.

#include <gtest/gtest.h>

#include "map/frm_map_controls.h"
#include "menu/frm_menu_controls.h"
#include "support/battle_support.h"
#include "title/frm_intro_controls.h"

using namespace testing_support;

namespace {

struct Screen {
    int width;
    int height;
    float twipsPerPixel;
    int pictureWidth;
    int pictureHeight;
};

struct Lockstep {
    explicit Lockstep(const Screen& d)
        : games{Harness(d.width, d.height, d.twipsPerPixel),
                Harness(d.width, d.height, d.twipsPerPixel)} {}

    void both(const std::function<void(Harness&)>& step) {
        for (Harness& h : games) {
            step(h);
        }
        ++steps;
        if (!games[0].battle().isLoaded() || failures >= 5) {
            return;
        }
        const auto& p = games[0].battle().ui();
        const auto& c = games[1].battle().ui();
        const platform::PictureBox* const surfaces[][2] = {{&p.picMap, &c.picMap},
                                                           {&p.picBar, &c.picBar},
                                                           {&p.picSelect, &c.picSelect},
                                                           {&p.picTarget, &c.picTarget},
                                                           {&p.picMagic, &c.picMagic}};
        for (int i = 0; i < 5; ++i) {
            const auto same = samePixels(pixelsOf(*surfaces[i][1]), pixelsOf(*surfaces[i][0]));
            failures += same ? 0 : 1;
            EXPECT_TRUE(same) << "surface " << i << " at step " << steps;
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

    Harness games[2];  // the plain repaint, and the one of changes only
    int steps = 0;
    int failures = 0;
};

class BattleChangedOnly : public ::testing::TestWithParam<Screen> {};

}  // namespace

// Command choice, the spell list, target choice with and without it, a confirmed spell, attacks
// with their flashes (one foe defeated and struck again), keys during the attack and the flash,
// a sprite changed from the map, the pause menu in the middle of an attack, and a new battle.
TEST_P(BattleChangedOnly, EverySurfaceMatchesTheFullRepaint) {
    Lockstep g(GetParam());
    g.games[0].battle().usePlainRepaint(true);
    g.both([](Harness& h) {
        writeBattlefield(h.assetFolder(), GetParam().pictureWidth, GetParam().pictureHeight);
        writeCursors(h.assetFolder());
        openBattle(h);
    });
    auto menu = [&g](platform::CommandButton& (*button)(Harness&)) {
        g.both([button](Harness& h) { h.click(button(h)); });
    };
    auto continueBattle = [](Harness & h) -> auto& {
        return h.menu().ui().cmdContinue;
    };
    g.play("120 R 60 LL 55 DS 60 S 70 DD 50 S 100 CC RRR E");
    menu(continueBattle);
    g.play("75");
    for (int blow = 0; blow < 5; ++blow) {  // foe 2 falls at the fourth
        g.play("S 35 D 20 S");
        g.play(blow == 2 ? "20 DU 200 S 200 L 50" : "420");
    }
    g.both([](Harness& h) { h.game().modChar.PartySprite[1] = 33; });  // changed on the map
    g.play("LL 100 SS 50 E 30");  // member 1 attacks, paused between the two steps
    menu(continueBattle);
    g.play("500 US 100");
    EXPECT_LT(g.games[1].game().modChar.FoeHP[2].value(), 0);

    g.play("E");
    menu([](Harness & h) -> auto& { return h.menu().ui().cmdQuit; });
    menu([](Harness & h) -> auto& { return h.intro().ui().cmdNew; });
    menu([](Harness & h) -> auto& { return h.map().ui().cmdBattle; });
    g.play("200 SS 500");
}

INSTANTIATE_TEST_SUITE_P(Screens, BattleChangedOnly,
                         ::testing::Values(Screen{1024, 768, 15, 256, 192},
                                           // the foe list is a pixel apart between the ticks
                                           Screen{1280, 720, 12, 640, 360},
                                           // the back row under the command window, and a
                                           // background stretched by no whole factor
                                           Screen{1024, 300, 15, 100, 70}));
