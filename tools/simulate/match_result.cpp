#include "match_result.h"

namespace tarrabel::sim {

std::array<double, kSeats> MatchWinShares(const Game& g) {
    std::array<bool, kSeats> contender{};
    for (int seat = 0; seat < kSeats; ++seat)
        contender[seat] = !g.Players[seat].Eliminated;
    if (g.Is(GameVariant::PisYedili) && g.MatchTotal[kHuman] > g.Options.TargetScore) {
        // The person is out; of the others those still under the target contend, or, should
        // all of them have passed it in the same deal, all of them.
        contender[kHuman] = false;
        bool anyUnder = false;
        for (int seat = 1; seat < kSeats; ++seat)
            anyUnder |= contender[seat] && g.MatchTotal[seat] <= g.Options.TargetScore;
        if (anyUnder)
            for (int seat = 1; seat < kSeats; ++seat)
                contender[seat] = contender[seat] && g.MatchTotal[seat] <= g.Options.TargetScore;
    }
    int lowest = -1;
    for (int seat = 0; seat < kSeats; ++seat)
        if (contender[seat] && (lowest < 0 || g.MatchTotal[seat] < g.MatchTotal[lowest]))
            lowest = seat;
    std::array<double, kSeats> share{};
    if (lowest < 0) return share;
    int tied = 0;
    for (int seat = 0; seat < kSeats; ++seat)
        tied += contender[seat] && g.MatchTotal[seat] == g.MatchTotal[lowest];
    for (int seat = 0; seat < kSeats; ++seat)
        if (contender[seat] && g.MatchTotal[seat] == g.MatchTotal[lowest]) share[seat] = 1.0 / tied;
    return share;
}

}  // namespace tarrabel::sim
