// The matching rule: which card may follow the pile, as the players of the table see it.
#pragma once

#include <cstdint>

#include "core/card_power.h"
#include "core/cards.h"
#include "core/hand_queries.h"

namespace tarrabel {

// Whether a computer player in `seat` (or the person, seat 0, for the hold-back rule) may
// count `card` as playable, with `ownCount` cards in his hand.
template <class Table>
bool ComputerMayPlay(const Table& t, int seat, int card, int16_t topRank, int32_t follow,
                     int16_t ownCount) {
    const VariantSettings& v = t.Rules();
    const int16_t rank = t.RankOf(card);
    const int32_t suit = t.SuitOf(card);
    if (!(FollowsSuit(suit, follow) || rank == topRank || rank == v.WildRank || rank == kJoker))
        return false;
    // A Jack goes on a Jack in Pis Yedili only in the suit to follow; never a wild Ace on a
    // wild Ace in Illustrated Agonia.
    if (rank == v.WildRank && topRank == v.WildRank &&
        (v.WildOnWildRule == WildOnWild::Never ||
         (v.WildOnWildRule == WildOnWild::InSuit && !FollowsSuit(suit, follow))))
        return false;
    // A computer player holding seven or more cards keeps its red Jacks back.
    if (IsRedSuit(suit) && rank == v.TakeElevenRank && seat != kHuman && ownCount >= 7)
        return false;
    return true;
}

// Whether the person at the table may play `card`: the same matching rule, but a Jack goes
// on a Jack in Pis Yedili only while the Jack on top is of the suit it named, and no card
// is held back.
template <class Table>
bool PersonMayPlay(const Table& t, int card) {
    const VariantSettings& v = t.Rules();
    const int16_t rank = t.RankOf(card);
    const int32_t suit = t.SuitOf(card);
    const int32_t follow = t.Follow();
    const int16_t topRank = t.TopRank();
    if (topRank == kNoRank) return suit == follow || rank == v.WildRank || rank == kJoker;
    if (!FollowsSuit(suit, follow) && rank != topRank && rank != v.WildRank && rank != kJoker)
        return false;
    if (rank == v.WildRank && topRank == v.WildRank &&
        (v.WildOnWildRule == WildOnWild::Never ||
         (v.WildOnWildRule == WildOnWild::InSuit && t.TopSuit() != follow)))
        return false;
    return true;
}

// The open penalty `seat` must answer from his hand, if any: a chain card on top that he
// can pass on, or a black Jack he can cancel with a red one. Answers the top card's power
// when he holds an answer to it, and no power (CanBeAnswered() false) otherwise.
template <class Table>
CardPower OpenPenaltyAgainst(const Table& t, int seat) {
    if (t.PenaltyTaken() || t.TopRank() == kNoRank) return {};
    const CardPower top = PowerOf(t.Variant(), t.TopRank(), t.TopSuit());
    return HoldsAnswer(t, seat, top) ? top : CardPower{};
}

}  // namespace tarrabel
