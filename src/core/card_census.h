// The one promise every frame of the game keeps: no card is lost or doubled. The simulator
// checks it after every frame of thousands of deals, and the tests after every step.
#pragma once

#include <string>

#include "core/game.h"

namespace tarrabel {

// Every card 0 .. DeckSize - 1 is in exactly one place: the undrawn deck, in flight from
// the deck, on the pile or in a hand; and every hand count matches its hand. When not,
// answers false and says in `why` (if given) what is wrong.
bool CheckCardInvariant(const Game& g, std::string* why);

}  // namespace tarrabel
