// What one seat knows of the deal under way, and the deals he can imagine from it.
//
// A seat knows his own hand, every card on the pile, how many cards each player holds and
// how many are left to draw, the suits named, the penalties open, the scores, and what the
// table's memory concluded from draws and passes. He does not know which of the cards he
// cannot see lie in which hand or where in the deck; an imagined deal deals them out at
// random, in a way that agrees with everything he knows.
#pragma once

#include <array>
#include <cstdint>

#include "ai/deal_model.h"
#include "core/game.h"

namespace tarrabel {

struct SeatKnowledge {
    int Seat = 0;
    // The deal as he sees it: his own hand in its slots, the pile, every public variable;
    // the other hands and the undrawn deck empty.
    ImaginedDeal Seen;
    std::array<int16_t, kSeats> HiddenCount{};  // cards in each other hand
    // The slots each other hand's cards lie in (their backs are on the table), in order.
    std::array<std::array<int8_t, kHandSlots>, kSeats> HiddenSlot{};
    int16_t DeckCount = 0;                         // cards left to draw
    std::array<int16_t, kCardTableSize> Unseen{};  // the cards he cannot see, in index order
    int16_t UnseenCount = 0;
    TableMemory Memory;
    // The match: totals before this deal, the target and whose seat is the person's.
    std::array<int16_t, kSeats> MatchTotal{};
    int16_t TargetScore = 0;
    // A number drawn from all of the above, to seed the imagination: the same knowledge
    // imagines the same deals.
    uint64_t Digest = 0;
};

// Reads only what `seat` may know. Never the other hands nor the order of the deck.
SeatKnowledge ReadKnowledge(const Game& g, int seat);

// Whether the cards in `seat`'s slots of `d` could be his hand now: walked back through
// what the memory `m` kept of his hand this deal, slot by slot, every card a standard
// player chose scores highest in the hand he held then (ties to the lower slot) and every
// suit named is his longest then.
bool FitsHandHistory(const HandMemory& m, const ImaginedDeal& d, int seat);

// One deal that agrees with what he knows: the unseen cards dealt to the other hands (each
// hand's remembered restrictions respected where the cards allow it) and the rest, in a
// random order, as the undrawn deck. Answers how many times hands were dealt out (a hand
// that does not fit its player's choices is dealt again).
int ImagineDeal(const SeatKnowledge& k, SplitMix64& rng, ImaginedDeal& out);

}  // namespace tarrabel
