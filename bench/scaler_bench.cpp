// Scaling the composed table to the window: the part a flying card changes in one frame
// (a card's rectangle and its last step, as the damage tiles round it), at the window
// sizes players have. Reports nanoseconds per window pixel written.
#include <benchmark/benchmark.h>

#include <random>
#include <vector>

#include "platform/letterbox.h"
#include "platform/table_scaler.h"

namespace {

using tarrabel::platform::Rect;

void BM_ScaleAFlyingCard(benchmark::State& state) {
    const int32_t outW = int32_t(state.range(0)), outH = int32_t(state.range(1));
    const int32_t k = tarrabel::platform::DensityFor(outW, outH, 800, 600);
    const auto box = tarrabel::platform::FitTable(outW, outH, 800 * k, 600 * k);
    tarrabel::platform::Surface table = tarrabel::platform::MakeSurface(800 * k, 600 * k);
    std::mt19937 rng(5);
    for (uint16_t& p : table.Pixels)
        p = uint16_t(rng());
    tarrabel::platform::TableScaler scaler;
    scaler.Prepare(table.Width, table.Height, box.Width, box.Height);
    std::vector<uint32_t> window(size_t(box.Width) * size_t(box.Height));
    // Nine by twelve tiles of 16 table units: a card of 108 x 151 and a step of 13.
    const Rect changed{320 * k, 224 * k, (320 + 144) * k, (224 + 192) * k};
    const Rect area = scaler.Affected(changed);
    const int64_t pixels = int64_t(area.Right - area.Left) * (area.Bottom - area.Top);
    for (auto _ : state) {
        scaler.Scale(table, area, window.data(), box.Width);
        benchmark::DoNotOptimize(window.data());
        benchmark::ClobberMemory();
    }
    state.counters["density"] = double(k);
    state.counters["window_pixels"] = double(pixels);
    state.counters["ns_per_pixel"] =
        benchmark::Counter(double(pixels) * double(state.iterations()),
                           benchmark::Counter::kIsRate | benchmark::Counter::kInvert);
}
BENCHMARK(BM_ScaleAFlyingCard)
    ->Args({800, 600})
    ->Args({1366, 768})
    ->Args({1920, 1080})
    ->Args({2560, 1440})
    ->Args({3840, 2160})
    ->Unit(benchmark::kMicrosecond);

}  // namespace

BENCHMARK_MAIN();
