// The computer players: can they play, which card, which suit.
#pragma once

#include <cstdint>

#include "core/game.h"

namespace tarrabel {

// Whether CurrentPlayer holds a card he may play now.
bool HasPlayableCard(const Game& g);

// The hand slot a computer player plays: a one-ply score of every card.
int16_t ChooseCardToPlay(const Game& g);

// The suit a computer player names after his wild card; also stored in his LastNamedSuit
// and in ChosenSuit.
int16_t ChooseSuit(Game& g);

}  // namespace tarrabel
