#include "rules/play.h"

#include "core/card_power.h"
#include "core/deal_flow.h"
#include "core/going_out.h"
#include "core/hand_queries.h"
#include "core/table_view.h"
#include "core/turns.h"
#include "motion/flights.h"
#include "rules/deck.h"
#include "rules/exchange.h"
#include "rules/scoring.h"

namespace tarrabel {

namespace {

int SlotOf(const Game& g, const CardRecord& card, int seat) {
    return int(&card - &g.Hands[seat][0]);
}

// A played card reached the pile.
void LandPlayedCard(Game& g, CardRecord& card) {
    const int cur = g.CurrentPlayer;
    AddToPile(g, card);
    TraceEvent ev{TraceKind::Play};
    ev.Seat = cur;
    ev.Slot = SlotOf(g, card, cur);
    ev.Card = card.CardIndex;
    g.Trace(ev);
    RecountHand(g, card);

    const int16_t points = CardPoints(g, g.Pile[g.PileCount - 1]);
    if (g.LastPlayer != cur) {
        g.LastPlayer = int16_t(cur);
        g.RunPoints = points;
    } else {
        g.RunPoints += points;
    }
    g.RunPointsOf[cur] = g.RunPoints;
    g.DrawCount = 0;
    g.DrawDone = false;
    StartRebuildIfDeckEmpty(g);
    ResolvePlayedCard(g);
    if (g.HumanMoved) g.WaitingForHuman = false;
    PauseUnlessDone(g, 1300);
}

void LandDealtCard(Game& g, CardRecord& card) {
    const int seat = g.DealReceiver;
    DealIntoHand(g, card);
    TraceEvent ev{TraceKind::Dealt};
    ev.Seat = seat;
    ev.Slot = g.HandCount[seat] - 1;
    ev.Card = card.CardIndex;
    g.Trace(ev);
    ParkCard(card);
    if (g.TotalDealt == g.Rules.HandSize * g.PlayerCount) {
        g.DealtInBatch = 0;
        if (!g.Rules.TurnsStarter) {
            // No starter card: the starting player opens on the empty pile.
            Report(g, Happened::AllDealtNoStarter);
            PreviousPlayer(g);
        } else {
            Report(g, Happened::AllDealt);
        }
    }
    LayoutDeckStack(g);
}

void LandStarter(Game& g, CardRecord& card) {
    AddToPile(g, card);
    ParkCard(card);
    TraceEvent ev{TraceKind::Starter};
    ev.Card = card.CardIndex;
    g.Trace(ev);
    LayoutDeckStack(g);
    if (g.TopRank() == g.Rules.WildRank) {
        Report(g, Happened::StarterIsWild);
    } else if (g.DealtInBatch == 1) {
        // The starter counts as played by the player before the one who starts.
        g.DealtInBatch = 0;
        Report(g, Happened::TurnGoesOn);
        PreviousPlayer(g);
        ResolvePlayedCard(g);
    }
    PauseUnlessDone(g, 900);
}

void LandDrawnCard(Game& g, CardRecord& card) {
    const bool stay = g.State == GameState::DrawingByChoice;
    DrawIntoHand(g, card, g.DealReceiver, g.DrawSlot);
    TraceEvent ev{TraceKind::Draw};
    ev.Seat = g.DealReceiver;
    ev.Slot = g.DrawSlot;
    ev.Card = card.CardIndex;
    ev.Draw = stay ? DrawKind::Click : DrawKind::Auto;
    g.Trace(ev);
    ParkCard(card);
    if (!stay) PreviousPlayer(g);
    Report(g, Happened::TurnGoesOn);
    LayoutDeckStack(g);
    CountDraw(g.Rules, g.DrawCount, g.DrawDone);
    StartRebuildIfDeckEmpty(g);
    PauseUnlessDone(g, 900);
}

void LandPenaltyCard(Game& g, CardRecord& card) {
    DrawIntoHand(g, card, g.DealReceiver, g.DrawSlot);
    TraceEvent ev{TraceKind::Draw};
    ev.Seat = g.DealReceiver;
    ev.Slot = g.DrawSlot;
    ev.Card = card.CardIndex;
    ev.Draw = DrawKind::Penalty;
    g.Trace(ev);
    ParkCard(card);
    LayoutDeckStack(g);
    if (--g.PenaltyCards <= 0) FinishPenalty(g);
    StartRebuildIfDeckEmpty(g);
    PauseUnlessDone(g, 250);
}

}  // namespace

void FinishPenalty(Game& g) {
    g.PenaltyCards = 0;
    switch (g.State) {
        case GameState::TakingPenaltyAndSkip:
            // The victim loses his turn.
            g.PenaltyTaken = false;
            NextPlayer(g);
            Report(g, Happened::TurnGoesOn);
            EndDealIfSomeoneIsOut(g);
            break;
        case GameState::TakingPenaltyThenPlay:
            g.PenaltyTaken = true;
            Report(g, Happened::TurnGoesOn);
            EndDealIfSomeoneIsOut(g);
            break;
        case GameState::PersonTakingPenalty:
            if (g.GoingOutPending) {
                Report(g, Happened::DealOver);
                ScoreDeal(g);
            } else {
                g.PenaltyTaken = true;
                NextPlayer(g);
                Report(g, Happened::TurnGoesOn);
                EndDealIfSomeoneIsOut(g);
            }
            break;
        default:
            break;
    }
}

void OnCardArrived(Game& g, CardRecord& card) {
    if (!card.Moving || !HasArrived(g, card)) return;
    card.Moving = false;
    switch (g.State) {
        case GameState::NormalPlay:
            LandPlayedCard(g, card);
            break;
        case GameState::DealingCards:
            LandDealtCard(g, card);
            break;
        case GameState::TurningStarter:
            LandStarter(g, card);
            break;
        case GameState::BuryingWildStarter:
            ReturnStarterToDeck(g);
            Report(g, Happened::StarterBuried);
            break;
        case GameState::DrawingForWant:
        case GameState::DrawingByChoice:
            LandDrawnCard(g, card);
            break;
        case GameState::TakingPenaltyAndSkip:
        case GameState::TakingPenaltyThenPlay:
        case GameState::PersonTakingPenalty:
            LandPenaltyCard(g, card);
            break;
        case GameState::RebuildingDeck:
            RebuildDeck(g);
            Report(g, Happened::DeckRebuilt);
            PauseUnlessDone(g, 500);
            break;
        case GameState::MovingCard:
            if (!AnyCardMoving(g)) {
                CompleteExchange(g);
                Report(g, Happened::MoveEnded);
            }
            break;
        default:
            break;
    }
}

void StepCard(Game& g, CardRecord& card) {
    if (!card.Moving) return;
    AdvanceCard(card);
    OnCardArrived(g, card);
}

CardPower TopCardPower(const Game& g) {
    if (g.PileCount == 0) return {};
    const CardRecord& top = g.Pile[g.PileCount - 1];
    return PowerOf(g.Options.Variant, g.RankOf(top), g.SuitOf(top));
}

bool ChainIsOpenAgainst(const Game& g, int player) {
    if (g.PenaltyTaken || g.PileCount == 0) return false;
    return HoldsAnswer(GameTable(g), player, TopCardPower(g));
}

namespace {

// The table as the card's power sees it: the game's turn, direction and open penalty.
class PlayOnTable {
  public:
    explicit PlayOnTable(Game& g) : g_(g) {}
    CardPower PlayedPower() const { return TopCardPower(g_); }
    CardPower PowerUnder() const {
        if (g_.PileCount < 2) return {};
        const CardRecord& under = g_.Pile[g_.PileCount - 2];
        return PowerOf(g_.Options.Variant, g_.RankOf(under), g_.SuitOf(under));
    }
    bool DealIsOver() { return EndDealIfSomeoneIsOut(g_); }
    void ForgetNamedSuit() { g_.Players[g_.CurrentPlayer].LastNamedSuit = kNoSuit; }
    void ReverseDirection() { g_.DirectionReversed = !g_.DirectionReversed; }
    void NextPlayer() { tarrabel::NextPlayer(g_); }
    void PreviousPlayer() { tarrabel::PreviousPlayer(g_); }
    bool NextHoldsAnswer(const CardPower& p) const {
        return HoldsAnswer(GameTable(g_), PlayerAfter(g_, g_.CurrentPlayer), p);
    }
    int16_t& PenaltyCards() { return g_.PenaltyCards; }
    bool& PenaltyTaken() { return g_.PenaltyTaken; }

