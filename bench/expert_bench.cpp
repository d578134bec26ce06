// How long one decision of the expert computer player takes, on positions of real deals.
//
// Deals are played with standard players (the person's seat by the simulator's clicking
// stand-in); at every turn of a computer player, and at every suit he names, the expert's
// answer for that very position is timed. Reports the median and the worst of 10,000
// decisions per game, and the same over the decisions with more than one card to choose
// from (the others are answered without thinking). The expert thinks on two cores, as in
// the game. Wall-clock times include whatever else the machine did meanwhile; the cpu_
// counters are the processor time of the calling thread alone.
#include <benchmark/benchmark.h>

#include <algorithm>
#include <chrono>
#include <ctime>
#include <memory>
#include <vector>

#include "ai/computer_player.h"
#include "ai/expert_player.h"
#include "ai/thinking_thread.h"
#include "core/turns.h"
#include "session/frame.h"
#include "session/game_init.h"
#include "simulate/human_policy.h"
#include "simulate/simulator.h"

namespace {

using namespace tarrabel;
using Clock = std::chrono::steady_clock;

constexpr int kDecisions = 10'000;

double Micros(Clock::duration d) {
    return std::chrono::duration<double, std::micro>(d).count();
}

// The processor time this thread has used, in microseconds: a decision's own work,
// without the time the machine gave to other programs meanwhile.
double ThreadMicros() {
    timespec t{};
    clock_gettime(CLOCK_THREAD_CPUTIME_ID, &t);
    return double(t.tv_sec) * 1e6 + double(t.tv_nsec) / 1e3;
}

double Percentile(std::vector<double> v, double p) {
    if (v.empty()) return 0;
    std::sort(v.begin(), v.end());
    return v[std::min(v.size() - 1, size_t(p * double(v.size())))];
}

void BM_ExpertDecision(benchmark::State& state) {
    const auto variant = GameVariant(state.range(0));
    ThinkingThread secondCore;
    for (auto _ : state) {
        VirtualClock clock;
        SeededRandom rng(7);
        NullSound sound;
        auto game = std::make_unique<Game>();
        Game& g = *game;
        GameInit(g, DefaultOptions(variant), Services{&clock, &rng, &sound, nullptr});
        sim::HumanPolicy person(77);
        auto probe = std::make_unique<Game>();

        std::vector<double> all, contested, cpu;
        all.reserve(kDecisions);
        while (int(all.size()) < kDecisions) {
            const bool turnStarts =
                g.State == GameState::NormalPlay && !g.WaitingForHuman && !AnyCardMoving(g);
            const bool namesSuit =
                g.State == GameState::ChoosingSuit && !g.BannerStep && !g.WaitingForHuman;
            if (turnStarts || namesSuit) {
                *probe = g;
                Game& p = *probe;
                p.io.Trace = nullptr;
                p.io.Thinking = &secondCore;
                NextPlayer(p);
                if (p.CurrentPlayer != kHuman) {
                    p.SeatLevel[p.CurrentPlayer] = AiLevel::Expert;
                    const auto start = Clock::now();
                    const double cpuStart = ThreadMicros();
                    bool choice = false;
                    if (namesSuit) {
                        benchmark::DoNotOptimize(ExpertChooseSuit(p));
                        choice = true;
                    } else if (HasPlayableCard(p)) {
                        benchmark::DoNotOptimize(ExpertChooseCard(p, nullptr));
                        choice = ExpertCandidateCount(p, nullptr) > 1;
                    }
                    const double us = Micros(Clock::now() - start);
                    cpu.push_back(ThreadMicros() - cpuStart);
                    all.push_back(us);
                    if (choice) contested.push_back(us);
                }
            }
            RunGameFrame(g, person.Decide(g));
            clock.Advance(16);
        }
        state.counters["median_us"] = Percentile(all, 0.5);
        state.counters["worst_us"] = Percentile(all, 1.0);
        state.counters["cpu_median_us"] = Percentile(cpu, 0.5);
        state.counters["cpu_worst_us"] = Percentile(cpu, 1.0);
        state.counters["choice_median_us"] = Percentile(contested, 0.5);
        state.counters["choice_p99_us"] = Percentile(contested, 0.99);
        state.counters["choice_worst_us"] = Percentile(contested, 1.0);
        state.counters["choices"] = double(contested.size());
    }
}

BENCHMARK(BM_ExpertDecision)
    ->ArgName("variant")
    ->DenseRange(0, 4)
    ->Iterations(1)
    ->Unit(benchmark::kSecond);

}  // namespace

BENCHMARK_MAIN();
