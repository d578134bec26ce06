#include "ai/deal_model.h"

#include "ai/standard_player.h"
#include "core/hand_queries.h"
#include "core/matching.h"
#include "rules/scoring.h"

namespace tarrabel {

namespace {

bool IsPenaltyCard(const VariantSettings& v, int16_t rank, int32_t suit) {
    return rank == v.DrawThreeChainRank || rank == v.DrawTwoChainRank || rank == v.TakeTwoRank ||
           rank == v.TakeFiveRank || (rank == v.TakeElevenRank && IsBlackSuit(suit));
}

}  // namespace

int32_t ImaginedDeal::Follow() const {
    const int n = PileCount;
    return SuitInForce(*Cards, Settings.WildRank, n, n > 0 ? Pile[n - 1] : -1,
                       n > 1 ? Pile[n - 2] : -1, ChosenSuit);
}

int16_t ImaginedDeal::Neighbour(int seat, bool forward) const {
    for (int i = 0; i < kSeats; ++i) {
        seat = forward ? (seat + 1) % kSeats : (seat + kSeats - 1) % kSeats;
        if (!Eliminated[seat]) break;
    }
    return int16_t(seat);
}

int ImaginedDeal::FirstFreeSlot(int seat) const {
    for (int s = 0; s < kHandSlots; ++s)
        if (s >= HandEnd[seat] || Hand[seat][s] < 0) return s;
    return -1;
}

void ImaginedDeal::Give(int seat, int slot, int card) {
    for (int s = HandEnd[seat]; s < slot; ++s)
        Hand[seat][s] = -1;
    Hand[seat][slot] = int16_t(card);
    if (slot >= HandEnd[seat]) HandEnd[seat] = int16_t(slot + 1);
    ++HandCount[seat];
}

void ImaginedDeal::TakeFromHand(int seat, int slot) {
    Hand[seat][slot] = -1;
    --HandCount[seat];
    while (HandEnd[seat] > 0 && Hand[seat][HandEnd[seat] - 1] < 0)
        --HandEnd[seat];
}

std::array<int16_t, kSeats> ImaginedDeal::HandPoints() const {
    std::array<int16_t, kSeats> points{};
    for (int seat = 0; seat < kSeats; ++seat)
        for (int s = 0; s < HandEnd[seat]; ++s)
            if (Hand[seat][s] >= 0)
                points[seat] += CardPoints(Which, RankOf(Hand[seat][s]), SuitOf(Hand[seat][s]));
    return points;
}

void ImaginedDeal::PlayCard(int slot) {
    const int cur = Current;
    const int card = Hand[cur][slot];
    Note(int16_t(cur), int16_t(card));
    TakeFromHand(cur, slot);
    Pile[PileCount++] = int16_t(card);
    const int16_t points = CardPoints(Which, RankOf(card), SuitOf(card));
    if (LastPlayer != cur) {
        LastPlayer = int16_t(cur);
        RunPoints = points;
    } else {
        RunPoints += points;
    }
    RunPointsOf[cur] = RunPoints;
    DrawCount = 0;
    DrawDone = false;
    // The table notices an empty deck as the card lands; the pile becomes the deck at once
    // unless the card's power moves the table into another state first.
    const bool rebuild = DeckEmpty() && PileCount > 1;
    Phase = ModelPhase::TurnStart;
    Resolve();
    if (rebuild && Phase == ModelPhase::TurnStart) Rebuild();
}

void ImaginedDeal::NameSuit(int suit) {
    // The person's choice of suit is not remembered as his last named suit.
    Note(Current, int16_t(-1 - suit));
    if (Current != kHuman) LastNamed[Current] = suit;
    ChosenSuit = suit;
    Phase = ModelPhase::TurnStart;
}

void ImaginedDeal::Resolve() {
    const VariantSettings& v = Settings;
    const int c = Pile[PileCount - 1];
    const int16_t r = RankOf(c);
    const int32_t s = SuitOf(c);

    if (!IsPenaltyCard(v, r, s) && EndOfHandCheck()) return;
    if (r != v.WildRank) LastNamed[Current] = kNoSuit;

    if (r == v.ReverseRank && (s == kSpades || Which != GameVariant::HuitAmericain)) {
        Reversed = !Reversed;
        return;
    }
    if (r == v.SkipRank) {
        Next();
        return;
    }
    if (r == v.DrawTwoChainRank || r == v.DrawThreeChainRank) {
        if (!HandHoldsRank(*this, After(Current), r, false))
            Phase = ModelPhase::DrawExtraCardsAndPlay;
        PenaltyCards += r == v.DrawTwoChainRank ? 2 : 3;
        PenaltyWasTaken = false;
        return;
    }
    if (r == v.TakeTwoRank) {
        Phase = ModelPhase::DrawExtraCards;
        PenaltyCards = (Which == GameVariant::HuitAmericain && s == kSpades) ? 4 : 2;
        return;
    }
    if (r == v.TakeFiveRank) {
        Phase = ModelPhase::DrawExtraCards;
        PenaltyCards = 5;
        return;
    }
    if (r == v.TakeElevenRank && IsBlackSuit(s)) {
        if (!HandHoldsRank(*this, After(Current), v.TakeElevenRank, true))
            Phase = ModelPhase::DrawExtraCardsAndPlay;
        PenaltyWasTaken = false;
        PenaltyCards = 11;
        return;
    }
    if (r == v.TakeElevenRank && IsRedSuit(s) && PileCount >= 2) {
        const int under = Pile[PileCount - 2];
        if (RankOf(under) == v.TakeElevenRank && IsBlackSuit(SuitOf(under))) PenaltyCards = 0;
    }
    if (r == v.WildRank) {
        Phase = ModelPhase::SelectTrumps;
        Previous();
        return;
    }
    if (r == v.PlayAgainRank) Previous();
}

bool ImaginedDeal::EndOfHandCheck() {
    int out = -1;
    for (int p = 0; p < kSeats && out < 0; ++p)
        if (!Eliminated[p] && HandCount[p] == 0) out = p;
    if (out < 0) return false;
    if (Which == GameVariant::PisYedili && !HandOverPending) {
        HandOverPending = true;
        PenaltyCards = RunPointsOf[out] > 0 ? RunPointsOf[out] : int16_t(1);
        const int victim = Before(out);
        Current = Before(victim);
        Phase = ModelPhase::DrawExtraCards;
        return true;
    }
    Phase = ModelPhase::Over;
    return true;
}

void ImaginedDeal::FinishPenalty() {
    PenaltyCards = 0;
    if (Phase == ModelPhase::DrawExtraCards) {
        PenaltyWasTaken = false;
        Next();
    } else {
        PenaltyWasTaken = true;
    }
    Phase = ModelPhase::TurnStart;
    EndOfHandCheck();
}

void ImaginedDeal::NoCardToDraw() {
    if (Phase == ModelPhase::DealOneAndStay) {
        DrawDone = true;
        PersonDrew = true;
        Phase = ModelPhase::PersonTurn;
    } else if (Phase == ModelPhase::DealOne) {
        DrawDone = true;
        DrawCount = 0;
        Previous();
        Phase = ModelPhase::TurnStart;
    } else {
        FinishPenalty();
    }
}

void ImaginedDeal::Rebuild() {
    Note(-1, -200);
    const int kept = PileCount - 1;
    const int first = DeckPos - kept;
    for (int i = 0; i < kept; ++i)
        Deck[first + i] = Pile[i];
    for (int i = kept - 1; i > 0; --i) {  // Fisher-Yates over the new deck
        const int j = Rng.Below(i + 1);
        const int16_t t = Deck[first + i];
        Deck[first + i] = Deck[first + j];
        Deck[first + j] = t;
    }
    DeckPos = int16_t(first);
    Pile[0] = Pile[PileCount - 1];
    PileCount = 1;
}

void ImaginedDeal::DrawStep() {
    const bool stay = Phase == ModelPhase::DealOneAndStay;
    const bool penalty = Phase != ModelPhase::DealOne && !stay;
    const int receiver = penalty ? After(Current) : Current;
    if (penalty && PenaltyCards <= 0) {
        FinishPenalty();
        return;
    }
    if (DeckEmpty()) {
        if (PileCount > 1)
            Rebuild();
        else
            NoCardToDraw();
        return;
    }
    const int slot = FirstFreeSlot(receiver);
    if (slot < 0) {
        NoCardToDraw();
        return;
    }
    const int card = Deck[DeckPos++];
    Note(int16_t(receiver), int16_t(penalty ? -302 : stay ? -301 : -300));
    Hand[receiver][slot] = int16_t(card);
    if (slot >= HandEnd[receiver]) HandEnd[receiver] = int16_t(slot + 1);
    ++HandCount[receiver];
    if (!penalty) {
        if (stay) {
            Phase = ModelPhase::PersonTurn;
        } else {
            Previous();
            Phase = ModelPhase::TurnStart;
        }
        if (Which == GameVariant::PisYedili) {
            if (++DrawCount >= 3) {
                DrawDone = true;
                DrawCount = 0;
            }
        } else {
            DrawDone = true;
        }
    } else if (--PenaltyCards <= 0) {
        FinishPenalty();
    }
    if (DeckEmpty() && PileCount > 1 && Phase != ModelPhase::Over) Rebuild();
}

// He passes; a penalty nobody takes up lapses with the pass.
void ImaginedDeal::Pass() {
    DrawCount = 0;
    DrawDone = false;
    if (PenaltyCards > 0) {
        PenaltyCards = 0;
        PenaltyWasTaken = true;
    }
    Phase = ModelPhase::TurnStart;
}

// The person's seat plays the standard choice among the cards he may play; with none, he
// draws from the deck while he may and then passes, as a person would.
void ImaginedDeal::PersonMoves() {
    const int slot = StandardPersonChoice(*this);
    if (slot >= 0) {
        PersonDrew = false;
        PlayCard(slot);
    } else if (!PersonDrew && !DrawDone) {
        // Pis Yedili counts the person's draws like anyone's, up to three.
        if (Which != GameVariant::PisYedili) PersonDrew = true;
        Phase = ModelPhase::DealOneAndStay;
    } else {
        PersonDrew = false;
        Pass();
    }
}

void ImaginedDeal::Step() {
    switch (Phase) {
        case ModelPhase::TurnStart: {
            Next();
            if (!StandardHasPlayable(*this, Current)) {
                if (!DrawDone)
                    Phase = ModelPhase::DealOne;
                else
                    Pass();
                return;
            }
            if (Current == kHuman)
                PersonMoves();
            else
                PlayCard(StandardCardChoice(*this, Current));
            return;
        }
        case ModelPhase::PersonTurn:
            PersonMoves();
            return;
        case ModelPhase::DealOne:
        case ModelPhase::DealOneAndStay:
        case ModelPhase::DrawExtraCards:
        case ModelPhase::DrawExtraCardsAndPlay:
            DrawStep();
            return;
        case ModelPhase::SelectTrumps:
            Next();
            NameSuit(StandardSuitChoice(*this, Current, [&] {
                Note(Current, -100);
                return Rng.Below(4);
            }));
            return;
        case ModelPhase::Over:
            return;
    }
}

int ImaginedDeal::PlayOut(int maxSteps) {
    int work = 0;
    for (int i = 0; i < maxSteps && Phase != ModelPhase::Over; ++i) {
        // A turn costs more the more cards the player has to weigh.
        work += 1 + HandEnd[After(Current)] / 4;
        Step();
    }
    return work;
}

void CopyTableState(const Game& g, ImaginedDeal& d) {
    d.Which = g.Options.Variant;
    d.Settings = g.Rules;
    d.Cards = g.Cards;
    d.Current = g.CurrentPlayer;
    d.Reversed = g.DirectionReversed;
    d.ChosenSuit = g.ChosenSuit;
    d.PenaltyCards = g.PenaltyCards;
    d.PenaltyWasTaken = g.PenaltyTaken;
    d.HandOverPending = g.HandOverPending;
    d.LastPlayer = g.LastPlayer;
    d.RunPoints = g.RunPoints;
    d.RunPointsOf = g.RunPointsOf;
    for (int seat = 0; seat < kSeats; ++seat) {
        d.LastNamed[seat] = g.Players[seat].LastNamedSuit;
        d.Eliminated[seat] = g.Players[seat].Eliminated;
    }
    d.DrawCount = g.DrawCount;
    d.DrawDone = g.DrawDone;
    d.PersonDrew = g.HumanDrew;
}

ImaginedDeal ImagineFromTable(const Game& g) {
    ImaginedDeal d;
    CopyTableState(g, d);
    for (int seat = 0; seat < kSeats; ++seat)
        for (int s = 0; s < kHandSlots; ++s)
            if (g.Hands[seat][s].Shown) d.Give(seat, s, g.Hands[seat][s].CardIndex);
    for (int p = 0; p < g.Rules.DeckSize; ++p)
        d.Deck[p] = g.DeckOrder[p];
    d.DeckPos = g.DeckPos;
    for (int i = 0; i < g.PileCount; ++i)
        d.Pile[i] = g.Pile[i].CardIndex;
    d.PileCount = g.PileCount;
    return d;
}

}  // namespace tarrabel
