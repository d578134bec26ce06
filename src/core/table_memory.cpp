#include "core/table_memory.h"

namespace tarrabel {

void HandMemory::Receive(const CardSet& cannotBe) {
    if (Count >= kHandSlots) return;
    CannotBe[Count++] = cannotBe;
}

void HandMemory::HoldsNoneOf(const CardSet& cards) {
    for (int i = 0; i < Count; ++i)
        CannotBe[i].AddAll(cards);
}

void HandMemory::Log(const HandEvent& e) {
    if (EventCount == kHandEventsKept) {
        for (int i = 1; i < kHandEventsKept; ++i)
            Events[i - 1] = Events[i];
        --EventCount;
    }
    Events[EventCount++] = e;
}

void HandMemory::Played(int card) {
    if (Count == 0) return;
    int pick = -1;
    for (int i = 0; i < Count; ++i)
        if (!CannotBe[i].Has(card) && (pick < 0 || CannotBe[i].Size() > CannotBe[pick].Size()))
            pick = i;
    if (pick < 0) {
        // He played a card the memory said he could not hold (a player may also draw or
        // pass by choice): what it concluded about this hand no longer holds.
        for (int i = 0; i < Count; ++i)
            CannotBe[i] = CardSet{};
        pick = Count - 1;
    }
    CannotBe[pick] = CannotBe[Count - 1];
    --Count;
}

}  // namespace tarrabel
