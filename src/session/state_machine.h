// The state machine that drives a deal, one small step per frame.
#pragma once

#include <cstdint>

#include "core/game.h"

namespace tarrabel {

void StepGameState(Game& g);

// The human passes (right click on empty table after drawing).
void HumanPasses(Game& g);

}  // namespace tarrabel
