// The title screen: its layout, the first frame, every animation tick against a plain
// reference, the scrolling numbers and the cycle of scenes.

#include <gtest/gtest.h>

#include <QWidget>
#include <array>
#include <cmath>

#include "map/frm_map_controls.h"
#include "menu/frm_menu_controls.h"
#include "platform/picture.h"
#include "support/harness.h"
#include "support/test_images.h"
#include "title/frm_intro_controls.h"

using testing_support::figureColour;
using testing_support::Harness;
using testing_support::isFigurePixel;

namespace {

constexpr QRgb kWhite = 0xFFFFFF;

// Each landscape has a colour of its own, in a pattern that shows where a pixel was sampled.
QRgb sceneColour(int scene, int index) {
    return qRgb(40 + scene * 60, 20 + index * 50, 200 - scene * 70);
}
enum Scene { kHills, kPlains, kForest };

void writeScenes(Harness& h) {
    const char* names[] = {"hills", "plains", "forest"};
    for (int scene : {kHills, kPlains, kForest}) {
        QVector<QRgb> palette;
        for (int i = 0; i < 4; ++i) {
            palette << sceneColour(scene, i);
        }
        testing_support::writeGif(
            h.assetFolder() + QStringLiteral("/Background/%1.gif").arg(QLatin1String(names[scene])),
            testing_support::indexedImage(96, 40, palette,
                                          [](int x, int y) { return (x / 5 + y / 3) % 4; }));
    }
}

// Which landscape a canvas pixel comes from.
int sceneOf(QRgb pixel) {
    for (int scene : {kHills, kPlains, kForest}) {
        for (int i = 0; i < 4; ++i) {
            if ((sceneColour(scene, i) & 0xFFFFFF) == pixel) {
                return scene;
            }
        }
    }
    return -1;
}

// Map, Escape, QUIT: the title screen shows.
void toTitle(Harness& h) {
    h.press(h.map(), Qt::Key_Escape);
    h.click(h.menu().ui().cmdQuit);
}

// The title screen on a display of its own, with three different landscapes.
std::unique_ptr<Harness> titleOn(int width = 1024, int height = 768, float twipsPerPixel = 15) {
    auto h = std::make_unique<Harness>(width, height, twipsPerPixel);
    writeScenes(*h);
    h->start();
    toTitle(*h);
    return h;
}

platform::Picture picture(Harness& h, const char* relative) {
    return platform::Picture::load(h.assetFolder() + QLatin1String(relative));
}

int rounded(float twips, float perPixel) {
    return static_cast<int>(std::nearbyint(twips / perPixel));
}

// What one animation tick leaves on the canvas and the panel, done the plain way on copies of
// them: clear the canvas, stretch the whole landscape over it, copy the panel from it, then
// draw the title and the figure, all from the screen's state before the tick.
struct Frame {
    platform::Surface canvas;
    platform::Surface panel;
};

Frame plainTick(Harness& h) {
    const velmora::frmIntro& intro = h.intro();
    auto& c = intro.ui();
    const float tx = intro.window()->display().twipsPerPixelX;
    const float ty = intro.window()->display().twipsPerPixelY;
    Frame f{c.picBack.surface(), c.picMenu.surface()};
    f.canvas.fill(c.picBack.backColor());
    const platform::Surface& scene = intro.SceneBackground.surface();
    platform::stretchBlt(f.canvas, 0, 0, rounded(c.picBack.width(), tx),
                         rounded(c.picBack.height(), ty), scene, 0, 0, scene.width(),
                         scene.height());
    platform::bitBlt(f.panel, 0, 0, rounded(c.picMenu.width(), tx), rounded(c.picMenu.height(), ty),
                     f.canvas, rounded(c.picMenu.left() - c.picBack.left(), tx),
                     rounded(c.picMenu.top(), ty));
    platform::transparentBlt(f.canvas, intro.TitleX.value(), intro.TitleY.value(), 600, 113,
                             intro.TitlePicture.surface(), 0, 0, 600, 113, kWhite);
    int srcX = intro.IntroCharSrcX.value();
    int srcY = intro.IntroCharSrcY.value();
    if (srcX == 0) {
        srcX = 32;
        srcY = 32;
    } else if (srcX == 32) {
        srcX = 0;
        srcY = 32;
    }
    const int x = static_cast<int>(std::nearbyint(100 / tx + intro.IntroCharX.value()));
    platform::transparentBlt(f.canvas, x, intro.IntroCharY.value(), 64, 64, c.picChar.surface(),
                             srcX, srcY, 32, 32, 0);
    return f;
}

// One tick of the game against the plain tick.
void tickAndCompare(Harness& h, int tick) {
    const Frame expected = plainTick(h);
    h.advance(100);
    auto& c = h.intro().ui();
    EXPECT_TRUE(c.picBack.surface().image() == expected.canvas.image()) << "canvas, tick " << tick;
    EXPECT_TRUE(c.picMenu.surface().image() == expected.panel.image()) << "panel, tick " << tick;
}

// The next widget that Tab moves to.
QWidget* nextTabStop(QWidget* widget) {
    QWidget* next = widget->nextInFocusChain();
    while (next != widget && (next->focusPolicy() & Qt::TabFocus) == 0) {
        next = next->nextInFocusChain();
    }
    return next;
}

}  // namespace

