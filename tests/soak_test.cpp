// An hour of random play on the virtual clock, in rounds of ten minutes: keys on the map (with
// the message window and the pause menu), keys in the battle, and the title while its tune ends
// and starts again. Nothing may raise a run-time error, and from the second round on the heap
// the game holds stays level. Leaks are the sanitizer build's to find.
#include <gtest/gtest.h>
#include <malloc.h>

#include <QCoreApplication>
#include <random>

#include "map/frm_map_controls.h"
#include "menu/frm_menu_controls.h"
#include "support/harness.h"
#include "title/frm_intro_controls.h"

#if defined(__SANITIZE_ADDRESS__)
extern "C" std::size_t __sanitizer_get_current_allocated_bytes();
#define HEAP_BYTES() __sanitizer_get_current_allocated_bytes()
#else
#define HEAP_BYTES() mallinfo2().uordblks  // held, not what the allocator keeps aside
#endif

TEST(Soak, AnHourOfMapBattleAndTitleRaisesNoErrorAndItsMemoryStaysLevel) {
    testing_support::Harness h;
    std::mt19937 random(20261206);
    const auto pick = [&](int n) { return std::uniform_int_distribution<int>(0, n - 1)(random); };
    const auto wait = [&](int ms) {
        h.advance(ms);
        QCoreApplication::processEvents();  // as the event loop between ticks
        return ms;
    };
    const int keys[] = {Qt::Key_Left,   Qt::Key_Right, Qt::Key_Up,      Qt::Key_Down,
                        Qt::Key_PageUp, Qt::Key_Space, Qt::Key_Control, Qt::Key_PageDown,
                        Qt::Key_Escape, Qt::Key_A};
    h.start();
    std::size_t heapAtTwenty = 0;
    for (int round = 1; round <= 6; ++round) {
        for (int ms = 0; ms < 7 * 60000;) {  // four minutes on the map, three in battle
            velmora::Form& form =
                ms < 4 * 60000 ? static_cast<velmora::Form&>(h.map()) : h.battle();
            if (ms < 4 * 60000 && pick(50) == 0) {
                h.click(h.map().ui().cmdText);
            } else if (!h.battle().isLoaded() && ms >= 4 * 60000) {
                h.click(h.map().ui().cmdBattle);
            }
            const int key = keys[pick(std::size(keys))];
            h.press(form, key == Qt::Key_Escape && pick(5) != 0 ? Qt::Key_Space : key);
            ms += wait(pick(200));
            if (h.menu().isLoaded()) {
                h.click(h.menu().ui().cmdContinue);
            }
            ms += wait(20 + pick(200));
        }
        h.press(h.battle(), Qt::Key_Escape);
        h.click(h.menu().ui().cmdQuit);
        for (int ms = 0; ms < 3 * 60000; ms += 12500) {  // the tune ends; the watchdog restarts it
            h.music.statusReply = ms % 25000 == 0 ? "playing" : "stopped";
            wait(12500);
        }
        h.click(h.intro().ui().cmdNew);
        ASSERT_FALSE(h.ended());
        h.clearJournal();  // what the harness records is not the game's memory
        h.music.commands = {};
        RecordProperty("heap_kb_at_" + std::to_string(round * 10) + "_min",
                       static_cast<int>(HEAP_BYTES() / 1024));
        heapAtTwenty = round == 2 ? HEAP_BYTES() : heapAtTwenty;
    }
    // The second round still fills the caches the first began (pictures, Qt's own).
    EXPECT_LT(static_cast<long long>(HEAP_BYTES()) - static_cast<long long>(heapAtTwenty), 1 << 20);
}
