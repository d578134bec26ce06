// The state machine that drives a deal, one small step per frame.
#pragma once

#include <cstdint>

#include "session/game.h"

namespace tarrabel {

void StepGameState(Game& g);

// Parks the machine in "PAUSED" for ms milliseconds, then returns to the current state.
void PauseFor(Game& g, int32_t ms);
// PauseFor unless a pause has just ended (PauseDone).
void PauseUnlessDone(Game& g, int32_t ms);

void NextPlayer(Game& g);
void PreviousPlayer(Game& g);
int16_t PlayerAfter(const Game& g, int player);
int16_t PlayerBefore(const Game& g, int player);

bool AnyCardMoving(const Game& g);

// The human passes (right click on empty table after drawing).
void HumanPasses(Game& g);

}  // namespace tarrabel
