// What a standard computer player's score of a card depends on besides his own hand: the
// pile, the counts of the hands around the table and the suit the next player named last.
// All of it is public, so the table can also work out afterwards what a choice revealed.
#pragma once

#include <cstdint>

#include "core/cards.h"

namespace tarrabel {

struct ScoreContext {
    GameVariant Variant = GameVariant::Tarrabel;
    int16_t TopRank = kNoRank;
    int32_t TopSuit = kClubs;  // the top card's printed suit
    int32_t Follow = kClubs;   // the suit in force
    int16_t NextCount = 0, SecondCount = 0, ThirdCount = 0, OwnCount = 0;
    int32_t NextNamed = kNoSuit;
};

}  // namespace tarrabel