TEST(TitleScreen, LaysOutTheCanvasThePanelAndTheButtons) {
    const auto h = titleOn();
    const velmora::frmIntro& intro = h->intro();
    auto& c = intro.ui();
    EXPECT_EQ(intro.window()->windowTitle(), QStringLiteral("Intro"));
    EXPECT_EQ(intro.window()->size(), QSize(1024, 768));
    EXPECT_EQ(intro.window()->palette().color(QPalette::Window), QColor(Qt::black));
    EXPECT_TRUE(intro.window()->keyPreview());
    // The canvas is three display heights wide.
    EXPECT_EQ(c.picBack.widget()->geometry(), QRect(0, 0, 2304, 768));
    EXPECT_EQ(c.picBack.surface().width(), 2304);
    // The panel in the middle, above the canvas.
    EXPECT_EQ(c.picMenu.left(), 5842.5f);
    EXPECT_EQ(c.picMenu.top(), 4192.5f);
    EXPECT_EQ(c.picMenu.widget()->geometry(), QRect(390, 280, 245, 209));
    const QWidgetList stacking = intro.window()->findChildren<QWidget*>(Qt::FindDirectChildrenOnly);
    EXPECT_GT(stacking.indexOf(c.picMenu.widget()), stacking.indexOf(c.picBack.widget()));
    EXPECT_FALSE(c.picChar.isVisible());
    struct Button {
        const platform::CommandButton& button;
        const char* caption;
        QRect rect;
    };
    for (const Button& b : {Button{c.cmdNew, "New Game", QRect(16, 8, 209, 37)},
                            Button{c.cmdLoad, "Load Game", QRect(16, 52, 209, 37)},
                            Button{c.cmdExit, "Exit", QRect(16, 160, 209, 37)}}) {
        EXPECT_EQ(b.button.caption(), QString::fromLatin1(b.caption));
        EXPECT_EQ(b.button.widget()->parentWidget(), c.picMenu.widget());
        EXPECT_EQ(b.button.widget()->geometry(), b.rect) << b.caption;
        EXPECT_EQ(b.button.widget()->palette().color(QPalette::Button), QColor(128, 128, 255));
        const QFont font = b.button.widget()->font();
        EXPECT_TRUE(font.bold());
        EXPECT_EQ(font.pixelSize(), 32) << "24 points at 15 twips per pixel";
    }
    // Tab order: panel, New Game, Exit, Load Game, canvas, and round again.
    const std::array<QWidget*, 6> chain{c.picMenu.widget(), c.cmdNew.widget(),  c.cmdExit.widget(),
                                        c.cmdLoad.widget(), c.picBack.widget(), c.picMenu.widget()};
    for (std::size_t i = 0; i + 1 < chain.size(); ++i) {
        EXPECT_EQ(nextTabStop(chain[i]), chain[i + 1]) << i;
    }
    EXPECT_EQ(c.tmrIntro.interval(), 100);
    EXPECT_EQ(c.tmrMusic.interval(), 100);
}

