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

// The standard player breaks ties between suits at random: from its own generator, so
// that the mouse and the keyboard stand-ins, given one seed, name the same suits.
inline uint64_t SuitTieSeed(uint64_t seed) {
    return seed ^ 0x6A09E667F3BCC909ull;
}

class ChoicePolicy {
  public:
    ChoicePolicy(AiLevel level, uint64_t seed)
        : level_(level), rng_(seed), suitRng_(SuitTieSeed(seed)) {}

    // The mouse for the next frame.
    FrameInput Decide(const Game& g);
    // The slot whose card the last Decide clicked to play, or -1.
    int AimedAt() const { return aimedAt_; }

  private:
    FrameInput DecideTurn(const Game& g);
    int ChooseSlot(const Game& g);
    FrameInput Click(int x, int y, bool right);

    AiLevel level_;
    SeededRandom rng_;  // where the clicks land
    SeededRandom suitRng_;
    bool pressedLast_ = false;
    int aimedAt_ = -1;
};

}  // namespace tarrabel::sim
