// The computer players' memory of the table: what each public event teaches them about the
// hands they cannot see (Game::Memory), learnt as the event happens.
#pragma once

#include "core/game.h"

namespace tarrabel {

// Updates g.Memory with what the event just shown on the table tells.
void RememberPublicEvent(Game& g, const TraceEvent& ev);

// The observer that remembers every event of a game: what the game sets as
// Game::MemoryKeeper when a game starts. It holds no state of its own.
TableObserver& TableMemoryKeeper();

}  // namespace tarrabel
