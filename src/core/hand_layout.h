// The human's hand on the table: where each of its 55 slots lies and the order the table
// draws them in, which is also the order the click handlers try them in (backwards).
//
// The fan runs right from HumanHandLeft for slots 0 to 26 and carries on to the left of
// slot 0 for slots 27 to 54, one card step apart. A card is only drawn when its whole
// picture fits on the table, so the slots at the far ends of a big hand would vanish and
// could not be clicked. Those slots go into a second row a little above the main one, so
// that the top strip of each, with its corner index, shows over the main row: the left
// end's slots from the table's left edge (slot 54 leftmost), the right end's up to the
// table's right edge (slot 26 rightmost). Every slot that fits keeps its place in the fan.
#pragma once

#include <array>
#include <cstdint>

#include "core/cards.h"

namespace tarrabel {

struct TableLayout;

// Slots 0 .. kHumanFanRightEnd fan rightwards from HumanHandLeft, the rest leftwards.
inline constexpr int kHumanFanRightEnd = 26;

struct SlotPosition {
    int16_t X = 0, Y = 0;
};

// Top-left corner of the human's slot (0 .. 54) as the table lays it out.
SlotPosition HumanSlotPosition(const TableLayout& l, int slot);

// True for a slot moved up into the second row because its place in the fan is off the
// table.
bool InHumanUpperRow(const TableLayout& l, int slot);

// The human's slots in drawing order, bottom first: the right end of the upper row (under
// the main row), then slots 54 down to 27, then 0 up to 26, so that each card in a row
// lies over its neighbour on the left.
std::array<int8_t, kHandSlots> HumanDrawOrderOf(const TableLayout& l);

}  // namespace tarrabel
