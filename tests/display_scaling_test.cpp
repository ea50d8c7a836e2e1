// Desktops whose DPI is not 96 or whose scale factor is a fraction: the display the game reads,
// the scale factors it lets the window system apply, its text on such displays, and what it
// says when no display can be reached.

#include <gtest/gtest.h>

#include <QFontMetrics>

#include "menu/frm_menu_controls.h"
#include "platform/application.h"
#include "platform/display.h"
#include "support/battle_support.h"
#include "title/frm_intro_controls.h"

using namespace testing_support;

TEST(DisplayScaling, TwipsPerPixelAreWholeAndTextKeepsTheDesktopsDpi) {
    struct Case {
        double dpi;
        float twipsPerPixel;
        int panelFontPixels;  // 12 points
    };
    for (const Case c : {Case{96, 15, 16}, Case{110, 13, 18}, Case{120, 12, 20}, Case{144, 10, 24},
                         Case{168, 9, 28}, Case{192, 7, 32}, Case{72, 20, 12}}) {
        const platform::Display d = platform::Display::ofScreen(QSize(1024, 768), c.dpi, c.dpi);
        EXPECT_EQ(d.twipsPerPixelX, c.twipsPerPixel) << c.dpi << " DPI";
        EXPECT_EQ(d.twipsPerPixelY, c.twipsPerPixel) << c.dpi << " DPI";
        EXPECT_EQ(d.widthTwips, 1024 * c.twipsPerPixel);
        EXPECT_EQ(d.heightTwips, 768 * c.twipsPerPixel);
        EXPECT_EQ(platform::makeFont({QStringLiteral("MS Sans Serif"), 12, true}, d).pixelSize(),
                  c.panelFontPixels)
            << c.dpi << " DPI";
    }
}

TEST(DisplayScaling, AFractionalScaleFactorBecomesWholeAndTheGameTakesTheRest) {
    struct Case {
        QStringList environment;
        std::vector<std::pair<QByteArray, QByteArray>> set;
        double dpiScale;
    };
    const Case cases[] = {
        {{}, {}, 1},
        {{"QT_SCALE_FACTOR=2"}, {}, 1},
        {{"QT_SCALE_FACTOR=1.5"}, {{"QT_SCALE_FACTOR", "1"}}, 1.5},
        {{"QT_SCALE_FACTOR=1.75"}, {{"QT_SCALE_FACTOR", "2"}}, 0.875},
        {{"QT_SCALE_FACTOR=0.5"}, {{"QT_SCALE_FACTOR", "1"}}, 0.5},
        {{"QT_SCREEN_SCALE_FACTORS=1.25"}, {{"QT_SCREEN_SCALE_FACTORS", "1"}}, 1.25},
        {{"QT_SCREEN_SCALE_FACTORS=DP-1=1.5;HDMI-1=2"},
         {{"QT_SCREEN_SCALE_FACTORS", "DP-1=1;HDMI-1=2"}},
         1},
        {{"QT_SCALE_FACTOR_ROUNDING_POLICY=PassThrough"},
         {{"QT_SCALE_FACTOR_ROUNDING_POLICY", "RoundPreferFloor"}},
         1},
        {{"QT_SCALE_FACTOR_ROUNDING_POLICY=Round"}, {}, 1},
    };
    for (const Case& c : cases) {
        QProcessEnvironment environment;
        for (const QString& variable : c.environment) {
            const qsizetype equals = variable.indexOf(QLatin1Char('='));
            environment.insert(variable.left(equals), variable.mid(equals + 1));
        }
        const platform::WholeScaling scaling = platform::wholeScaling(environment);
        EXPECT_EQ(scaling.environment, c.set) << c.environment.join(' ').toStdString();
        EXPECT_DOUBLE_EQ(scaling.dpiScale, c.dpiScale) << c.environment.join(' ').toStdString();
    }
}

