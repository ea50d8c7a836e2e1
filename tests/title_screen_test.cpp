// The title screen: layout, first frame, every tick against a plain reference, the scenes, the
// canvas on the displays players have, and Load Game.

#include <gtest/gtest.h>

#include <QPushButton>
#include <cmath>
#include <functional>

#include "menu/frm_menu_controls.h"
#include "platform/pictures/picture.h"
#include "support/harness.h"
#include "support/test_images.h"
#include "title/frm_intro_controls.h"

using testing_support::Harness;

namespace {

// Each landscape in colours of its own: green 20, blue 60 + its number, and the red telling
// where in the picture a pixel was sampled.
enum Scene { kHills, kPlains, kForest };
int sceneOf(QRgb p) {
    return qGreen(p) == 20 && qBlue(p) >= 60 && qBlue(p) < 63 ? qBlue(p) - 60 : -1;
}

void toTitle(Harness& h) {
    h.press(h.map(), Qt::Key_Escape);
    h.click(h.menu().ui().cmdQuit);
}

// The title screen on a display of its own, over the three test landscapes.
std::unique_ptr<Harness> titleOn(int width = 1024, int height = 768, float twipsPerPixel = 15) {
    auto h = std::make_unique<Harness>(width, height, twipsPerPixel);
    const char* names[] = {"hills", "plains", "forest"};
    for (int scene : {kHills, kPlains, kForest}) {
        const QVector<QRgb> palette{qRgb(40, 20, 60 + scene), qRgb(90, 20, 60 + scene),
                                    qRgb(140, 20, 60 + scene), qRgb(190, 20, 60 + scene)};
        testing_support::writeGif(
            h->assetFolder() + QStringLiteral("/Background/%1.gif").arg(names[scene]),
            testing_support::indexedImage(96, 40, palette,
                                          [](int x, int y) { return (x / 5 + y / 3) % 4; }));
    }
    h->start();
    toTitle(*h);
    return h;
}

int rounded(float twips, float perPixel) {
    return static_cast<int>(std::nearbyint(twips / perPixel));
}

// One animation tick done the plain way on copies of the canvas and the panel, from the screen's
// state before it: clear, stretch the landscape, copy the panel, draw the title and the figure.
std::pair<QImage, QImage> plainTick(const velmora::frmIntro& intro) {
    auto& c = intro.ui();
    const float tx = intro.window()->display().twipsPerPixelX;
    const float ty = intro.window()->display().twipsPerPixelY;
    platform::Surface canvas = c.picBack.surface();
    platform::Surface panel = c.picMenu.surface();
    canvas.fill(c.picBack.backColor());
    const platform::Surface& scene = intro.SceneBackground.surface();
    platform::stretchBlt(canvas, 0, 0, rounded(c.picBack.width(), tx),
                         rounded(c.picBack.height(), ty), scene, 0, 0, scene.width(),
                         scene.height());
    platform::bitBlt(panel, 0, 0, rounded(c.picMenu.width(), tx), rounded(c.picMenu.height(), ty),
                     canvas, rounded(c.picMenu.left() - c.picBack.left(), tx),
                     rounded(c.picMenu.top(), ty));
    platform::transparentBlt(canvas, intro.TitleX.value(), intro.TitleY.value(), 600, 113,
                             intro.TitlePicture.surface(), 0, 0, 600, 113, qRgb(255, 255, 255));
    // The figure steps right, by the second row's two frames, drawn doubled.
    platform::transparentBlt(canvas, rounded(100 + tx * intro.IntroCharX.value(), tx),
                             intro.IntroCharY.value(), 64, 64, c.picChar.surface(),
                             intro.IntroCharSrcX.value() == 0 ? 32 : 0, 32, 32, 32, 0);
    return {canvas.image(), panel.image()};
}

}  // namespace

