// An hour of play on the virtual clock: random keys on the map (walking, switching the leader's
// picture, the message window, the pause menu) and in the battle (commands, targets, attacks),
// and the title cycling its landscapes while its tune ends and is started again. Nothing may
// raise a run-time error, and once the first rounds have filled the caches the memory the game
// holds must stay level. Leaks are the sanitizer build's to find.
#include <gtest/gtest.h>
#include <malloc.h>
#include <sys/resource.h>

#include <QCoreApplication>
#include <cstdio>
#include <random>

#include "map/frm_map_controls.h"
#include "menu/frm_menu_controls.h"
#include "support/harness.h"
#include "title/frm_intro_controls.h"

#if defined(__SANITIZE_ADDRESS__)
extern "C" std::size_t __sanitizer_get_current_allocated_bytes();
#endif

namespace {

// Bytes the program holds on its heap right now (not what the allocator keeps aside).
std::size_t heapBytes() {
#if defined(__SANITIZE_ADDRESS__)
    return __sanitizer_get_current_allocated_bytes();
#else
    return mallinfo2().uordblks;
#endif
}

class Soak {
  public:
    testing_support::Harness h{1024, 768, 15};
    int elapsed = 0;

    // Random keys on `form` for `ms` of virtual time, now and then a pause or `extra`.
    void play(velmora::Form& form, std::initializer_list<int> keys, int ms,
              const std::function<void()>& extra) {
        const int end = elapsed + ms;
        while (elapsed < end) {
            const int roll = pick(100);
            if (roll < 2) {
                h.press(form, Qt::Key_Escape);
                wait(50 + pick(200));
                h.click(h.menu().ui().cmdContinue);
            } else if (roll < 4 && extra) {
                extra();
            } else {
                h.press(form, keys.begin()[pick(keys.size())]);
            }
            wait(20 + pick(400));
        }
    }

    // Quits to the title and watches it for `ms`, the tune ending now and then and being
    // started again by the watchdog; then starts a new game.
    void onTitle(int ms) {
        h.press(h.battle().isVisible() ? static_cast<velmora::Form&>(h.battle()) : h.map(),
                Qt::Key_Escape);
        h.click(h.menu().ui().cmdQuit);
        const int end = elapsed + ms;
        while (elapsed < end) {
            h.music.statusReply = "playing";
            wait(5000 + pick(20000));
            h.music.statusReply = "stopped";
            wait(100 + pick(300));
        }
        h.click(h.intro().ui().cmdNew);
    }

  private:
    int pick(std::size_t n) {
        return static_cast<int>(std::uniform_int_distribution<std::size_t>(0, n - 1)(random_));
    }
    void wait(int ms) {
        h.advance(ms);
        elapsed += ms;
        // As the event loop between ticks: paint, and take the window system's events.
        QCoreApplication::processEvents();
    }
    std::mt19937 random_{20261206};
};

constexpr int kMinute = 60 * 1000;

}  // namespace

TEST(Soak, AnHourOfMapBattleAndTitleRaisesNoErrorAndItsMemoryStaysLevel) {
    Soak soak;
    auto& h = soak.h;
    h.start();
    std::size_t heapAtTwenty = 0;
    // Ten-minute rounds: four on the map, three in battle, three on the title.
    for (int round = 1; round <= 6; ++round) {
        soak.play(h.map(),
                  {Qt::Key_Left, Qt::Key_Right, Qt::Key_Up, Qt::Key_Down, Qt::Key_PageUp,
                   Qt::Key_PageDown, Qt::Key_Space, Qt::Key_Return, Qt::Key_A, Qt::Key_5,
                   Qt::Key_Control, Qt::Key_Backspace},
                  4 * kMinute, [&] { h.click(h.map().ui().cmdText); });
        h.click(h.map().ui().cmdBattle);
        soak.play(h.battle(),
                  {Qt::Key_Left, Qt::Key_Right, Qt::Key_Up, Qt::Key_Down, Qt::Key_Space,
                   Qt::Key_Space, Qt::Key_Control, Qt::Key_Return, Qt::Key_B},
                  3 * kMinute, nullptr);
        soak.onTitle(3 * kMinute);
        ASSERT_FALSE(h.ended());
        EXPECT_TRUE(h.map().isVisible());
        // What the harness itself records is not the game's memory.
        h.clearJournal();
        h.music.commands = {};
        rusage usage{};
        getrusage(RUSAGE_SELF, &usage);
        std::printf("%d min: heap %zu KB, peak resident %ld KB\n", round * 10, heapBytes() / 1024,
                    usage.ru_maxrss);
        RecordProperty("heap_kb_at_" + std::to_string(round * 10) + "_min",
                       static_cast<int>(heapBytes() / 1024));
        heapAtTwenty = round == 2 ? heapBytes() : heapAtTwenty;
    }
    ASSERT_EQ(soak.elapsed / kMinute, 60);
    // The second round still fills the caches the first began (pictures, Qt's own); from then
    // on the memory held stays within 1 MB.
    EXPECT_LT(static_cast<long long>(heapBytes()) - static_cast<long long>(heapAtTwenty),
              1024 * 1024);
}
