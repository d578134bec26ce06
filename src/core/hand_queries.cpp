#include "core/hand_queries.h"

namespace tarrabel {

int32_t SuitToFollow(const Game& g) {
    const int n = g.PileCount;
    return SuitInForce(*g.Cards, g.Rules.WildRank, n, n > 0 ? g.Pile[n - 1].CardIndex : -1,
                       n > 1 ? g.Pile[n - 2].CardIndex : -1, g.ChosenSuit);
}

int16_t CountCardsInHand(const Game& g, int player) {
    int16_t n = 0;
    for (int s = 0; s < kHandSlots; ++s)
        n += g.Hands[player][s].Shown ? 1 : 0;
    return n;
}

bool AnyPlayerOut(const Game& g) {
    return PlayerWhoWentOut(g) >= 0;
}

int16_t PlayerWhoWentOut(const Game& g) {
    for (int p = 0; p < kSeats; ++p)
        if (!g.Players[p].Eliminated && g.HandCount[p] == 0) return int16_t(p);
    return -1;
}

}  // namespace tarrabel
