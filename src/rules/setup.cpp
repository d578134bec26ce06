#include "rules/setup.h"

#include "core/deal_flow.h"
#include "core/hand_layout.h"
#include "rules/deck.h"

namespace tarrabel {

void PickSeatNames(Game& g) {
    const int n = int(kNameTable.size());
    int a = g.RndBelow(n);
    int b;
    do
        b = g.RndBelow(n);
    while (b == a);
    int c;
    do
        c = g.RndBelow(n);
    while (c == a || c == b);
    g.SeatName[3] = kNameTable[a];
    g.SeatName[2] = kNameTable[b];
    g.SeatName[1] = kNameTable[c];
}

// The first deal starts at a random seat; every later one a seat further clockwise
// (0, 3, 2, 1, ...), across matches too, skipping eliminated players.
int16_t ChooseStartingPlayer(Game& g) {
    if (!g.StartingPlayerChosen) {
        g.StartingPlayerChosen = true;
        do
            g.StartingPlayer = int16_t(g.RndBelow(kSeats));
        while (g.Players[g.StartingPlayer].Eliminated);
    } else {
        do
            g.StartingPlayer = int16_t((g.StartingPlayer + kSeats - 1) % kSeats);
        while (g.Players[g.StartingPlayer].Eliminated);
    }
    return g.StartingPlayer;
}

void BuildSeatOrder(Game& g) {
    for (int i = 0; i < kSeats; ++i)
        g.SeatOrder[i] = int16_t((g.CurrentPlayer + i) % kSeats);
}

// Every slot rests where it is laid out: the human's row runs left to right (slots 27 and
// up continue it to the left of slot 0, and the ends of a big hand that would leave the
// table sit in a second row above it, see core/hand_layout.h), the top player's row likewise,
// and the side players' cards fan downwards. A slot's home is its own layout point, so a
// card that later comes back into a freed slot lands in the fan, not off the edge of the
// table.
void LayoutHandSlot(const Game& g, int seat, int n, CardRecord& rec) {
    const TableLayout& l = g.Layout;
    int x = 0, y = 0;
    switch (seat) {
        case 0: {
            const SlotPosition p = HumanSlotPosition(l, n);
            x = p.X;
            y = p.Y;
            break;
        }
        case 1:
            x = l.RightHandX;
            y = l.SideHandTop + l.ComputerHandStep * n;
            break;
        case 2:
            x = l.TopHandLeft + l.ComputerHandStep * n;
            y = l.TopHandY;
            break;
        default:
            x = l.LeftHandX;
            y = l.SideHandTop + l.ComputerHandStep * n;
            break;
    }
    rec.X = float(x);
    rec.Y = float(y);
    rec.HomeX = int16_t(x);
    rec.HomeY = int16_t(y);
}

static void StartNewMatch(Game& g) {
    g.NewMatch = false;
    g.DealNumber = 0;
    g.MatchTotal.fill(0);
    g.HintsTaken = 0;
    PickSeatNames(g);
    for (int p = 0; p < kSeats; ++p)
        g.Players[p].Eliminated = false;
}

static void ClearTable(Game& g) {
    const TableLayout& l = g.Layout;
    g.HandCount.fill(0);
    g.PileCount = 0;
    g.DealtInBatch = 0;
    g.WaitingForHuman = false;
    g.HumanMoved = false;
    g.ClickedCard = -1;
    for (auto& slot : g.TableSlot)
        slot = TableSlotRecord{l.PileX, l.PileY, false};

    for (auto& d : g.Deck) {
        d = CardRecord{};
        d.SizeX = l.CardWidth;
        d.SizeY = l.CardHeight;
    }
    for (int seat = 0; seat < kSeats; ++seat) {
        for (int n = 0; n < kHandSlots; ++n) {
            CardRecord& h = g.Hands[seat][n];
            h = CardRecord{};
            LayoutHandSlot(g, seat, n, h);
            h.FaceUp = seat == kHuman;
            if (seat == kHuman) {
                h.SizeX = l.CardWidth;
                h.SizeY = l.CardHeight;
            }
        }
    }
    for (int i = 0; i < kPileRecords; ++i) {
        g.Pile[i] = CardRecord{};
        g.Pile[i].FaceUp = true;
        g.Pile[i].PileSlot = int16_t(i);
    }
    for (auto& r : g.ReturnCards)
        r = CardRecord{};
}

void SetUpDeal(Game& g) {
    // Per-deal rule state. The turn flags start clear too, so nobody passes without
    // drawing because of how the previous deal ended.
    g.DirectionReversed = g.Rules.StartReversed;
    g.PenaltyCards = 0;
    g.GoingOutPending = false;
    g.LastPlayer = -1;
    g.RunPoints = 0;
    g.RunPointsOf.fill(0);
    g.DrawCount = 0;
    g.DrawDone = false;
    g.HumanDrew = false;
    g.MovePending = false;
    g.BannerStep = false;
    g.ShowSuitBanner = false;
    g.ShowPassBanner = false;
    g.SuitPromptShown = false;
    g.PauseDone = false;
    g.RevealFrame = 0;
    g.ScorePageUp = false;
    for (int i = 0; i < 4; ++i) {
        g.SuitIcons[i].Shown = true;
        g.SuitIcons[i].SizeX = g.Layout.SuitIconWidth;
        g.SuitIcons[i].SizeY = g.Layout.SuitIconHeight;
    }

    if (g.NewMatch) StartNewMatch(g);
    if (g.HistoryFull) {
        g.HistoryFull = false;
        g.DealNumber = 0;
    }
    for (int p = 0; p < kSeats; ++p)
        g.Players[p].LastNamedSuit = kNoSuit;

    g.PlayerCount = 0;
    for (int p = 0; p < kSeats; ++p)
        g.PlayerCount += g.Players[p].Eliminated ? 0 : 1;

    ClearTable(g);

    Shuffle(g);
    g.DeckPos = 0;

    g.CurrentPlayer = g.StartingPlayer = ChooseStartingPlayer(g);
    g.DealSeat = 0;
    BuildSeatOrder(g);
    Report(g, Happened::DealBegins);

    for (int i = 0; i < 12; ++i) {
        g.Deck[i].Shown = true;
        g.Deck[i].FaceUp = false;
    }
    LayoutDeckStack(g);

    g.PlaySound(SoundId::Shuffle);
    g.TotalDealt = 0;
    g.HumanInputLocked = false;

    ++g.DealsStarted;
    g.Trace(TraceEvent{TraceKind::Deal});
}

}  // namespace tarrabel
