// What a standard computer player's score of a card depends on besides his own hand: the
// pile, the counts of the hands around the table and the suit the next player named last.
// All of it is public, so the table can also work out afterwards what a choice revealed.
#pragma once

#include <cstdint>

#include "core/cards.h"

namespace tarrabel {

struct ScoreContext {
    GameVariant variant = GameVariant::Tarrabel;
    int16_t topRank = kNoRank;
    int32_t topSuit = kClubs;  // the top card's printed suit
    int32_t follow = kClubs;   // the suit in force
    int16_t nextCount = 0, secondCount = 0, thirdCount = 0, ownCount = 0;
    int32_t nextNamed = kNoSuit;
};

}  // namespace tarrabel