    // ... and as the going-out rule sees it.
    int PlayerOut() const { return PlayerWhoWentOut(g_); }
    const VariantSettings& Rules() const { return g_.Rules; }
    bool& GoingOutPending() { return g_.GoingOutPending; }
    int16_t RunPointsOf(int seat) const { return g_.RunPointsOf[seat]; }
    int16_t Before(int seat) const { return PlayerBefore(g_, seat); }
    void SetCurrent(int seat) { g_.CurrentPlayer = int16_t(seat); }

  private:
    Game& g_;
};

}  // namespace

void ResolvePlayedCard(Game& g) {
    PlayOnTable table(g);
    switch (ResolvePlay(table)) {
        case PlayOutcome::NextTurn:
        case PlayOutcome::DealDecided:
            break;
        case PlayOutcome::TakeThenPlay:
            Report(g, Happened::NextTakesThenPlays);
            break;
        case PlayOutcome::TakeAndLoseTurn:
            Report(g, Happened::NextTakesAndSkips);
            break;
        case PlayOutcome::NameSuit:
            Report(g, Happened::WildCardPlayed);
            break;
    }
}

// The deal is over when a player still in the match has no cards left. In Pis Yedili the
// player before the one who went out first takes what the going-out cards are worth.
bool EndDealIfSomeoneIsOut(Game& g) {
    PlayOnTable table(g);
    switch (CheckGoingOut(table)) {
        case GoingOut::NobodyOut:
            return false;
        case GoingOut::PenaltyFirst:
            g.WaitingForHuman = false;
            Report(g, Happened::NextTakesAndSkips);
            return true;
        case GoingOut::DealOver:
            Report(g, Happened::DealOver);
            ScoreDeal(g);
            return true;
    }
    return true;
}

}  // namespace tarrabel