TEST(TitleScreen, LaysOutTheButtonsOnThePanelAndLoadGameAsksForASavedGame) {
    const auto h = titleOn();
    auto& c = h->intro().ui();
    EXPECT_EQ(h->intro().window()->windowTitle(), QStringLiteral("Intro"));
    for (const auto& [button, caption, rect] :
         {std::tuple{&c.cmdNew, "New Game", QRect(16, 8, 209, 37)},
          std::tuple{&c.cmdLoad, "Load Game", QRect(16, 52, 209, 37)},
          std::tuple{&c.cmdExit, "Exit", QRect(16, 160, 209, 37)}}) {
        EXPECT_EQ(button->caption(), QString::fromLatin1(caption));
        EXPECT_EQ(button->widget()->geometry(), rect) << caption;
        EXPECT_EQ(button->widget()->palette().color(QPalette::Button), QColor(128, 128, 255));
        EXPECT_EQ(button->widget()->font().pixelSize(), 32) << "24 points at 15 twips per pixel";
    }
    // Load Game asks for a saved game; whatever is chosen, the title carries on.
    h->fileDialog.answer = h->assetFolder() + QStringLiteral("/one.sav");
    h->click(c.cmdLoad);
    ASSERT_EQ(h->fileDialog.calls.size(), 1u);
    EXPECT_EQ(h->fileDialog.calls[0].title, QStringLiteral("Open Saved Game File"));
    EXPECT_EQ(h->fileDialog.calls[0].filter, QStringLiteral("Saved Games (*.sav)|*.sav"));
    h->advance(100);
    EXPECT_EQ(h->intro().ui().picBack.widget()->x(), -7);
    EXPECT_EQ(c.picMenu.widget()->geometry(), QRect(390, 280, 245, 209)) << "the panel stays";
    EXPECT_TRUE(h->reporter.messages.empty());

    // A button keeps its look between paints, and shows each change as a plain button does.
    auto* button = static_cast<QPushButton*>(c.cmdExit.widget());
    QPushButton plain(button->text(), button->parentWidget());
    plain.setGeometry(button->geometry());
    plain.setFont(button->font());
    plain.setPalette(button->palette());
    const std::function<void(QPushButton&)> changes[] = {
        [](QPushButton&) {},
        [](QPushButton& b) { b.setDown(true); },
        [](QPushButton& b) { b.setText(QStringLiteral("Quit")); },
        [](QPushButton& b) { b.setEnabled(false); },
        [](QPushButton& b) { b.resize(150, 40); },
        [](QPushButton& b) { b.setPalette(QPalette(QColor(200, 40, 40))); }};
    for (const auto& change : changes) {
        change(*button);
        change(plain);
        ASSERT_TRUE(button->grab().toImage() == plain.grab().toImage()) << &change - changes;
    }
}

TEST(TitleScreen, TheFirstFrameShowsTheLandscapeAndThePanelAndEveryTickThatOfAPlainTick) {
    // Display, the whole quotients of the canvas's size, the panel, the figure, the title's x and
    // a scene's ticks. At 7.5 twips per pixel the rounded and whole quotients differ; at an odd
    // width, halving the title's place as a whole number would put it a pixel off; on the
    // smallest display the title reaches behind the panel, which shows only landscape.
    using P = QPoint;
    using R = QRect;
    using S = QSize;
    for (const auto& [w, hgt, tpp, stretch, panel, figure, titleX, ticksPerScene] :
         {std::tuple{1024, 768, 15.f, S(2304, 768), R(390, 280, 245, 209), P(480, 591), 212, 193},
          std::tuple{1280, 720, 12.f, S(2160, 720), R(487, 229, 306, 261), P(608, 554), 340, 106},
          std::tuple{1025, 768, 15.f, S(2304, 768), R(390, 280, 245, 209), P(480, 591), 212, 193},
          std::tuple{1024, 768, 7.5f, S(2160, 720), R(267, 175, 490, 418), P(480, 591), 212, 97},
          std::tuple{400, 300, 15.f, S(900, 300), R(78, 46, 245, 209), P(168, 231), -100, 76}}) {
        const auto h = titleOn(w, hgt, tpp);
        const velmora::frmIntro& intro = h->intro();
        auto& c = intro.ui();
        SCOPED_TRACE(testing::Message() << w << "x" << hgt << " at " << tpp);
        EXPECT_EQ(intro.window()->size(), QSize(w, hgt));
        // The canvas is three display heights wide, the panel in the middle.
        EXPECT_EQ(c.picBack.widget()->geometry(), QRect(0, 0, 3 * hgt, hgt));
        EXPECT_EQ(c.picMenu.widget()->geometry(), panel);
        EXPECT_EQ(QPoint(intro.IntroCharX.value(), intro.IntroCharY.value()), figure);
        EXPECT_EQ(QPoint(intro.TitleX.value(), intro.TitleY.value()), QPoint(titleX, 0));
        const platform::Picture hills =
            platform::Picture::load(h->assetFolder() + QStringLiteral("/Background/hills.gif"));
        platform::Surface expected(3 * hgt, hgt, c.picBack.backColor());
        platform::stretchBlt(expected, 0, 0, stretch.width(), stretch.height(), hills.surface(), 0,
                             0, 96, 40);
        // What the window shows of the canvas: no title, no figure.
        const QRect shown(0, 0, w, hgt);
        EXPECT_TRUE(c.picBack.surface().image().copy(shown) == expected.image().copy(shown));
        EXPECT_TRUE(c.picMenu.surface().image() == expected.image().copy(panel));

        // Through a change of scene, then away and back: the first tick of a visit starts from
        // its own first frame.
        for (int tick = 1; tick <= ticksPerScene + 6; ++tick) {
            if (tick == ticksPerScene + 4) {
                h->click(intro.ui().cmdNew);
                toTitle(*h);
            }
            const auto [canvas, menu] = plainTick(intro);
            h->advance(100);
            ASSERT_TRUE(intro.ui().picBack.surface().image() == canvas) << tick;
            ASSERT_TRUE(intro.ui().picMenu.surface().image() == menu) << tick;
            ASSERT_TRUE(testing_support::showsAWholeRepaint(intro.window())) << tick;
        }
    }
}

