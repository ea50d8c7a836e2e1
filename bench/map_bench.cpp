// The map's full redraw and the tile-set reload of its activation, at two display sizes. Read
// the redraw beside BM_Memcpy of the same frame size.

#include <benchmark/benchmark.h>

#include <QFileInfo>
#include <memory>

#include "platform/application.h"
#include "platform/picture.h"
#include "support/harness.h"

namespace {

void displayArgs(benchmark::internal::Benchmark* b) {
    b->Args({1920, 1080})->Args({3840, 2160})->Unit(benchmark::kMicrosecond);
}

// A game on the given display with a tile set as large as the shipped one.
std::unique_ptr<testing_support::Harness> mapOn(const benchmark::State& state) {
    auto h = std::make_unique<testing_support::Harness>(static_cast<int>(state.range(0)),
                                                        static_cast<int>(state.range(1)));
    h->start();
    return h;
}

void BM_DrawMap(benchmark::State& state) {
    const auto h = mapOn(state);
    for (auto _ : state) {
        h->map().DrawMap();
        benchmark::ClobberMemory();
    }
}
BENCHMARK(BM_DrawMap)->Apply(displayArgs);

// Activation reads the tile set from disk: the shipped one when the benchmark runs beside the
// game's assets, else a 24-bit test picture of the same size.
void BM_TileSetReload(benchmark::State& state) {
    const QString shipped = QStringLiteral("Background/World/ts0.bmp");
    QString path = shipped;
    std::unique_ptr<testing_support::Harness> h;
    if (!QFileInfo::exists(shipped)) {
        h = std::make_unique<testing_support::Harness>();
        path = h->assetFolder() + "/" + shipped;
    }
    state.SetLabel(QFileInfo::exists(shipped) ? "shipped ts0.bmp" : "24-bit test picture");
    for (auto _ : state) {
        benchmark::DoNotOptimize(platform::Picture::load(path));
    }
}
BENCHMARK(BM_TileSetReload)->Unit(benchmark::kMillisecond);

}  // namespace

int main(int argc, char** argv) {
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) {
        qputenv("QT_QPA_PLATFORM", "offscreen");
    }
    platform::Application app(argc, argv);
    benchmark::Initialize(&argc, argv);
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}
