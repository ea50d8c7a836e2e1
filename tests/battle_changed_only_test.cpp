// The battle repaints only what changed since its previous repaint. Two games play the same
// keys on the same clock, one repainting everything every time and one only the changes; after
// every step every surface of the two must hold the same pixels.

#include <gtest/gtest.h>

#include <functional>

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

class Lockstep {
  public:
    explicit Lockstep(const Screen& d)
        : plain_(d.width, d.height, d.twipsPerPixel), changed_(d.width, d.height, d.twipsPerPixel) {
        for (Harness* h : {&plain_, &changed_}) {
            writeBattlefield(h->assetFolder(), d.pictureWidth, d.pictureHeight);
            writeCursors(h->assetFolder());
        }
        plain_.battle().usePlainRepaint(true);
        both([](Harness& h) { openBattle(h); });
    }

    void both(const std::function<void(Harness&)>& step) {
        if (failures_ >= 5) {
            return;  // enough said
        }
        step(plain_);
        step(changed_);
        ++steps_;
        if (!plain_.battle().isLoaded()) {
            return;
        }
        const auto& p = plain_.battle().ui();
        const auto& c = changed_.battle().ui();
        const platform::PictureBox* const surfaces[][2] = {{&p.picMap, &c.picMap},
                                                           {&p.picBar, &c.picBar},
                                                           {&p.picSelect, &c.picSelect},
                                                           {&p.picTarget, &c.picTarget},
                                                           {&p.picMagic, &c.picMagic}};
        for (int i = 0; i < 5; ++i) {
            if (surfaces[i][0]->surface().image() != surfaces[i][1]->surface().image()) {
                ADD_FAILURE()
                    << "surface " << i << " differs at step " << steps_ << ": "
                    << samePixels(pixelsOf(*surfaces[i][1]), pixelsOf(*surfaces[i][0])).message();
                ++failures_;
            }
        }
    }
    // Plays the script in both games, comparing after every key and every 5 ms.
    void play(const char* script) {
        playScript(
            script, [this](int key) { both([key](Harness& h) { h.press(h.battle(), key); }); },
            [this](int ms) {
                for (int t = 0; t < ms; t += 5) {
                    both([](Harness& h) { h.advance(5); });
                }
            });
    }
    void click(platform::CommandButton& (*button)(Harness&)) {
        both([button](Harness& h) { h.click(button(h)); });
    }

    Harness& plain() { return plain_; }
    Harness& changed() { return changed_; }

  private:
    Harness plain_;
    Harness changed_;
    int steps_ = 0;
    int failures_ = 0;
};

platform::CommandButton& menuContinue(Harness& h) {
    return h.menu().ui().cmdContinue;
}

class BattleChangedOnly : public ::testing::TestWithParam<Screen> {};

}  // namespace

// Command choice, the spell list, target choice with and without it, a confirmed spell, attacks
// with their flashes (one foe defeated and struck again), keys during the attack and the flash,
// a sprite changed from the map, the pause menu in the middle of an attack, and a new battle.
TEST_P(BattleChangedOnly, EverySurfaceMatchesTheFullRepaint) {
    Lockstep g(GetParam());
    g.play("120 R 60 LL 55 DS 60 S 70 DD 50 S 100 CC RRR E");
    g.click(menuContinue);
    g.play("75");
    for (int blow = 0; blow < 5; ++blow) {  // foe 2 falls at the fourth
        g.play("S 35 D 20 S");
        g.play(blow == 2 ? "20 DU 200 S 200 L 50" : "420");
    }
    g.both([](Harness& h) { h.game().modChar.PartySprite[1] = 33; });  // changed on the map
    g.play("LL 100 SS 50 E 30");  // member 1 attacks, paused between the two steps
    g.click(menuContinue);
    g.play("500 US 100");
    EXPECT_LT(g.changed().game().modChar.FoeHP[2].value(), 0);

    g.play("E");
    g.click([](Harness& h) -> platform::CommandButton& { return h.menu().ui().cmdQuit; });
    g.click([](Harness& h) -> platform::CommandButton& { return h.intro().ui().cmdNew; });
    g.click([](Harness& h) -> platform::CommandButton& { return h.map().ui().cmdBattle; });
    g.plain().battle().usePlainRepaint(true);
    g.play("200 SS 500");
}

INSTANTIATE_TEST_SUITE_P(Screens, BattleChangedOnly,
                         ::testing::Values(Screen{1024, 768, 15, 256, 192},
                                           // the foe list is a pixel apart between the ticks
                                           Screen{1280, 720, 12, 640, 360},
                                           // the back row under the command window, and a
                                           // background stretched by no whole factor
                                           Screen{1024, 300, 15, 100, 70}));
