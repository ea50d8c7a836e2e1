#include <gtest/gtest.h>

#include <QFile>

#include "map/frm_map_controls.h"
#include "menu/frm_menu_controls.h"
#include "platform/runtime_error.h"
#include "support/harness.h"
#include "support/test_images.h"
#include "title/frm_intro_controls.h"

using platform::RuntimeError;
using testing_support::Harness;
using testing_support::tilePixel;

namespace {

// The run-time error that a step ends the game with.
RuntimeError errorOf(const std::function<void()>& step) {
    try {
        step();
    } catch (const RuntimeError& e) {
        return e;
    }
    ADD_FAILURE() << "the step raised no run-time error";
    return RuntimeError(RuntimeError::Kind::Overflow);
}

// Every map pixel outside the leader's 32 × 32 corner is the tile set's own.
int tilePixelsWrong(const platform::Surface& map) {
    int wrong = 0;
    for (int y = 0; y < map.height(); ++y) {
        for (int x = 0; x < map.width(); ++x) {
            if ((x >= 32 || y >= 32) && map.pixel(x, y) != (tilePixel(x, y) & 0xFFFFFF)) {
                ++wrong;
            }
        }
    }
    return wrong;
}

}  // namespace

TEST(MapOnOtherDisplays, AtTwelveTwipsPerPixelTheMapFillsTheDisplayAndTheWindowCopiesWholePixels) {
    Harness h(1280, 720, 12);
    h.start();
    auto& m = h.map();
    EXPECT_EQ(m.ScreenPixelsX.value(), 1280);
    EXPECT_EQ(m.ScreenPixelsY.value(), 720);
    ASSERT_EQ(m.ui().picMap.surface().width(), 1280);
    ASSERT_EQ(m.ui().picMap.surface().height(), 720);
    EXPECT_EQ(tilePixelsWrong(m.ui().picMap.surface()), 0);

    // The message window is 2000 twips high: 166.67 pixels. Its box rounds to 167 rows, while
    // the copy of the map beneath it takes whole pixels: 166 rows.
    h.click(m.ui().cmdText);
    const platform::Surface& window = m.ui().picText.surface();
    const platform::Surface& map = m.ui().picMap.surface();
    ASSERT_EQ(window.width(), 1280);
    ASSERT_EQ(window.height(), 167);
    int wrong = 0;
    for (int y = 0; y < 166; ++y) {
        for (int x = 0; x < window.width(); ++x) {
            wrong += window.pixel(x, y) != map.pixel(x, y);
        }
    }
    EXPECT_EQ(wrong, 0);
    EXPECT_NE(window.pixel(600, 166), map.pixel(600, 166)) << "the 167th row is no copy";
}

TEST(MapFlow, AMissingOrCorruptTileSetAtActivationEndsTheGameNamingIt) {
    const QString tiles = QStringLiteral("/Background/World/ts0.bmp");
    {
        Harness h;
        h.start();
        h.press(h.map(), Qt::Key_Escape);
        ASSERT_TRUE(QFile::remove(h.assetFolder() + tiles));
        const RuntimeError e = errorOf([&] { h.click(h.menu().ui().cmdContinue); });
        EXPECT_EQ(e.kind(), RuntimeError::Kind::FileNotFound);
        EXPECT_NE(std::string(e.what()).find("ts0.bmp"), std::string::npos) << e.what();
        EXPECT_TRUE(h.ended());
        EXPECT_EQ(h.reporter.messages.size(), 1u);
    }
    {
        Harness h;
        h.start();
        h.press(h.map(), Qt::Key_Escape);
        QFile file(h.assetFolder() + tiles);
        ASSERT_TRUE(file.open(QIODevice::ReadWrite));
        ASSERT_TRUE(file.resize(file.size() / 2));  // cut short, as by a failed copy
        file.close();
        const RuntimeError e = errorOf([&] { h.click(h.menu().ui().cmdContinue); });
        EXPECT_EQ(e.kind(), RuntimeError::Kind::InvalidPicture);
        EXPECT_NE(std::string(e.what()).find("ts0.bmp"), std::string::npos) << e.what();
    }
}

TEST(MapFlow, ClicksOnTheMapsControlsDoNothingWhileTheMenuIsOpen) {
    Harness h;
    h.start();
    h.press(h.map(), Qt::Key_Escape);
    ASSERT_TRUE(h.menu().isVisible());
    h.clearJournal();
    h.click(h.map().ui().cmdBattle);
    h.click(h.map().ui().cmdText);
    EXPECT_FALSE(h.battle().isLoaded());
    EXPECT_FALSE(h.map().ui().picText.isVisible());
    EXPECT_EQ(h.map().ui().tmrText.interval(), 0);
    EXPECT_TRUE(h.journal().empty());
    // Once the menu has closed, the same click works.
    h.click(h.menu().ui().cmdContinue);
    h.click(h.map().ui().cmdBattle);
    EXPECT_TRUE(h.battle().isVisible());
}

TEST(Display, AScreenCreatedAfterAChangeOfResolutionFitsTheNewDisplay) {
    Harness h;
    h.start();
    EXPECT_EQ(h.map().window()->width(), 1024);
    h.press(h.map(), Qt::Key_Escape);
    h.click(h.menu().ui().cmdQuit);
    h.changeDisplay(1280, 720, 12);
    h.click(h.intro().ui().cmdNew);
    ASSERT_TRUE(h.map().isVisible());
    const auto& w = *h.map().window();
    EXPECT_EQ(w.widthTwips(), 1280 * 12);
    EXPECT_EQ(w.heightTwips(), 720 * 12);
    EXPECT_EQ(QSize(w.width(), w.height()), QSize(1280, 720));
    EXPECT_EQ(h.map().ScreenPixelsX.value(), 1280);
    EXPECT_EQ(h.map().ui().picMap.surface().height(), 720);
    EXPECT_EQ(tilePixelsWrong(h.map().ui().picMap.surface()), 0);
}
