// The table's memory shown one public event, as the table's trace reports it.
#pragma once

#include "ai/table_memory_events.h"
#include "core/game.h"

namespace tarrabel::test {

inline void ShowMemory(Game& g, TraceKind kind, int seat, int slot = -1, int card = -1,
                       int suit = -1, DrawKind draw = DrawKind::Auto) {
    TraceEvent ev{kind};
    ev.Seat = seat;
    ev.Slot = slot;
    ev.Card = card;
    ev.Suit = suit;
    ev.Draw = draw;
    RememberPublicEvent(g, ev);
}

}  // namespace tarrabel::test
