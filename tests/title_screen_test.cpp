// The title screen: its layout and first frame, every animation tick against a plain reference,
// the cycle of scenes and the Load Game and close box commands. The displays include one where
// the rounded and the whole twips-per-pixel quotients differ (7.5 twips per pixel, 192 DPI) and
// one of an odd width, where halving the title's place as a whole number is off by one.

#include <gtest/gtest.h>

#include <QWidget>
#include <array>
#include <cmath>

#include "platform/picture.h"
#include "support/title_scene.h"

using testing_support::figureColour;
using testing_support::Harness;
using testing_support::isFigurePixel;
using testing_support::kForest;
using testing_support::kHills;
using testing_support::kPlains;
using testing_support::sceneOf;
using testing_support::titleOn;
using testing_support::toTitle;

namespace {

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
                             intro.TitlePicture.surface(), 0, 0, 600, 113, qRgb(255, 255, 255));
    const int srcX = intro.IntroCharSrcX.value() == 0 ? 32 : 0;
    const int x = static_cast<int>(std::nearbyint(100 / tx + intro.IntroCharX.value()));
    platform::transparentBlt(f.canvas, x, intro.IntroCharY.value(), 64, 64, c.picChar.surface(),
                             srcX, 32, 32, 32, 0);
    return f;
}

}  // namespace

TEST(TitleScreen, LaysOutTheButtonsOnThePanelAboveTheCanvas) {
    const auto h = titleOn();
    auto& c = h->intro().ui();
    EXPECT_EQ(h->intro().window()->windowTitle(), QStringLiteral("Intro"));
    EXPECT_EQ(h->intro().window()->palette().color(QPalette::Window), QColor(Qt::black));
    EXPECT_TRUE(h->intro().window()->keyPreview());
    const QWidgetList stacking =
        h->intro().window()->findChildren<QWidget*>(Qt::FindDirectChildrenOnly);
    EXPECT_GT(stacking.indexOf(c.picMenu.widget()), stacking.indexOf(c.picBack.widget()));
    EXPECT_FALSE(c.picChar.isVisible());
    for (const auto& [button, caption, rect] :
         {std::tuple{&c.cmdNew, "New Game", QRect(16, 8, 209, 37)},
          std::tuple{&c.cmdLoad, "Load Game", QRect(16, 52, 209, 37)},
          std::tuple{&c.cmdExit, "Exit", QRect(16, 160, 209, 37)}}) {
        EXPECT_EQ(button->caption(), QString::fromLatin1(caption));
        EXPECT_EQ(button->widget()->parentWidget(), c.picMenu.widget());
        EXPECT_EQ(button->widget()->geometry(), rect) << caption;
        EXPECT_EQ(button->widget()->palette().color(QPalette::Button), QColor(128, 128, 255));
        EXPECT_TRUE(button->widget()->font().bold());
        EXPECT_EQ(button->widget()->font().pixelSize(), 32) << "24 points at 15 twips per pixel";
    }
    // Tab order: panel, New Game, Exit, Load Game, canvas, and round again.
    const std::array<QWidget*, 6> chain{c.picMenu.widget(), c.cmdNew.widget(),  c.cmdExit.widget(),
                                        c.cmdLoad.widget(), c.picBack.widget(), c.picMenu.widget()};
    for (std::size_t i = 0; i + 1 < chain.size(); ++i) {
        QWidget* next = chain[i]->nextInFocusChain();
        while ((next->focusPolicy() & Qt::TabFocus) == 0) {
            next = next->nextInFocusChain();
        }
        EXPECT_EQ(next, chain[i + 1]) << i;
    }
    EXPECT_EQ(c.tmrIntro.interval(), 100);
    EXPECT_EQ(c.tmrMusic.interval(), 100);
}

