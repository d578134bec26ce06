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

int16_t HumanLeftClick(Game& g, int32_t x, int32_t y) {
    if (g.HumanInputLocked || !g.WaitingForHuman) return -1;
    int16_t result = -1;
    auto& hand = g.Hands[kHuman];
    if (g.State == GameState::NormalPlay || g.State == GameState::PickingCardToMove) {
        // From the top card down: where cards overlap, a legal card under an illegal one
        // at that point is played.
        for (const int s : TopCardFirst(g)) {
            CardRecord& c = hand[s];
            if (!HitsByPosition(c, x, y)) continue;
            if (g.State == GameState::NormalPlay) {
                if (!IsLegalHumanPlay(g, c)) continue;
                if (TakesPenaltyInstead(g, c)) return -1;
                result = int16_t(s);
                g.HumanMoved = true;
                g.HumanInputLocked = true;
                g.HumanDrew = false;
                break;
            }
            if (g.MovePending && !c.MoveSource) {
                Report(g, Happened::MoveTargetChosen);
                c.MoveTarget = true;
                g.MovePending = false;
                break;
            }
        }
    }
    if (result < 0 && g.State == GameState::NormalPlay && !g.HumanDrew && !g.DrawDone) {
        const CardRecord& deck = g.Deck[0];
        if (Inside(5, 5, deck.SizeX, deck.SizeY, x, y)) {
            if (ChainIsOpenAgainst(g, kHuman)) {
                // Facing a chain he could answer, a click on the deck takes the penalty
                // (drawing one card and passing would dodge it).
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
        }
    }
    return result;
}

void HumanRightClick(Game& g, int32_t x, int32_t y) {
    if (g.HumanInputLocked || !g.WaitingForHuman) return;
    auto& hand = g.Hands[kHuman];
    bool hitCard = false;
    for (const int s : TopCardFirst(g)) {
        CardRecord& c = hand[s];
        if (!HitsByHome(c, x, y)) continue;
        if (g.State == GameState::NormalPlay && !g.MovePending) {
            Report(g, Happened::CardPicked);
            g.MovePending = true;
            c.MoveSource = true;
            return;
        }
        if (g.State == GameState::PickingCardToMove && c.MoveSource && !hitCard) {
            // A second right click on the picked card puts it down again; without this a
            // player with a single card could never leave the pick. Only the card on top
            // at the pointer counts: a click on a card lying over the picked one is not a
            // click on the picked card.
            CancelPick(g);
            Report(g, Happened::MoveEnded);
            return;
        }
        hitCard = true;
    }
    if (hitCard) return;  // a right click on a card never passes
    if (g.HumanDrew || g.DrawDone) {
        CancelPick(g);  // passing puts a picked card down
        HumanPasses(g);
    }
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

void HumanSuitClick(Game& g, int32_t x, int32_t y) {
    // Only the human's own choice: the icons are offered to nobody else.
    if (!g.SuitPromptShown || !g.WaitingForHuman || g.CurrentPlayer != kHuman) return;
    for (int i = 3; i >= 0; --i) {
        const CardRecord& icon = g.SuitIcons[i];
        if (!icon.Shown || !Inside(icon.X, icon.Y, icon.SizeX, icon.SizeY, x, y)) continue;
        g.ChosenSuit = i;
        g.HumanMoved = true;
        g.WaitingForHuman = false;
        g.BannerStep = true;
        g.SuitPromptShown = false;
        TraceEvent ev{TraceKind::Suit};
        ev.Seat = kHuman;
        ev.Suit = i;
        g.Trace(ev);
        return;
    }
}

}  // namespace tarrabel
