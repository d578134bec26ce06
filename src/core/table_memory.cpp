#include "core/table_memory.h"

#include <algorithm>

namespace tarrabel {

namespace {

bool Tells(const HandEvent& e) {
    return e.What != HandEvent::Kind::Received && (e.What != HandEvent::Kind::Played || e.Told);
}

}  // namespace

void HandMemory::Keep(const HandEvent& e) {
    if (EventCount == kEventsKept) {  // the oldest goes: the walk back stops short of it
        Choices -= Tells(Events[0]);
        std::copy(Events.begin() + 1, Events.end(), Events.begin());
        --EventCount;
    }
    Events[EventCount++] = e;
    Choices += Tells(e);
}

void HandMemory::Receive(const CardSet& cannotBe) {
    HandEvent e;
    e.What = HandEvent::Kind::Received;
    e.Cards = cannotBe;
    Keep(e);
    if (Count >= kHandSlots) return;
    CannotBe[Count++] = cannotBe;
}

void HandMemory::RuleOut(const CardSet& cards) {
    for (int i = 0; i < Count; ++i)
        CannotBe[i].AddAll(cards);
}

void HandMemory::HoldsNoneOf(const CardSet& cards) {
    RuleOut(cards);
    HandEvent e;
    e.What = HandEvent::Kind::HeldNone;
    e.Cards = cards;
    Keep(e);
}

void HandMemory::Named(int suit, int suitOr) {
    HandEvent e;
    e.What = HandEvent::Kind::Named;
    e.Suit = int8_t(suit);
    e.SuitOr = int8_t(suitOr);
    Keep(e);
}

void HandMemory::Played(int card, bool told, const ScoreContext& at) {
    HandEvent e;
    e.What = HandEvent::Kind::Played;
    e.Card = int16_t(card);
    e.Told = told;
    e.At = at;
    Keep(e);
    if (Count == 0) return;
    int pick = -1;
    for (int i = 0; i < Count; ++i)
        if (!CannotBe[i].Has(card) && (pick < 0 || CannotBe[i].Size() > CannotBe[pick].Size()))
            pick = i;
    if (pick < 0) {
        // He played a card the memory said he could not hold (a player may also draw or
        // pass by choice): what it concluded about this hand no longer holds, nor what
        // his history would tell.
        for (int i = 0; i < Count; ++i)
            CannotBe[i] = CardSet{};
        EventCount = 0;
        Choices = 0;
        pick = Count - 1;
    }
    CannotBe[pick] = CannotBe[Count - 1];
    --Count;
}

}  // namespace tarrabel
