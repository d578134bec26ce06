// Starting a game: everything a fresh Game needs before its first frame.
#pragma once

#include "core/game.h"

namespace tarrabel {

// Prepares a game for the chosen options: card tables, variant settings and table layout,
// a new match with zero totals and fresh names, and the first deal ready to be dealt.
void GameInit(Game& g, const GameOptions& options, const Services& io);

}  // namespace tarrabel
