#include "core/deal_flow.h"

namespace tarrabel {

namespace {

GameState StateAfter(const Game& g, Happened what) {
    switch (what) {
        case Happened::DealBegins:
            return GameState::DealingCards;
        case Happened::AllDealt:
        case Happened::StarterBuried:
            return GameState::TurningStarter;
        case Happened::StarterIsWild:
            return GameState::BuryingWildStarter;
        case Happened::AllDealtNoStarter:
        case Happened::TurnGoesOn:
        case Happened::MoveEnded:
            return GameState::NormalPlay;
        case Happened::CannotPlay:
            return GameState::DrawingForWant;
        case Happened::PersonDraws:
            return GameState::DrawingByChoice;
        case Happened::Passed:
            return GameState::ShowingPass;
        case Happened::NextTakesThenPlays:
            return GameState::TakingPenaltyThenPlay;
        case Happened::NextTakesAndSkips:
            return GameState::TakingPenaltyAndSkip;
        case Happened::PersonTakesPenalty:
            return GameState::PersonTakingPenalty;
        case Happened::WildCardPlayed:
            return GameState::ChoosingSuit;
        case Happened::SuitNamed:
            return GameState::ShowingSuit;
        case Happened::CardPicked:
            return GameState::PickingCardToMove;
        case Happened::MoveTargetChosen:
            return GameState::MovingCard;
        case Happened::DeckRanOut:
            return GameState::RebuildingDeck;
        case Happened::DeckRebuilt:
            return g.StateBeforeRebuild;
        case Happened::DealOver:
            return GameState::DealScored;
        case Happened::PauseOver:
            return g.ResumeState;
    }
    return g.State;
}

}  // namespace

void Report(Game& g, Happened what) {
    // The rebuilt deck is drawn from by whatever asked for a card.
    if (what == Happened::DeckRanOut) g.StateBeforeRebuild = g.State;
    g.State = StateAfter(g, what);
}

void PauseFor(Game& g, int32_t ms) {
    g.ResumeState = g.State;
    g.State = GameState::Paused;
    g.PauseStart = g.Tick();
    g.PauseLength = ms;
}

void PauseUnlessDone(Game& g, int32_t ms) {
    if (!g.PauseDone) PauseFor(g, ms);
}

}  // namespace tarrabel
