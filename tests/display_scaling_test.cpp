// Desktops whose DPI is not 96 or whose scale factor is a fraction: the display the game reads,
// the scale factors it lets the window system apply, and its text on such displays. (What it
// says when no display can be reached: tests/e2e/no_display.sh and wayland.sh.)
#include <gtest/gtest.h>

#include <QFontMetrics>

#include "battle/frm_battle_controls.h"
#include "map/frm_map_controls.h"
#include "menu/frm_menu_controls.h"
#include "platform/application.h"
#include "support/harness.h"
#include "title/frm_intro_controls.h"

namespace {

TEST(DisplayScaling, TwipsPerPixelAreWholeAHalfGoingDownAndTextKeepsTheDpi) {
    const std::tuple<double, float, int> cases[] = {// DPI, twips per pixel, 12-point text
                                                    {96, 15, 16},  {110, 13, 18}, {120, 12, 20},
                                                    {144, 10, 24}, {168, 9, 28},  {192, 7, 32},
                                                    {72, 20, 12}};
    for (const auto& [dpi, twipsPerPixel, fontPixels] : cases) {
        const platform::Display d = platform::Display::ofScreen(QSize(1024, 768), dpi, dpi);
        EXPECT_EQ(QSizeF(d.twipsPerPixelX, d.twipsPerPixelY), QSizeF(twipsPerPixel, twipsPerPixel))
            << dpi << " DPI";
        EXPECT_EQ(QSizeF(d.widthTwips, d.heightTwips), QSizeF(1024, 768) * twipsPerPixel);
        EXPECT_EQ(platform::makeFont({QStringLiteral("MS Sans Serif"), 12, true}, d).pixelSize(),
                  fontPixels)
            << dpi << " DPI";
    }
}

TEST(DisplayScaling, AFractionalScaleFactorBecomesWholeAndTheGameTakesTheRest) {
    using Set = std::vector<std::pair<QByteArray, QByteArray>>;
    const std::tuple<const char*, Set, double> cases[] = {
        {"", {}, 1},
        {"QT_SCALE_FACTOR=1.5", {{"QT_SCALE_FACTOR", "1"}}, 1.5},
        {"QT_SCALE_FACTOR=1.75", {{"QT_SCALE_FACTOR", "2"}}, 0.875},
        {"QT_SCREEN_SCALE_FACTORS=1.25", {{"QT_SCREEN_SCALE_FACTORS", "1"}}, 1.25},
        {"QT_SCREEN_SCALE_FACTORS=DP-1=1.5;HDMI-1=2",
         {{"QT_SCREEN_SCALE_FACTORS", "DP-1=1;HDMI-1=2"}},
         1},
        {"QT_SCALE_FACTOR_ROUNDING_POLICY=PassThrough",
         {{"QT_SCALE_FACTOR_ROUNDING_POLICY", "RoundPreferFloor"}},
         1},
    };
    for (const auto& [variable, set, dpiScale] : cases) {
        QProcessEnvironment environment;
        const QString v = QLatin1String(variable);
        if (!v.isEmpty()) {
            environment.insert(v.section(QLatin1Char('='), 0, 0), v.section(QLatin1Char('='), 1));
        }
        const platform::WholeScaling scaling = platform::wholeScaling(environment);
        EXPECT_EQ(scaling.environment, set) << variable;
        EXPECT_DOUBLE_EQ(scaling.dpiScale, dpiScale) << variable;
    }
}

// Each text fits its control and overlaps no other: a label's from its top left, a button's
// centred, as wide as the text and as high as the font's lines.
::testing::AssertionResult readable(const std::vector<const QWidget*>& widgets) {
    std::vector<QRect> boxes;
    for (const QWidget* w : widgets) {
        const QFontMetrics metrics(w->font());
        const QString text = w->property("text").toString();
        QRect box(w->mapTo(w->window(), QPoint(0, 0)),
                  QSize(metrics.horizontalAdvance(text), metrics.height()));
        if (w->inherits("QAbstractButton")) {
            box.moveCenter(QRect(box.topLeft(), w->size()).center());
        }
        for (const QRect& other : boxes) {
            if (box.intersects(other)) {
                return ::testing::AssertionFailure() << text.toStdString() << " overlaps";
            }
        }
        if (box.width() > w->width() || box.height() > w->height()) {
            return ::testing::AssertionFailure() << text.toStdString() << " does not fit";
        }
        boxes.push_back(box);
    }
    return ::testing::AssertionSuccess();
}

TEST(DisplayScaling, TextFitsAndNothingOverlapsOnScaledDesktops) {
    for (const auto& [width, height, dpi] : {std::tuple{1024, 768, 96.},
                                             {1024, 768, 110.},
                                             {1024, 768, 144.},
                                             {1920, 1080, 144.},
                                             {2048, 1536, 192.}}) {
        SCOPED_TRACE(std::to_string(width) + " pixels wide at " + std::to_string(dpi) + " DPI");
        const platform::Display display = platform::Display::ofScreen({width, height}, dpi, dpi);
        testing_support::Harness h(width, height, display.twipsPerPixelY);
        h.changeDisplay(display);
        h.start();
        h.click(h.map().ui().cmdBattle);
        auto& b = h.battle().ui();
        std::vector<const QWidget*> battle;
        for (int i = 1; i <= 6; ++i) {
            for (platform::Label* l : {&b.lblName[i], &b.lblHP[i], &b.lblMP[i], &b.lblTarget[i]}) {
                battle.push_back(l->widget());
            }
        }
        for (int i = 1; i <= 5; ++i) {
            battle.push_back(b.lblChoice[i].widget());
        }
        EXPECT_TRUE(readable(battle)) << "battle";
        h.press(h.battle(), Qt::Key_Escape);
        auto& m = h.menu().ui();
        EXPECT_TRUE(readable({m.cmdContinue.widget(), m.cmdSave.widget(), m.cmdQuit.widget()}));
        h.click(m.cmdQuit);
        auto& t = h.intro().ui();
        EXPECT_TRUE(readable({t.cmdNew.widget(), t.cmdLoad.widget(), t.cmdExit.widget()}));
    }
}

}  // namespace
