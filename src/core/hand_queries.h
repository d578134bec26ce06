// Small questions about the hands and the pile that rules, input and computer players share.
#pragma once

#include <cstdint>

#include "core/game.h"

namespace tarrabel {

// The suit a card must have to follow the pile. A lone joker on the pile (a Huit Americain
// starter) asks for no suit at all: kAnySuit, and any card may follow it.
inline constexpr int32_t kAnySuit = 5;
int32_t SuitToFollow(const Game& g);

// The same rule for any pile: `count` cards, `top` and `under` the card indexes of its top
// two (under: -1 when there is none), `chosen` the suit named after the last wild card.
constexpr int32_t SuitInForce(const CardTables& cards, int16_t wildRank, int count, int top,
                              int under, int32_t chosen) {
    if (count == 0) return kClubs;  // the opening suit of Pis Yedili
    const int16_t rank = cards.Rank[top];
    if (rank == wildRank) return chosen;
    // A joker keeps the suit of the card under it; a lone joker asks for none.
    if (rank == kJoker) return under < 0 ? kAnySuit : cards.Suit[under];
    return cards.Suit[top];
}

// Whether a card of this suit follows the suit in force.
constexpr bool FollowsSuit(int32_t cardSuit, int32_t follow) {
    return follow == kAnySuit || cardSuit == follow;
}

int16_t CountCardsInHand(const Game& g, int player);
bool AnyPlayerOut(const Game& g);
int16_t PlayerWhoWentOut(const Game& g);

}  // namespace tarrabel
