// The easy computer player, a beginner's opponent. He looks through his hand from the first
// slot and plays the first card he may play: a wild card goes as soon as it is the first
// that follows (he keeps nothing back for later), a chain against him is answered with the
// first answer he finds, and after a wild card he names the suit he holds most of. He plays
// by exactly the rules of the other levels, asked of the same queries (core/matching.h,
// core/card_power.h); only his choice among the cards they allow is simpler.
#pragma once

#include <cstdint>

#include "core/game.h"

namespace tarrabel {

// The hand slot the easy player in CurrentPlayer's seat plays.
int16_t EasyChooseCard(const Game& g);

// The suit, 0 to 3, the easy player in CurrentPlayer's seat names after his wild card: the
// one he holds most of, ties to the lower suit code (not stored anywhere).
int EasyChooseSuit(const Game& g);

}  // namespace tarrabel
