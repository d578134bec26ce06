// Plays the person's seat with the standard player's choices acted out on the keyboard
// alone: the focus frame walked to the chosen card with the arrows, Home and End, then
// Enter; D or Up and Enter to draw, X to pass, 1 to 4 or the suit's initial at the suit
// prompt, and now and then R twice (a card picked to move and put down again, which leaves
// the deal as it was). Every key goes through the table's own key handlers.
#pragma once

#include <cstdint>

#include "core/game.h"
#include "core/services.h"
#include "session/frame.h"

namespace tarrabel::sim {

class KeyPolicy {
  public:
    explicit KeyPolicy(uint64_t seed);

    // The keys for the next frame.
    FrameInput Decide(const Game& g);
    // The slot whose card the last Decide played with Enter, or -1.
    int AimedAt() const { return aimedAt_; }

  private:
    FrameInput DecideTurn(const Game& g);
    FrameInput Press(TableKey key);

    SeededRandom rng_;      // how the keys are pressed
    SeededRandom suitRng_;  // the standard player's ties between suits
    int aimedAt_ = -1;
    bool pickedToMove_ = false;  // R was pressed once: the next R puts the card down
};

}  // namespace tarrabel::sim