TEST(TitleScreen, PlacesTheFigureAndTheTitleOnTheCanvas) {
    const auto h = titleOn();
    EXPECT_EQ(h->intro().IntroCharX.value(), 480);
    EXPECT_EQ(h->intro().IntroCharY.value(), 591);
    EXPECT_EQ(h->intro().TitleX.value(), 212);
    EXPECT_EQ(h->intro().TitleY.value(), 0);

    // A display that is not 15 twips per pixel.
    const auto other = titleOn(1280, 720, 12);
    auto& c = other->intro().ui();
    EXPECT_EQ(other->intro().IntroCharX.value(), 608);
    EXPECT_EQ(other->intro().IntroCharY.value(), 554);
    EXPECT_EQ(other->intro().TitleX.value(), 340);
    EXPECT_EQ(c.picBack.widget()->geometry(), QRect(0, 0, 2160, 720));
    EXPECT_EQ(c.picMenu.widget()->geometry(), QRect(487, 229, 306, 261));
    EXPECT_EQ(c.cmdNew.widget()->geometry(), QRect(20, 10, 261, 46));
    EXPECT_EQ(c.cmdExit.widget()->geometry(), QRect(20, 200, 261, 46));
}

TEST(TitleScreen, TheFirstFrameIsTheLandscapeAndThePanelOnly) {
    for (const auto& [w, hgt, tpp] : {std::tuple{1024, 768, 15.f}, std::tuple{1280, 720, 12.f}}) {
        const auto h = titleOn(w, hgt, tpp);
        auto& c = h->intro().ui();
        const platform::Picture hills = picture(*h, "/Background/hills.gif");
        platform::Surface expected(c.picBack.surface().width(), c.picBack.surface().height(),
                                   c.picBack.backColor());
        platform::stretchBlt(expected, 0, 0, 3 * hgt, hgt, hills.surface(), 0, 0, 96, 40);
        EXPECT_TRUE(c.picBack.surface().image() == expected.image()) << "no title, no figure";
        const QRect panel = c.picMenu.widget()->geometry();
        EXPECT_TRUE(c.picMenu.surface().image() == expected.image().copy(panel));
    }
}

TEST(TitleScreen, TheFirstTickDrawsTheTitleKeyedOnWhiteAndTheFigureDoubled) {
    const auto h = titleOn();
    h->advance(100);
    const auto& canvas = h->intro().ui().picBack.surface();
    // The test title is white with a dark red band at (100..499, 30..79).
    const QRgb band = canvas.pixel(212 + 250, 55);
    EXPECT_LT(std::abs(qRed(band) - 120) + std::abs(qGreen(band) - 20) + std::abs(qBlue(band) - 40),
              12);
    EXPECT_EQ(sceneOf(canvas.pixel(212 + 50, 10)), kHills) << "white lets the landscape through";
    EXPECT_EQ(sceneOf(canvas.pixel(211, 55)), kHills);
    // The figure moved 7 pixels before it was drawn: the right-facing second step, doubled.
    for (int y = 0; y < 64; ++y) {
        for (int x = 0; x < 64; ++x) {
            const QRgb pixel = canvas.pixel(487 + x, 591 + y);
            if (isFigurePixel(x / 2, y / 2)) {
                ASSERT_EQ(pixel, figureColour(0, 32, 32) & 0xFFFFFF) << x << "," << y;
            } else {
                ASSERT_EQ(sceneOf(pixel), kHills) << x << "," << y;
            }
        }
    }
    EXPECT_EQ(h->intro().IntroCharSrcX.value(), 32);
    EXPECT_EQ(h->intro().IntroCharSrcY.value(), 32);
    EXPECT_EQ(h->intro().TitleX.value(), 219);
    // The canvas moved 100 twips left, as a control.
    EXPECT_EQ(h->intro().ui().picBack.left(), -100.f);
    EXPECT_EQ(h->intro().ui().picBack.widget()->x(), -7);
    h->advance(100);
    EXPECT_EQ(h->intro().IntroCharSrcX.value(), 0) << "the first step again";
    EXPECT_EQ(h->intro().IntroCharX.value(), 494);
}

TEST(TitleScreen, EveryTickLeavesExactlyThePixelsOfAPlainTick) {
    for (const auto& [w, hgt, tpp, ticksPerScene] :
         {std::tuple{1024, 768, 15.f, 193}, std::tuple{1280, 720, 12.f, 106}}) {
        const auto h = titleOn(w, hgt, tpp);
        for (int tick = 1; tick <= ticksPerScene + 12; ++tick) {
            tickAndCompare(*h, tick);
        }
        // Away and back: the first tick of the second visit starts from its own first frame.
        h->click(h->intro().ui().cmdNew);
        toTitle(*h);
        for (int tick = 1; tick <= 3; ++tick) {
            tickAndCompare(*h, tick);
        }
    }
}

