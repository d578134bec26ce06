#include "core/turns.h"

namespace tarrabel {

// ---- turn order -------------------------------------------------------------------------

static int16_t Step(const Game& g, int player, bool forward) {
    return NeighbourSeat(player, forward, [&](int seat) { return g.Players[seat].Eliminated; });
}

int16_t PlayerAfter(const Game& g, int player) {
    return Step(g, player, !g.DirectionReversed);
}
int16_t PlayerBefore(const Game& g, int player) {
    return Step(g, player, g.DirectionReversed);
}
void NextPlayer(Game& g) {
    g.CurrentPlayer = PlayerAfter(g, g.CurrentPlayer);
}
void PreviousPlayer(Game& g) {
    g.CurrentPlayer = PlayerBefore(g, g.CurrentPlayer);
}

// ---- cards in flight --------------------------------------------------------------------

bool AnyCardMoving(const Game& g) {
    for (int seat = 0; seat < kSeats; ++seat)
        for (int s = 0; s < kHandSlots; ++s)
            if (g.Hands[seat][s].Moving) return true;
    for (int i = 0; i < kReturnFlying; ++i)
        if (g.ReturnCards[i].Moving) return true;
    for (int p = 0; p < g.Rules.DeckSize; ++p)
        if (g.Deck[p].Moving) return true;
    for (int p = 0; p < g.PileCount; ++p)
        if (g.Pile[p].Moving) return true;
    return false;
}

}  // namespace tarrabel
