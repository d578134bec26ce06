// The game side of one frame: Escape, the pause key, the clicks handed to the human's
// handlers, one step of the state machine, and the flight of the card the human played.
#include "session/frame.h"
#include "session/hands_reveal.h"

#include <string>

#include "motion/flights.h"
#include "support/table_driver.h"

namespace tarrabel::test {
namespace {

FrameInput PauseKey() {
    FrameInput in;
    in.PauseKeyDown = true;
    return in;
}

TEST(Frame, EscapeQuitsEvenWhilePaused) {
    Table t;
    FrameInput esc;
    esc.EscapeDown = true;
    EXPECT_EQ(Frame(t), FrameResult::Continue);
    t.g.Paused = true;
    EXPECT_EQ(Frame(t, esc), FrameResult::Quit);
}

TEST(Frame, HoldingPTogglesThePauseOnce) {
    Table t;
    for (int i = 0; i < 5; ++i)
        Frame(t, PauseKey());
    EXPECT_TRUE(t.g.Paused);
    Frame(t);
    EXPECT_TRUE(t.g.Paused) << "letting go does not resume";
    for (int i = 0; i < 4; ++i)
        Frame(t, PauseKey());
    EXPECT_FALSE(t.g.Paused);
    Frame(t);
    Frame(t, PauseKey());
    EXPECT_TRUE(t.g.Paused);
}

TEST(Frame, WhilePausedNothingMoves) {
    Table t;
    Frame(t);  // the first card of the deal leaves the deck
    ASSERT_TRUE(AnyCardMoving(t.g));
    const CardRecord flying = t.g.Deck[t.g.DeckPos - 1];
    Frame(t, PauseKey());
    for (int i = 0; i < 50; ++i)
        Frame(t);
    const CardRecord& now = t.g.Deck[t.g.DeckPos - 1];
    EXPECT_EQ(now.X, flying.X);
    EXPECT_EQ(now.Y, flying.Y);
    EXPECT_EQ(t.g.TotalDealt, 1);
    EXPECT_EQ(CountOf(t, TraceKind::Dealt), 0);
    Frame(t, PauseKey());
    Frame(t);
    EXPECT_NE(t.g.Deck[t.g.DeckPos - 1].X, flying.X);
}

TEST(Frame, AClickPlaysTheCardAndItsFlightStartsInTheSameFrame) {
    Table t;
    HumansTurnHolding(t, {CardOf(6, kClubs), CardOf(7, kClubs)});
    t.sound.played.clear();
    Frame(t, LeftAt(PointOnCard(t.g, 1)));
    const CardRecord& card = t.g.Hands[0][1];
    EXPECT_TRUE(card.Moving);
    EXPECT_TRUE(t.g.HumanInputLocked);
    EXPECT_EQ(t.g.ClickedCard, -1);
    EXPECT_EQ(t.sound.played.size(), 1u);
    // Aimed at the pile: the centre (355, 203) plus a scatter of 0 to 19 and 0 to 15 pixels.
    EXPECT_GE(card.TargetX, 355);
    EXPECT_LT(card.TargetX, 355 + 20);
    EXPECT_GE(card.TargetY, 203);
    EXPECT_LT(card.TargetY, 203 + 16);
    ASSERT_TRUE(StepUntil(
        t, [&] { return CountOf(t, TraceKind::Play) == 1; }, 100));
    EXPECT_EQ(t.trace.events[0].Seat, 0);
    EXPECT_EQ(t.trace.events[0].Card, CardOf(7, kClubs));
}

// The first accepted click locks further clicks until the human's next turn, however long
// the button is held.
TEST(Frame, HoldingTheLeftButtonPlaysOnce) {
    Table t;
    HumansTurnHolding(t, {CardOf(6, kClubs), CardOf(7, kClubs), CardOf(9, kClubs)});
    const FrameInput hold = LeftAt(PointOnCard(t.g, 1));
    for (int i = 0; i < 60; ++i)
        Frame(t, hold);  // under a second, inside the pause
    EXPECT_EQ(CountOf(t, TraceKind::Play), 1);
    EXPECT_EQ(t.g.HandCount[0], 2);
    EXPECT_FALSE(t.g.Hands[0][0].Moving);
}

// Holding the button when a deal ends starts the next deal once; the frames after it are
// in "DEALING CARDS", where clicks do nothing. (With the hands shown first, see below.)
TEST(Frame, AClickAtTheEndOfTheMatchStartsTheNextDealOnce) {
    Table t;
    t.g.Options.ShowHandsAtDealEnd = false;
    t.g.State = GameState::DealScored;
    t.g.DrawDone = true;
    t.g.HumanDrew = true;
    const int deals = t.g.DealsStarted;
    const FrameInput hold = LeftAt({400, 300});
    for (int i = 0; i < 30; ++i)
        Frame(t, hold);
    EXPECT_EQ(t.g.DealsStarted, deals + 1);
    EXPECT_EQ(t.g.State, GameState::DealingCards);
    EXPECT_FALSE(t.g.DrawDone) << "a new deal starts with no draw used";
    EXPECT_FALSE(t.g.HumanDrew);
    std::string why;
    EXPECT_TRUE(t.CardsAllAccountedFor(&why)) << why;
}

// A click that plays a card while the game is paused, or while another card is still in
// flight, is not taken: the card cannot leave the hand then, and a taken click would leave
// the turn waiting for a card that never flies.
TEST(Frame, APlayThatCannotFlyIsNotTaken) {
    for (const char* why : {"paused", "a card in flight"}) {
        SCOPED_TRACE(why);
        Table t;
        HumansTurnHolding(t, {CardOf(6, kClubs), CardOf(7, kClubs)});
        t.g.HumanDrew = true;  // he drew before: he may still pass afterwards
        t.g.DrawDone = true;
        CardRecord& other = t.g.Hands[2][0];
        if (std::string(why) == "paused") {
            t.g.Paused = true;
        } else {
            StartCardFlight(t.g, other, 600, 5);
        }
        Frame(t, LeftAt(PointOnCard(t.g, 1)));
        EXPECT_FALSE(t.g.Hands[0][1].Moving);
        EXPECT_FALSE(t.g.HumanMoved);
        EXPECT_FALSE(t.g.HumanInputLocked);
        EXPECT_TRUE(t.g.HumanDrew);
        EXPECT_TRUE(t.g.WaitingForHuman);
        EXPECT_EQ(t.g.ClickedCard, -1);

        // Once the game runs again and nothing flies, the same click plays.
        t.g.Paused = false;
        other.Moving = false;
        Frame(t, LeftAt(PointOnCard(t.g, 1)));
        EXPECT_TRUE(t.g.Hands[0][1].Moving);
        EXPECT_TRUE(t.g.HumanInputLocked);
    }
}

// Clicks while paused are still taken where nothing has to fly: the pass, for one.
TEST(Frame, APassWhilePausedIsTakenAndShownAfterwards) {
    Table t;
    HumansTurnHolding(t, {CardOf(6, kClubs)});
    t.g.DrawDone = true;
    t.g.Paused = true;
    Frame(t, RightAt(kEmptyTable));
    EXPECT_EQ(t.g.State, GameState::ShowingPass);
    EXPECT_FALSE(t.g.BannerStep) << "nothing advances while paused";
    t.g.Paused = false;
    Frame(t);
    EXPECT_TRUE(t.g.BannerStep);
}

// The right button goes to the human only in "NORMAL PLAY" and "SELECT EXCHANGE".
TEST(Frame, RightClicksOnlyInNormalPlayAndSelectExchange) {
    Table t;
    HumansTurnHolding(t, {CardOf(6, kClubs), CardOf(7, kClubs)});
    const FrameInput pick = RightAt(PointOnCard(t.g, 0, true));
    Frame(t, pick);
    EXPECT_EQ(t.g.State, GameState::PickingCardToMove);
    Frame(t);
    Frame(t, pick);  // the second right click puts it down
    EXPECT_EQ(t.g.State, GameState::NormalPlay);

    t.g.State = GameState::ShowingPass;
    t.g.BannerStep = true;
    t.g.WaitingForHuman = true;
    Frame(t, pick);
    EXPECT_FALSE(t.g.MovePending);
    EXPECT_EQ(t.g.State, GameState::ShowingPass);
}

// A left click during "SELECT TRUMPS" is the suit choice, and only that.
TEST(Frame, ALeftClickDuringTheSuitChoiceNamesTheSuit) {
    Table t;
    HumansTurnHolding(t, {CardOf(8, kClubs), CardOf(6, kClubs)});
    Frame(t, LeftAt(PointOnCard(t.g, 0)));
    ASSERT_TRUE(t.g.Hands[0][0].Moving);
    for (int i = 0; i < 200 && !t.g.SuitPromptShown; ++i)
        Frame(t);
    ASSERT_TRUE(t.g.SuitPromptShown);
    const CardRecord& diamonds = t.g.SuitIcons[kDiamonds];
    Frame(t, LeftAt({int(diamonds.X) + 50, int(diamonds.Y) + 20}));
    EXPECT_EQ(t.g.ChosenSuit, kDiamonds);
    EXPECT_EQ(t.g.HandCount[0], 1) << "the click played no card";
    EXPECT_EQ(CountOf(t, TraceKind::Play), 1);
}

// A whole turn of the human through frames: the deck click draws, the right click passes.
TEST(Frame, DrawThenPassThroughFrames) {
    Table t;
    HumansTurnHolding(t, {CardOf(6, kClubs)});
    Frame(t, LeftAt(kOnDeck));
    EXPECT_EQ(t.g.State, GameState::DrawingByChoice);
    for (int i = 0; i < 200 && CountOf(t, TraceKind::Draw) == 0; ++i)
        Frame(t);
    ASSERT_EQ(CountOf(t, TraceKind::Draw), 1);
    for (int i = 0; i < 100 && t.g.State != GameState::NormalPlay; ++i)
        Frame(t);
    Frame(t, RightAt(kEmptyTable));
    EXPECT_EQ(t.g.State, GameState::ShowingPass);
    EXPECT_EQ(CountOf(t, TraceKind::Pass), 1);
}

// With the hands shown, the deal's end takes two clicks: the first turns from the shown
// hands to the score page, however long it is held; a click of its own deals again. The
// hands turn over meanwhile, seat after seat, with one flip sound, and nothing is traced.
TEST(Frame, AtTheDealsEndTheHandsShowThenThePageThenTheNextDeal) {
    Table t;
    t.GiveHand(1, {CardOf(3, kClubs), CardOf(9, kHearts)});
    t.g.State = GameState::DealScored;
    const int deals = t.g.DealsStarted;
    const size_t events = t.trace.events.size(), sounds = t.sound.played.size();
    for (int i = 0; i < kRevealFrames + 5; ++i)
        Frame(t);
    EXPECT_TRUE(RevealingHands(t.g));
    EXPECT_EQ(FlipOf(t.g, 1), 1.0f);
    EXPECT_EQ(FlipOf(t.g, 3), 1.0f);
    EXPECT_EQ(t.sound.played.size(), sounds + 1) << "the flip is heard once";

    const FrameInput hold = LeftAt({400, 300});
    for (int i = 0; i < 30; ++i)
        Frame(t, hold);
    EXPECT_FALSE(RevealingHands(t.g)) << "the score page is up";
    EXPECT_EQ(t.g.State, GameState::DealScored);
    EXPECT_EQ(t.g.DealsStarted, deals) << "a held button deals no further";
    Frame(t);
    Frame(t, hold);
    EXPECT_EQ(t.g.DealsStarted, deals + 1);
    EXPECT_EQ(t.g.State, GameState::DealingCards);
    EXPECT_EQ(t.g.RevealFrame, 0);
    EXPECT_FALSE(t.g.ScorePageUp) << "the next deal's end shows its hands again";
    EXPECT_EQ(t.trace.events.size(), events + 1) << "only the new deal's setup is traced";
}

}  // namespace
}  // namespace tarrabel::test
