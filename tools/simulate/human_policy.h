// A seeded stand-in for the person at the bottom of the table. It sees only what is on the
// table and acts only through the mouse: it left-clicks a visible point of a legal card,
// sometimes draws from the deck, passes with a right click on empty table after drawing,
// now and then breaks a chain or moves a card within its hand, picks a suit icon after a
// wild card, and clicks the score page to deal again.
#pragma once

#include <array>
#include <cstdint>

#include "core/game.h"
#include "core/services.h"
#include "session/frame.h"

namespace tarrabel::sim {

class HumanPolicy {
  public:
    explicit HumanPolicy(uint64_t seed) : rng_(seed) {}

    // The mouse and keys for the next frame.
    FrameInput Decide(const Game& g);

    // The slot whose card the last Decide clicked to play, or -1.
    int AimedAt() const { return aimedAt_; }
    // Turns on which a legal card was in the hand but none showed a point to click, so
    // that the policy had to draw or pass instead: each one is a fault of the table.
    int64_t StrandedTurns() const { return strandedTurns_; }

  private:
    FrameInput DecideTurn(const Game& g);
    // Finds a point that plays one of the first n slots of pool, trying them all from a
    // random one on.
    bool PlayOneOf(const Game& g, const std::array<int, kHandSlots>& pool, int n, int& x, int& y);
    FrameInput Click(const Game& g, int x, int y, bool right);
    bool Chance(double p) { return rng_.Next() < p; }

    SeededRandom rng_;
    int idleFrames_ = 0;        // thinking time before the next click
    bool pressedLast_ = false;  // a click is one frame down, then up
    int pickedSlot_ = -1;       // a card picked for moving, waiting for its target
    int aimedAt_ = -1;
    int64_t strandedTurns_ = 0;
};

// No button down, the pointer in the middle of the table.
inline FrameInput PointerAtRest() {
    FrameInput in;
    in.MouseX = 400;
    in.MouseY = 300;
    return in;
}

// A press of the left or right button at (x, y), for one frame.
FrameInput PressAt(int x, int y, bool right);

// A point of the human's card in slot `slot` that is visible on the table and that the
// hit test resolves to that card. byHome: use the slot's layout rectangle (right clicks).
bool VisiblePointOf(const Game& g, int slot, bool byHome, bool legalOnly, Random& rng, int& x,
                    int& y);

// The first slot of the human's hand holding a card he may play that shows no point where
// a left click would play it, or -1 when every legal card can be clicked.
int UnclickableLegalCard(const Game& g);

}  // namespace tarrabel::sim
