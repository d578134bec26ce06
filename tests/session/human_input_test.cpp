// The human's mouse at the table: playing a card, drawing, passing, answering or breaking a
// chain, moving a card within the hand, and naming a suit.
#include "session/human_input.h"

#include <algorithm>
#include <memory>
#include <optional>
#include <string>
#include <string_view>
#include <utility>

#include "motion/flights.h"
#include "support/table_driver.h"

namespace tarrabel::test {
namespace {

// The human's turn in Tarrabel on a Five of clubs, with `hand` in slots 0 on; the other
// seats hold dead cards.
void HumansTurn(Table& t, std::initializer_list<int16_t> hand, int16_t top = CardOf(5, kClubs)) {
    t.ClearTable();
    t.SetPile({top});
    for (int seat = 1; seat < kSeats; ++seat)
        t.GiveHand(seat, {Dead(2 * seat), Dead(2 * seat + 1)});
    t.GiveHand(kHuman, hand);
    StartHumansTurn(t);
    t.trace.events.clear();
}

int16_t Click(Table& t, std::pair<int, int> p) {
    return HumanLeftClick(t.g, p.first, p.second);
}
void RightClick(Table& t, std::pair<int, int> p) {
    HumanRightClick(t.g, p.first, p.second);
}

// ---- playing a card ------------------------------------------------------------------------

TEST(LeftClick, AnIllegalCardDoesNothing) {
    Table t;
    HumansTurn(t, {CardOf(13, kHearts), CardOf(6, kClubs)});
    // Slot 0 shows its left strip alone only where slot 1 does not cover it.
    const std::pair<int, int> p{int(t.g.Hands[0][0].X) + 6, 480};
    EXPECT_EQ(Click(t, p), -1);
    EXPECT_EQ(t.g.State, GameState::NormalPlay);
    EXPECT_FALSE(t.g.HumanMoved);
    EXPECT_FALSE(t.g.HumanInputLocked);
    EXPECT_TRUE(t.g.WaitingForHuman);
    EXPECT_EQ(t.g.HandCount[0], 2);
}

struct OverlapCase {
    int16_t lower, upper;  // slot 0 and slot 1; the point covers both
    int16_t expected;      // slot played, or -1
};

class Overlap : public ::testing::TestWithParam<OverlapCase> {};

// Where the fanned cards overlap, the card on top is tried first, and an illegal one lets
// the click through to the legal card under it.
TEST_P(Overlap, TheTopmostLegalCardUnderThePointIsPlayed) {
    const OverlapCase& c = GetParam();
    Table t;
    // Slot 2 holds a legal card away from the point, so that the turn is the human's.
    HumansTurn(t, {c.lower, c.upper, CardOf(9, kClubs)});
    const std::pair<int, int> p = PointOnCard(t.g, 1);  // inside slot 0 too, not slot 2
    ASSERT_GT(p.first, t.g.Hands[0][0].X);
    ASSERT_LT(p.first, t.g.Hands[0][0].X + t.g.Hands[0][0].SizeX);
    EXPECT_EQ(Click(t, p), c.expected);
    EXPECT_EQ(t.g.HumanMoved, c.expected >= 0);
    EXPECT_EQ(t.g.HumanInputLocked, c.expected >= 0);
}

INSTANTIATE_TEST_SUITE_P(Cards, Overlap,
                         ::testing::Values(OverlapCase{CardOf(6, kClubs), CardOf(13, kHearts), 0},
                                           OverlapCase{CardOf(13, kHearts), CardOf(6, kClubs), 1},
                                           OverlapCase{CardOf(6, kClubs), CardOf(7, kClubs), 1},
                                           OverlapCase{CardOf(13, kHearts), CardOf(12, kHearts),
                                                       -1}),
                         [](const auto& info) {
                             return CardName(info.param.upper) + "Over" +
                                    CardName(info.param.lower);
                         });

TEST(LeftClick, APlayLocksFurtherClicksUntilTheNextTurn) {
    Table t;
    HumansTurn(t, {CardOf(6, kClubs), CardOf(7, kClubs), CardOf(9, kClubs)});
    t.g.HumanDrew = true;
    EXPECT_EQ(Click(t, PointOnCard(t.g, 2)), 2);
    EXPECT_FALSE(t.g.HumanDrew);
    EXPECT_EQ(Click(t, PointOnCard(t.g, 1)), -1);
    EXPECT_EQ(Click(t, kOnDeck), -1);
    EXPECT_EQ(t.g.State, GameState::NormalPlay);
}

// ---- the deck ------------------------------------------------------------------------------

TEST(DeckClick, DrawsOneCardAndTheTurnStaysWithTheHuman) {
    Table t;
    HumansTurn(t, {CardOf(6, kClubs)});
    const int16_t next = t.g.DeckOrder[t.g.DeckPos];
    EXPECT_EQ(Click(t, kOnDeck), -1);
    EXPECT_EQ(t.g.State, GameState::DrawingByChoice);
    EXPECT_TRUE(t.g.HumanDrew);
    EXPECT_TRUE(t.g.DrawDone);
    ASSERT_TRUE(StepUntil(t, [&] { return CountOf(t, TraceKind::Draw) == 1; }));
    const TraceEvent e = EventsOf(t, TraceKind::Draw)[0];
    EXPECT_EQ(e.Seat, 0);
    EXPECT_EQ(e.Card, next);
    EXPECT_EQ(e.Draw, DrawKind::Click);
    ASSERT_TRUE(StepUntil(t, [&] { return t.g.State == GameState::NormalPlay; }));
    for (int i = 0; i < 20; ++i)
        Step(t);
    EXPECT_EQ(t.g.CurrentPlayer, 0);
    EXPECT_TRUE(t.g.WaitingForHuman);
    EXPECT_EQ(t.g.HandCount[0], 2);

    // A second click on the deck does nothing.
    Click(t, kOnDeck);
    EXPECT_EQ(t.g.State, GameState::NormalPlay);
}

TEST(DeckClick, PisYediliAllowsThreeDrawsOneClickEach) {
    Table t(GameVariant::PisYedili);
    HumansTurn(t, {CardOf(6, kClubs)});
    for (int n = 1; n <= 3; ++n) {
        SCOPED_TRACE(n);
        // Before the third draw, a right click on empty table does not pass.
        RightClick(t, kEmptyTable);
        EXPECT_EQ(t.g.State, GameState::NormalPlay);
        Click(t, kOnDeck);
        EXPECT_EQ(t.g.State, GameState::DrawingByChoice);
        // Clicks while the card flies are not another draw.
        Step(t);
        Click(t, kOnDeck);
        ASSERT_TRUE(StepUntil(t, [&] { return t.g.State == GameState::NormalPlay; }));
        EXPECT_EQ(CountOf(t, TraceKind::Draw), n);
        EXPECT_EQ(t.g.HandCount[0], 1 + n);
    }
    EXPECT_TRUE(t.g.DrawDone);
    Click(t, kOnDeck);
    EXPECT_EQ(t.g.State, GameState::NormalPlay) << "no fourth draw";
    RightClick(t, kEmptyTable);
    EXPECT_EQ(t.g.State, GameState::ShowingPass);
}

// The deck is used up and the pile has only its top card: the click finds no card, and the
// human may pass instead of waiting for a card that cannot come.
TEST(DeckClick, NothingToDrawLetsTheHumanPass) {
    for (GameVariant v : {GameVariant::Tarrabel, GameVariant::PisYedili}) {
        SCOPED_TRACE(std::string(VariantName(v)));
        Table t(v);
        t.ClearTable();
        t.SetPile({CardOf(5, kClubs)});
        for (int seat = 1; seat < kSeats; ++seat)
            t.GiveHand(seat, {Dead(2 * seat), Dead(2 * seat + 1)});
        t.GiveHand(0, {CardOf(6, kClubs)});
        EmptyDeckInto(t, 3);
        StartHumansTurn(t);
        t.trace.events.clear();
        Click(t, kOnDeck);
        ASSERT_TRUE(StepUntil(
            t, [&] { return t.g.State == GameState::NormalPlay; }, 100));
        ASSERT_EQ(CountOf(t, TraceKind::DeckEmpty), 1);
        EXPECT_EQ(EventsOf(t, TraceKind::DeckEmpty)[0].Seat, 0);
        EXPECT_TRUE(t.g.HumanDrew);
        EXPECT_TRUE(t.g.DrawDone);
        EXPECT_TRUE(t.g.WaitingForHuman);
        RightClick(t, kEmptyTable);
        EXPECT_EQ(t.g.State, GameState::ShowingPass);
        std::string why;
        EXPECT_TRUE(t.CardsAllAccountedFor(&why)) << why;
    }
}

TEST(DeckClick, AFullHandDrawsNothingAndMayPass) {
    Table t(GameVariant::IllustratedAgonia);
    t.ClearTable();
    t.SetPile({CardOf(5, kClubs)});
    for (int seat = 1; seat < kSeats; ++seat)
        t.GiveHand(seat, {Dead(2 * seat), Dead(2 * seat + 1)});
    t.GiveHand(0, {CardOf(6, kClubs)});
    for (int i = 0; i < 52; ++i)
        t.GiveHand(0, {SecondPack(int16_t(i))});
    t.GiveHand(0, {CardOf(3, kClubs), CardOf(4, kClubs)});
    ASSERT_EQ(t.g.HandCount[0], 55);
    StartHumansTurn(t);
    const int16_t deckPos = t.g.DeckPos;
    Click(t, kOnDeck);
    ASSERT_TRUE(StepUntil(
        t, [&] { return t.g.State == GameState::NormalPlay; }, 100));
    EXPECT_EQ(t.g.HandCount[0], 55);
    EXPECT_EQ(t.g.DeckPos, deckPos);
    EXPECT_TRUE(t.g.DrawDone);
    RightClick(t, kEmptyTable);
    EXPECT_EQ(t.g.State, GameState::ShowingPass);
    std::string why;
    EXPECT_TRUE(t.CardsAllAccountedFor(&why)) << why;
}

// ---- passing -------------------------------------------------------------------------------

TEST(RightClick, PassesOnlyAfterDrawing) {
    Table t;
    HumansTurn(t, {CardOf(6, kClubs)});
    RightClick(t, kEmptyTable);
    EXPECT_EQ(t.g.State, GameState::NormalPlay);
    EXPECT_TRUE(t.g.WaitingForHuman);
    EXPECT_EQ(CountOf(t, TraceKind::Pass), 0);

    Click(t, kOnDeck);
    ASSERT_TRUE(StepUntil(t, [&] { return t.g.State == GameState::NormalPlay; }));
    RightClick(t, kEmptyTable);
    EXPECT_EQ(t.g.State, GameState::ShowingPass);
    EXPECT_TRUE(t.g.ShowPassBanner);
    EXPECT_TRUE(t.g.HumanMoved);
    EXPECT_TRUE(t.g.HumanInputLocked);
    EXPECT_FALSE(t.g.WaitingForHuman);
    EXPECT_FALSE(t.g.HumanDrew);
    EXPECT_FALSE(t.g.DrawDone);
    ASSERT_EQ(CountOf(t, TraceKind::Pass), 1);
    EXPECT_EQ(EventsOf(t, TraceKind::Pass)[0].Seat, 0);
    // The next player, seat 1 with the turns going up, moves after the announcement.
    ASSERT_TRUE(StepUntil(t, [&] { return t.g.CurrentPlayer != 0; }));
    EXPECT_EQ(t.g.CurrentPlayer, 1);
}

TEST(RightClick, OnACardNeverPasses) {
    Table t;
    HumansTurn(t, {CardOf(6, kClubs), CardOf(7, kClubs)});
    t.g.DrawDone = true;
    RightClick(t, PointOnCard(t.g, 0, true));  // picks it
    ASSERT_EQ(t.g.State, GameState::PickingCardToMove);
    RightClick(t, PointOnCard(t.g, 1, true));  // another card: nothing
    EXPECT_EQ(t.g.State, GameState::PickingCardToMove);
    EXPECT_TRUE(t.g.Hands[0][0].MoveSource);
    EXPECT_EQ(CountOf(t, TraceKind::Pass), 0);
}

// ---- the human's turn only -------------------------------------------------------------------

TEST(OutOfTurn, HandlersDoNothingUnlessTheHumanIsToMove) {
    Table t;
    t.ClearTable();
    t.SetPile({CardOf(5, kClubs)});
    GiveDeadHands(t);
    t.GiveHand(0, {CardOf(6, kClubs)});
    TurnGoesTo(t, 0);
    t.g.CurrentPlayer = 0;
    t.g.DrawDone = true;
    ASSERT_FALSE(t.g.WaitingForHuman);
    const Game before = t.g;
    EXPECT_EQ(Click(t, PointOnCard(t.g, 2)), -1);
    Click(t, kOnDeck);
    RightClick(t, kEmptyTable);
    RightClick(t, PointOnCard(t.g, 0, true));
    HumanSuitClick(t.g, 150, 333);  // inside the clubs icon, were it offered
    EXPECT_EQ(t.g.State, before.State);
    EXPECT_EQ(t.g.HumanMoved, before.HumanMoved);
    EXPECT_EQ(t.g.HumanInputLocked, before.HumanInputLocked);
    EXPECT_EQ(t.g.MovePending, before.MovePending);
    EXPECT_EQ(t.g.ChosenSuit, before.ChosenSuit);
    EXPECT_EQ(CountOf(t, TraceKind::Pass) + CountOf(t, TraceKind::Suit), 0);
}

// ---- chains --------------------------------------------------------------------------------

struct ChainCase {
    GameVariant variant;
    int16_t top;      // the chain card on the pile
    int16_t answer;   // continues the chain
    int16_t other;    // legal, but does not continue it
    int16_t penalty;  // cards owed
};

class Chain : public ::testing::TestWithParam<ChainCase> {
  protected:
    void SetUpTable(Table& t) {
        const ChainCase& c = GetParam();
        t.ClearTable();
        t.SetPile({CardOf(4, kClubs), c.top});
        for (int seat = 1; seat < kSeats; ++seat)
            t.GiveHand(seat, {Dead(2 * seat), Dead(2 * seat + 1)});
        t.GiveHand(0, {c.other, c.answer});
        t.g.PenaltyCards = c.penalty;
        t.g.PenaltyTaken = false;
        StartHumansTurn(t);
        t.trace.events.clear();
    }
};

TEST_P(Chain, ClickingTheAnswerContinuesIt) {
    Table t(GetParam().variant);
    SetUpTable(t);
    EXPECT_EQ(Click(t, PointOnCard(t.g, 1)), 1);
    EXPECT_EQ(t.g.State, GameState::NormalPlay);
    EXPECT_TRUE(t.g.HumanInputLocked);
}

TEST_P(Chain, ClickingAnotherCardTakesThePenaltyThenTheHumanPlays) {
    const ChainCase& c = GetParam();
    Table t(c.variant);
    SetUpTable(t);
    EXPECT_EQ(Click(t, PointOnCard(t.g, 0)), -1);
    EXPECT_EQ(t.g.State, GameState::PersonTakingPenalty);
    EXPECT_EQ(PlayerAfter(t.g, t.g.CurrentPlayer), 0);
    ASSERT_TRUE(StepUntil(
        t, [&] { return t.g.State == GameState::NormalPlay; }, 5000));
    EXPECT_EQ(t.g.HandCount[0], 2 + c.penalty);
    for (const TraceEvent& e : EventsOf(t, TraceKind::Draw)) {
        EXPECT_EQ(e.Seat, 0);
        EXPECT_EQ(e.Draw, DrawKind::Penalty);
    }
    EXPECT_TRUE(t.g.PenaltyTaken);
    EXPECT_EQ(t.g.CurrentPlayer, 0);
    EXPECT_TRUE(t.g.WaitingForHuman);
    // The chain is answered: the same card is now an ordinary play.
    EXPECT_EQ(Click(t, PointOnCard(t.g, 0)), 0);
}

// Drawing one card and passing would dodge the chain: the deck click takes the penalty.
TEST_P(Chain, ClickingTheDeckTakesThePenalty) {
    const ChainCase& c = GetParam();
    Table t(c.variant);
    SetUpTable(t);
    Click(t, kOnDeck);
    EXPECT_EQ(t.g.State, GameState::PersonTakingPenalty);
    EXPECT_FALSE(t.g.HumanDrew);
    ASSERT_TRUE(StepUntil(
        t, [&] { return t.g.State == GameState::NormalPlay; }, 5000));
    EXPECT_EQ(t.g.HandCount[0], 2 + c.penalty);
    EXPECT_EQ(CountOf(t, TraceKind::Pass), 0);
}

INSTANTIATE_TEST_SUITE_P(
    Games, Chain,
    ::testing::Values(ChainCase{GameVariant::Tarrabel, CardOf(2, kClubs), CardOf(2, kHearts),
                                CardOf(6, kClubs), 2},
                      ChainCase{GameVariant::Agonia, CardOf(7, kClubs), CardOf(7, kHearts),
                                CardOf(6, kClubs), 2},
                      ChainCase{GameVariant::PisYedili, CardOf(7, kClubs), CardOf(7, kHearts),
                                CardOf(6, kClubs), 3},
                      ChainCase{GameVariant::IllustratedAgonia, CardOf(11, kClubs),
                                CardOf(11, kHearts), CardOf(6, kClubs), 11},
                      ChainCase{GameVariant::IllustratedAgonia, CardOf(11, kSpades),
                                CardOf(11, kDiamonds), CardOf(6, kSpades), 11}),
    [](const auto& info) { return NameOf(info.param.variant) + "_" + CardName(info.param.top); });

// With no answer in hand there is no chain to break: any legal card is an ordinary play.
TEST(Chain, WithoutAnAnswerTheClickIsAnOrdinaryPlay) {
    Table t(GameVariant::IllustratedAgonia);
    t.ClearTable();
    t.SetPile({CardOf(4, kClubs), CardOf(11, kClubs)});
    for (int seat = 1; seat < kSeats; ++seat)
        t.GiveHand(seat, {Dead(2 * seat), Dead(2 * seat + 1)});
    t.GiveHand(0, {CardOf(6, kClubs), CardOf(11, kSpades)});  // a black Jack answers nothing
    t.g.PenaltyCards = 11;
    StartHumansTurn(t);
    EXPECT_EQ(Click(t, PointOnCard(t.g, 0)), 0);
}

// ---- moving a card within the hand ------------------------------------------------------------

std::vector<int16_t> HandCards(const Game& g, int n) {
    std::vector<int16_t> out;
    for (int s = 0; s < n; ++s)
        out.push_back(g.Hands[0][s].Shown ? g.Hands[0][s].CardIndex : -1);
    return out;
}

const std::initializer_list<int16_t> kSeven = {
    CardOf(3, kClubs), CardOf(4, kClubs),  CardOf(6, kClubs), CardOf(7, kClubs),
    CardOf(9, kClubs), CardOf(10, kClubs), CardOf(13, kClubs)};

struct MoveCase {
    int from, to;
    std::vector<int> order;  // old slot now found in each slot 0..6
    // Steps until the last card lands. The picked card flies 17 pixels for every slot it
    // passes, each other card 17, all over 20 frames, and a card has arrived within 8 pixels
    // of its place: 17 pixels take 11 steps, 51 take 17 and 102 take 19.
    int steps;
};

class MoveCard : public ::testing::TestWithParam<MoveCase> {};

TEST_P(MoveCard, ThePickedCardTakesTheTargetsPlaceAndTheOthersShift) {
    const MoveCase& c = GetParam();
    Table t;
    HumansTurn(t, kSeven);
    const std::vector<int16_t> before = HandCards(t.g, 7);
    RightClick(t, PointOnCard(t.g, c.from, true));
    ASSERT_EQ(t.g.State, GameState::PickingCardToMove);
    EXPECT_TRUE(t.g.MovePending);
    // The picked card itself is no target (slot 6 has no card below at its right edge).
    Click(t, PointOnCard(t.g, c.to));
    ASSERT_EQ(t.g.State, GameState::MovingCard);
    EXPECT_TRUE(t.g.Hands[0][c.to].MoveTarget);
    t.sound.played.clear();

    // Every card of the move flies over 20 frames; the move completes when the last one
    // lands.
    Step(t);
    const int lo = std::min(c.from, c.to), hi = std::max(c.from, c.to);
    for (int s = 0; s < 7; ++s) {
        const CardRecord& card = t.g.Hands[0][s];
        EXPECT_EQ(card.Moving, s >= lo && s <= hi) << "slot " << s;
        if (!card.Moving) continue;
        const int slots = s == c.from ? hi - lo : 1;
        EXPECT_FLOAT_EQ(card.StepX, 17.f * slots / 20) << "slot " << s;
    }
    EXPECT_TRUE(t.sound.played.empty()) << "the move's launch is silent";
    int steps = 0;
    while (t.g.State == GameState::MovingCard && steps < 100) {
        EXPECT_TRUE(AnyCardMoving(t.g));
        Step(t);
        ++steps;
    }
    EXPECT_EQ(steps, c.steps) << "it waits for the longest flight";
    EXPECT_EQ(t.g.State, GameState::NormalPlay);

    std::vector<int16_t> expected;
    for (int old : c.order)
        expected.push_back(before[old]);
    EXPECT_EQ(HandCards(t.g, 7), expected);
    for (int s = 0; s < 7; ++s) {
        const CardRecord& card = t.g.Hands[0][s];
        EXPECT_FALSE(card.Moving);
        EXPECT_FALSE(card.MoveSource || card.MoveTarget);
        EXPECT_EQ(card.X, card.HomeX) << "slot " << s;
        EXPECT_EQ(card.Y, card.HomeY) << "slot " << s;
    }
    EXPECT_FALSE(t.g.MovePending);
    EXPECT_TRUE(t.g.WaitingForHuman) << "moving a card does not end the turn";
    EXPECT_EQ(t.g.CurrentPlayer, 0);
    ASSERT_EQ(t.sound.played.size(), 1u);
    EXPECT_TRUE(t.sound.played[0] == SoundId::Sign1 || t.sound.played[0] == SoundId::Sign2 ||
                t.sound.played[0] == SoundId::Sign3);
    const auto moves = EventsOf(t, TraceKind::Exchange);
    ASSERT_EQ(moves.size(), 1u);
    EXPECT_EQ(moves[0].From, c.from);
    EXPECT_EQ(moves[0].To, c.to);
}

INSTANTIATE_TEST_SUITE_P(Slots, MoveCard,
                         ::testing::Values(MoveCase{2, 5, {0, 1, 3, 4, 5, 2, 6}, 17},
                                           MoveCase{5, 2, {0, 1, 5, 2, 3, 4, 6}, 17},
                                           MoveCase{0, 6, {1, 2, 3, 4, 5, 6, 0}, 19},
                                           MoveCase{3, 4, {0, 1, 2, 4, 3, 5, 6}, 11}),
                         [](const auto& info) {
                             return "Slot" + std::to_string(info.param.from) + "To" +
                                    std::to_string(info.param.to);
                         });

// An empty slot between the picked card and the target stays a gap, and no card is lost.
TEST(MoveCard, AGapInBetweenStaysAGap) {
    Table t;
    HumansTurn(t, kSeven);
    // Slot 3 is empty: its card went to seat 3.
    CardRecord& gone = t.g.Hands[0][3];
    gone.Shown = false;
    --t.g.HandCount[0];
    CardRecord& now = t.g.Hands[3][t.g.HandCount[3]];
    now.CardIndex = gone.CardIndex;
    now.Shown = true;
    ++t.g.HandCount[3];
    std::string why;
    ASSERT_TRUE(t.CardsAllAccountedFor(&why)) << why;
    const std::vector<int16_t> before = HandCards(t.g, 7);

    RightClick(t, PointOnCard(t.g, 1, true));
    Click(t, PointOnCard(t.g, 5));
    ASSERT_EQ(t.g.State, GameState::MovingCard);
    ASSERT_TRUE(StepUntil(
        t, [&] { return t.g.State == GameState::NormalPlay; }, 200));
    const std::vector<int16_t> expected = {before[0], before[2], -1,       before[4],
                                           before[5], before[1], before[6]};
    EXPECT_EQ(HandCards(t.g, 7), expected);
    EXPECT_EQ(t.g.HandCount[0], 6);
    EXPECT_TRUE(t.CardsAllAccountedFor(&why)) << why;
}

TEST(MoveCard, LeftClickOnThePickedCardAloneDoesNothing) {
    Table t;
    HumansTurn(t, {CardOf(6, kClubs), CardOf(7, kClubs)});
    RightClick(t, PointOnCard(t.g, 0, true));
    ASSERT_EQ(t.g.State, GameState::PickingCardToMove);
    // Slot 0's strip: no card under it but the picked one.
    EXPECT_EQ(Click(t, PointOnCard(t.g, 0)), -1);
    EXPECT_EQ(t.g.State, GameState::PickingCardToMove);
    EXPECT_TRUE(t.g.MovePending);
    // A click on the deck in the pick is no draw.
    Click(t, kOnDeck);
    EXPECT_EQ(t.g.State, GameState::PickingCardToMove);
    // Another card is the target.
    Click(t, PointOnCard(t.g, 1));
    EXPECT_EQ(t.g.State, GameState::MovingCard);
}

// A second right click on the picked card puts it down: a one-card hand can leave the pick.
TEST(MoveCard, ASecondRightClickOnThePickedCardCancels) {
    Table t;
    HumansTurn(t, {CardOf(6, kClubs)});
    RightClick(t, PointOnCard(t.g, 0, true));
    ASSERT_EQ(t.g.State, GameState::PickingCardToMove);
    RightClick(t, PointOnCard(t.g, 0, true));
    EXPECT_EQ(t.g.State, GameState::NormalPlay);
    EXPECT_FALSE(t.g.MovePending);
    EXPECT_FALSE(t.g.Hands[0][0].MoveSource);
    EXPECT_EQ(Click(t, PointOnCard(t.g, 0)), 0) << "the card can be played again";
}

// Passing with a card picked puts the card down, so later moves still work.
TEST(MoveCard, PassingCancelsThePick) {
    Table t;
    HumansTurn(t, {CardOf(6, kClubs), CardOf(7, kClubs)});
    t.g.DrawDone = true;
    RightClick(t, PointOnCard(t.g, 0, true));
    ASSERT_EQ(t.g.State, GameState::PickingCardToMove);
    RightClick(t, kEmptyTable);
    EXPECT_EQ(t.g.State, GameState::ShowingPass);
    EXPECT_FALSE(t.g.MovePending);
    for (const CardRecord& c : t.g.Hands[0])
        EXPECT_FALSE(c.MoveSource || c.MoveTarget);
}

// ---- the fanned hand: a click takes the card the player sees there -------------------------

// The table draws a card only when its whole picture lies on the 800 x 600 table.
bool DrawnWhole(const CardRecord& c) {
    return c.Shown && c.X >= 0 && c.Y >= 0 && c.X + c.SizeX <= 800 && c.Y + c.SizeY <= 600;
}

// A point strictly inside the card of slot s that no card drawn after it covers: there the
// player sees that card. Cards are drawn in the layout's drawing order.
std::optional<std::pair<int, int>> TopmostPointOf(const Game& g, int s) {
    const auto& hand = g.Hands[kHuman];
    const auto& order = g.Layout.HumanDrawOrder;
    const auto above = std::find(order.begin(), order.end(), s) + 1;
    const CardRecord& c = hand[s];
    if (!DrawnWhole(c)) return std::nullopt;
    for (int y = int(c.Y) + 1; y < int(c.Y) + c.SizeY; ++y)
        for (int x = int(c.X) + 1; x < int(c.X) + c.SizeX; ++x) {
            const bool covered = std::any_of(above, order.end(), [&](int u) {
                const CardRecord& o = hand[u];
                return DrawnWhole(o) && o.X <= x && x < o.X + o.SizeX && o.Y <= y &&
                       y < o.Y + o.SizeY;
            });
            if (!covered) return std::pair{x, y};
        }
    return std::nullopt;
}

struct FullHandCase {
    GameVariant variant;
    std::string_view deck;
};

class FullHand : public ::testing::TestWithParam<FullHandCase> {};

// All 55 slots hold a club on the Five of clubs, so every card may be played and the
// handler takes the first card it tries at the point: that must be the one on top.
TEST_P(FullHand, EveryCardShowsAPointWhereAClickTakesIt) {
    Table t;
    GameOptions o = DefaultOptions(GetParam().variant);
    o.DeckName = GetParam().deck;
    const Services io = t.g.io;
    GameInit(t.g, o, io);
    t.ClearTable();
    t.SetPile({CardOf(5, kClubs)});
    for (int seat = 1; seat < kSeats; ++seat)
        t.GiveHand(seat, {Dead(2 * seat), Dead(2 * seat + 1)});
    for (int s = 0; s < kHandSlots; ++s)
        t.GiveHand(kHuman, {CardOf(s % 13 + 1, kClubs)});  // the same cards again: no matter
    ASSERT_EQ(t.g.HandCount[kHuman], kHandSlots);
    StartHumansTurn(t);

    for (int s = 0; s < kHandSlots; ++s) {
        const auto p = TopmostPointOf(t.g, s);
        ASSERT_TRUE(p.has_value()) << "slot " << s << " is hidden";
        auto left = std::make_unique<Game>(t.g);
        EXPECT_EQ(HumanLeftClick(*left, p->first, p->second), s)
            << "at " << p->first << ", " << p->second;
        auto right = std::make_unique<Game>(t.g);
        HumanRightClick(*right, p->first, p->second);
        for (int u = 0; u < kHandSlots; ++u)
            EXPECT_EQ(right->Hands[kHuman][u].MoveSource, u == s)
                << "right click on slot " << s << " picks slot " << u;
    }
}

INSTANTIATE_TEST_SUITE_P(Tables, FullHand,
                         ::testing::Values(FullHandCase{GameVariant::Tarrabel, "Royal"},
                                           FullHandCase{GameVariant::Tarrabel, "Roya2"},
                                           FullHandCase{GameVariant::Agonia, "Royal"},
                                           FullHandCase{GameVariant::PisYedili, "Roya3"}),
                         [](const auto& info) {
                             return NameOf(info.param.variant) + "_" + std::string(info.param.deck);
                         });

// Slot 27 lies one step left of slot 0 and under it: a click on slot 0 where slot 27 lies
// beneath takes slot 0, though 27 is the higher slot and may be played as well.
TEST(FannedHand, SlotZeroOverSlot27TakesTheClick) {
    for (const bool right : {false, true}) {
        Table t;
        HumansTurn(t, {CardOf(6, kClubs)});
        CardRecord& under = t.g.Hands[kHuman][27];
        under.CardIndex = CardOf(7, kClubs);
        under.Shown = true;
        under.FaceUp = true;
        under.X = under.HomeX;
        under.Y = under.HomeY;
        ++t.g.HandCount[kHuman];
        const std::pair<int, int> p = PointOnCard(t.g, 0);
        ASSERT_LT(p.first, under.X + under.SizeX) << "the point is on slot 27 too";
        if (right) {
            RightClick(t, p);
            EXPECT_TRUE(t.g.Hands[kHuman][0].MoveSource);
            EXPECT_FALSE(under.MoveSource);
        } else {
            EXPECT_EQ(Click(t, p), 0);
        }
    }
}

// ---- naming a suit -----------------------------------------------------------------------------

TEST(SuitClick, TheHumanNamesTheSuitOfHisEight) {
    Table t;
    HumansTurn(t, {CardOf(8, kSpades), CardOf(9, kHearts)});
    ASSERT_EQ(Click(t, PointOnCard(t.g, 0)), 0);
    ASSERT_TRUE(FlyPlayedCardToPile(t.g, t.g.Hands[0][0]));
    ASSERT_TRUE(StepUntil(t, [&] { return t.g.SuitPromptShown; }));
    EXPECT_EQ(t.g.State, GameState::ChoosingSuit);
    EXPECT_EQ(t.g.CurrentPlayer, 0);
    EXPECT_TRUE(t.g.WaitingForHuman);
    for (int i = 0; i < 10; ++i)
        Step(t);
    EXPECT_EQ(t.g.State, GameState::ChoosingSuit) << "waits for the human";

    // A click beside the icons does nothing; a click on the hearts icon names hearts.
    HumanSuitClick(t.g, 10, 10);
    EXPECT_TRUE(t.g.SuitPromptShown);
    // The hearts icon is second from the bottom of the column: 182 x 41 at (130, 261).
    HumanSuitClick(t.g, 130 + 90, 261 + 20);
    EXPECT_EQ(t.g.ChosenSuit, kHearts);
    EXPECT_FALSE(t.g.SuitPromptShown);
    EXPECT_FALSE(t.g.WaitingForHuman);
    ASSERT_EQ(CountOf(t, TraceKind::Suit), 1);
    EXPECT_EQ(EventsOf(t, TraceKind::Suit)[0].Seat, 0);
    EXPECT_EQ(EventsOf(t, TraceKind::Suit)[0].Suit, kHearts);
    ASSERT_TRUE(StepUntil(t, [&] { return t.g.CurrentPlayer != 0; }));
    EXPECT_EQ(t.g.CurrentPlayer, 1);
}

// The four icons, 182 x 41, stand in a column at x 130 rising from y 313 in steps of 52, in
// suit order (clubs, hearts, spades, diamonds), and each answers for its suit.
TEST(SuitClick, EachIconNamesItsSuit) {
    constexpr int kIconY[4] = {313, 261, 209, 157};
    for (int suit = 0; suit < 4; ++suit) {
        SCOPED_TRACE(suit);
        Table t;
        t.g.State = GameState::ChoosingSuit;
        t.g.CurrentPlayer = 0;
        t.g.WaitingForHuman = true;
        t.g.SuitPromptShown = true;
        LayoutSuitIcons(t.g);
        const CardRecord& icon = t.g.SuitIcons[suit];
        EXPECT_EQ(icon.X, 130);
        EXPECT_EQ(icon.Y, kIconY[suit]);
        // Just inside the corner: the hit test is strict.
        HumanSuitClick(t.g, 130, kIconY[suit] + 5);
        EXPECT_TRUE(t.g.SuitPromptShown) << "the edge is outside";
        HumanSuitClick(t.g, 131, kIconY[suit] + 1);
        EXPECT_EQ(t.g.ChosenSuit, suit);
        EXPECT_FALSE(t.g.SuitPromptShown);
    }
}

}  // namespace
}  // namespace tarrabel::test
