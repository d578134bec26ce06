// A seeded stand-in for the person at the bottom of the table. It sees only what is on the
// table and acts only through the mouse: it left-clicks a visible point of a legal card,
// sometimes draws from the deck, passes with a right click on empty table after drawing,
// now and then breaks a chain or moves a card within its hand, picks a suit icon after a
// wild card, and clicks the score page to deal again.
#pragma once

#include "core/game.h"
#include "core/services.h"
#include "session/frame.h"

namespace tarrabel::sim {

class HumanPolicy {
  public:
    explicit HumanPolicy(uint64_t seed) : rng_(seed) {}

    // The mouse and keys for the next frame.
    FrameInput Decide(const Game& g);

  private:
    FrameInput DecideTurn(const Game& g);
    FrameInput Click(const Game& g, int x, int y, bool right);
    bool Chance(double p) { return rng_.Next() < p; }

    SeededRandom rng_;
    int idleFrames_ = 0;        // thinking time before the next click
    bool pressedLast_ = false;  // a click is one frame down, then up
    int pickedSlot_ = -1;       // a card picked for moving, waiting for its target
};

// A point of the human's card in slot `slot` that is visible on the table and that the
// hit test resolves to that card. byHome: use the slot's layout rectangle (right clicks).
bool VisiblePointOf(const Game& g, int slot, bool byHome, bool legalOnly, Random& rng, int& x,
                    int& y);

}  // namespace tarrabel::sim
