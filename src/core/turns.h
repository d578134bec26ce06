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
    const unsigned step = forward ? 1 : kSeats - 1;  // one seat on, either way round
    unsigned at = unsigned(seat);
    for (int i = 0; i < kSeats; ++i) {
        at = (at + step) % kSeats;
        if (!isOut(int(at))) break;
    }
    return int16_t(at);
}

// Counts a card drawn in a turn: once a player has drawn all he may in a turn
// (DrawsPerTurn: one, three in Pis Yedili), he must play or pass.
constexpr void CountDraw(const VariantSettings& v, int16_t& drawCount, bool& drawDone) {
    if (++drawCount >= v.DrawsPerTurn) {
        drawDone = true;
        drawCount = 0;
    }
}

// A pass ends the turn: the draws start again, and a penalty nobody took up lapses with
// it, so that it cannot add itself to the next chain.
constexpr void PassEndsTurn(int16_t& drawCount, bool& drawDone, int16_t& penaltyCards,
                            bool& penaltyTaken) {
    drawCount = 0;
    drawDone = false;
    if (penaltyCards > 0) {
        penaltyCards = 0;
        penaltyTaken = true;
    }
}

void NextPlayer(Game& g);
void PreviousPlayer(Game& g);
int16_t PlayerAfter(const Game& g, int player);
int16_t PlayerBefore(const Game& g, int player);

bool AnyCardMoving(const Game& g);

}  // namespace tarrabel