TEST(TitleScreen, TheFirstFrameIsTheLandscapeStretchedInWholePixelsAndThePanelOnly) {
    struct Case {
        int width, height;
        float twipsPerPixel;
        QSize stretch;  // the whole quotients of the canvas's size
        QRect panel;
        QPoint figure;
        int titleX;
    };
    for (const Case& d :
         {Case{1024, 768, 15, {2304, 768}, {390, 280, 245, 209}, {480, 591}, 212},
          Case{1280, 720, 12, {2160, 720}, {487, 229, 306, 261}, {608, 554}, 340},
          Case{1025, 768, 15, {2304, 768}, {390, 280, 245, 209}, {480, 591}, 212},
          Case{1024, 768, 7.5, {2160, 720}, {267, 175, 490, 418}, {480, 591}, 212}}) {
        const auto h = titleOn(d.width, d.height, d.twipsPerPixel);
        const velmora::frmIntro& intro = h->intro();
        auto& c = intro.ui();
        SCOPED_TRACE(testing::Message() << d.width << "x" << d.height << " at " << d.twipsPerPixel);
        EXPECT_EQ(intro.window()->size(), QSize(d.width, d.height));
        // The canvas is three display heights wide, the panel in the middle.
        EXPECT_EQ(c.picBack.widget()->geometry(), QRect(0, 0, 3 * d.height, d.height));
        EXPECT_EQ(c.picMenu.widget()->geometry(), d.panel);
        EXPECT_EQ(QPoint(intro.IntroCharX.value(), intro.IntroCharY.value()), d.figure);
        EXPECT_EQ(intro.TitleX.value(), d.titleX);
        EXPECT_EQ(intro.TitleY.value(), 0);
        const platform::Picture hills =
            platform::Picture::load(h->assetFolder() + QStringLiteral("/Background/hills.gif"));
        platform::Surface expected(3 * d.height, d.height, c.picBack.backColor());
        platform::stretchBlt(expected, 0, 0, d.stretch.width(), d.stretch.height(), hills.surface(),
                             0, 0, 96, 40);
        // What the window shows of the canvas: no title, no figure.
        const QRect shown(0, 0, d.width, d.height);
        EXPECT_TRUE(c.picBack.surface().image().copy(shown) == expected.image().copy(shown));
        EXPECT_TRUE(c.picMenu.surface().image() == expected.image().copy(d.panel));
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
    // The canvas moved 100 twips left, as a control.
    EXPECT_EQ(h->intro().ui().picBack.widget()->x(), -7);
}

TEST(TitleScreen, EveryTickLeavesExactlyThePixelsOfAPlainTick) {
    // The last display is small enough for the title to reach behind the panel, which still
    // shows only the landscape.
    for (const auto& [w, hgt, tpp, ticksPerScene] :
         {std::tuple{1024, 768, 15.f, 193}, std::tuple{1280, 720, 12.f, 106},
          std::tuple{1024, 768, 7.5f, 97}, std::tuple{400, 300, 15.f, 76}}) {
        const auto h = titleOn(w, hgt, tpp);
        // Through a change of scene, and once away and back for the first display: the first
        // tick of a visit starts from its own first frame.
        for (int tick = 1; tick <= ticksPerScene + 3 + (w == 1024 && tpp == 15 ? 3 : 0); ++tick) {
            if (tick == ticksPerScene + 4) {
                h->click(h->intro().ui().cmdNew);
                toTitle(*h);
            }
            const Frame expected = plainTick(*h);
            h->advance(100);
            auto& c = h->intro().ui();
            ASSERT_TRUE(c.picBack.surface().image() == expected.canvas.image())
                << "canvas, " << w << "x" << hgt << " tick " << tick;
            ASSERT_TRUE(c.picMenu.surface().image() == expected.panel.image())
                << "panel, " << w << "x" << hgt << " tick " << tick;
        }
    }
}

TEST(TitleScreen, ScenesLast193TicksAndCycleHillsPlainsForestOnAfterAVisitElsewhere) {
    const auto h = titleOn();
    const auto& intro = h->intro();
    auto sceneShown = [&] { return sceneOf(intro.ui().picBack.surface().pixel(1000, 400)); };
    h->advance(192 * 100);
    EXPECT_EQ(intro.ui().picBack.left(), -19200.f);
    EXPECT_EQ(intro.TitleX.value(), 212 + 192 * 7);
    EXPECT_EQ(sceneShown(), kHills);
    h->advance(100);  // the canvas's left reaches -19300: the next scene begins
    EXPECT_EQ(intro.ui().picBack.widget()->x(), 0);
    EXPECT_EQ(QPoint(intro.IntroCharX.value(), intro.IntroCharY.value()), QPoint(480, 591));
    EXPECT_EQ(intro.TitleX.value(), 212);
    h->advance(100);
    EXPECT_EQ(sceneShown(), kPlains);
    h->advance(193 * 100);
    EXPECT_EQ(sceneShown(), kForest);
    const int frame = intro.IntroCharSrcX.value();

    // New Game closes the title, which lets its landscape go; the variables stay.
    h->click(intro.ui().cmdNew);
    EXPECT_TRUE(intro.SceneBackground.isNull());
    EXPECT_EQ(intro.SceneIndex.value(), 2);
    toTitle(*h);
    // A new visit starts with hills, and the figure goes on with its step.
    h->advance(100);
    EXPECT_EQ(intro.IntroCharSrcX.value(), frame == 0 ? 32 : 0);
    EXPECT_EQ(sceneShown(), kHills);
    h->advance(193 * 100);
    EXPECT_EQ(sceneShown(), kHills) << "SceneIndex 2 loads hills next";
    h->advance(193 * 100);
    EXPECT_EQ(sceneShown(), kPlains);
}

TEST(TitleScreen, LoadGameAsksForASavedGameAndWhateverIsChosenTheTitleCarriesOn) {
    const auto h = titleOn();
    h->advance(100);
    h->fileDialog.answer = h->assetFolder() + QStringLiteral("/one.sav");
    h->click(h->intro().ui().cmdLoad);
    ASSERT_EQ(h->fileDialog.calls.size(), 1u);
    EXPECT_EQ(h->fileDialog.calls[0].title, QStringLiteral("Open Saved Game File"));
    EXPECT_EQ(h->fileDialog.calls[0].filter, QStringLiteral("Saved Games (*.sav)|*.sav"));
    h->advance(100);
    EXPECT_TRUE(h->intro().isVisible());
    EXPECT_EQ(h->intro().ui().picBack.left(), -200.f);
    EXPECT_TRUE(h->reporter.messages.empty());
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
