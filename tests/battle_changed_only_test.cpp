// The battle repaints only what changed since its previous repaint. Two games play the same
// keys on the same clock, one repainting everything every time and one repainting only the
// changes; after every step every surface of the two must hold the same pixels.

#include <gtest/gtest.h>

#include <functional>

#include "map/frm_map_controls.h"
#include "menu/frm_menu_controls.h"
#include "support/battle_support.h"
#include "title/frm_intro_controls.h"

using namespace testing_support;

namespace {

struct Display {
    int width;
    int height;
    float twipsPerPixel;
    int pictureWidth;
    int pictureHeight;
};

class Lockstep {
  public:
    explicit Lockstep(const Display& d)
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
        compare();
    }
    void key(int qtKey, int times = 1) {
        for (int i = 0; i < times; ++i) {
            both([qtKey](Harness& h) { h.press(h.battle(), qtKey); });
        }
    }
    // Advances in steps of 5 ms, comparing after each.
    void run(int ms) {
        for (int t = 0; t < ms; t += 5) {
            both([](Harness& h) { h.advance(5); });
        }
    }

    void compare() {
        ++steps_;
        if (!plain_.battle().isLoaded() || !changed_.battle().isLoaded()) {
            ASSERT_EQ(plain_.battle().isLoaded(), changed_.battle().isLoaded());
            return;
        }
        const auto& p = plain_.battle().ui();
        const auto& c = changed_.battle().ui();
        const std::pair<const platform::PictureBox*, const platform::PictureBox*> surfaces[] = {
            {&p.picMap, &c.picMap},
            {&p.picBar, &c.picBar},
            {&p.picSelect, &c.picSelect},
            {&p.picTarget, &c.picTarget},
            {&p.picMagic, &c.picMagic}};
        const char* const names[] = {"picMap", "picBar", "picSelect", "picTarget", "picMagic"};
        for (std::size_t i = 0; i < std::size(surfaces); ++i) {
            const QImage& a = surfaces[i].first->surface().image();
            const QImage& b = surfaces[i].second->surface().image();
            if (a != b) {
                ADD_FAILURE() << names[i] << " differs at step " << steps_ << ": "
                              << samePixels(b, a).message();
                ++failures_;
            }
        }
        ASSERT_EQ(p.imgSelect.widget()->geometry(), c.imgSelect.widget()->geometry());
        ASSERT_EQ(p.imgTarget.isVisible(), c.imgTarget.isVisible());
    }

    Harness& plain() { return plain_; }
    Harness& changed() { return changed_; }
    int steps() const { return steps_; }

  private:
    Harness plain_;
    Harness changed_;
    int steps_ = 0;
    int failures_ = 0;
};

// Command choice, the spell list, target choice with and without it, a confirmed spell, attacks
// with their flashes (one foe defeated and struck again), keys during the attack and the flash,
// a sprite changed from the map, and the pause menu in the middle of an attack.
void playABattle(Lockstep& g) {
    g.run(120);
    g.key(Qt::Key_Right);
    g.run(60);
    g.key(Qt::Key_Left, 2);  // member 6
    g.run(55);
    g.key(Qt::Key_Down);
    g.key(Qt::Key_Space);  // the spell list
    g.run(60);
    g.key(Qt::Key_Space);  // target choice with the list open
    g.run(70);
    g.key(Qt::Key_Down, 2);
    g.run(50);
    g.key(Qt::Key_Space);  // the spell is confirmed
    g.run(100);
    g.key(Qt::Key_Control);
    g.key(Qt::Key_Control);
    g.key(Qt::Key_Right, 3);  // member 3
    g.key(Qt::Key_Escape);
    g.both([](Harness& h) { h.click(h.menu().ui().cmdContinue); });
    g.run(75);
    for (int blow = 0; blow < 5; ++blow) {  // foe 2 falls at the fourth
        g.key(Qt::Key_Space);
        g.run(35);
        g.key(Qt::Key_Down);
        g.run(20);
        g.key(Qt::Key_Space);
        g.run(blow == 2 ? 20 : 420);
        if (blow == 2) {
            g.key(Qt::Key_Down);  // keys during the attack
            g.key(Qt::Key_Up);
            g.run(200);
            g.key(Qt::Key_Space);  // a new target choice during the flash
            g.run(200);
            g.key(Qt::Key_Left);
            g.run(50);
        }
    }
    // The leader's picture changes on the map beneath.
    g.both([](Harness& h) { h.game().modChar.PartySprite[1] = 33; });
    g.key(Qt::Key_Left, 2);  // member 1
    g.run(100);
    // Attack member 1's target again, with the pause menu opened between the two steps.
    g.key(Qt::Key_Space, 2);
    g.run(50);
    g.key(Qt::Key_Escape);
    g.run(30);
    g.both([](Harness& h) { h.click(h.menu().ui().cmdContinue); });
    g.run(500);
    g.key(Qt::Key_Up);
    g.key(Qt::Key_Space);  // Escape: nothing
    g.run(100);
}

}  // namespace

TEST(BattleChangedOnly, EverySurfaceMatchesTheFullRepaintOnA1024x768Display) {
    Lockstep g({1024, 768, 15, 256, 192});
    playABattle(g);
    EXPECT_LT(g.changed().game().modChar.FoeHP[2].value(), 0);
    EXPECT_GT(g.steps(), 500);
}

TEST(BattleChangedOnly, EverySurfaceMatchesTheFullRepaintAt12TwipsPerPixel) {
    // The foe list's place differs by a pixel between the rounding and the truncating ticks.
    Lockstep g({1280, 720, 12, 640, 360});
    playABattle(g);
}

TEST(BattleChangedOnly, EverySurfaceMatchesTheFullRepaintWhenFiguresStandUnderThePanels) {
    // A low display: the back row stands behind the command window, and the background is
    // stretched by a factor that is not whole.
    Lockstep g({1024, 300, 15, 100, 70});
    playABattle(g);
}

TEST(BattleChangedOnly, EverySurfaceMatchesTheFullRepaintAfterANewBattle) {
    Lockstep g({1024, 768, 15, 256, 192});
    g.run(100);
    g.key(Qt::Key_Space, 2);
    g.run(500);
    g.key(Qt::Key_Escape);
    g.both([](Harness& h) { h.click(h.menu().ui().cmdQuit); });
    g.both([](Harness& h) { h.click(h.intro().ui().cmdNew); });
    g.both([](Harness& h) { h.click(h.map().ui().cmdBattle); });
    g.plain().battle().usePlainRepaint(true);
    g.run(200);
    g.key(Qt::Key_Space, 2);
    g.run(500);
}
