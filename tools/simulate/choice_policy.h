// Plays the person's seat with a computer player's choices (standard or expert), acted out
// as the clicks a person would make, so that every move still passes through the table's
// own click handlers, legality tests and trace.
#pragma once

#include <cstdint>

#include "core/game.h"
#include "core/options.h"
#include "core/services.h"
#include "session/frame.h"

namespace tarrabel::sim {

class ChoicePolicy {
  public:
    ChoicePolicy(AiLevel level, uint64_t seed) : level_(level), rng_(seed) {}

    // The mouse for the next frame.
    FrameInput Decide(const Game& g);
    // The slot whose card the last Decide clicked to play, or -1.
    int AimedAt() const { return aimedAt_; }

  private:
    FrameInput DecideTurn(const Game& g);
    int ChooseSlot(const Game& g);
    FrameInput Click(int x, int y, bool right);

    AiLevel level_;
    SeededRandom rng_;
    bool pressedLast_ = false;
    int aimedAt_ = -1;
};

}  // namespace tarrabel::sim
