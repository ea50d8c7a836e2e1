// The map's full redraw, its activation and the decoding of its tile set. Read each beside
// BM_Memcpy of the same frame size.

#include <benchmark/benchmark.h>

#include <QDateTime>
#include <QFile>
#include <QFileInfo>
#include <memory>

#include "platform/desktop/application.h"
#include "platform/pictures/picture.h"
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

// Activation after the pause menu: the tile set is named again and the map redrawn. The
// benchmark runs beside the game's assets when it can (the shipped 3840 × 2176 tile set), else
// with a 24-bit test picture of the display's size. Read it beside BM_Memcpy of the same frame.
void BM_MapActivation(benchmark::State& state) {
    const auto h = mapOn(state);
    const QString shipped = QStringLiteral("Background/World/ts0.bmp");
    if (QFileInfo::exists(shipped)) {
        QFile::remove(h->assetFolder() + "/" + shipped);
        QFile::copy(shipped, h->assetFolder() + "/" + shipped);
    }
    state.SetLabel(QFileInfo::exists(shipped) ? "shipped ts0.bmp" : "24-bit test picture");
    h->map().Form_Activate();  // the first reading decodes the file
    for (auto _ : state) {
        h->map().Form_Activate();
        benchmark::ClobberMemory();
    }
}
BENCHMARK(BM_MapActivation)->Args({1920, 1080})->Unit(benchmark::kMicrosecond);

// Decoding the tile set from its file, as the first activation after the file changed does.
void BM_TileSetDecode(benchmark::State& state) {
    const QString shipped = QStringLiteral("Background/World/ts0.bmp");
    QString path = shipped;
    std::unique_ptr<testing_support::Harness> h;
    if (!QFileInfo::exists(shipped)) {
        h = std::make_unique<testing_support::Harness>();
        path = h->assetFolder() + "/" + shipped;
    }
    state.SetLabel(QFileInfo::exists(shipped) ? "shipped ts0.bmp" : "24-bit test picture");
    QFile file(path);
    file.open(QIODevice::ReadWrite);
    int second = 0;
    for (auto _ : state) {
        // A new modification time each round: the file counts as changed.
        state.PauseTiming();
        file.setFileTime(QDateTime::fromSecsSinceEpoch(1000000000 + ++second),
                         QFileDevice::FileModificationTime);
        state.ResumeTiming();
        benchmark::DoNotOptimize(platform::Picture::load(path));
    }
}
BENCHMARK(BM_TileSetDecode)->Unit(benchmark::kMillisecond);

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
