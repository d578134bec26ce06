// Small turn helpers every part of the game uses: whose turn is next, and whether any card
// is still in flight.
//
// How a turn moves: the state machine passes the turn to the next player before anything
// is played (NormalPlay's turn start calls NextPlayer), and the rules then step back when
// the same player is to go on: after a play-again card, a wild card (he names the suit),
// or a draw for want of a card to play (he then plays or passes).
#pragma once

#include <cstdint>

#include "core/game.h"

namespace tarrabel {

// The seat after `seat` going forward (or before it, going backward), passing over the
// seats for which isOut(seat) holds. Every order of the table steps through this: the
// turn, the dealing round and the expert's imagined deals. The person is never out, so
// a seat is always found; the bound only guards the loop.
template <class IsOut>
constexpr int16_t NeighbourSeat(int seat, bool forward, IsOut isOut) {
    for (int i = 0; i < kSeats; ++i) {
        seat = forward ? (seat + 1) % kSeats : (seat + kSeats - 1) % kSeats;
        if (!isOut(seat)) break;
    }
    return int16_t(seat);
}

void NextPlayer(Game& g);
void PreviousPlayer(Game& g);
int16_t PlayerAfter(const Game& g, int player);
int16_t PlayerBefore(const Game& g, int player);

bool AnyCardMoving(const Game& g);

}  // namespace tarrabel
