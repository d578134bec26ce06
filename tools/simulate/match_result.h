// Who won a match that has just been decided, as shares of one win per seat: the lowest
// total wins, and equal lowest totals share the win. In Pis Yedili the last player left
// wins; when the person passes the target first, the lowest total of those still in does.
#pragma once

#include <array>

#include "core/game.h"

namespace tarrabel::sim {

std::array<double, kSeats> MatchWinShares(const Game& g);

}  // namespace tarrabel::sim
