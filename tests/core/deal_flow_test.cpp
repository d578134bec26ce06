// The deal's state changes in one place. What is tested here is what that place must
// remember: the state a pause returns to, and the state a rebuilt deck returns to (whatever
// was drawing a card when the deck ran out), a pause in the middle of a rebuild included.
#include "core/deal_flow.h"

#include <gtest/gtest.h>

#include "support/table_fixture.h"

namespace tarrabel::test {
namespace {

TEST(PauseFor, ParksTheDealAndTheEndOfThePauseGoesBackToWhereItWas) {
    for (const GameState s : {GameState::NormalPlay, GameState::ChoosingSuit,
                              GameState::TakingPenaltyThenPlay, GameState::DealScored}) {
        SCOPED_TRACE(StateName(s));
        Table t;
        t.clock.Advance(1234);
        t.g.State = s;
        PauseFor(t.g, 900);
        EXPECT_EQ(t.g.State, GameState::Paused);
        EXPECT_EQ(t.g.PauseStart, 1234) << "the pause is timed from the table's clock";
        EXPECT_EQ(t.g.PauseLength, 900);
        Report(t.g, Happened::PauseOver);
        EXPECT_EQ(t.g.State, s);
    }
}

TEST(PauseUnlessDone, ALandingThatFollowsAPauseDoesNotPauseAgain) {
    Table t;
    t.g.State = GameState::NormalPlay;
    t.g.PauseDone = true;
    PauseUnlessDone(t.g, 1300);
    EXPECT_EQ(t.g.State, GameState::NormalPlay);

    t.g.PauseDone = false;
    PauseUnlessDone(t.g, 1300);
    EXPECT_EQ(t.g.State, GameState::Paused);
    EXPECT_EQ(t.g.PauseLength, 1300);
    EXPECT_EQ(t.g.ResumeState, GameState::NormalPlay);
}

// Whoever was drawing when the deck ran out draws on from the rebuilt deck, and the pause
// that shows the rebuild does not make the deal forget who that was.
TEST(Report, TheRebuiltDeckGoesBackToWhateverWasDrawingThroughItsPause) {
    for (const GameState drawing :
         {GameState::DrawingForWant, GameState::DrawingByChoice, GameState::TakingPenaltyThenPlay,
          GameState::TakingPenaltyAndSkip, GameState::PersonTakingPenalty}) {
        SCOPED_TRACE(StateName(drawing));
        Table t;
        t.g.State = drawing;
        Report(t.g, Happened::DeckRanOut);
        EXPECT_EQ(t.g.State, GameState::RebuildingDeck);
        PauseFor(t.g, 500);
        Report(t.g, Happened::PauseOver);
        EXPECT_EQ(t.g.State, GameState::RebuildingDeck);
        Report(t.g, Happened::DeckRebuilt);
        EXPECT_EQ(t.g.State, drawing);
    }
}

}  // namespace
}  // namespace tarrabel::test
