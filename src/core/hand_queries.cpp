#include "core/hand_queries.h"

namespace tarrabel {

int32_t SuitToFollow(const Game& g) {
    if (g.PileCount == 0) return kClubs;  // the opening suit of Pis Yedili
    const CardRecord& top = g.Pile[g.PileCount - 1];
    const int16_t rank = g.RankOf(top);
    if (rank == g.Rules.WildRank) return g.ChosenSuit;
    if (rank == kJoker) {
        // A joker keeps the suit of the card under it; a joker on a joker asks for none.
        if (g.PileCount < 2) return kAnySuit;
        return g.SuitOf(g.Pile[g.PileCount - 2]);
    }
    return g.SuitOf(top);
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
