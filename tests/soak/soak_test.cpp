// soak_test VARIANT DEALS [expert|keys]: plays DEALS deals of one game through the
// simulator, several seeds, with the card check after every frame, the stuck-deal check and
// the check that the human can click every card he may play (the simulator fails the run
// otherwise). With "expert" every seat is played by the expert computer player, the
// person's seat through its clicks. With "keys" the person's seat is played on the keyboard
// alone with the standard player's choices, and its trace must be the very trace of the
// same choices made with the mouse: the keys reach the same actions as the clicks.
#include <cstdio>
#include <cstdlib>
#include <string>

#include "session/trace_writer.h"
#include "simulate/simulator.h"

namespace {

// The run's whole trace, as the game would write it.
std::string TraceOf(tarrabel::sim::SimConfig config, tarrabel::sim::SimResult* result) {
    char* text = nullptr;
    size_t size = 0;
    std::FILE* out = open_memstream(&text, &size);
    tarrabel::JsonTraceWriter writer(out);
    config.trace = &writer;
    *result = tarrabel::sim::RunSimulation(config);
    std::fclose(out);
    std::string trace(text, size);
    std::free(text);
    return trace;
}

}  // namespace

int main(int argc, char** argv) {
    const std::string mode = argc == 4 ? argv[3] : "";
    const bool expert = mode == "expert", keys = mode == "keys";
    if (argc != 3 && !expert && !keys) {
        std::fprintf(stderr, "usage: soak_test VARIANT DEALS [expert|keys]\n");
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
        tarrabel::sim::SimResult r;
        if (keys) {
            config.seat0 = tarrabel::sim::Seat0Player::Keys;
            const std::string byKeys = TraceOf(config, &r);
            config.seat0 = tarrabel::sim::Seat0Player::Standard;
            tarrabel::sim::SimResult byMouse;
            if (r.ok && TraceOf(config, &byMouse) != byKeys) {
                std::fprintf(stderr,
                             "soak_test: variant %d, seed %llu: the keys' trace differs from "
                             "the clicks' trace of the same choices\n",
                             variant, (unsigned long long)config.seed);
                return 1;
            }
        } else {
            r = tarrabel::sim::RunSimulation(config);
        }
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
        variant,
        expert ? " (experts everywhere)"
        : keys ? " (the person on the keys)"
               : "",
        played, matches, frames, unclickable);
    return played == deals && unclickable == 0 ? 0 : 1;
}
