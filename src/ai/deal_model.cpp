#include "ai/deal_model.h"

#include "ai/standard_player.h"
#include "core/card_power.h"
#include "core/going_out.h"
#include "core/hand_queries.h"
#include "core/matching.h"
#include "core/turns.h"
#include "rules/scoring.h"

namespace tarrabel {

int32_t ImaginedDeal::Follow() const {
    const int n = PileCount;
    return SuitInForce(*Cards, Settings.WildRank, n, n > 0 ? Pile[n - 1] : -1,
                       n > 1 ? Pile[n - 2] : -1, ChosenSuit);
}

int16_t ImaginedDeal::Neighbour(int seat, bool forward) const {
    return NeighbourSeat(seat, forward, [&](int s) { return Eliminated[s]; });
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

// The imagined deal as the card's power sees it, as the table's own play is seen.
struct ImaginedDeal::PowerOnDeal {
    ImaginedDeal& d;
    CardPower PlayedPower() const { return PowerAt(d.PileCount - 1); }
    CardPower PowerUnder() const {
        return d.PileCount > 1 ? PowerAt(d.PileCount - 2) : CardPower{};
    }
    CardPower PowerAt(int i) const {
        return PowerOf(d.Which, d.RankOf(d.Pile[i]), d.SuitOf(d.Pile[i]));
    }
    bool DealIsOver() { return d.EndDealIfSomeoneIsOut(); }
    void ForgetNamedSuit() { d.LastNamed[d.Current] = kNoSuit; }
    void ReverseDirection() { d.Reversed = !d.Reversed; }
    void NextPlayer() { d.Next(); }
    void PreviousPlayer() { d.Previous(); }
    bool NextHoldsAnswer(const CardPower& p) const { return HoldsAnswer(d, d.After(d.Current), p); }
    int16_t& PenaltyCards() { return d.PenaltyCards; }
    bool& PenaltyTaken() { return d.PenaltyWasTaken; }

    // ... and as the going-out rule sees it.
    int PlayerOut() const {
        for (int p = 0; p < kSeats; ++p)
            if (!d.Eliminated[p] && d.HandCount[p] == 0) return p;
        return -1;
    }
    const VariantSettings& Rules() const { return d.Settings; }
    bool& GoingOutPending() { return d.GoingOutPending; }
    int16_t RunPointsOf(int seat) const { return d.RunPointsOf[seat]; }
    int16_t Before(int seat) const { return d.Before(seat); }
    void SetCurrent(int seat) { d.Current = int16_t(seat); }
};

void ImaginedDeal::Resolve() {
    PowerOnDeal deal{*this};
    switch (ResolvePlay(deal)) {
        case PlayOutcome::NextTurn:
        case PlayOutcome::DealDecided:
            break;
        case PlayOutcome::TakeThenPlay:
            Phase = ModelPhase::TakingPenaltyThenPlay;
            break;
        case PlayOutcome::TakeAndLoseTurn:
            Phase = ModelPhase::TakingPenaltyAndSkip;
            break;
        case PlayOutcome::NameSuit:
            Phase = ModelPhase::ChoosingSuit;
            break;
    }
}

bool ImaginedDeal::EndDealIfSomeoneIsOut() {
    PowerOnDeal deal{*this};
    switch (CheckGoingOut(deal)) {
        case GoingOut::NobodyOut:
            return false;
        case GoingOut::PenaltyFirst:
            Phase = ModelPhase::TakingPenaltyAndSkip;
            return true;
        case GoingOut::DealOver:
            Phase = ModelPhase::Over;
            return true;
    }
    return true;
}

void ImaginedDeal::FinishPenalty() {
    PenaltyCards = 0;
    if (Phase == ModelPhase::TakingPenaltyAndSkip) {
        PenaltyWasTaken = false;
        Next();
    } else {
        PenaltyWasTaken = true;
    }
    Phase = ModelPhase::TurnStart;
    EndDealIfSomeoneIsOut();
}

void ImaginedDeal::NoCardToDraw() {
    if (Phase == ModelPhase::DrawingByChoice) {
        DrawDone = true;
        PersonDrew = true;
        Phase = ModelPhase::PersonTurn;
    } else if (Phase == ModelPhase::DrawingForWant) {
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
    const bool stay = Phase == ModelPhase::DrawingByChoice;
    const bool penalty = Phase != ModelPhase::DrawingForWant && !stay;
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
        CountDraw(Settings, DrawCount, DrawDone);
    } else if (--PenaltyCards <= 0) {
        FinishPenalty();
    }
    if (DeckEmpty() && PileCount > 1 && Phase != ModelPhase::Over) Rebuild();
}

// He passes; a penalty nobody takes up lapses with the pass.
void ImaginedDeal::Pass() {
    PassEndsTurn(DrawCount, DrawDone, PenaltyCards, PenaltyWasTaken);
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
        // Where a turn allows several draws (Pis Yedili) the draw count ends them.
        if (Settings.DrawsPerTurn == 1) PersonDrew = true;
        Phase = ModelPhase::DrawingByChoice;
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
                    Phase = ModelPhase::DrawingForWant;
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
        case ModelPhase::DrawingForWant:
        case ModelPhase::DrawingByChoice:
        case ModelPhase::TakingPenaltyAndSkip:
        case ModelPhase::TakingPenaltyThenPlay:
            DrawStep();
            return;
        case ModelPhase::ChoosingSuit:
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
    d.GoingOutPending = g.GoingOutPending;
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