TEST(DisplayScaling, NoDisplayToReachSaysWhatIsMissingAndWhatToInstall) {
    const QString withWayland = QStringLiteral(
        "no Qt platform plugin could be initialized.\n\nAvailable platform plugins are: "
        "offscreen, xcb, wayland-egl, wayland.");
    const QString withoutWayland = QStringLiteral(
        "no Qt platform plugin could be initialized.\n\nAvailable platform plugins are: "
        "offscreen, xcb.");
    struct Case {
        const char* wayland;
        const char* x11;
        const QString& qtMessage;
        const char* said;
    };
    const Case cases[] = {
        {"", ":173", withWayland, "the X display \":173\" cannot be reached"},
        {"wayland-0", "", withoutWayland,
         "the Wayland display \"wayland-0\" needs Qt's Wayland platform plugin, which is not "
         "installed (install the package qt6-wayland), and no X display is set (DISPLAY)"},
        {"wayland-0", ":5", withoutWayland,
         "the Wayland display \"wayland-0\" needs Qt's Wayland platform plugin, which is not "
         "installed (install the package qt6-wayland), and the X display \":5\" cannot be "
         "reached"},
        {"wayland-1", "", withWayland,
         "the Wayland display \"wayland-1\" cannot be reached, and no X display is set "
         "(DISPLAY)"},
    };
    for (const Case& c : cases) {
        QProcessEnvironment environment;
        if (*c.wayland != 0) {
            environment.insert(QStringLiteral("WAYLAND_DISPLAY"), QString::fromLatin1(c.wayland));
        }
        if (*c.x11 != 0) {
            environment.insert(QStringLiteral("DISPLAY"), QString::fromLatin1(c.x11));
        }
        EXPECT_EQ(platform::unreachableDisplay(environment, c.qtMessage).toStdString(), c.said);
    }
}

namespace {

// Where a label's or a button's text is drawn, in window pixels: as wide as the text, as high
// as the font's lines, from the control's top left (labels) or centred (buttons).
QRect textBox(const QWidget* widget, bool centred) {
    const QFontMetrics metrics(widget->font());
    const QString text = widget->property("text").toString();
    const QSize size(metrics.horizontalAdvance(text), metrics.height());
    const QRect area(widget->mapTo(widget->window(), QPoint(0, 0)), widget->size());
    if (!centred) {
        return {area.topLeft(), size};
    }
    QRect box(QPoint(0, 0), size);
    box.moveCenter(area.center());
    return box;
}

::testing::AssertionResult readable(const std::vector<std::pair<const QWidget*, bool>>& texts) {
    for (std::size_t i = 0; i < texts.size(); ++i) {
        const auto [widget, centred] = texts[i];
        const QRect box = textBox(widget, centred);
        const QString name = widget->property("text").toString();
        if (box.height() > widget->height() || box.width() > widget->width()) {
            return ::testing::AssertionFailure()
                   << name.toStdString() << " does not fit its control: " << box.width() << "x"
                   << box.height() << " in " << widget->width() << "x" << widget->height();
        }
        for (std::size_t j = i + 1; j < texts.size(); ++j) {
            if (box.intersects(textBox(texts[j].first, texts[j].second))) {
                return ::testing::AssertionFailure()
                       << name.toStdString() << " overlaps "
                       << texts[j].first->property("text").toString().toStdString();
            }
        }
    }
    return ::testing::AssertionSuccess();
}

}  // namespace

TEST(DisplayScaling, TextFitsAndNothingOverlapsOnScaledDesktops) {
    struct Screen {
        int width;
        int height;
        double dpi;
    };
    for (const Screen s : {Screen{1024, 768, 96}, Screen{1024, 768, 110}, Screen{1024, 768, 144},
                           Screen{1920, 1080, 144}, Screen{2048, 1536, 192}}) {
        SCOPED_TRACE(std::to_string(s.width) + "x" + std::to_string(s.height) + " at " +
                     std::to_string(s.dpi) + " DPI");
        const platform::Display display =
            platform::Display::ofScreen(QSize(s.width, s.height), s.dpi, s.dpi);
        Harness h(s.width, s.height, display.twipsPerPixelY);
        h.changeDisplay(display);
        openBattle(h);
        const auto& b = h.battle().ui();
        std::vector<std::pair<const QWidget*, bool>> battle;
        for (int i = 1; i <= 6; ++i) {
            for (const platform::Label* l : {&b.lblName[i], &b.lblHP[i], &b.lblMP[i]}) {
                battle.emplace_back(l->widget(), false);
            }
            battle.emplace_back(b.lblTarget[i].widget(), false);
        }
        for (int i = 1; i <= 5; ++i) {
            battle.emplace_back(b.lblChoice[i].widget(), false);
        }
        EXPECT_TRUE(readable(battle)) << "battle";

        h.press(h.battle(), Qt::Key_Escape);
        const auto& m = h.menu().ui();
        EXPECT_TRUE(readable({{m.cmdContinue.widget(), true},
                              {m.cmdSave.widget(), true},
                              {m.cmdQuit.widget(), true}}))
            << "pause menu";
        h.click(h.menu().ui().cmdQuit);
        const auto& t = h.intro().ui();
        EXPECT_TRUE(readable(
            {{t.cmdNew.widget(), true}, {t.cmdLoad.widget(), true}, {t.cmdExit.widget(), true}}))
            << "title";
    }
}