TEST(TitleScreen, ScenesLast193TicksAndCycleHillsPlainsForestOnAfterAVisitElsewhere) {
    const auto h = titleOn();
    const auto& intro = h->intro();
    auto sceneShown = [&] { return sceneOf(intro.ui().picBack.surface().pixel(1000, 400)); };
    h->advance(193 * 100);  // the canvas's left reaches -19300: the next scene begins
    EXPECT_EQ(intro.ui().picBack.widget()->x(), 0);
    EXPECT_EQ(QPoint(intro.IntroCharX.value(), intro.IntroCharY.value()), QPoint(480, 591));
    EXPECT_EQ(intro.TitleX.value(), 212);
    h->advance(100);
    EXPECT_EQ(sceneShown(), kPlains);
    h->advance(193 * 100);
    EXPECT_EQ(sceneShown(), kForest);
    // New Game closes the title, which lets its landscape go; the variables stay, and a new
    // visit starts with hills.
    h->click(intro.ui().cmdNew);
    EXPECT_TRUE(intro.SceneBackground.isNull());
    EXPECT_TRUE(intro.landscape().empty()) << "nor the landscape stretched from it";
    toTitle(*h);
    h->advance(100);
    EXPECT_EQ(sceneShown(), kHills);
    h->advance(193 * 100);
    EXPECT_EQ(sceneShown(), kHills) << "the scene after forest";
    h->advance(193 * 100);
    EXPECT_EQ(sceneShown(), kPlains);
}

TEST(TitleScreen, OnEveryDisplayTheCanvasCoversTheWindowAndAScenesLengthFollowsTheHeight) {
    // A display no wider than three heights keeps the canvas three heights wide; a wider one
    // scrolls a scene as long as a 16:9 display of the same height does, over the landscape
    // repeated at its own proportions.
    for (const auto& [w, hgt, dpi] :
         {std::tuple{1024, 768, 96}, std::tuple{1024, 670, 110}, std::tuple{3840, 1080, 96},
          std::tuple{3840, 1080, 192}, std::tuple{3840, 1080, 110}, std::tuple{5120, 1440, 96}}) {
        const float tpp = 1440.f / dpi;
        const auto h = titleOn(w, hgt, tpp);
        auto& back = h->intro().ui().picBack;
        SCOPED_TRACE(testing::Message() << w << "x" << hgt << " at " << dpi << " DPI");
        const bool wide = w > 3 * hgt;
        EXPECT_EQ(back.widget()->width(), wide ? w + hgt * 11 / 9 : 3 * hgt);
        // 100 twips a tick, until the canvas's right edge is inside the window.
        const int ticks = static_cast<int>(
            std::floor((3 * hgt - (wide ? hgt * 16 / 9 : w)) * static_cast<double>(tpp) / 100) + 1);
        for (int tick = 1; tick <= ticks + 1; ++tick) {
            h->advance(100);
            const QRect canvas = back.widget()->geometry();
            ASSERT_LE(canvas.left(), 0) << tick;
            ASSERT_GE(canvas.right(), w - 1) << tick << ": a band at the right";
            // The bottom row at the window's right edge, away from the title and the figure.
            const QRgb edge = back.surface().pixel(w - 1 - canvas.left(), hgt - 1);
            ASSERT_EQ(sceneOf(edge), tick <= ticks ? kHills : kPlains) << tick;
        }
        // The new scene's repeats join its first stretch.
        for (int x = 3 * hgt; x < back.surface().width(); x += 7) {
            ASSERT_EQ(back.surface().pixel(x, hgt - 1), back.surface().pixel(x - 3 * hgt, hgt - 1))
                << "column " << x;
        }
    }
}
