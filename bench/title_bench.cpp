// The title screen's two timers as the game runs them. Read BM_IntroTick beside BM_Memcpy of
// the same frame size (surface_bench.cpp), in the same run:
//   velmora-bench --benchmark_filter='BM_IntroTick|BM_Memcpy'
// BM_IntroTick goes on tick after tick, so its time includes the scene changes (one every 199
// ticks at 1920 × 1080, 397 at 3840 × 2160), each of which stretches the new landscape anew.

#include <benchmark/benchmark.h>

#include <QFile>
#include <QTemporaryDir>
#include <memory>

#include "app/velmora.h"
#include "map/frm_map_controls.h"
#include "menu/frm_menu_controls.h"
#include "platform/audio/midi_player.h"
#include "support/fakes.h"
#include "support/harness.h"
#include "support/test_images.h"
#include "title/frm_intro_controls.h"

namespace {

void displayArgs(benchmark::internal::Benchmark* b) {
    b->Args({1920, 1080})->Args({3840, 2160})->Unit(benchmark::kMicrosecond);
}

// The shipped landscapes and title when the benchmark runs beside the game's assets, so the
// stretch reads pictures of their real size; else the test pictures.
void useShippedPictures(const QString& folder) {
    for (const char* name : {"/Background/hills.gif", "/Background/plains.gif",
                             "/Background/forest.gif", "/Pictures/Title.jpg"}) {
        const QString shipped = QStringLiteral(VELMORA_ASSETS_DIR) + QLatin1String(name);
        QFile::remove(folder + QLatin1String(name));
        QFile::copy(shipped, folder + QLatin1String(name));
    }
}

void BM_IntroTick(benchmark::State& state) {
    testing_support::Harness h(static_cast<int>(state.range(0)), static_cast<int>(state.range(1)));
    useShippedPictures(h.assetFolder());
    h.start();
    h.press(h.map(), Qt::Key_Escape);
    h.click(h.menu().ui().cmdQuit);
    // Only the animation ticks from here on.
    h.intro().ui().tmrMusic.setInterval(0);
    h.clock.advance(100);
    for (auto _ : state) {
        h.clock.advance(100);
        benchmark::ClobberMemory();
    }
}
BENCHMARK(BM_IntroTick)->Apply(displayArgs);

// The watchdog's tick on the real player without a sound device: either its tune plays (one
// status question a tick) or the tune file is missing (the question, then close, open, play).
void BM_MusicWatchdogTick(benchmark::State& state) {
    const bool missing = state.range(0) != 0;
    state.SetLabel(missing ? "retrying a missing tune" : "playing");
    QTemporaryDir dir;
    const QString folder = dir.filePath(QStringLiteral("my game"));
    testing_support::writeGameAssets(folder);
    QFile::remove(folder + QStringLiteral("/Music/Theme.mid"));
    if (!missing) {
        QFile::copy(QStringLiteral(VELMORA_ASSETS_DIR "/Music/Theme.mid"),
                    folder + QStringLiteral("/Music/Theme.mid"));
    }
    platform::VirtualClock clock;
    platform::MidiPlayer music(platform::MidiPlayer::Options{{}, dir.path(), 0.8});
    testing_support::FakeFileDialog fileDialog;
    testing_support::RecordingReporter reporter;
    velmora::Velmora game(velmora::Services{[] { return platform::Display::ofPixels(1024, 768); },
                                            clock, platform::AssetPaths(folder), music, fileDialog,
                                            reporter});
    game.game.start();
    game.game.flow().deliver([&] { game.intro.show(); });
    game.intro.ui().tmrIntro.setInterval(0);
    clock.advance(100);  // opens and starts the tune, if it is there
    if (music.send("status backplay mode") != (missing ? "" : "playing")) {
        state.SkipWithError("the tune is not in the state measured");
    }
    for (auto _ : state) {
        clock.advance(100);
    }
}
BENCHMARK(BM_MusicWatchdogTick)->Arg(0)->Arg(1)->Unit(benchmark::kMicrosecond);

}  // namespace
