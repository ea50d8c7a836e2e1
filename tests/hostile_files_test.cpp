// Every picture the game reads, emptied, cut short or grown to gigabytes on disk: the game ends
// when it comes to read it, with the picture error naming the file, an exit status that says so,
// and no more than a few hundred megabytes taken on the way.
#include <gtest/gtest.h>

#include <QFile>

#include "map/frm_map_controls.h"
#include "menu/frm_menu_controls.h"
#include "support/harness.h"
#include "support/test_images.h"

using testing_support::Harness;

namespace {

enum class Where { Map, Battle, Target, Title };

// From a fresh start to where the game reads the file: the map, the battle (its blue cursor
// after a tick), the red target cursor after Space, or the title, `ms` into its animation.
void reach(Harness& h, Where where, int ms) {
    h.start();
    if (where == Where::Battle || where == Where::Target) {
        h.click(h.map().ui().cmdBattle);
    }
    if (where == Where::Target) {
        h.press(h.battle(), Qt::Key_Space);
    }
    if (where == Where::Title) {
        h.press(h.map(), Qt::Key_Escape);
        h.click(h.menu().ui().cmdQuit);
    }
    h.advance(ms);
}

}  // namespace

TEST(HostileFiles, EachPictureTheGameReadsEndsTheGameNamingTheFile) {
    constexpr qint64 kHalf = -1;
    constexpr qint64 kGigabytes = qint64{3} << 30;  // sparse: no room on disk
    const struct {
        const char* file;
        Where where;
        int ms;
        qint64 size;  // what is left of the file
    } cases[]{
        {"/Characters/Char000.bmp", Where::Map, 0, kHalf},
        {"/Characters/Char063.bmp", Where::Map, 0, 0},
        {"/Background/World/ts0.bmp", Where::Map, 0, kGigabytes},
        {"/Background/Battle/plains.gif", Where::Battle, 0, 20},
        {"/Pictures/ArrowBlue1.gif", Where::Battle, 100, kHalf},
        {"/Pictures/ArrowBlue2.gif", Where::Battle, 100, 0},
        {"/Pictures/ArrowRed1.gif", Where::Target, 100, 20},
        {"/Pictures/ArrowRed2.gif", Where::Target, 100, kHalf},
        {"/Pictures/Title.jpg", Where::Title, 0, kHalf},
        {"/Background/hills.gif", Where::Title, 0, 0},
        // A scene lasts 193 ticks of 100 ms on a 1024-pixel display; the next loads its picture.
        {"/Background/plains.gif", Where::Title, 193 * 100, 20},
        {"/Background/forest.gif", Where::Title, 2 * 193 * 100, kHalf},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.file);
        Harness h;
        const QString path = h.assetFolder() + QLatin1String(c.file);
        QFile file(path);
        ASSERT_TRUE(file.open(QIODevice::ReadWrite));
        ASSERT_TRUE(file.resize(c.size == kHalf ? file.size() / 2 : c.size));
        file.close();
        const long before = testing_support::peakKilobytes();
        std::string error = testing_support::invalidPicture(path);
        if (c.size == kGigabytes) {
            // 1 GiB for the pixels of the largest picture and 16 MiB for what goes with them.
            error += ": the picture is too large: 3221225472 bytes, the limit is 1090519040 bytes";
        }
        EXPECT_EQ(testing_support::runtimeError([&] { reach(h, c.where, c.ms); }), error);
        EXPECT_EQ(h.reporter.messages, std::vector<std::string>{error});
        EXPECT_TRUE(h.ended());
        EXPECT_NE(h.exitCode(), 0);
        EXPECT_LT(testing_support::peakKilobytes() - before, 512 * 1024) << "kilobytes at the peak";
    }
}
