// The pause menu's layout on two displays.
#include <gtest/gtest.h>

#include "menu/frm_menu_controls.h"
#include "support/harness.h"

TEST(MenuLayout, SizesPlacesColoursFontAndTabOrderOnTwoDisplays) {
    struct Layout {
        int width, height;
        float twipsPerPixel;
        QRect window, panel, cont, save, quit;
        int fontPixels;  // 24 points
    } const layouts[] = {
        {1024, 768, 15, QRect(353, 221, 318, 326), QRect(0, 0, 317, 325), QRect(48, 24, 209, 41),
         QRect(48, 72, 209, 41), QRect(52, 264, 209, 41), 32},
        {1280, 720, 12, QRect(441, 156, 398, 408), QRect(0, 0, 396, 406), QRect(60, 30, 261, 51),
         QRect(60, 90, 261, 51), QRect(65, 330, 261, 51), 40},
    };
    for (const Layout& l : layouts) {
        SCOPED_TRACE(l.twipsPerPixel);
        testing_support::Harness h(l.width, l.height, l.twipsPerPixel);
        h.start();
        h.press(h.map(), Qt::Key_Escape);
        const platform::Window& window = *h.menu().window();
        auto& c = h.menu().ui();
        EXPECT_EQ(window.windowTitle(), QStringLiteral("Menu"));
        EXPECT_EQ(QRect(window.pos(), window.size()), l.window) << "in the middle of the display";
        EXPECT_EQ(window.palette().color(QPalette::Window), QColor(128, 128, 255));
        EXPECT_EQ(c.picBack.widget()->geometry(), l.panel);
        EXPECT_EQ(c.picBack.surface().pixel(l.panel.width() - 1, l.panel.height() - 1), 0x8080FFu);
        for (const auto& [button, caption, rect] : {std::tuple{&c.cmdContinue, "Continue", l.cont},
                                                    {&c.cmdSave, "Save Game", l.save},
                                                    {&c.cmdQuit, "QUIT", l.quit}}) {
            const QWidget& widget = *button->widget();
            EXPECT_EQ(button->caption(), QLatin1String(caption));
            EXPECT_EQ(widget.parentWidget(), c.picBack.widget()) << caption;
            EXPECT_EQ(widget.geometry(), rect) << caption;
            EXPECT_EQ(widget.palette().color(QPalette::Button), QColor(0, 0, 255)) << caption;
            EXPECT_EQ(widget.font().family(), QStringLiteral("Liberation Sans")) << caption;
            EXPECT_TRUE(widget.font().bold()) << caption;
            EXPECT_EQ(widget.font().pixelSize(), l.fontPixels) << caption;
        }
        // Tab goes from the panel to Save Game, Continue and QUIT.
        EXPECT_EQ(c.picBack.widget()->nextInFocusChain(), c.cmdSave.widget());
        EXPECT_EQ(c.cmdSave.widget()->nextInFocusChain(), c.cmdContinue.widget());
        EXPECT_EQ(c.cmdContinue.widget()->nextInFocusChain(), c.cmdQuit.widget());
    }
}
