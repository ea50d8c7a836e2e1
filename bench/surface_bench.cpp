// Every surface operation on a full frame, beside a plain memcpy of the same frame, so the
// ratio between them can be read off one run.

#include <benchmark/benchmark.h>

#include <QPainter>
#include <cstring>
#include <vector>

#include "platform/pictures/surface.h"

using platform::RasterOp;
using platform::Surface;

namespace {

Surface noise(int w, int h) {
    Surface s(w, h);
    std::uint32_t v = 12345;
    for (int y = 0; y < h; ++y) {
        for (int x = 0; x < w; ++x) {
            v = v * 1103515245u + 12345u;
            s.setPixel(x, y, (v >> 8) & 0xFFFFFF);
        }
    }
    return s;
}

void frameArgs(benchmark::internal::Benchmark* b) {
    b->Args({1920, 1080})->Args({3840, 2160})->Unit(benchmark::kMicrosecond);
}

void BM_Memcpy(benchmark::State& state) {
    const auto bytes = static_cast<std::size_t>(state.range(0) * state.range(1) * 4);
    std::vector<char> from(bytes, 1);
    std::vector<char> to(bytes);
    for (auto _ : state) {
        std::memcpy(to.data(), from.data(), bytes);
        benchmark::DoNotOptimize(to.data());
        benchmark::ClobberMemory();
    }
}
BENCHMARK(BM_Memcpy)->Apply(frameArgs);

void BM_CopyFrame(benchmark::State& state) {
    const int w = static_cast<int>(state.range(0));
    const int h = static_cast<int>(state.range(1));
    const Surface src = noise(w, h);
    Surface dst(w, h);
    for (auto _ : state) {
        platform::bitBlt(dst, 0, 0, w, h, src, 0, 0);
        benchmark::ClobberMemory();
    }
}
BENCHMARK(BM_CopyFrame)->Apply(frameArgs);

// A 640 × 480 background stretched over the frame, with each raster operation.
template <RasterOp op>
void BM_StretchBackground(benchmark::State& state) {
    const int w = static_cast<int>(state.range(0));
    const int h = static_cast<int>(state.range(1));
    const Surface src = noise(640, 480);
    Surface dst = noise(w, h);
    for (auto _ : state) {
        platform::stretchBlt(dst, 0, 0, w, h, src, 0, 0, 640, 480, op);
        benchmark::ClobberMemory();
    }
}
BENCHMARK(BM_StretchBackground<RasterOp::Copy>)->Apply(frameArgs);
BENCHMARK(BM_StretchBackground<RasterOp::Invert>)->Apply(frameArgs);
BENCHMARK(BM_StretchBackground<RasterOp::Paint>)->Apply(frameArgs);

void BM_TransparentStretchBackground(benchmark::State& state) {
    const int w = static_cast<int>(state.range(0));
    const int h = static_cast<int>(state.range(1));
    const Surface src = noise(640, 480);
    Surface dst = noise(w, h);
    for (auto _ : state) {
        platform::transparentBlt(dst, 0, 0, w, h, src, 0, 0, 640, 480, 0);
        benchmark::ClobberMemory();
    }
}
BENCHMARK(BM_TransparentStretchBackground)->Apply(frameArgs);

// Twelve 32 × 32 frames drawn doubled with black keyed out, as a battle repaint does.
void BM_TwelveKeyedSprites(benchmark::State& state) {
    const int w = static_cast<int>(state.range(0));
    const int h = static_cast<int>(state.range(1));
    Surface sprite = noise(64, 128);
    for (int y = 0; y < 128; y += 3) {
        for (int x = 0; x < 64; ++x) {
            sprite.setPixel(x, y, 0);
        }
    }
    Surface dst = noise(w, h);
    for (auto _ : state) {
        for (int i = 0; i < 12; ++i) {
            platform::transparentBlt(dst, 100 + 90 * i, h / 2, 64, 64, sprite, 32, 32, 32, 32, 0);
        }
        benchmark::ClobberMemory();
    }
}
BENCHMARK(BM_TwelveKeyedSprites)->Apply(frameArgs);

// The same stretch through QPainter, for comparison with our own loop.
void BM_QPainterStretchBackground(benchmark::State& state) {
    const int w = static_cast<int>(state.range(0));
    const int h = static_cast<int>(state.range(1));
    const QImage src = noise(640, 480).image();
    QImage dst = noise(w, h).image();
    for (auto _ : state) {
        QPainter p(&dst);
        p.setCompositionMode(QPainter::CompositionMode_Source);
        p.drawImage(QRect(0, 0, w, h), src, QRect(0, 0, 640, 480));
        p.end();
        benchmark::ClobberMemory();
    }
}
BENCHMARK(BM_QPainterStretchBackground)->Apply(frameArgs);

}  // namespace
