// The computer players: can they play, which card, which suit. Each seat is played at its
// level (Game::SeatLevel): the standard player (ai/standard_player.h), the expert
// (ai/expert_player.h) or the easy player (ai/easy_player.h).
#pragma once

#include <cstdint>

#include "core/game.h"

namespace tarrabel {

// Whether CurrentPlayer holds a card he may play now (for the person: by the rules alone;
// an expert may also decide to draw rather than play a red Jack he would keep).
bool HasPlayableCard(const Game& g);

// The hand slot a computer player plays.
int16_t ChooseCardToPlay(const Game& g);

// The suit a computer player names after his wild card; also stored in his LastNamedSuit
// and in ChosenSuit.
int16_t ChooseSuit(Game& g);

}  // namespace tarrabel
