// The battle's keys in every phase: command choice, spell list, target choice with and without
// the list, a confirmed spell, and the pause menu.

#include <gtest/gtest.h>

#include <QApplication>
#include <QKeyEvent>
#include <QLabel>

#include "menu/frm_menu_controls.h"
#include "support/battle_support.h"

using namespace testing_support;

namespace {

bool highlighted(const platform::Label& label) {
    return label.isOpaque() && static_cast<QLabel*>(label.widget())->autoFillBackground();
}

struct KeyBattle : ::testing::Test {
    bool open() {
        openBattle(h);
        return true;
    }

    void press(int key, int times = 1) { pressInBattle(h, key, times); }
    bool targeting() const { return c.tmrTarget.interval() != 0; }
    std::vector<int> highlightedTargets() const {
        std::vector<int> out;
        for (int i = 1; i <= 6; ++i) {
            if (highlighted(c.lblTarget[i])) {
                out.push_back(i);
            }
        }
        return out;
    }
    std::vector<int> highlightedCommands() const {
        std::vector<int> out;
        for (int i = 1; i <= 5; ++i) {
            if (highlighted(c.lblChoice[i])) {
                out.push_back(i);
            }
        }
        return out;
    }
    // A key event as the window system sends it, auto-repeat or from a given physical key.
    void send(int key, bool autoRepeat, quint32 nativeKey = 0) {
        QKeyEvent event(QEvent::KeyPress, key, Qt::NoModifier, 0, nativeKey, 0, QString(),
                        autoRepeat);
        QApplication::sendEvent(h.battle().window(), &event);
        h.advance(0);
    }

    Harness h;
    // The battle is open before the members below refer to its controls.
    const bool opened = open();
    velmora::frmBattle& b = h.battle();
    const velmora::frmBattle::Controls& c = h.battle().ui();
};

}  // namespace

TEST_F(KeyBattle, LeftAndRightWrapThroughTheMembersAndMoveTheCommandWindow) {
    press(Qt::Key_Left);
    EXPECT_EQ(b.ActiveMember.value(), 6);
    EXPECT_EQ(c.picSelect.left(), c.lblName[6].left());
    press(Qt::Key_Right);
    EXPECT_EQ(b.ActiveMember.value(), 1);
    EXPECT_EQ(c.picSelect.left(), 0.0F);
    press(Qt::Key_Right, 2);
    EXPECT_EQ(b.ActiveMember.value(), 3);
    EXPECT_EQ(c.picSelect.left(), c.lblName[3].left());
    EXPECT_EQ(c.picSelect.top(), c.picBar.height()) << "only the left edge moves";
}

TEST_F(KeyBattle, UpAndDownWrapThroughTheCommandsHighlightingOne) {
    press(Qt::Key_Up);
    EXPECT_EQ(b.PartyCommand[1].value(), 5);
    EXPECT_EQ(highlightedCommands(), std::vector<int>{5});
    press(Qt::Key_Down);
    EXPECT_EQ(b.PartyCommand[1].value(), 1);
    EXPECT_EQ(highlightedCommands(), std::vector<int>{1});
    // Left and Right leave the highlight; Space acts on the new member's own command.
    press(Qt::Key_Down);
    press(Qt::Key_Right);
    EXPECT_EQ(highlightedCommands(), std::vector<int>{2});
    press(Qt::Key_Space);
    EXPECT_TRUE(targeting()) << "member 2's command is Attack";
    EXPECT_FALSE(c.picMagic.isVisible());
}

TEST_F(KeyBattle, SpaceOnGuardItemOrEscapeDoesNothing) {
    for (int command : {3, 4, 5}) {
        while (b.PartyCommand[1].value() != command) {
            press(Qt::Key_Down);
        }
        press(Qt::Key_Space);
        EXPECT_FALSE(targeting());
        EXPECT_FALSE(c.picMagic.isVisible());
        EXPECT_EQ(c.tmrSelect.interval(), 50);
        EXPECT_TRUE(b.isVisible());
    }
}

TEST_F(KeyBattle, TargetChoiceMovesTheTargetAndCancelsWithLeftOrCtrl) {
    press(Qt::Key_Space);
    EXPECT_TRUE(targeting());
    EXPECT_EQ(b.PartyTarget[1].value(), 1);
    EXPECT_EQ(highlightedTargets(), std::vector<int>{1});
    press(Qt::Key_Up);
    EXPECT_EQ(b.PartyTarget[1].value(), 6);
    EXPECT_EQ(highlightedTargets(), std::vector<int>{6});
    press(Qt::Key_Down, 2);
    EXPECT_EQ(b.PartyTarget[1].value(), 2);
    press(Qt::Key_Right);
    EXPECT_EQ(b.ActiveMember.value(), 1) << "Right is ignored while a target is chosen";
    h.advance(50);
    ASSERT_TRUE(c.imgTarget.isVisible());

    press(Qt::Key_Control);
    EXPECT_FALSE(targeting());
    EXPECT_TRUE(highlightedTargets().empty());
    EXPECT_TRUE(c.imgTarget.isVisible()) << "Ctrl leaves the target cursor";
    EXPECT_EQ(c.tmrSelect.interval(), 50);

    press(Qt::Key_Space);
    EXPECT_EQ(b.PartyTarget[1].value(), 1) << "a new choice starts at foe 1";
    press(Qt::Key_Left);
    EXPECT_FALSE(targeting());
    EXPECT_FALSE(c.imgTarget.isVisible()) << "Left hides the target cursor";
    EXPECT_EQ(b.ActiveMember.value(), 1) << "Left cancelled instead of changing the member";
}

