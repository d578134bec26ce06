#include "core/hand_layout.h"

#include "core/layout.h"

namespace tarrabel {

namespace {

int FanX(const TableLayout& l, int slot) {
    return slot <= kHumanFanRightEnd
               ? l.HumanHandLeft + l.HumanHandStep * slot
               : l.HumanHandLeft - l.HumanHandStep * (slot - kHumanFanRightEnd);
}

}  // namespace

bool InHumanUpperRow(const TableLayout& l, int slot) {
    const int x = FanX(l, slot);
    return x < 0 || x + l.CardWidth > l.TableWidth;
}

SlotPosition HumanSlotPosition(const TableLayout& l, int slot) {
    if (!InHumanUpperRow(l, slot)) return {int16_t(FanX(l, slot)), l.HumanHandTop};
    const int y = l.HumanHandTop - l.HumanUpperRowRise;
    // The left end reads 54, 53, ... from the table's edge, like the fan it continues; the
    // right end ends with slot 26 flush with the right edge.
    const int x = slot > kHumanFanRightEnd
                      ? l.HumanUpperRowLeft + l.HumanHandStep * (kHandSlots - 1 - slot)
                      : l.TableWidth - l.CardWidth - l.HumanHandStep * (kHumanFanRightEnd - slot);
    return {int16_t(x), int16_t(y)};
}

std::array<int8_t, kHandSlots> HumanDrawOrderOf(const TableLayout& l) {
    std::array<int8_t, kHandSlots> order{};
    std::array<bool, kHandSlots> placed{};
    int k = 0;
    auto put = [&](int slot) {
        order[k++] = int8_t(slot);
        placed[slot] = true;
    };
    // The right end of the upper row goes first: the main row's right end lies over its
    // lower part, and only its top strip shows.
    for (int s = 0; s <= kHumanFanRightEnd; ++s)
        if (InHumanUpperRow(l, s)) put(s);
    for (int s = kHandSlots - 1; s > kHumanFanRightEnd; --s)
        put(s);
    for (int s = 0; s <= kHumanFanRightEnd; ++s)
        if (!placed[s]) put(s);
    return order;
}

}  // namespace tarrabel
