// The battle's repaint and its timer ticks at two display sizes. Read each beside BM_Memcpy of
// the same frame size (in surface_bench.cpp, the same executable):
//   velmora-bench --benchmark_filter='BM_Memcpy|Battle' --benchmark_repetitions=5
//                 --benchmark_report_aggregates_only=true

#include <benchmark/benchmark.h>

#include <memory>

#include "support/battle_support.h"

namespace {

void displayArgs(benchmark::internal::Benchmark* b) {
    b->Args({1920, 1080})->Args({3840, 2160})->Unit(benchmark::kMicrosecond);
}

// A battle on the given display over a 640 × 480 battlefield picture, the size of the shipped
// one, a few ticks after its start.
std::unique_ptr<testing_support::Harness> battleOn(const benchmark::State& state) {
    auto h = std::make_unique<testing_support::Harness>(static_cast<int>(state.range(0)),
                                                        static_cast<int>(state.range(1)));
    testing_support::openBattle(*h, 640, 480);
    h->advance(200);
    return h;
}

// One repaint as the command cursor's tick does it: the active member has changed its frame.
void repaintAfterAStep(benchmark::State& state, bool plain) {
    const auto h = battleOn(state);
    velmora::frmBattle& b = h->battle();
    b.usePlainRepaint(plain);
    for (auto _ : state) {
        b.PartySrcX[1] = 32 - b.PartySrcX[1].value();
        b.RepaintBattle(velmora::frmBattle::Quotient::Rounded);
        benchmark::ClobberMemory();
    }
}

void BM_BattleRepaint(benchmark::State& state) {
    repaintAfterAStep(state, false);
}
BENCHMARK(BM_BattleRepaint)->Apply(displayArgs);

// The same repaint done the plain way: everything redrawn and shown again.
void BM_BattleRepaintPlain(benchmark::State& state) {
    repaintAfterAStep(state, true);
}
BENCHMARK(BM_BattleRepaintPlain)->Apply(displayArgs);

// One tick of the target cursor during the target choice: the repaint and the red arrow.
void BM_BattleTargetTick(benchmark::State& state) {
    const auto h = battleOn(state);
    h->press(h->battle(), Qt::Key_Space);
    h->advance(100);
    for (auto _ : state) {
        h->battle().tmrTarget_Timer();
        benchmark::ClobberMemory();
    }
}
BENCHMARK(BM_BattleTargetTick)->Apply(displayArgs);

// Both ticks of the target choice, as they alternate in the game: the command cursor's (the
// member walks) and the target cursor's.
void BM_BattleTargetChoiceBothTicks(benchmark::State& state) {
    const auto h = battleOn(state);
    h->press(h->battle(), Qt::Key_Space);
    h->advance(100);
    for (auto _ : state) {
        h->battle().tmrSelect_Timer();
        h->battle().tmrTarget_Timer();
        benchmark::ClobberMemory();
    }
}
BENCHMARK(BM_BattleTargetChoiceBothTicks)->Apply(displayArgs);

}  // namespace
