// Points left in the hands, the match totals and the end of a match.
#pragma once

#include <cstdint>

#include "core/game.h"

namespace tarrabel {

// What each rank costs the player left holding it, by game: index 0 unused, 1 the Ace to
// 13 the King, 15 the joker. Huit Americain's 2 of spades costs 25, not 15.
// clang-format off
//                                                       -   A   2  3  4  5  6   7   8  9  10  J   Q   K  -  joker
inline constexpr int16_t kRankPoints[kVariantCount][16] = {
    /* Tarrabel: the wild 8 is dear */                 {0,  1,  2, 3, 4, 5, 6,  7, 50, 9, 10, 10, 10, 10, 0,  0},
    /* Huit Americain: its own table */                {0, 15, 15, 5, 5, 5, 5,  5,  5, 5,  5, 10, 10, 10, 0, 50},
    /* Agonia: the wild Ace is dear */                 {0, 20,  2, 3, 4, 5, 6,  7,  8, 9, 10, 10, 10, 10, 0,  0},
    /* Illustrated Agonia: as Agonia */                {0, 20,  2, 3, 4, 5, 6,  7,  8, 9, 10, 10, 10, 10, 0,  0},
    /* Pis Yedili: Ace, 7, 10 and Jack */              {0, 20,  2, 3, 4, 5, 6, 20,  8, 9, 20, 20, 10, 10, 0,  0},
};
// clang-format on

// What a card costs the player left holding it (and what a run of cards is worth when a
// player goes out in Pis Yedili).
constexpr int16_t CardPoints(GameVariant variant, int16_t rank, int32_t suit) {
    if (rank < 0 || rank > kJoker) return 0;
    if (variant == GameVariant::HuitAmericain && rank == 2 && suit == kSpades) return 25;
    return kRankPoints[int(variant)][rank];
}
int16_t CardPoints(const Game& g, const CardRecord& card);

// Charges every hand, records the deal and decides whether the match is over.
void ScoreDeal(Game& g);

}  // namespace tarrabel
