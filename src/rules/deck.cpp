#include "rules/deck.h"

#include <algorithm>
#include <cmath>

#include "core/deal_flow.h"
#include "motion/flights.h"

namespace tarrabel {

void BuildCardTables(Game& g) {
    g.Cards = &CardTablesFor(g.Options.Variant);
    g.Rules = kVariantSettings[int(g.Options.Variant)];
}

// Rejection sampling: draw a random card until it is one not yet placed. A "used" mark
// answers the question the original scan of the placed cards answered, so the sequence of
// random draws, and therefore the deck of a seed, is the same.
void Shuffle(Game& g) {
    const int n = g.Rules.DeckSize;
    std::array<bool, kCardTableSize> placed{};
    for (int i = 0; i < n; ++i)
        g.DeckOrder[i] = -1;
    for (int k = 0; k < n;) {
        int r = g.RndBelow(n);
        if (placed[r]) continue;
        placed[r] = true;
        g.DeckOrder[k] = int16_t(r);
        g.Deck[k].CardIndex = int16_t(r);
        ++k;
    }
}

void LayoutDeckStack(Game& g) {
    const TableLayout& l = g.Layout;
    int last = g.DeckPos > 97 ? 104 : g.DeckPos + 7;
    last = std::min(last, g.Rules.DeckSize - 1);  // never fan out records past the deck
    for (int p = last; p >= g.DeckPos; --p) {
        CardRecord& c = g.Deck[p];
        c.X = float(l.StackLeft + l.StackShift - (p - g.DeckPos) * l.StackStep);
        c.Y = float(l.StackTop);
        c.HomeX = int16_t(std::lround(c.X));
        c.HomeY = int16_t(std::lround(c.Y));
        c.Shown = true;
        c.FaceUp = false;
    }
}

int16_t FirstFreeSlot(const Game& g, int player) {
    for (int s = 0; s < kHandSlots; ++s)
        if (!g.Hands[player][s].Shown) return int16_t(s);
    return -1;
}

void AddToPile(Game& g, const CardRecord& card) {
    CardRecord& top = g.Pile[g.PileCount];
    top.CardIndex = card.CardIndex;
    top.X = card.X;
    top.Y = card.Y;
    top.PileSlot = card.PileSlot;
    top.Shown = true;
    top.FaceUp = true;
    top.Moving = false;
    g.TableSlot[card.PileSlot].Occupied = true;
    ++g.PileCount;
}

static void PutIntoSlot(Game& g, const CardRecord& card, int player, int slot, bool faceUp) {
    CardRecord& h = g.Hands[player][slot];
    h.CardIndex = card.CardIndex;
    h.X = card.X;
    h.Y = card.Y;
    h.Shown = true;
    h.FaceUp = faceUp;
    h.Moving = false;
    ++g.HandCount[player];
}

// The dealt card joins the hand of the seat it flew to (remembered at launch), not the seat
// the dealing loop has moved on to by the time the last card of a batch lands.
void DealIntoHand(Game& g, const CardRecord& card) {
    const int seat = g.DealReceiver;
    PutIntoSlot(g, card, seat, g.HandCount[seat], seat == kHuman);
}

void DrawIntoHand(Game& g, const CardRecord& card, int player, int slot) {
    PutIntoSlot(g, card, player, slot, player == kHuman ? true : card.FaceUp);
}

void ParkCard(CardRecord& card) {
    card.Shown = false;
    card.X = card.HomeX;
    card.Y = card.HomeY;
}

void RecountHand(Game& g, CardRecord& card) {
    ParkCard(card);
    card.FaceUp = g.CurrentPlayer == kHuman;
    int16_t n = 0;
    for (int s = 0; s < kHandSlots; ++s)
        n += g.Hands[g.CurrentPlayer][s].Shown ? 1 : 0;
    g.HandCount[g.CurrentPlayer] = n;
}

void ReturnStarterToDeck(Game& g) {
    const int t = g.PileCount - 1;
    const int d = g.DeckPos;
    CardRecord& starter = g.Pile[t];
    starter.Shown = false;
    starter.FaceUp = true;
    g.TableSlot[starter.PileSlot].Occupied = false;

    // A place from d + 5 to 51: at least five other cards lie above the buried starter.
    const int r = g.RndBelow(47 - d) + d + 5;
    const int16_t setAside = g.DeckOrder[r];
    g.DeckOrder[r] = starter.CardIndex;
    g.Deck[r].CardIndex = starter.CardIndex;

    --g.DeckPos;
    g.DeckOrder[g.DeckPos] = setAside;
    CardRecord& next = g.Deck[g.DeckPos];
    next.CardIndex = setAside;
    next.X = next.HomeX;
    next.Y = next.HomeY;
    next.Shown = true;
    next.Moving = false;

    --g.PileCount;
    --g.DealtInBatch;

    TraceEvent ev{TraceKind::StarterBack};
    ev.Card = starter.CardIndex;
    ev.Pos = r;
    g.Trace(ev);
}

bool DeckIsEmpty(const Game& g) {
    return g.DeckPos >= g.Rules.DeckSize;
}

bool DeckCannotRefill(const Game& g) {
    return DeckIsEmpty(g) && g.PileCount <= 1;
}

// Only a pile with cards under its top one can refill the deck; with nothing to rebuild from
// the deck simply stays empty and draws find no card (the player passes instead).
void StartRebuildIfDeckEmpty(Game& g) {
    if (DeckIsEmpty(g) && g.PileCount > 1 && g.State != GameState::DealScored)
        Report(g, Happened::DeckRanOut);
}

void RebuildDeck(Game& g) {
    const int p = g.PileCount;
    const int kept = p - 1;
    std::array<int16_t, kPileRecords> keep{};
    for (int i = 0; i < kept; ++i)
        keep[i] = g.Pile[i].CardIndex;

    // The same rejection sampling as the shuffle, over the kept list.
    const int first = g.DeckPos - kept;
    std::array<bool, kPileRecords> used{};
    for (int k = 0; k < kept;) {
        int r = g.RndBelow(kept);
        if (used[r]) continue;
        used[r] = true;
        g.DeckOrder[first + k] = keep[r];
        g.Deck[first + k].CardIndex = keep[r];
        g.Deck[first + k].Moving = false;
        ++k;
    }
    g.DeckPos = int16_t(first);

    for (int i = 0; i < kReturnFlying; ++i) {
        g.ReturnCards[i].Moving = false;
        g.ReturnCards[i].Shown = false;
    }
    if (p > 0) {
        g.Pile[0] = g.Pile[p - 1];
        g.PileCount = 1;
    }
    LayoutDeckStack(g);
    g.Trace(TraceEvent{TraceKind::Rebuild});
}

}  // namespace tarrabel
