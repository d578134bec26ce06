#include "session/human_keys.h"

#include <algorithm>

#include "ai/expert_player.h"
#include "core/cards.h"
#include "rules/setup.h"
#include "session/hands_reveal.h"
#include "session/human_input.h"

namespace tarrabel {

namespace {

bool HumansTurnInHand(const Game& g) {
    return g.CurrentPlayer == kHuman && g.WaitingForHuman && !g.HumanInputLocked &&
           (g.State == GameState::NormalPlay || g.State == GameState::PickingCardToMove);
}

// Reading order: the upper row before the main row, each from left to right.
bool ReadsBefore(const CardRecord& a, const CardRecord& b) {
    return a.HomeY != b.HomeY ? a.HomeY < b.HomeY : a.HomeX < b.HomeX;
}

void FocusOn(Game& g, int slot) {
    const CardRecord& c = g.Hands[kHuman][size_t(slot)];
    g.Focus.Slot = int16_t(slot);
    g.Focus.HomeX = c.HomeX;
    g.Focus.HomeY = c.HomeY;
}

// The arrows, Home and End.
void MoveFocus(Game& g, TableKey key) {
    KeyFocus& f = g.Focus;
    if (key == TableKey::Up) {
        f.OnDeck = true;
        return;
    }
    if (key == TableKey::Down) {
        f.OnDeck = false;
        return;
    }
    if (f.OnDeck) {  // sideways from the deck: back to the hand, where the frame was
        f.OnDeck = false;
        return;
    }
    std::array<int8_t, kHandSlots> order{};
    const int n = FocusOrder(g, order);
    if (n == 0) return;
    const auto at = std::find(order.begin(), order.begin() + n, int8_t(f.Slot));
    int i = at == order.begin() + n ? 0 : int(at - order.begin());
    switch (key) {
        case TableKey::Left:
            i = std::max(0, i - 1);
            break;
        case TableKey::Right:
            i = std::min(n - 1, i + 1);
            break;
        case TableKey::Home:
            i = 0;
            break;
        case TableKey::End:
            i = n - 1;
            break;
        default:
            break;
    }
    FocusOn(g, order[size_t(i)]);
}

// Enter or Space: what a left click on the frame's card (or the deck) does.
int16_t ActAtFocus(Game& g) {
    const KeyFocus& f = g.Focus;
    if (f.OnDeck) {
        HumanDrawsFromDeck(g);
        return -1;
    }
    if (f.Slot < 0) return -1;
    if (g.State == GameState::PickingCardToMove) {
        HumanChoosesMoveTarget(g, f.Slot);
        return -1;
    }
    return HumanPlaysCard(g, f.Slot);
}

// R: what a right click on the frame's card does; after a pick, what the left click on the
// card whose place it takes does.
void MoveAtFocus(Game& g) {
    const KeyFocus& f = g.Focus;
    if (f.OnDeck || f.Slot < 0) return;
    if (g.State == GameState::PickingCardToMove) {
        if (g.Hands[kHuman][size_t(f.Slot)].MoveSource)
            HumanPutsPickedCardDown(g);
        else
            HumanChoosesMoveTarget(g, f.Slot);
        return;
    }
    HumanPicksCardToMove(g, f.Slot);
}

// The suit keys at the suit prompt: 1 to 4 in the order clubs, diamonds, hearts, spades,
// or the suit's initial.
int SuitOfKey(TableKey key) {
    switch (key) {
        case TableKey::Digit1:
        case TableKey::LetterC:
            return kClubs;
        case TableKey::Digit2:
        case TableKey::Draw:  // D
            return kDiamonds;
        case TableKey::Digit3:
        case TableKey::Hint:  // H
            return kHearts;
        case TableKey::Digit4:
        case TableKey::LetterS:
            return kSpades;
        default:
            return kNoSuit;
    }
}

void ShowHint(Game& g) {
    const int hint = HintFor(g);
    if (hint == kNoHint) return;
    KeyFocus& f = g.Focus;
    if (!f.Hinting) {
        f.ShownBeforeHint = f.Shown;
        ++g.HintsTaken;
    }
    f.OnDeck = hint == kHintDeck;
    if (hint >= 0) FocusOn(g, hint);
    f.Shown = true;
    f.Hinting = true;
    f.HintEndsAt = g.Tick() + kHintMs;
}

}  // namespace

int FocusOrder(const Game& g, std::array<int8_t, kHandSlots>& order) {
    const auto& hand = g.Hands[kHuman];
    int n = 0;
    for (int s = 0; s < kHandSlots; ++s)
        if (hand[size_t(s)].Shown) order[size_t(n++)] = int8_t(s);
    std::sort(order.begin(), order.begin() + n,
              [&](int8_t a, int8_t b) { return ReadsBefore(hand[size_t(a)], hand[size_t(b)]); });
    return n;
}

void SettleFocus(Game& g) {
    KeyFocus& f = g.Focus;
    const auto& hand = g.Hands[kHuman];
    if (f.Slot >= 0 && hand[size_t(f.Slot)].Shown) return;
    std::array<int8_t, kHandSlots> order{};
    const int n = FocusOrder(g, order);
    if (n == 0) {
        f.Slot = -1;
        return;
    }
    CardRecord gone;
    gone.HomeX = f.HomeX;
    gone.HomeY = f.HomeY;
    int pick = n - 1;
    for (int i = 0; i < n; ++i)
        if (!ReadsBefore(hand[size_t(order[size_t(i)])], gone)) {
            pick = i;
            break;
        }
    FocusOn(g, order[size_t(pick)]);
}

void HideFocus(Game& g) {
    g.Focus.Shown = false;
    g.Focus.Hinting = false;
}

void ExpireHint(Game& g) {
    KeyFocus& f = g.Focus;
    if (!f.Hinting || g.Tick() - f.HintEndsAt < 0) return;
    f.Hinting = false;
    f.Shown = f.ShownBeforeHint;
}

int HintFor(const Game& g) {
    if (!HumansTurnInHand(g) || g.State != GameState::NormalPlay) return kNoHint;
    const auto& hand = g.Hands[kHuman];
    std::array<bool, kHandSlots> allowed{};
    int first = -1;
    for (int s = 0; s < kHandSlots; ++s) {
        const CardRecord& c = hand[size_t(s)];
        allowed[size_t(s)] = c.Shown && !c.Moving && IsLegalHumanPlay(g, c);
        if (allowed[size_t(s)] && first < 0) first = s;
    }
    // The expert may rather draw than play what he holds (a red Jack kept in Illustrated
    // Agonia): then the hint is the deck.
    const bool wouldPlay = first >= 0 && (ExpertHasPlayableCard(g) || g.HumanDrew || g.DrawDone);
    if (wouldPlay) {
        const int s = ExpertChooseCard(g, &allowed);
        return s >= 0 && s < kHandSlots && allowed[size_t(s)] ? s : first;
    }
    if (!g.HumanDrew && !g.DrawDone) return kHintDeck;
    return kNoHint;
}

bool FocusFrameVisible(const Game& g) {
    const KeyFocus& f = g.Focus;
    if (!f.Shown || g.RulesShown || !HumansTurnInHand(g)) return false;
    return f.OnDeck || (f.Slot >= 0 && g.Hands[kHuman][size_t(f.Slot)].Shown);
}

int16_t HumanKeyPressed(Game& g, TableKey key) {
    if (key == TableKey::Rules) {
        g.RulesShown = !g.RulesShown;
        return -1;
    }
    if (g.RulesShown) return -1;
    if (g.State == GameState::DealScored) {
        TurnDealEnd(g, false);  // any key turns the page, as a click does
        return -1;
    }
    if (g.State == GameState::ChoosingSuit) {
        const int suit = SuitOfKey(key);
        if (suit != kNoSuit) HumanNamesSuit(g, suit);
        return -1;
    }
    if (key == TableKey::Hint) {
        ShowHint(g);
        return -1;
    }
    // The first key after the pointer was used only brings the frame back where it was, so
    // that nothing is played or moved unseen.
    KeyFocus& f = g.Focus;
    const bool wasShown = f.Shown;
    f.Shown = true;
    f.Hinting = false;
    SettleFocus(g);
    switch (key) {
        case TableKey::Left:
        case TableKey::Right:
        case TableKey::Home:
        case TableKey::End:
        case TableKey::Up:
        case TableKey::Down:
            if (wasShown) MoveFocus(g, key);
            return -1;
        case TableKey::Enter:
            return wasShown ? ActAtFocus(g) : -1;
        case TableKey::Move:
            if (wasShown) MoveAtFocus(g);
            return -1;
        case TableKey::Draw:
            HumanDrawsFromDeck(g);
            return -1;
        case TableKey::Pass:
            HumanPassesAfterDrawing(g);
            return -1;
        default:
            return -1;
    }
}

}  // namespace tarrabel
