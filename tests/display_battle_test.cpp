// The battle on the displays players have: odd sizes, wide and ultra-wide ones, and desktops
// whose DPI is not 96. While a target is chosen, during an attack and during the hit flash, only
// what moves may change on the screen from one tick to the next: the active member, the arrows,
// the command or target highlight and the flashed foe.

#include <gtest/gtest.h>

#include <QPixmap>
#include <QRegion>
#include <map>

#include "platform/display.h"
#include "support/battle_support.h"

using namespace testing_support;

namespace {

struct Screen {
    int width;
    int height;
    double dpi;  // the desktop's: 96 is 15 twips per pixel, 110 is 13, 192 is 7
};

// What the player sees: the battle window with every control on it.
QImage screenOf(Harness& h) {
    return h.battle().window()->grab().toImage().convertToFormat(QImage::Format_RGB32);
}

// Everything that may change in a step: the active member where it stood and where it stands,
// the targeted foe, both arrows before and after, and each list line whose highlight changed.
class Movers {
  public:
    explicit Movers(Harness& h) : h_(h) { step(); }
    QRegion step() {
        const velmora::frmBattle& b = h_.battle();
        const auto& c = b.ui();
        const int m = b.ActiveMember.value();
        const int t = b.PartyTarget[m].value();
        QRegion now(b.PartyX[m].value(), b.PartyY[m].value(), 64, 64);
        now += t >= 1 ? QRect(b.FoeX[t].value(), b.FoeY[t].value(), 64, 64) : QRect();
        for (const platform::ImageBox* arrow : {&c.imgSelect, &c.imgTarget}) {
            now += arrow->isVisible() ? arrow->widget()->geometry() : QRect();
        }
        QRegion allowed = before_ + now;
        before_ = now;
        for (int i = 1; i <= 6; ++i) {
            for (const platform::Label* line :
                 {&c.lblTarget[i], i <= 5 ? &c.lblChoice[i] : nullptr}) {
                if (line != nullptr && line->isOpaque() != lit_[line]) {
                    lit_[line] = line->isOpaque();
                    allowed += line->widget()->geometry().translated(
                        line->widget()->parentWidget()->pos());
                }
            }
        }
        return allowed;
    }

  private:
    Harness& h_;
    QRegion before_;
    std::map<const platform::Label*, bool> lit_;
};

// How many pixels outside `allowed` differ between two screens, and the first of them.
std::pair<int, QPoint> changesOutside(const QImage& before, const QImage& after,
                                      const QRegion& allowed) {
    std::pair<int, QPoint> changes{0, QPoint()};
    for (int y = 0; y < before.height(); ++y) {
        const auto* a = reinterpret_cast<const QRgb*>(before.constScanLine(y));
        const auto* b = reinterpret_cast<const QRgb*>(after.constScanLine(y));
        for (int x = 0; x < before.width(); ++x) {
            if (a[x] != b[x] && !allowed.contains(QPoint(x, y)) && changes.first++ == 0) {
                changes.second = QPoint(x, y);
            }
        }
    }
    return changes;
}

class DisplayBattle : public ::testing::TestWithParam<Screen> {};

}  // namespace

TEST_P(DisplayBattle, OnlyWhatMovesChangesFromTickToTick) {
    const Screen s = GetParam();
    const platform::Display display =
        platform::Display::ofScreen(QSize(s.width, s.height), s.dpi, s.dpi);
    Harness h(s.width, s.height, display.twipsPerPixelY);
    writeBattlefield(h.assetFolder(), 256, 192);
    writeCursors(h.assetFolder());
    openBattle(h);
    h.advance(125);  // two command-cursor ticks, then halfway to the next

    Movers movers(h);
    QImage shown = screenOf(h);
    // Every step fires one tick or presses one key: the target cursor ticks halfway between the
    // command cursor's ticks.
    auto step = [&](const char* what) {
        const QImage now = screenOf(h);
        const auto [count, first] = changesOutside(shown, now, movers.step());
        EXPECT_EQ(count, 0) << s.width << "x" << s.height << " at " << s.dpi << " DPI, " << what
                            << ": first at (" << first.x() << ", " << first.y() << ")";
        shown = now;
    };
    auto ticks = [&](int count, const char* what) {
        for (int i = 0; i < count; ++i) {
            h.advance(25);
            step(what);
        }
    };
    pressInBattle(h, Qt::Key_Space);
    step("Space: target choice");
    ticks(6, "target choice");
    pressInBattle(h, Qt::Key_Down);
    step("Down");
    ticks(4, "target choice");
    pressInBattle(h, Qt::Key_Space);
    step("Space: attack");
    ticks(16, "attack and hit flash");
    EXPECT_EQ(h.battle().ui().tmrSelect.interval(), 50) << "the flash has ended";
}

INSTANTIATE_TEST_SUITE_P(Screens, DisplayBattle,
                         ::testing::Values(Screen{1024, 670, 96}, Screen{1366, 768, 96},
                                           Screen{3840, 1080, 96}, Screen{1024, 768, 192},
                                           Screen{1024, 768, 110}),
                         [](const ::testing::TestParamInfo<Screen>& info) {
                             return std::to_string(info.param.width) + "x" +
                                    std::to_string(info.param.height) + "at" +
                                    std::to_string(static_cast<int>(info.param.dpi)) + "dpi";
                         });
