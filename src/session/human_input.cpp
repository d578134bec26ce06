#include "session/human_input.h"

#include "core/matching.h"
#include "core/table_view.h"

#include <ranges>
#include <utility>

#include "core/deal_flow.h"
#include "core/hand_queries.h"
#include "core/turns.h"
#include "rules/exchange.h"
#include "rules/play.h"
#include "session/state_machine.h"

namespace tarrabel {

namespace {

// Strictly inside the rectangle, as the original hit tests are.
bool Inside(float left, float top, int w, int h, int32_t x, int32_t y) {
    return left < x && x < left + w && top < y && y < top + h;
}

bool HitsByPosition(const CardRecord& c, int32_t x, int32_t y) {
    return c.Shown && !c.Moving && Inside(c.X, c.Y, c.SizeX, c.SizeY, x, y);
}

bool HitsByHome(const CardRecord& c, int32_t x, int32_t y) {
    return c.Shown && !c.Moving && Inside(c.HomeX, c.HomeY, c.SizeX, c.SizeY, x, y);
}

// The human's slots from the card drawn on top down to the bottom one: the table's drawing
// order backwards. Slot numbers alone do not give it, since slot 0 lies over slot 27 and
// each slot left of it over the next one further left.
auto TopCardFirst(const Game& g) {
    return std::views::reverse(g.Layout.HumanDrawOrder);
}

}  // namespace

bool IsLegalHumanPlay(const Game& g, const CardRecord& card) {
    return PersonMayPlay(GameTable(g), card.CardIndex);
}

bool TakesPenaltyInstead(Game& g, const CardRecord& card) {
    if (!ChainIsOpenAgainst(g, kHuman)) return false;
    if (Answers(TopCardPower(g), g.RankOf(card), g.SuitOf(card))) return false;
    Report(g, Happened::PersonTakesPenalty);
    PreviousPlayer(g);  // the cards go to the player after: the human
    return true;
}

namespace {

// The card in this slot leaves the hand: it flies to the pile at the end of the frame.
int16_t TakeCardToPlay(Game& g, int slot) {
    g.HumanMoved = true;
    g.HumanInputLocked = true;
    g.HumanDrew = false;
    return int16_t(slot);
}

bool HumansTurnInHand(const Game& g) {
    return g.CurrentPlayer == kHuman && g.WaitingForHuman && !g.HumanInputLocked &&
           (g.State == GameState::NormalPlay || g.State == GameState::PickingCardToMove);
}

}  // namespace

int16_t HumanPlaysCard(Game& g, int slot) {
    if (!HumansTurnInHand(g) || g.State != GameState::NormalPlay) return -1;
    if (slot < 0 || slot >= kHandSlots) return -1;
    CardRecord& c = g.Hands[kHuman][slot];
    if (!c.Shown || c.Moving || !IsLegalHumanPlay(g, c)) return -1;
    if (TakesPenaltyInstead(g, c)) return -1;
    return TakeCardToPlay(g, slot);
}

bool HumanChoosesMoveTarget(Game& g, int slot) {
    if (!HumansTurnInHand(g) || g.State != GameState::PickingCardToMove) return false;
    if (slot < 0 || slot >= kHandSlots) return false;
    CardRecord& c = g.Hands[kHuman][slot];
    if (!c.Shown || c.Moving || !g.MovePending || c.MoveSource) return false;
    Report(g, Happened::MoveTargetChosen);
    c.MoveTarget = true;
    g.MovePending = false;
    return true;
}

bool HumanDrawsFromDeck(Game& g) {
    if (!HumansTurnInHand(g) || g.State != GameState::NormalPlay || g.HumanDrew || g.DrawDone)
        return false;
    if (ChainIsOpenAgainst(g, kHuman)) {
        // Facing a chain he could answer, a click on the deck takes the penalty (drawing
        // one card and passing would dodge it).
        Report(g, Happened::PersonTakesPenalty);
        PreviousPlayer(g);
    } else {
        Report(g, Happened::PersonDraws);
        // Where a turn allows several draws (Pis Yedili) the draw count ends them.
        if (g.Rules.DrawsPerTurn == 1) {
            g.HumanDrew = true;
            g.DrawDone = true;
        }
    }
    return true;
}

bool HumanPicksCardToMove(Game& g, int slot) {
    if (!HumansTurnInHand(g) || g.State != GameState::NormalPlay || g.MovePending) return false;
    if (slot < 0 || slot >= kHandSlots) return false;
    CardRecord& c = g.Hands[kHuman][slot];
    if (!c.Shown || c.Moving) return false;
    Report(g, Happened::CardPicked);
    g.MovePending = true;
    c.MoveSource = true;
    return true;
}

bool HumanPutsPickedCardDown(Game& g) {
    if (!HumansTurnInHand(g) || g.State != GameState::PickingCardToMove) return false;
    CancelPick(g);
    Report(g, Happened::MoveEnded);
    return true;
}

bool HumanPassesAfterDrawing(Game& g) {
    if (!HumansTurnInHand(g) || !(g.HumanDrew || g.DrawDone)) return false;
    CancelPick(g);  // passing puts a picked card down
    HumanPasses(g);
    return true;
}

int16_t HumanLeftClick(Game& g, int32_t x, int32_t y) {
    if (g.HumanInputLocked || !g.WaitingForHuman) return -1;
    if (g.State == GameState::NormalPlay || g.State == GameState::PickingCardToMove) {
        // From the top card down: where cards overlap, a legal card under an illegal one
        // at that point is played.
        for (const int s : TopCardFirst(g)) {
            const CardRecord& c = g.Hands[kHuman][s];
            if (!HitsByPosition(c, x, y)) continue;
            if (g.State == GameState::NormalPlay) {
                if (!IsLegalHumanPlay(g, c)) continue;
                return HumanPlaysCard(g, s);
            }
            if (HumanChoosesMoveTarget(g, s)) break;
        }
    }
    if (g.State == GameState::NormalPlay && !g.HumanDrew && !g.DrawDone) {
        const CardRecord& deck = g.Deck[0];
        if (Inside(5, 5, deck.SizeX, deck.SizeY, x, y)) HumanDrawsFromDeck(g);
    }
    return -1;
}

void HumanRightClick(Game& g, int32_t x, int32_t y) {
    if (g.HumanInputLocked || !g.WaitingForHuman) return;
    bool hitCard = false;
    for (const int s : TopCardFirst(g)) {
        const CardRecord& c = g.Hands[kHuman][s];
        if (!HitsByHome(c, x, y)) continue;
        if (g.State == GameState::NormalPlay && !g.MovePending) {
            HumanPicksCardToMove(g, s);
            return;
        }
        if (g.State == GameState::PickingCardToMove && c.MoveSource && !hitCard) {
            // A second right click on the picked card puts it down again; without this a
            // player with a single card could never leave the pick. Only the card on top
            // at the pointer counts: a click on a card lying over the picked one is not a
            // click on the picked card.
            HumanPutsPickedCardDown(g);
            return;
        }
        hitCard = true;
    }
    if (hitCard) return;  // a right click on a card never passes
    HumanPassesAfterDrawing(g);
}

void LayoutSuitIcons(Game& g) {
    const TableLayout& l = g.Layout;
    int n = 0;
    for (int i = 0; i < 4; ++i) {
        CardRecord& icon = g.SuitIcons[i];
        if (!icon.Shown) continue;
        icon.X = l.SuitIconX;
        icon.Y = float(l.SuitIconBottomY - l.SuitIconStep * n);
        ++n;
    }
}

bool HumanNamesSuit(Game& g, int suit) {
    // Only the human's own choice: the icons are offered to nobody else.
    if (!g.SuitPromptShown || !g.WaitingForHuman || g.CurrentPlayer != kHuman) return false;
    if (suit < 0 || suit > 3 || !g.SuitIcons[suit].Shown) return false;
    g.ChosenSuit = suit;
    g.HumanMoved = true;
    g.WaitingForHuman = false;
    g.BannerStep = true;
    g.SuitPromptShown = false;
    TraceEvent ev{TraceKind::Suit};
    ev.Seat = kHuman;
    ev.Suit = suit;
    g.Trace(ev);
    return true;
}

void HumanSuitClick(Game& g, int32_t x, int32_t y) {
    for (int i = 3; i >= 0; --i) {
        const CardRecord& icon = g.SuitIcons[i];
        if (!icon.Shown || !Inside(icon.X, icon.Y, icon.SizeX, icon.SizeY, x, y)) continue;
        HumanNamesSuit(g, i);
        return;
    }
}

}  // namespace tarrabel
