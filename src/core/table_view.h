// The questions a computer player asks about the table, answered from the real game.
//
// The choice of card and suit is written once, as templates over a "table": anything with
// these members. The real game answers through GameTable; the expert's imagined deals
// answer through their own compact struct, so both are played by the very same rules.
#pragma once

#include <cstdint>

#include "core/game.h"
#include "core/hand_queries.h"
#include "core/turns.h"

namespace tarrabel {

class GameTable {
  public:
    explicit GameTable(const Game& g) : g_(g) {}

    const VariantSettings& Rules() const { return g_.Rules; }
    GameVariant Variant() const { return g_.Options.Variant; }
    int16_t RankOf(int card) const { return g_.Cards->Rank[card]; }
    int32_t SuitOf(int card) const { return g_.Cards->Suit[card]; }

    // The card in a hand slot, or -1 for an empty slot; slots run 0 to SlotEnd - 1.
    int Card(int seat, int slot) const {
        const CardRecord& c = g_.Hands[seat][slot];
        return c.Shown ? c.CardIndex : -1;
    }
    int SlotEnd(int /*seat*/) const { return kHandSlots; }

    int16_t TopRank() const { return g_.TopRank(); }
    // The top card's printed suit (clubs on the empty pile), not the suit in force.
    int32_t TopSuit() const {
        return g_.PileCount > 0 ? g_.SuitOf(g_.Pile[g_.PileCount - 1]) : kClubs;
    }
    // The suit of the card under the top one, or -1.
    int UnderTopCard() const { return g_.PileCount > 1 ? g_.Pile[g_.PileCount - 2].CardIndex : -1; }
    int32_t Follow() const { return SuitToFollow(g_); }
    int16_t Count(int seat) const { return CountCardsInHand(g_, seat); }
    int16_t After(int seat) const { return PlayerAfter(g_, seat); }
    int32_t NamedSuit(int seat) const { return g_.Players[seat].LastNamedSuit; }
    bool PenaltyTaken() const { return g_.PenaltyTaken; }

  private:
    const Game& g_;
};

}  // namespace tarrabel
