#include "session/state_machine.h"

#include "ai/computer_player.h"
#include "core/deal_flow.h"
#include "core/turns.h"
#include "motion/flights.h"
#include "rules/deck.h"
#include "rules/exchange.h"
#include "rules/play.h"
#include "session/hands_reveal.h"
#include "session/human_input.h"

namespace tarrabel {

// ---- pauses -----------------------------------------------------------------------------

static void StepPause(Game& g) {
    // Elapsed time by unsigned difference, so a tick counter that wraps does not stall
    // the game for weeks.
    const uint32_t elapsed = uint32_t(g.Tick()) - uint32_t(g.PauseStart);
    if (elapsed > uint32_t(g.PauseLength)) {
        Report(g, Happened::PauseOver);
        g.PauseDone = true;
    }
}

// ---- the states -------------------------------------------------------------------------

// The card that left the deck last is the one in flight while dealing or drawing.
static void StepLastDrawn(Game& g) {
    if (g.DeckPos > 0) StepCard(g, g.Deck[g.DeckPos - 1]);
}

static void ClearPauseDone(Game& g) {
    g.PauseDone = false;
}

static void EnterShowPass(Game& g) {
    Report(g, Happened::Passed);
    g.ShowPassBanner = true;
    PassEndsTurn(g.DrawCount, g.DrawDone, g.PenaltyCards, g.PenaltyTaken);
    TraceEvent ev{TraceKind::Pass};
    ev.Seat = g.CurrentPlayer;
    g.Trace(ev);
}

void HumanPasses(Game& g) {
    EnterShowPass(g);
    g.HumanMoved = true;
    g.WaitingForHuman = false;
    g.HumanInputLocked = true;
    g.HumanDrew = false;
}

static void DealOneCard(Game& g) {
    const int seat = g.SeatOrder[g.DealSeat];
    g.DealReceiver = int16_t(seat);
    FlyCardToSeat(g, g.Deck[g.DeckPos], seat);
    ++g.DeckPos;
    ++g.DealtInBatch;
    ++g.TotalDealt;
    if (g.DealtInBatch == g.Rules.HandSize) {
        g.DealtInBatch = 0;
        // The next place in the dealing round whose seat is still in the match.
        g.DealSeat = NeighbourSeat(g.DealSeat, !g.DirectionReversed,
                                   [&](int at) { return g.Players[g.SeatOrder[at]].Eliminated; });
    }
}

static void TurnStart(Game& g) {
    ClearPauseDone(g);
    NextPlayer(g);
    if (!HasPlayableCard(g)) {
        if (!g.DrawDone)
            Report(g, Happened::CannotPlay);
        else
            EnterShowPass(g);
        return;
    }
    if (g.CurrentPlayer == kHuman) {
        g.HumanInputLocked = false;
        g.HumanMoved = false;
        g.WaitingForHuman = true;
        return;
    }
    g.ComputerSlot = ChooseCardToPlay(g);
    CardRecord& card = g.Hands[g.CurrentPlayer][g.ComputerSlot];
    card.FaceUp = true;
    FlyPlayedCardToPile(g, card);
}

static void StepNormalPlay(Game& g) {
    g.ShowSuitBanner = false;
    g.ShowPassBanner = false;
    if (AnyCardMoving(g)) {
        for (int s = 0; s < kHandSlots; ++s) {
            StepCard(g, g.Hands[kHuman][s]);
            if (g.State != GameState::NormalPlay) return;  // it landed; the rest waits
        }
    }
    if (g.WaitingForHuman) return;
    if (!AnyCardMoving(g))
        TurnStart(g);
    else if (g.CurrentPlayer != kHuman)
        StepCard(g, g.Hands[g.CurrentPlayer][g.ComputerSlot]);
}

// A draw finds no card: the deck is used up and the pile has nothing to give, or the
// receiver's hand is full. The player goes without; a penalty ends with what was drawn.
static void NoCardToDraw(Game& g) {
    switch (g.State) {
        case GameState::DrawingForWant:
            g.DrawDone = true;
            g.DrawCount = 0;
            PreviousPlayer(g);
            Report(g, Happened::TurnGoesOn);
            break;
        case GameState::DrawingByChoice:
            g.DrawDone = true;
            g.HumanDrew = true;
            Report(g, Happened::TurnGoesOn);
            break;
        default:
            FinishPenalty(g);
            break;
    }
}

static void StepDrawing(Game& g) {
    if (AnyCardMoving(g)) {
        StepLastDrawn(g);
        return;
    }
    ClearPauseDone(g);
    const bool penalty =
        g.State != GameState::DrawingForWant && g.State != GameState::DrawingByChoice;
    const int receiver = penalty ? PlayerAfter(g, g.CurrentPlayer) : g.CurrentPlayer;
    if (penalty && g.PenaltyCards <= 0) {
        FinishPenalty(g);
        return;
    }
    if (DeckIsEmpty(g)) {
        if (g.PileCount > 1) {
            Report(g, Happened::DeckRanOut);
            return;
        }
        TraceEvent ev{TraceKind::DeckEmpty};
        ev.Seat = receiver;
        g.Trace(ev);
        NoCardToDraw(g);
        return;
    }
    const int16_t slot = FirstFreeSlot(g, receiver);
    if (slot < 0) {
        NoCardToDraw(g);
        return;
    }
    g.DealReceiver = int16_t(receiver);
    g.DrawSlot = slot;
    FlyCardToSeatSlot(g, slot, g.Deck[g.DeckPos], receiver);
    ++g.DeckPos;
    ++g.TotalDealt;
}

static void StepSelectTrumps(Game& g) {
    if (g.WaitingForHuman) return;
    if (!g.BannerStep) {
        NextPlayer(g);
        if (g.CurrentPlayer == kHuman) {
            g.SuitPromptShown = true;
            for (int i = 0; i < 4; ++i)
                g.SuitIcons[i].Shown = true;
            LayoutSuitIcons(g);
            g.HumanMoved = false;
            g.WaitingForHuman = true;
        } else {
            g.ChosenSuit = ChooseSuit(g);
            g.BannerStep = true;
            TraceEvent ev{TraceKind::Suit};
            ev.Seat = g.CurrentPlayer;
            ev.Suit = g.ChosenSuit;
            g.Trace(ev);
        }
        return;
    }
    if (g.HumanMoved) g.WaitingForHuman = false;
    Report(g, Happened::SuitNamed);
    g.ShowSuitBanner = true;
    g.BannerStep = false;
}

// "SHOW CONTRACT" and "SHOW PASS": the announcement stays up through the pause.
static void StepAnnouncement(Game& g) {
    if (g.WaitingForHuman) return;
    if (!g.BannerStep) {
        ClearPauseDone(g);
        g.BannerStep = true;
        return;
    }
    if (g.HumanMoved) g.WaitingForHuman = false;
    Report(g, Happened::TurnGoesOn);
    PauseUnlessDone(g, 1700);
    g.BannerStep = false;
}

static void StepExchange(Game& g) {
    auto& hand = g.Hands[kHuman];
    if (!AnyCardMoving(g)) {
        StartExchangeFlight(g);
        return;
    }
    // Every card of the move flies at once; the move is complete when the last has landed.
    bool stillMoving = false;
    for (int s = 0; s < kHandSlots; ++s) {
        CardRecord& c = hand[s];
        if (!c.Moving) continue;
        AdvanceCard(c);
        if (HasArrived(g, c))
            c.Moving = false;
        else
            stillMoving = true;
    }
    if (!stillMoving) {
        CompleteExchange(g);
        Report(g, Happened::MoveEnded);
    }
}

static void StepRecreateDeck(Game& g) {
    if (!AnyCardMoving(g)) {
        ClearPauseDone(g);
        if (StartPileReturnFlight(g) == 0) {
            // Nothing to carry back: rebuild at once rather than wait for a flight.
            RebuildDeck(g);
            Report(g, Happened::DeckRebuilt);
        }
        return;
    }
    int highest = -1;
    for (int i = 0; i < kReturnFlying; ++i) {
        CardRecord& c = g.ReturnCards[i];
        if (c.Moving && c.Shown) {
            AdvanceCard(c);
            highest = i;
        }
    }
    if (highest >= 0) OnCardArrived(g, g.ReturnCards[highest]);
}

void StepGameState(Game& g) {
    switch (g.State) {
        case GameState::DealingCards:
            if (AnyCardMoving(g)) {
                StepLastDrawn(g);
            } else if (g.TotalDealt < g.Rules.HandSize * g.PlayerCount) {
                DealOneCard(g);
            }
            break;
        case GameState::TurningStarter:
            if (AnyCardMoving(g)) {
                StepLastDrawn(g);
            } else {
                ClearPauseDone(g);
                FlyStarterCardToPile(g, g.Deck[g.DeckPos]);
                ++g.DeckPos;
                ++g.DealtInBatch;
            }
            break;
        case GameState::BuryingWildStarter:
            if (AnyCardMoving(g))
                StepCard(g, g.Pile[g.PileCount - 1]);
            else
                FlyCardToDeck(g, g.Pile[g.PileCount - 1]);
            break;
        case GameState::NormalPlay:
            StepNormalPlay(g);
            break;
        case GameState::DrawingForWant:
        case GameState::DrawingByChoice:
        case GameState::TakingPenaltyAndSkip:
        case GameState::TakingPenaltyThenPlay:
        case GameState::PersonTakingPenalty:
            StepDrawing(g);
            break;
        case GameState::ChoosingSuit:
            StepSelectTrumps(g);
            break;
        case GameState::ShowingSuit:
        case GameState::ShowingPass:
            StepAnnouncement(g);
            break;
        case GameState::MovingCard:
            StepExchange(g);
            break;
        case GameState::RebuildingDeck:
            StepRecreateDeck(g);
            break;
        case GameState::Paused:
            StepPause(g);
            break;
        case GameState::DealScored:
            StepHandsReveal(g);
            break;
        case GameState::PickingCardToMove:
            break;
    }
}

}  // namespace tarrabel
