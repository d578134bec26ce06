#include "session/game_init.h"

#include "ai/table_memory_events.h"
#include "rules/deck.h"
#include "rules/setup.h"

namespace tarrabel {

void StartNewGame(Game& g, const GameOptions& options, const Services& io) {
    g = Game{};
    g.io = io;
    g.MemoryKeeper = &TableMemoryKeeper();
    g.Options = options;
    for (int seat = 1; seat < kSeats; ++seat)
        g.SeatLevel[seat] = options.ComputerLevel;
    BuildCardTables(g);
    g.Layout = SetTableLayout(options);
    g.MatchTotal.fill(0);
    g.DealNumber = 0;
    PickSeatNames(g);
}

void GameInit(Game& g, const GameOptions& options, const Services& io) {
    StartNewGame(g, options, io);
    SetUpDeal(g);
}

}  // namespace tarrabel