TEST(TitleScreen, ThePanelShowsTheLandscapeEvenWhereTheTitleLiesBehindIt) {
    // On a small display the title reaches behind the panel.
    const auto h = titleOn(400, 300);
    h->advance(300);
    auto& c = h->intro().ui();
    const QRect panel = c.picMenu.widget()->geometry();
    const int canvasX = panel.x() - c.picBack.widget()->x();
    ASSERT_EQ(panel.y(), 46);
    // On the canvas the title's band covers part of the panel's area...
    const QRgb behind = c.picBack.surface().pixel(canvasX + 100, panel.y() + 20);
    EXPECT_EQ(sceneOf(behind), -1);
    // ...while the panel shows only the landscape.
    int foreign = 0;
    for (int y = 0; y < c.picMenu.surface().height(); ++y) {
        for (int x = 0; x < c.picMenu.surface().width(); ++x) {
            foreign += sceneOf(c.picMenu.surface().pixel(x, y)) != kHills;
        }
    }
    EXPECT_EQ(foreign, 0);
}

TEST(TitleScreen, ASceneLasts193TicksOnA1024By768Display) {
    const auto h = titleOn();
    auto& back = h->intro().ui().picBack;
    h->advance(192 * 100);
    EXPECT_EQ(back.left(), -19200.f);
    EXPECT_EQ(h->intro().SceneIndex.value(), 0);
    EXPECT_EQ(h->intro().TitleX.value(), 212 + 192 * 7);
    h->advance(100);  // the canvas's left reaches -19300: the next scene begins
    EXPECT_EQ(back.left(), 0.f);
    EXPECT_EQ(back.widget()->x(), 0);
    EXPECT_EQ(h->intro().SceneIndex.value(), 1);
    EXPECT_EQ(h->intro().IntroCharX.value(), 480);
    EXPECT_EQ(h->intro().IntroCharY.value(), 591);
    EXPECT_EQ(h->intro().TitleX.value(), 212);
    h->advance(100);
    EXPECT_EQ(sceneOf(back.surface().pixel(1000, 400)), kPlains);
}

TEST(TitleScreen, ScenesCycleHillsPlainsForestAndGoOnAfterAVisitElsewhere) {
    const auto h = titleOn();
    const auto& intro = h->intro();
    auto sceneShown = [&] { return sceneOf(intro.ui().picBack.surface().pixel(1000, 400)); };
    h->advance(100);
    EXPECT_EQ(sceneShown(), kHills);
    h->advance(193 * 100);
    EXPECT_EQ(sceneShown(), kPlains);
    h->advance(193 * 100);
    EXPECT_EQ(sceneShown(), kForest);
    EXPECT_EQ(intro.SceneIndex.value(), 2);
    const int frame = intro.IntroCharSrcX.value();

    // New Game closes the title, which lets its landscape go; the variables stay.
    h->click(intro.ui().cmdNew);
    EXPECT_FALSE(intro.isLoaded());
    EXPECT_TRUE(intro.SceneBackground.isNull());
    EXPECT_EQ(intro.SceneIndex.value(), 2);
    toTitle(*h);
    // A new visit starts with hills, and the figure goes on with its step.
    EXPECT_EQ(sceneOf(intro.ui().picBack.surface().pixel(1000, 400)), kHills);
    h->advance(100);
    EXPECT_EQ(intro.IntroCharSrcX.value(), frame == 0 ? 32 : 0);
    EXPECT_EQ(sceneShown(), kHills);
    h->advance(193 * 100);
    EXPECT_EQ(sceneShown(), kHills) << "SceneIndex 2 loads hills next";
    EXPECT_EQ(intro.SceneIndex.value(), 0);
    h->advance(193 * 100);
    EXPECT_EQ(sceneShown(), kPlains);
}

TEST(TitleScreen, TheCloseBoxLetsTheLandscapeGoAndEndsTheGame) {
    const auto h = titleOn();
    h->advance(500);
    h->music.commands.clear();
    h->closeBox(h->intro());
    EXPECT_TRUE(h->intro().SceneBackground.isNull());
    EXPECT_FALSE(h->intro().TitlePicture.isNull());
    EXPECT_TRUE(h->music.commands.empty()) << "the close box sends no music command";
    EXPECT_TRUE(h->ended());
    EXPECT_EQ(h->exitCode(), 0);
}
