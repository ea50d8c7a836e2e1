// An hour of play on the virtual clock: random keys on the map (walking, the leader's picture,
// the message window, the pause menu) and in the battle, and the title cycling its landscapes
// while its tune ends and starts again. Nothing may raise a run-time error, and once the first
// rounds have filled the caches the memory the game holds stays level. Leaks are the sanitizer
// build's to find.
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
#endif

TEST(Soak, AnHourOfMapBattleAndTitleRaisesNoErrorAndItsMemoryStaysLevel) {
#if defined(__SANITIZE_ADDRESS__)
    const auto heap = [] { return __sanitizer_get_current_allocated_bytes(); };
#else
    const auto heap = [] { return mallinfo2().uordblks; };  // held, not kept aside
#endif
    testing_support::Harness h;
    std::mt19937 random(20261206);
    const auto pick = [&](int n) { return std::uniform_int_distribution<int>(0, n - 1)(random); };
    int elapsed = 0;
    const auto wait = [&](int ms) {
        h.advance(ms);
        elapsed += ms;
        QCoreApplication::processEvents();  // as the event loop between ticks
    };
    // Random keys on the screen of `form` for `minutes`; now and then a pause or a click.
    const auto play = [&](velmora::Form& form, std::vector<int> keys, int minutes) {
        for (const int end = elapsed + minutes * 60000; elapsed < end; wait(20 + pick(400))) {
            const int roll = pick(100);
            if (roll < 2) {
                h.press(form, Qt::Key_Escape);
                wait(50 + pick(200));
                h.click(h.menu().ui().cmdContinue);
            } else if (roll < 4 && &form == &h.map()) {
                h.click(h.map().ui().cmdText);
            } else {
                h.press(form, keys[pick(static_cast<int>(keys.size()))]);
            }
        }
    };
    h.start();
    std::size_t heapAtTwenty = 0;
    for (int round = 1; round <= 6; ++round) {  // ten minutes each
        play(h.map(),
             {Qt::Key_Left, Qt::Key_Right, Qt::Key_Up, Qt::Key_Down, Qt::Key_PageUp,
              Qt::Key_PageDown, Qt::Key_Space, Qt::Key_A, Qt::Key_5, Qt::Key_Backspace},
             4);
        h.click(h.map().ui().cmdBattle);
        play(h.battle(),
             {Qt::Key_Left, Qt::Key_Right, Qt::Key_Up, Qt::Key_Down, Qt::Key_Space, Qt::Key_Space,
              Qt::Key_Control, Qt::Key_Return},
             3);
        h.press(h.battle(), Qt::Key_Escape);
        h.click(h.menu().ui().cmdQuit);
        for (const int end = elapsed + 3 * 60000; elapsed < end;) {
            h.music.statusReply = "playing";
            wait(5000 + pick(20000));
            h.music.statusReply = "stopped";  // the tune has ended: the watchdog restarts it
            wait(100 + pick(300));
        }
        h.click(h.intro().ui().cmdNew);
        ASSERT_FALSE(h.ended());
        h.clearJournal();  // what the harness records is not the game's memory
        h.music.commands = {};
        RecordProperty("heap_kb_at_" + std::to_string(round * 10) + "_min",
                       static_cast<int>(heap() / 1024));
        heapAtTwenty = round == 2 ? heap() : heapAtTwenty;
    }
    // The second round still fills the caches the first began (pictures, Qt's own); from then
    // on the memory held stays within 1 MB.
    EXPECT_LT(static_cast<long long>(heap()) - static_cast<long long>(heapAtTwenty), 1 << 20);
}
