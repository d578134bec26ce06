// Starting a game: everything a fresh Game needs before its first frame.
#pragma once

#include "core/game.h"

namespace tarrabel {

// A new game for the chosen options: card tables, variant settings and table layout, zero
// totals and fresh names for the computer players. No deal is set up yet.
void StartNewGame(Game& g, const GameOptions& options, const Services& io);

// StartNewGame, then the first deal ready to be dealt.
void GameInit(Game& g, const GameOptions& options, const Services& io);

}  // namespace tarrabel
