#include "rules/play.h"

#include "core/hand_queries.h"
#include "core/turns.h"
#include "motion/flights.h"
#include "rules/deck.h"
#include "rules/exchange.h"
#include "rules/scoring.h"

namespace tarrabel {

namespace {

bool HandHolds(const Game& g, int player, int16_t rank, bool redOnly) {
    if (rank == kNoRank) return false;
    for (int s = 0; s < kHandSlots; ++s) {
        const CardRecord& c = g.Hands[player][s];
        if (c.Shown && g.RankOf(c) == rank && (!redOnly || IsRedSuit(g.SuitOf(c)))) return true;
    }
    return false;
}

bool IsPenaltyCard(const Game& g, int16_t rank, int32_t suit) {
    const VariantSettings& v = g.Rules;
    return rank == v.DrawThreeChainRank || rank == v.DrawTwoChainRank || rank == v.TakeTwoRank ||
           rank == v.TakeFiveRank || (rank == v.TakeElevenRank && IsBlackSuit(suit));
}

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
    DeckEmptyCheck(g);
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
        if (g.Is(GameVariant::PisYedili)) {
            // No starter card: the starting player opens on the empty pile.
            g.State = GameState::NormalPlay;
            PreviousPlayer(g);
        } else {
            g.State = GameState::Deal4;
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
        g.State = GameState::GetJackBack;
    } else if (g.DealtInBatch == 1) {
        // The starter counts as played by the player before the one who starts.
        g.DealtInBatch = 0;
        g.State = GameState::NormalPlay;
        PreviousPlayer(g);
        ResolvePlayedCard(g);
    }
    PauseUnlessDone(g, 900);
}

void LandDrawnCard(Game& g, CardRecord& card) {
    const bool stay = g.State == GameState::DealOneAndStay;
    DrawIntoHand(g, card, g.DealReceiver, g.DrawSlot);
    TraceEvent ev{TraceKind::Draw};
    ev.Seat = g.DealReceiver;
    ev.Slot = g.DrawSlot;
    ev.Card = card.CardIndex;
    ev.Draw = stay ? DrawKind::Click : DrawKind::Auto;
    g.Trace(ev);
    ParkCard(card);
    if (!stay) PreviousPlayer(g);
    g.State = GameState::NormalPlay;
    LayoutDeckStack(g);
    if (g.Is(GameVariant::PisYedili)) {
        if (++g.DrawCount >= 3) {
            g.DrawDone = true;
            g.DrawCount = 0;
        }
    } else {
        g.DrawDone = true;
    }
    DeckEmptyCheck(g);
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
    DeckEmptyCheck(g);
    PauseUnlessDone(g, 250);
}

}  // namespace

