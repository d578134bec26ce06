#include "ai/easy_player.h"

#include <array>

#include "ai/standard_player.h"
#include "core/card_power.h"
#include "core/matching.h"
#include "core/table_view.h"

namespace tarrabel {

int16_t EasyChooseCard(const Game& g) {
    const GameTable t(g);
    const int seat = g.CurrentPlayer;
    // A chain he can answer leaves him only the answers; otherwise any card that follows,
    // with the red Jacks kept back while his hand is big, as every computer player does.
    const CardPower forced = OpenPenaltyAgainst(t, seat);
    const int16_t own = t.Count(seat);
    const int16_t topRank = t.TopRank();
    const int32_t follow = t.Follow();
    for (int s = 0; s < t.SlotEnd(seat); ++s) {
        const int c = t.Card(seat, s);
        if (c < 0) continue;
        const bool may = forced.CanBeAnswered() ? Answers(forced, t.RankOf(c), t.SuitOf(c))
                                                : ComputerMayPlay(t, seat, c, topRank, follow, own);
        if (may) return int16_t(s);
    }
    // The table asks only when he holds a card he may play; should it ask anyway, the
    // standard player's answer still names a card of his hand.
    return int16_t(StandardCardChoice(t, seat));
}

int EasyChooseSuit(const Game& g) {
    const GameTable t(g);
    const int seat = g.CurrentPlayer;
    // Every card counts under its printed suit (a joker under none), as the standard
    // player counts them; unlike him, the easy player never minds what the next player
    // asked for.
    std::array<int16_t, 5> tally{};
    for (int s = 0; s < t.SlotEnd(seat); ++s) {
        const int c = t.Card(seat, s);
        if (c >= 0) ++tally[t.SuitOf(c)];
    }
    return LongestSuit(tally);
}

}  // namespace tarrabel
