// Small turn helpers every part of the game uses: pauses, whose turn is next, and whether
// any card is still in flight.
#pragma once

#include <cstdint>

#include "core/game.h"

namespace tarrabel {

// Parks the machine in "PAUSED" for ms milliseconds, then returns to the current state.
void PauseFor(Game& g, int32_t ms);
// PauseFor unless a pause has just ended (PauseDone).
void PauseUnlessDone(Game& g, int32_t ms);

void NextPlayer(Game& g);
void PreviousPlayer(Game& g);
int16_t PlayerAfter(const Game& g, int player);
int16_t PlayerBefore(const Game& g, int player);

bool AnyCardMoving(const Game& g);

}  // namespace tarrabel
