// strength_smoke MATCHES: a quick check that the expert computer player is the stronger.
//
// Agonia, MATCHES matches in all: half with the expert in seat 1, half in seat 3, each
// time against standard players, the person's seat played by the standard choice through
// its clicks. The very same matches (same seeds) are played with the standard player in
// the expert's seat. Passes when the expert wins more of them than the standard player
// did, and prints both shares.
#include <cstdio>
#include <cstdlib>

#include "simulate/simulator.h"

namespace {

using namespace tarrabel;

// Shares of matches won by `seat` over `matches` matches, with that seat at `level`.
double WinsOf(int seat, AiLevel level, int matches, uint64_t seed) {
    sim::SimConfig config;
    config.variant = GameVariant::Agonia;
    config.matches = matches;
    config.seed = seed;
    config.seat0 = sim::Seat0Player::Standard;
    config.levels[seat] = level;
    const sim::SimResult r = sim::RunSimulation(config);
    if (!r.ok) {
        std::fprintf(stderr, "strength_smoke: %s\n", r.error.c_str());
        std::exit(1);
    }
    return r.matchWins[seat];
}

}  // namespace

int main(int argc, char** argv) {
    const int matches = argc == 2 ? std::atoi(argv[1]) : 0;
    if (matches < 2) {
        std::fprintf(stderr, "usage: strength_smoke MATCHES\n");
        return 2;
    }
    double expert = 0, standard = 0;
    for (int seat : {1, 3}) {
        const uint64_t seed = 500 + uint64_t(seat);
        expert += WinsOf(seat, AiLevel::Expert, matches / 2, seed);
        standard += WinsOf(seat, AiLevel::Standard, matches / 2, seed);
    }
    const int played = matches / 2 * 2;
    std::printf(
        "strength_smoke: of %d Agonia matches the expert won %.1f (%.1f %%), the "
        "standard player in his place %.1f (%.1f %%)\n",
        played, expert, 100 * expert / played, standard, 100 * standard / played);
    return expert > standard ? 0 : 1;
}
