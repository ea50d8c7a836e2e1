// The battle's keys in every phase: command choice, the spell list, target choice with and
// without it, a confirmed spell and keys during an attack.

#include <gtest/gtest.h>

#include <cmath>

#include "support/battle_support.h"

using namespace testing_support;

// What the keys changed, as the player can tell: the active member and the column the command
// window stands under, its command and target, the phase, the spell list's place beside the
// command window, the red arrow, the running timers, the lit commands / foes.
static std::string state(const Battle& g) {
    const auto& c = g.c;
    const int m = g.b.ActiveMember.value();
    auto n = [](auto value) { return std::to_string(value); };
    int column = 0;
    for (int i = 1; i <= 6; ++i) {
        column = c.lblName[i].left() == c.picSelect.left() ? i : column;
    }
    std::string s = "member " + n(m) + " at " + n(column) + " command " +
                    n(g.b.PartyCommand[m].value()) + " target " + n(g.b.PartyTarget[m].value());
    s += c.tmrTarget.interval() == 50 ? " targeting" : "";
    s += c.picMagic.isVisible()
             ? " list +" + n(std::lround(c.picMagic.left() - c.picSelect.left())) + " +" +
                   n(std::lround(c.picMagic.top() - c.picSelect.top()))
             : "";
    s += c.imgTarget.isVisible() ? " arrow" : "";
    s += c.tmrSelect.interval() == 50 ? " select" : "";
    s += c.tmrAttack.interval() == 50 ? " attack" : "";
    s += c.tmrMagic.interval() == 50 ? " magic" : "";
    for (bool targets : {false, true}) {
        s += targets ? " /" : " lit";
        for (int i : g.highlighted(targets)) {
            s += " " + n(i);
        }
    }
    return s;
}

TEST(BattleKeys, EachKeyFollowsItsRuleInEveryPhase) {
    Battle g(1024, 768, 15, 4);
    // One battle played key by key; each row's keys follow the row before.
    const std::pair<const char*, const char*> story[] = {
        {"L", "member 6 at 6 command 1 target 0 select lit 1 /"},  // Left from 1 wraps to 6
        {"R", "member 1 at 1 command 1 target 0 select lit 1 /"},
        {"U", "member 1 at 1 command 5 target 0 select lit 5 /"},  // Up from Attack: Escape
        {"D", "member 1 at 1 command 1 target 0 select lit 1 /"},
        // Right leaves the highlight; Space acts on member 2's own command, Attack.
        {"DR", "member 2 at 2 command 1 target 0 select lit 2 /"},
        {"S", "member 2 at 2 command 1 target 1 targeting select lit 2 / 1"},
        {"U", "member 2 at 2 command 1 target 6 targeting select lit 2 / 6"},
        {"DDR", "member 2 at 2 command 1 target 2 targeting select lit 2 / 2"},  // Right: nothing
        {"50 C", "member 2 at 2 command 1 target 2 arrow select lit 2 /"},  // Ctrl leaves the arrow
        {"S", "member 2 at 2 command 1 target 1 targeting arrow select lit 2 / 1"},
        {"L", "member 2 at 2 command 1 target 1 select lit 2 /"},  // Left hides it
        {"DS", "member 2 at 2 command 2 target 1 list +1935 +360 select lit 2 /"},
        {"UR", "member 2 at 2 command 2 target 1 list +1935 +360 select lit 2 /"},
        {"SU", "member 2 at 2 command 2 target 6 targeting list +1935 +360 select lit 2 / 6"},
        {"L", "member 2 at 2 command 2 target 6 list +1935 +360 select lit 2 /"},
        {"L", "member 2 at 2 command 2 target 6 select lit 2 /"},
        {"SC", "member 2 at 2 command 2 target 6 select lit 2 /"},
        // A confirmed spell stops both cursors; its timer runs, its target stays lit.
        {"SSD 50 S", "member 2 at 2 command 2 target 2 list +1935 +360 arrow magic lit 2 / 2"},
        {"S", "member 2 at 2 command 2 target 1 targeting list +1935 +360 arrow magic lit 2 / 1 2"},
        {"SC", "member 2 at 2 command 2 target 1 arrow magic lit 2 / 1 2"},
        // Space on Guard, Item and Escape does nothing.
        {"DS DS DS", "member 2 at 2 command 5 target 1 arrow magic lit 5 / 1 2"},
        {"DSS", "member 2 at 2 command 1 target 1 arrow attack magic lit 1 / 1 2"},
        // During the attack the keys act as in command choice; its next step stops the choice.
        {"DUS", "member 2 at 2 command 1 target 1 targeting arrow attack magic lit 1 / 1 2"},
        {"50", "member 2 at 2 command 1 target 1 arrow attack magic lit 1 / 1 2"},
    };
    for (const auto& [keys, after] : story) {
        g.keys(keys);
        EXPECT_EQ(state(g), after) << "after " << keys;
    }
}
