// The pause menu's layout: its size, the buttons' places, colours and font, the tab order, and
// whether Save Game can be pressed.

#include <gtest/gtest.h>

#include <QWidget>
#include <array>

#include "map/frm_map_controls.h"
#include "menu/frm_menu_controls.h"
#include "support/harness.h"

using testing_support::Harness;

namespace {

struct Layout {
    int width, height;
    float twipsPerPixel;
    QSize client;
    QRect panel;
    QRect cont, save, quit;
    int fontPixels;
};

}  // namespace

TEST(MenuLayout, SizesColoursFontAndTabOrderOnTwoDisplays) {
    const std::array<Layout, 2> layouts{{
        {1024, 768, 15, QSize(318, 326), QRect(0, 0, 317, 325), QRect(48, 24, 209, 41),
         QRect(48, 72, 209, 41), QRect(52, 264, 209, 41), 32},
        {1280, 720, 12, QSize(398, 408), QRect(0, 0, 396, 406), QRect(60, 30, 261, 51),
         QRect(60, 90, 261, 51), QRect(65, 330, 261, 51), 40},
    }};
    for (const Layout& l : layouts) {
        Harness h(l.width, l.height, l.twipsPerPixel);
        h.start();
        h.press(h.map(), Qt::Key_Escape);
        const auto& menu = h.menu();
        auto& c = menu.ui();
        SCOPED_TRACE(l.twipsPerPixel);
        EXPECT_EQ(menu.window()->windowTitle(), QStringLiteral("Menu"));
        EXPECT_EQ(menu.window()->size(), l.client);
        EXPECT_EQ(menu.window()->widthTwips(), 4770.f);
        EXPECT_EQ(menu.window()->heightTwips(), 4890.f);
        EXPECT_EQ(menu.window()->palette().color(QPalette::Window), QColor(128, 128, 255));
        EXPECT_EQ(c.picBack.widget()->geometry(), l.panel);
        EXPECT_EQ(c.picBack.backColor(), qRgb(128, 128, 255) & 0xFFFFFFu);
        EXPECT_EQ(c.picBack.surface().pixel(l.panel.width() - 1, l.panel.height() - 1),
                  qRgb(128, 128, 255) & 0xFFFFFFu);
        struct Button {
            const platform::CommandButton& button;
            const char* caption;
            QRect rect;
        };
        for (const Button& b :
             {Button{c.cmdContinue, "Continue", l.cont}, Button{c.cmdSave, "Save Game", l.save},
              Button{c.cmdQuit, "QUIT", l.quit}}) {
            SCOPED_TRACE(b.caption);
            EXPECT_EQ(b.button.caption(), QString::fromLatin1(b.caption));
            EXPECT_EQ(b.button.widget()->parentWidget(), c.picBack.widget());
            EXPECT_EQ(b.button.widget()->geometry(), b.rect);
            EXPECT_EQ(b.button.widget()->palette().color(QPalette::Button), QColor(0, 0, 255));
            const QFont font = b.button.widget()->font();
            EXPECT_EQ(font.family(), QStringLiteral("Liberation Sans"));
            EXPECT_TRUE(font.bold());
            EXPECT_EQ(font.pixelSize(), l.fontPixels) << "24 points";
        }
        // Tab order: the panel, Save Game, Continue, QUIT.
        const std::array<QWidget*, 4> chain{c.picBack.widget(), c.cmdSave.widget(),
                                            c.cmdContinue.widget(), c.cmdQuit.widget()};
        for (std::size_t i = 0; i + 1 < chain.size(); ++i) {
            EXPECT_EQ(chain[i]->nextInFocusChain(), chain[i + 1]) << i;
        }
        EXPECT_TRUE(c.cmdSave.isEnabled());
    }
}

TEST(MenuLayout, SaveGameIsDisabledOnlyWhileTheBattleShowsAndDoesNothing) {
    Harness h;
    h.start();
    h.press(h.map(), Qt::Key_Escape);
    EXPECT_TRUE(h.menu().ui().cmdSave.isEnabled());
    h.clearJournal();
    h.click(h.menu().ui().cmdSave);
    EXPECT_TRUE(h.journal().empty()) << "Save Game has no action";
    EXPECT_TRUE(h.menu().isVisible());
    h.click(h.menu().ui().cmdContinue);

    h.click(h.map().ui().cmdBattle);
    h.press(h.battle(), Qt::Key_Escape);
    EXPECT_FALSE(h.menu().ui().cmdSave.isEnabled());
    h.click(h.menu().ui().cmdContinue);
    h.closeBox(h.battle());
    h.press(h.map(), Qt::Key_Escape);
    EXPECT_TRUE(h.menu().ui().cmdSave.isEnabled()) << "a fresh menu, no battle showing";
}
