// What keeping and resuming a match costs: a chain of whole matches (and half of the next)
// played with the clicking player against expert computer players, kept as frames; then
// writing its text, reading it back, and playing it again to the table it left, as a start
// with "Resume" does. The text's size is reported beside the times.
//
//   resume_bench [--benchmark_filter=...]
#include <benchmark/benchmark.h>

#include <map>
#include <memory>
#include <string>
#include <utility>

#include "persist/kept_match.h"
#include "rules/setup.h"
#include "session/frame.h"
#include "session/game_init.h"
#include "simulate/human_policy.h"

namespace {

using namespace tarrabel;

// Plays `matches` whole matches and half of the next one's deals, frame by frame as the
// table does, keeping every frame.
KeptMatch PlayAndKeep(GameVariant variant, int matches) {
    KeptMatch k;
    k.Version = "bench";
    k.Chain = 1;
    k.Seed = 4242 + uint64_t(variant);
    k.Options = DefaultOptions(variant);
    k.Options.ComputerLevel = AiLevel::Expert;
    VirtualClock clock;
    SeededRandom rng(k.Seed);
    NullSound silence;
    auto g = std::make_unique<Game>();
    clock.Set(1000);
    k.FirstTick = 1000;
    k.SumTicks();
    StartNewGame(*g, k.Options, Services{&clock, &rng, &silence, nullptr});
    SetUpDeal(*g);
    sim::HumanPolicy person(7);
    int ended = 0, dealsInLast = 0;
    bool wasScored = false;
    for (int64_t frame = 0; frame < 5'000'000; ++frame) {
        const FrameInput in = person.Decide(*g);
        clock.Advance(16);
        RunGameFrame(*g, in);
        k.AddFrame(clock.TickMs(), in);
        const bool scored = g->State == GameState::DealScored;
        if (scored && !wasScored) {
            if (g->NewMatch) {
                ++ended;
                dealsInLast = 0;
            } else if (ended == matches && ++dealsInLast >= 2) {
                break;
            }
        }
        wasScored = scored;
    }
    k.MatchIndex = ended + 1;
    k.Digest = GameDigest(*g, rng.State());
    return k;
}

const KeptMatch& Kept(GameVariant v, int matches) {
    static std::map<std::pair<int, int>, KeptMatch> made;
    auto [it, fresh] = made.try_emplace({int(v), matches});
    if (fresh) it->second = PlayAndKeep(v, matches);
    return it->second;
}

void Describe(benchmark::State& state, const KeptMatch& k) {
    state.counters["frames"] = double(k.FrameCount());
    state.counters["file_kB"] = double(FormatKeptMatch(k).size()) / 1024.0;
}

void Write(benchmark::State& state) {
    const KeptMatch& k = Kept(GameVariant(state.range(0)), int(state.range(1)));
    for (auto _ : state)
        benchmark::DoNotOptimize(FormatKeptMatch(k));
    Describe(state, k);
}

void Read(benchmark::State& state) {
    const KeptMatch& k = Kept(GameVariant(state.range(0)), int(state.range(1)));
    const std::string text = FormatKeptMatch(k);
    for (auto _ : state) {
        KeptMatch back;
        std::string why;
        if (!ParseKeptMatch(text, &back, &why)) state.SkipWithError(why.c_str());
    }
    Describe(state, k);
}

void Replay(benchmark::State& state) {
    const KeptMatch& k = Kept(GameVariant(state.range(0)), int(state.range(1)));
    for (auto _ : state) {
        ReplayedMatch out;
        std::string why;
        if (!ReplayKeptMatch(k, nullptr, &out, &why)) state.SkipWithError(why.c_str());
    }
    Describe(state, k);
}

// Tarrabel (matches of a few deals) and Pis Yedili (to 500, the longest), with 0, 1 and 4
// whole matches before the one left.
void Cases(benchmark::internal::Benchmark* b) {
    b->ArgNames({"variant", "matches_before"});
    for (int v : {0, 4})
        for (int m : {0, 1, 4})
            b->Args({v, m});
    b->Unit(benchmark::kMillisecond);
}

BENCHMARK(Write)->Apply(Cases);
BENCHMARK(Read)->Apply(Cases);
BENCHMARK(Replay)->Apply(Cases);

}  // namespace

BENCHMARK_MAIN();
