#include "choice_policy.h"

#include <array>

#include "ai/expert_player.h"
#include "ai/standard_player.h"
#include "core/table_view.h"
#include "core/turns.h"
#include "human_policy.h"
#include "session/human_input.h"

namespace tarrabel::sim {

FrameInput ChoicePolicy::Click(int x, int y, bool right) {
    pressedLast_ = true;
    return PressAt(x, y, right);
}

FrameInput ChoicePolicy::Decide(const Game& g) {
    aimedAt_ = -1;
    const FrameInput idle = PointerAtRest();
    if (pressedLast_) {  // let the button go between clicks
        pressedLast_ = false;
        return idle;
    }
    if (g.State == GameState::DealScored) return Click(400, 300, false);
    if (g.State == GameState::ChoosingSuit && g.SuitPromptShown) {
        const int suit =
            level_ == AiLevel::Expert
                ? ExpertChooseSuit(g)
                : StandardSuitChoice(GameTable(g), kHuman, [&] { return suitRng_.IntBelow(4); });
        const CardRecord& icon = g.SuitIcons[suit];
        if (!icon.Shown) return idle;
        return Click(int(icon.X) + icon.SizeX / 2, int(icon.Y) + icon.SizeY / 2, false);
    }
    if (g.State == GameState::NormalPlay && g.CurrentPlayer == kHuman && g.WaitingForHuman &&
        !g.HumanInputLocked && !AnyCardMoving(g))
        return DecideTurn(g);
    return idle;
}

// The slot the level would play among the cards a click may play, or -1.
int ChoicePolicy::ChooseSlot(const Game& g) {
    const auto& hand = g.Hands[kHuman];
    std::array<bool, kHandSlots> allowed{};
    int first = -1;
    for (int s = 0; s < kHandSlots; ++s) {
        allowed[s] = hand[s].Shown && IsLegalHumanPlay(g, hand[s]);
        if (allowed[s] && first < 0) first = s;
    }
    if (first < 0) return -1;
    if (level_ == AiLevel::Expert) {
        const int s = ExpertChooseCard(g, &allowed);
        return allowed[s] ? s : first;
    }
    return StandardPersonChoice(GameTable(g));
}

FrameInput ChoicePolicy::DecideTurn(const Game& g) {
    const int slot = ChooseSlot(g);
    int x = 0, y = 0;
    if (slot >= 0 && VisiblePointOf(g, slot, false, true, rng_, x, y)) {
        aimedAt_ = slot;
        return Click(x, y, false);
    }
    // Nothing to play: draw while a draw is left, else pass.
    if (!g.HumanDrew && !g.DrawDone) {
        const CardRecord& deck = g.Deck[0];
        return Click(5 + deck.SizeX / 2, 5 + deck.SizeY / 2, false);
    }
    return Click(790, 595, true);
}

}  // namespace tarrabel::sim
