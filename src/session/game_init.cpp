#include "session/game_init.h"

#include "rules/deck.h"
#include "rules/setup.h"

namespace tarrabel {

void GameInit(Game& g, const GameOptions& options, const Services& io) {
    g = Game{};
    g.io = io;
    g.Options = options;
    BuildCardTables(g);
    g.Layout = SetTableLayout(options);
    // A new game: zero totals, fresh names, then the first deal.
    g.MatchTotal.fill(0);
    g.HandNumber = 0;
    PickSeatNames(g);
    MatchSetup(g);
}

}  // namespace tarrabel
