// Points left in the hands, the match totals and the end of a match.
#pragma once

#include <cstdint>

#include "core/game.h"

namespace tarrabel {

// What a card costs the player left holding it (and what a run of cards is worth when a
// player goes out in Pis Yedili).
int16_t CardPoints(GameVariant variant, int16_t rank, int32_t suit);
int16_t CardPoints(const Game& g, const CardRecord& card);

// Charges every hand, records the deal and decides whether the match is over.
void ScoreDeal(Game& g);

}  // namespace tarrabel