TEST_F(KeyBattle, TheSpellListOpensBesideTheCommandWindowAndTakesTwoCancels) {
    press(Qt::Key_Right, 2);
    press(Qt::Key_Down);
    press(Qt::Key_Space);
    EXPECT_TRUE(c.picMagic.isVisible());
    EXPECT_EQ(c.picMagic.left(), c.lblName[3].left() + 1935);
    EXPECT_EQ(c.picMagic.top(), c.picBar.height() + 360);
    EXPECT_FALSE(targeting());
    // With the list open and no target: Up, Down and Right do nothing.
    press(Qt::Key_Up);
    press(Qt::Key_Right);
    EXPECT_EQ(b.PartyCommand[3].value(), 2);
    EXPECT_EQ(b.ActiveMember.value(), 3);

    press(Qt::Key_Space);
    EXPECT_TRUE(targeting());
    press(Qt::Key_Up);
    EXPECT_EQ(b.PartyTarget[3].value(), 6) << "Up moves the target with the list open";
    press(Qt::Key_Left);
    EXPECT_FALSE(targeting());
    EXPECT_TRUE(c.picMagic.isVisible()) << "the first Left cancels the target";
    press(Qt::Key_Left);
    EXPECT_FALSE(c.picMagic.isVisible()) << "the second closes the list";
    EXPECT_EQ(b.ActiveMember.value(), 3);
    press(Qt::Key_Space);
    press(Qt::Key_Control);
    EXPECT_FALSE(c.picMagic.isVisible()) << "Ctrl closes the list too";
}

TEST_F(KeyBattle, AConfirmedSpellStopsBothCursorsUntilTheScreenIsActivatedAgain) {
    press(Qt::Key_Down);
    press(Qt::Key_Space, 2);
    press(Qt::Key_Down);
    h.advance(50);
    press(Qt::Key_Space);
    EXPECT_EQ(c.tmrMagic.interval(), 50);
    EXPECT_EQ(c.tmrSelect.interval(), 0);
    EXPECT_EQ(c.tmrTarget.interval(), 0);
    EXPECT_TRUE(c.picMagic.isVisible());
    EXPECT_EQ(highlightedTargets(), std::vector<int>{2});
    EXPECT_TRUE(c.imgTarget.isVisible());
    const float cursorTop = c.imgSelect.top();
    h.advance(500);
    EXPECT_EQ(c.imgSelect.top(), cursorTop) << "nothing moves";

    // Space again: a new target choice with the list open; the old highlight stays.
    press(Qt::Key_Space);
    EXPECT_TRUE(targeting());
    EXPECT_EQ(highlightedTargets(), (std::vector<int>{1, 2}));
    EXPECT_EQ(c.tmrMagic.interval(), 50) << "the spell's timer keeps running";
    press(Qt::Key_Space);
    press(Qt::Key_Control);
    EXPECT_FALSE(c.picMagic.isVisible());
    EXPECT_EQ(c.tmrSelect.interval(), 0) << "command choice, but the cursor stays still";

    press(Qt::Key_Escape);
    h.click(h.menu().ui().cmdContinue);
    EXPECT_EQ(c.tmrSelect.interval(), 50);
}

TEST_F(KeyBattle, KeysDuringTheAttackActAsInCommandChoice) {
    press(Qt::Key_Space, 2);
    EXPECT_EQ(c.tmrAttack.interval(), 50);
    EXPECT_FALSE(targeting());
    press(Qt::Key_Down);
    EXPECT_EQ(b.PartyCommand[1].value(), 2);
    press(Qt::Key_Up);
    press(Qt::Key_Space);
    EXPECT_TRUE(targeting()) << "Space starts a new target choice";
    h.advance(50);
    EXPECT_FALSE(targeting()) << "which the attack's next step stops";
    EXPECT_EQ(b.PartyX[1].value(), 286);
}

TEST_F(KeyBattle, EscapeOpensThePauseMenuAndQuitEndsTheKeyPress) {
    press(Qt::Key_Space);
    press(Qt::Key_Escape);
    ASSERT_TRUE(h.menu().isVisible());
    EXPECT_FALSE(h.menu().ui().cmdSave.isEnabled());
    EXPECT_TRUE(targeting()) << "the battle's timers are not stopped for the menu";
    h.clearJournal();
    h.click(h.menu().ui().cmdQuit);
    EXPECT_EQ(h.journal(),
              (std::vector<std::string>{"close Menu", "load Intro", "show Intro", "close Battle",
                                        "close Map", "activate Intro"}));
    EXPECT_FALSE(h.ended());
}

TEST_F(KeyBattle, AHeldKeyRepeatsItsRuleAndBothCtrlKeysCancel) {
    send(Qt::Key_Down, false);
    send(Qt::Key_Down, true);
    send(Qt::Key_Down, true);
    EXPECT_EQ(b.PartyCommand[1].value(), 4);
    press(Qt::Key_Down, 2);  // back to Attack
    constexpr quint32 kLeftCtrl = 0xFFE3;
    constexpr quint32 kRightCtrl = 0xFFE4;
    for (quint32 ctrl : {kLeftCtrl, kRightCtrl}) {
        press(Qt::Key_Space);
        ASSERT_TRUE(targeting());
        send(Qt::Key_Control, false, ctrl);
        EXPECT_FALSE(targeting()) << std::hex << ctrl;
    }
}
