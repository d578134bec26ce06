// Moving a card within the human's hand ("SELECT EXCHANGE", then "EXCHANGE CARDS"): the
// picked card flies to the target's place and the cards between shift over by one.
#pragma once

#include "core/game.h"

namespace tarrabel {

// Puts a picked card down again: no move is pending and no card is marked.
void CancelPick(Game& g);

// Launches every card of the move at once.
void StartExchangeFlight(Game& g);
// Settles the hand once the move has landed.
void CompleteExchange(Game& g);

}  // namespace tarrabel
