// Getting a deal under way: names at the table, who starts, the shuffle and the empty table.
#pragma once

#include <array>
#include <cstdint>
#include <string_view>

#include "core/game.h"

namespace tarrabel {

// The computer players' names; every entry is four characters wide for the score page.
// clang-format off
inline constexpr std::array<std::string_view, 30> kNameTable = {
    "Mia ", "Ian ", "Bob ", "Jim ", "Jack", "John", "Rick", "Tom ", "Eve ", "Liz ",
    "Mary", "Mike", "Sean", "Elsa", "Anne", "Nick", "Ted ", "Bill", "Cary", "Kate",
    "Pete", "Tim ", "Lena", "Greg", "Jill", "Dan ", "Stef", "Ed  ", "Jess", "Gas ",
};
// clang-format on

// Resets and starts one deal; leaves the game in "DEALING CARDS".
void SetUpDeal(Game& g);

// Three different names for seats 3, 2 and 1.
void PickSeatNames(Game& g);

int16_t ChooseStartingPlayer(Game& g);
void BuildSeatOrder(Game& g);

// Position of hand slot n of a seat as the table lays it out.
void LayoutHandSlot(const Game& g, int seat, int n, CardRecord& rec);

}  // namespace tarrabel
