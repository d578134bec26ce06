#include "key_policy.h"

#include <algorithm>
#include <array>

#include "ai/standard_player.h"
#include "choice_policy.h"
#include "core/table_view.h"
#include "core/turns.h"
#include "human_policy.h"
#include "session/human_input.h"
#include "session/human_keys.h"

namespace tarrabel::sim {

namespace {

// The keys that name each suit at the prompt, by suit code: a digit and an initial.
constexpr std::array<TableKey, 4> kDigitOfSuit = {TableKey::Digit1, TableKey::Digit3,
                                                  TableKey::Digit4, TableKey::Digit2};
constexpr std::array<TableKey, 4> kInitialOfSuit = {TableKey::LetterC, TableKey::Hint,
                                                    TableKey::LetterS, TableKey::Draw};

}  // namespace

KeyPolicy::KeyPolicy(uint64_t seed)
    : rng_(seed ^ 0x3C6EF372FE94F82Bull), suitRng_(SuitTieSeed(seed)) {}

FrameInput KeyPolicy::Press(TableKey key) {
    FrameInput in = PointerAtRest();
    in.PushKey(key);
    return in;
}

FrameInput KeyPolicy::Decide(const Game& g) {
    aimedAt_ = -1;
    if (g.State == GameState::DealScored) return Press(TableKey::Other);
    if (g.State == GameState::ChoosingSuit && g.SuitPromptShown) {
        const int suit =
            StandardSuitChoice(GameTable(g), kHuman, [&] { return suitRng_.IntBelow(4); });
        return Press(rng_.IntBelow(2) == 0 ? kDigitOfSuit[size_t(suit)]
                                           : kInitialOfSuit[size_t(suit)]);
    }
    const bool turn =
        g.CurrentPlayer == kHuman && g.WaitingForHuman && !g.HumanInputLocked && !AnyCardMoving(g);
    if (turn && g.State == GameState::PickingCardToMove && pickedToMove_) {
        pickedToMove_ = false;  // the second R puts the picked card down
        return Press(TableKey::Move);
    }
    if (turn && g.State == GameState::NormalPlay) return DecideTurn(g);
    return PointerAtRest();
}

FrameInput KeyPolicy::DecideTurn(const Game& g) {
    const KeyFocus& f = g.Focus;
    // The first key only brings the frame up.
    if (!f.Shown) return Press(rng_.IntBelow(2) == 0 ? TableKey::Left : TableKey::Right);

    bool anyLegal = false;
    for (const CardRecord& c : g.Hands[kHuman])
        anyLegal |= c.Shown && IsLegalHumanPlay(g, c);
    const int slot = anyLegal ? StandardPersonChoice(GameTable(g)) : -1;

    if (slot < 0) {
        if (g.HumanDrew || g.DrawDone) return Press(TableKey::Pass);
        if (rng_.IntBelow(2) == 0) return Press(TableKey::Draw);
        return Press(f.OnDeck ? TableKey::Enter : TableKey::Up);
    }
    if (f.OnDeck) return Press(TableKey::Down);
    // Now and then a card is picked to move and put down again at once.
    if (f.Slot >= 0 && rng_.IntBelow(40) == 0) {
        pickedToMove_ = true;
        return Press(TableKey::Move);
    }

    std::array<int8_t, kHandSlots> order{};
    const int n = FocusOrder(g, order);
    const auto index = [&](int s) {
        return int(std::find(order.begin(), order.begin() + n, int8_t(s)) - order.begin());
    };
    const int at = index(f.Slot), want = index(slot);
    if (at == want) {
        aimedAt_ = slot;
        return Press(TableKey::Enter);
    }
    if (want == 0 && at > 1) return Press(TableKey::Home);
    if (want == n - 1 && at < n - 2) return Press(TableKey::End);
    return Press(want < at ? TableKey::Left : TableKey::Right);
}

}  // namespace tarrabel::sim
