// Small questions about the hands and the pile that rules, input and computer players share.
#pragma once

#include <cstdint>

#include "core/game.h"

namespace tarrabel {

// The suit a card must have to follow the pile. A lone joker on the pile (a Huit Americain
// starter) asks for no suit at all: kAnySuit, and any card may follow it.
inline constexpr int32_t kAnySuit = 5;
int32_t SuitToFollow(const Game& g);

// Whether a card of this suit follows the suit in force.
constexpr bool FollowsSuit(int32_t cardSuit, int32_t follow) {
    return follow == kAnySuit || cardSuit == follow;
}

int16_t CountCardsInHand(const Game& g, int player);
bool AnyPlayerOut(const Game& g);
int16_t PlayerWhoWentOut(const Game& g);

}  // namespace tarrabel
