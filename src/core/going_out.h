// Someone has played his last card: the deal is over, or, in a game with the going-out
// penalty (Pis Yedili), the player before him first takes what his last run was worth.
// Written once for the table and for the expert's imagined deals.
#pragma once

#include <cstdint>

#include "core/cards.h"

namespace tarrabel {

// What the going-out penalty costs: the points of the run of cards the player went out
// with, one card at least.
constexpr int16_t GoingOutCards(int16_t lastRunPoints) {
    return lastRunPoints > 0 ? lastRunPoints : int16_t(1);
}

enum class GoingOut : uint8_t {
    NobodyOut,     // every player still in the match holds cards
    PenaltyFirst,  // the going-out penalty: the player after the current one takes it
    DealOver,      // the deal is over: score it
};

// Table: anything with
//   PlayerOut()          the first seat still in the match with no cards, or -1
//   Rules()              the game's settings
//   GoingOutPending(), PenaltyCards()   by reference
//   RunPointsOf(seat)    the points of that seat's latest run of cards
//   Before(seat), SetCurrent(seat)
template <class Table>
GoingOut CheckGoingOut(Table& t) {
    const int out = t.PlayerOut();
    if (out < 0) return GoingOut::NobodyOut;
    if (t.Rules().GoingOutPenalty && !t.GoingOutPending()) {
        t.GoingOutPending() = true;
        t.PenaltyCards() = GoingOutCards(t.RunPointsOf(out));
        // The victim is found from the player who went out, whoever is current by now (a
        // chain answered after his last card moves the turn on); a penalty goes to the
        // player after the current one.
        const int victim = t.Before(out);
        t.SetCurrent(t.Before(victim));
        return GoingOut::PenaltyFirst;
    }
    return GoingOut::DealOver;
}

}  // namespace tarrabel
