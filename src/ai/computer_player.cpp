#include "ai/computer_player.h"

#include "ai/easy_player.h"
#include "ai/expert_player.h"
#include "ai/standard_player.h"
#include "core/table_view.h"

namespace tarrabel {

bool HasPlayableCard(const Game& g) {
    if (g.SeatLevel[g.CurrentPlayer] == AiLevel::Expert && g.CurrentPlayer != kHuman)
        return ExpertHasPlayableCard(g);
    return StandardHasPlayable(GameTable(g), g.CurrentPlayer);
}

int16_t ChooseCardToPlay(const Game& g) {
    if (g.SeatLevel[g.CurrentPlayer] == AiLevel::Expert) return ExpertChooseCard(g, nullptr);
    if (g.SeatLevel[g.CurrentPlayer] == AiLevel::Easy) return EasyChooseCard(g);
    return int16_t(StandardCardChoice(GameTable(g), g.CurrentPlayer));
}

int16_t ChooseSuit(Game& g) {
    const int cur = g.CurrentPlayer;
    int suit = 0;
    if (g.SeatLevel[cur] == AiLevel::Expert)
        suit = ExpertChooseSuit(g);
    else if (g.SeatLevel[cur] == AiLevel::Easy)
        suit = EasyChooseSuit(g);
    else
        suit = StandardSuitChoice(GameTable(g), cur, [&] { return g.RndBelow(4); });
    g.Players[cur].LastNamedSuit = suit;
    g.ChosenSuit = suit;
    return int16_t(suit);
}

}  // namespace tarrabel
