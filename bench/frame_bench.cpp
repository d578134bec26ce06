// The game side of a frame over complete deals: input handling, one step of the state
// machine and the launch of a played card, with the human's seat played by the simulator's
// seeded policy and a virtual clock advanced 16 ms per frame.
//
// Reports frames per second and the heap allocations made inside frames, which must be zero.
#include <benchmark/benchmark.h>

#include <atomic>
#include <cstdlib>
#include <memory>
#include <new>

#include "session/frame.h"
#include "session/game_init.h"
#include "simulate/human_policy.h"
#include "simulate/simulator.h"

#include "allocation_counter.h"

namespace {

using namespace tarrabel;

void BM_GameFrame(benchmark::State& state) {
    const auto variant = GameVariant(state.range(0));
    VirtualClock clock;
    SeededRandom rng(42);
    NullSound sound;
    auto game = std::make_unique<Game>();
    GameInit(*game, DefaultOptions(variant), Services{&clock, &rng, &sound, nullptr});
    sim::HumanPolicy human(4242);

    const int startDeals = game->DealsStarted;
    const long long allocationsBefore = g_allocations.load();
    for (auto _ : state) {
        RunGameFrame(*game, human.Decide(*game));
        clock.Advance(16);
    }
    const long long allocations = g_allocations.load() - allocationsBefore;

    state.counters["frames/s"] =
        benchmark::Counter(double(state.iterations()), benchmark::Counter::kIsRate);
    state.counters["deals"] = double(game->DealsStarted - startDeals);
    state.counters["allocs"] = double(allocations);
    if (allocations != 0) state.SkipWithError("a frame allocated on the heap");
}

BENCHMARK(BM_GameFrame)
    ->ArgName("variant")
    ->DenseRange(0, 4)
    ->MinTime(2.0)
    ->Unit(benchmark::kNanosecond);

}  // namespace

BENCHMARK_MAIN();
