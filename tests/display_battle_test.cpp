// The battle on the displays players have: odd sizes, wide and ultra-wide ones, and desktops
// whose DPI is not 96. While a target is chosen, during an attack and during the hit flash, only
// what moves may change on the screen from one tick to the next: the active member, the arrows,
// the command or target highlight and the flashed foe.

#include <gtest/gtest.h>

#include <QPixmap>
#include <QRegion>
#include <cstring>

#include "platform/display.h"
#include "support/battle_support.h"

using namespace testing_support;

namespace {

struct Screen {
    int width;
    int height;
    double dpi;  // the desktop's logical DPI: 96 is 15 twips per pixel, 110 13.09, 192 7.5
};

// What the player sees: the battle window with every control on it.
QImage screenOf(Harness& h) {
    return h.battle().window()->grab().toImage().convertToFormat(QImage::Format_RGB32);
}

// Everything that may change in a step: the active member where it stood and where it stands,
// both arrows before and after, the targeted foe, and each label whose highlight changed.
class Movers {
  public:
    explicit Movers(Harness& h) : h_(h) { region_ = now(); }
    QRegion step() {
        const QRegion after = now();
        QRegion allowed = region_ + after;
        region_ = after;
        const auto& c = h_.battle().ui();
        for (int i = 1; i <= 6; ++i) {
            const bool target = c.lblTarget[i].isOpaque();
            if (target != targets_[i]) {
                allowed += c.lblTarget[i].widget()->geometry().translated(
                    c.lblTarget[i].widget()->parentWidget()->pos());
            }
            targets_[i] = target;
        }
        for (int i = 1; i <= 5; ++i) {
            const bool choice = c.lblChoice[i].isOpaque();
            if (choice != choices_[i]) {
                allowed += c.lblChoice[i].widget()->geometry().translated(
                    c.lblChoice[i].widget()->parentWidget()->pos());
            }
            choices_[i] = choice;
        }
        return allowed;
    }

  private:
    QRegion now() {
        const velmora::frmBattle& b = h_.battle();
        const auto& c = b.ui();
        const int m = b.ActiveMember.value();
        const int t = b.PartyTarget[m].value();
        QRegion r(b.PartyX[m].value(), b.PartyY[m].value(), 64, 64);
        if (t >= 1 && t <= 6) {
            r += QRect(b.FoeX[t].value(), b.FoeY[t].value(), 64, 64);
        }
        for (const platform::ImageBox* arrow : {&c.imgSelect, &c.imgTarget}) {
            if (arrow->isVisible()) {
                r += arrow->widget()->geometry();
            }
        }
        return r;
    }

    Harness& h_;
    QRegion region_;
    std::array<bool, 7> targets_{};
    std::array<bool, 6> choices_{};
};

// The pixels outside `allowed` that differ between two screens, and the first of them.
struct Changes {
    int count = 0;
    QPoint first;
};
Changes changesOutside(const QImage& before, const QImage& after, const QRegion& allowed) {
    Changes changes;
    const int bytes = before.width() * 4;
    for (int y = 0; y < before.height(); ++y) {
        const auto* a = reinterpret_cast<const QRgb*>(before.constScanLine(y));
        const auto* b = reinterpret_cast<const QRgb*>(after.constScanLine(y));
        if (std::memcmp(a, b, bytes) == 0) {
            continue;
        }
        for (int x = 0; x < before.width(); ++x) {
            if (a[x] != b[x] && !allowed.contains(QPoint(x, y))) {
                if (changes.count++ == 0) {
                    changes.first = QPoint(x, y);
                }
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
    int steps = 0;
    // Every step fires one tick or presses one key: the target cursor ticks halfway between the
    // command cursor's ticks.
    auto step = [&](const char* what) {
        ++steps;
        const QImage now = screenOf(h);
        const Changes changes = changesOutside(shown, now, movers.step());
        EXPECT_EQ(changes.count, 0)
            << s.width << "x" << s.height << " at " << s.dpi << " DPI, " << what << " (step "
            << steps << "): first at (" << changes.first.x() << ", " << changes.first.y() << ")";
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
                                           Screen{2560, 1080, 96}, Screen{3840, 1080, 96},
                                           Screen{5120, 1440, 96}, Screen{1024, 768, 192},
                                           Screen{1024, 768, 110}, Screen{1024, 768, 96}),
                         [](const ::testing::TestParamInfo<Screen>& info) {
                             return std::to_string(info.param.width) + "x" +
                                    std::to_string(info.param.height) + "at" +
                                    std::to_string(static_cast<int>(info.param.dpi)) + "dpi";
                         });
