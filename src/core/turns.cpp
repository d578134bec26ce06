#include "core/turns.h"

namespace tarrabel {

// ---- turn order -------------------------------------------------------------------------

static int16_t Step(const Game& g, int player, bool forward) {
    // The human is never eliminated, so the loop always ends; the bound is a safeguard.
    for (int i = 0; i < kSeats; ++i) {
        player = forward ? (player + 1) % kSeats : (player + kSeats - 1) % kSeats;
        if (!g.Players[player].Eliminated) break;
    }
    return int16_t(player);
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

// ---- pauses -----------------------------------------------------------------------------

void PauseFor(Game& g, int32_t ms) {
    g.ResumeState = g.State;
    g.State = GameState::Paused;
    g.PauseStart = g.Tick();
    g.PauseLength = ms;
}

void PauseUnlessDone(Game& g, int32_t ms) {
    if (!g.PauseDone) PauseFor(g, ms);
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