void FinishPenalty(Game& g) {
    g.PenaltyCards = 0;
    switch (g.State) {
        case GameState::DrawExtraCards:
            // The victim loses his turn.
            g.PenaltyTaken = false;
            NextPlayer(g);
            g.State = GameState::NormalPlay;
            EndOfHandCheck(g);
            break;
        case GameState::DrawExtraCardsAndPlay:
            g.PenaltyTaken = true;
            g.State = GameState::NormalPlay;
            EndOfHandCheck(g);
            break;
        case GameState::DrawExtraCardsPlayer:
            if (g.HandOverPending) {
                g.State = GameState::EndOfMatch;
                ScoreDeal(g);
            } else {
                g.PenaltyTaken = true;
                NextPlayer(g);
                g.State = GameState::NormalPlay;
                EndOfHandCheck(g);
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
        case GameState::Deal4:
            LandStarter(g, card);
            break;
        case GameState::GetJackBack:
            ReturnStarterToDeck(g);
            g.State = GameState::Deal4;
            break;
        case GameState::DealOne:
        case GameState::DealOneAndStay:
            LandDrawnCard(g, card);
            break;
        case GameState::DrawExtraCards:
        case GameState::DrawExtraCardsAndPlay:
        case GameState::DrawExtraCardsPlayer:
            LandPenaltyCard(g, card);
            break;
        case GameState::RecreateDeck:
            RebuildDeck(g);
            g.State = g.StateBeforeRecreate;
            PauseUnlessDone(g, 500);
            break;
        case GameState::ExchangeCards:
            if (!AnyCardMoving(g)) {
                CompleteExchange(g);
                g.State = GameState::NormalPlay;
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

bool HoldsDrawTwoChain(const Game& g, int player) {
    return HandHolds(g, player, g.Rules.DrawTwoChainRank, false);
}

bool HoldsDrawThreeChain(const Game& g, int player) {
    return HandHolds(g, player, g.Rules.DrawThreeChainRank, false);
}

bool HoldsRedJack(const Game& g, int player) {
    return HandHolds(g, player, g.Rules.TakeElevenRank, true);
}

bool ChainIsOpenAgainst(const Game& g, int player) {
    if (g.PenaltyTaken || g.PileCount == 0) return false;
    const CardRecord& top = g.Pile[g.PileCount - 1];
    const int16_t rank = g.RankOf(top);
    const VariantSettings& v = g.Rules;
    if (rank == v.DrawTwoChainRank && HoldsDrawTwoChain(g, player)) return true;
    if (rank == v.DrawThreeChainRank && HoldsDrawThreeChain(g, player)) return true;
    return rank == v.TakeElevenRank && IsBlackSuit(g.SuitOf(top)) && HoldsRedJack(g, player);
}

void ResolvePlayedCard(Game& g) {
    const VariantSettings& v = g.Rules;
    const CardRecord& c = g.Pile[g.PileCount - 1];
    const int16_t r = g.RankOf(c);
    const int32_t s = g.SuitOf(c);

    // A player who goes out with a penalty card is seen to be out once the penalty has
    // been answered or drawn.
    if (!IsPenaltyCard(g, r, s) && EndOfHandCheck(g)) return;
    if (r != v.WildRank) g.Players[g.CurrentPlayer].LastNamedSuit = kNoSuit;

    // In Huit Americain only the Ace of spades reverses; the other Aces have no power.
    if (r == v.ReverseRank && (s == kSpades || !g.Is(GameVariant::HuitAmericain))) {
        g.DirectionReversed = !g.DirectionReversed;
        return;
    }
    if (r == v.SkipRank) {
        NextPlayer(g);
        return;
    }
    if (r == v.DrawTwoChainRank) {
        if (!HoldsDrawTwoChain(g, PlayerAfter(g, g.CurrentPlayer)))
            g.State = GameState::DrawExtraCardsAndPlay;
        g.PenaltyCards += 2;
        g.PenaltyTaken = false;
        return;
    }
    if (r == v.DrawThreeChainRank) {
        if (!HoldsDrawThreeChain(g, PlayerAfter(g, g.CurrentPlayer)))
            g.State = GameState::DrawExtraCardsAndPlay;
        g.PenaltyCards += 3;
        g.PenaltyTaken = false;
        return;
    }
    if (r == v.TakeTwoRank) {
        g.State = GameState::DrawExtraCards;
        g.PenaltyCards = (g.Is(GameVariant::HuitAmericain) && s == kSpades) ? 4 : 2;
        return;
    }
    if (r == v.TakeFiveRank) {
        g.State = GameState::DrawExtraCards;
        g.PenaltyCards = 5;
        return;
    }
    if (r == v.TakeElevenRank && IsBlackSuit(s)) {
        if (!HoldsRedJack(g, PlayerAfter(g, g.CurrentPlayer)))
            g.State = GameState::DrawExtraCardsAndPlay;
        g.PenaltyTaken = false;
        g.PenaltyCards = 11;
        return;
    }
    if (r == v.TakeElevenRank && IsRedSuit(s) && g.PileCount >= 2) {
        const CardRecord& under = g.Pile[g.PileCount - 2];
        if (g.RankOf(under) == v.TakeElevenRank && IsBlackSuit(g.SuitOf(under)))
            g.PenaltyCards = 0;  // the eleven cards are cancelled
    }
    if (r == v.WildRank) {
        g.State = GameState::SelectTrumps;
        PreviousPlayer(g);  // the player who played it names the suit
        return;
    }
    if (r == v.PlayAgainRank) PreviousPlayer(g);
}

// The deal is over when a player still in the match has no cards left. In Pis Yedili the
// player before the one who went out first draws what the going-out cards are worth.
bool EndOfHandCheck(Game& g) {
    const int out = PlayerWhoWentOut(g);
    if (out < 0) return false;
    if (g.Is(GameVariant::PisYedili) && !g.HandOverPending) {
        g.HandOverPending = true;
        g.PenaltyCards = g.RunPointsOf[out] > 0 ? g.RunPointsOf[out] : int16_t(1);
        // The victim is found from the player who went out, whoever is current by now
        // (a chain answered after his last card moves the turn on).
        const int victim = PlayerBefore(g, out);
        g.CurrentPlayer = PlayerBefore(g, victim);
        g.WaitingForHuman = false;
        g.State = GameState::DrawExtraCards;
        return true;
    }
    g.State = GameState::EndOfMatch;
    ScoreDeal(g);
    return true;
}

}  // namespace tarrabel
