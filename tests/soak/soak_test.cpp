// soak_test VARIANT DEALS [expert]: plays DEALS deals of one game through the simulator,
// several seeds, with the card check after every frame, the stuck-deal check and the check
// that the human can click every card he may play (the simulator fails the run otherwise).
// With "expert" every seat is played by the expert computer player, the person's seat
// through its clicks.
#include <cstdio>
#include <cstdlib>
#include <string>

#include "simulate/simulator.h"

int main(int argc, char** argv) {
    const bool expert = argc == 4 && std::string(argv[3]) == "expert";
    if (argc != 3 && !expert) {
        std::fprintf(stderr, "usage: soak_test VARIANT DEALS [expert]\n");
        return 2;
    }
    const int variant = std::atoi(argv[1]);
    const int deals = std::atoi(argv[2]);
    if (variant < 0 || variant > 4 || deals < 1) {
        std::fprintf(stderr, "soak_test: bad arguments\n");
        return 2;
    }
    // Several seeds rather than one long run, so that many first deals and fresh matches
    // are covered too.
    constexpr int kSeeds = 4;
    long long frames = 0, unclickable = 0;
    int played = 0, matches = 0;
    for (int i = 0; i < kSeeds; ++i) {
        tarrabel::sim::SimConfig config;
        config.variant = tarrabel::GameVariant(variant);
        config.deals = deals / kSeeds + (i < deals % kSeeds ? 1 : 0);
        config.seed = 1000 + 17 * i + variant;
        config.slow = i == kSeeds - 1;  // one run with slow animation
        if (expert) {
            config.levels.fill(tarrabel::AiLevel::Expert);
            config.seat0 = tarrabel::sim::Seat0Player::Expert;
        }
        const tarrabel::sim::SimResult r = tarrabel::sim::RunSimulation(config);
        if (!r.ok) {
            std::fprintf(stderr, "soak_test: variant %d: %s\n", variant, r.error.c_str());
            return 1;
        }
        frames += r.frames;
        unclickable += r.unclickableFrames;
        played += r.deals;
        matches += r.matches;
    }
    std::printf(
        "soak_test: variant %d%s, %d deals, %d matches, %lld frames, %lld unclickable frames, "
        "invariants ok\n",
        variant, expert ? " (experts everywhere)" : "", played, matches, frames, unclickable);
    return played == deals && unclickable == 0 ? 0 : 1;
}
