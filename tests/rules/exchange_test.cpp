#include "rules/exchange.h"

#include <gtest/gtest.h>

#include <vector>

#include "core/turns.h"
#include "support/table_fixture.h"

namespace tarrabel::test {
namespace {

// The person's hand as card indexes slot by slot (-1 for an empty slot), up to `slots`.
std::vector<int> HandOf(const Game& g, int slots) {
    std::vector<int> hand;
    for (int s = 0; s < slots; ++s) {
        const CardRecord& c = g.Hands[kHuman][s];
        hand.push_back(c.Shown ? c.CardIndex : -1);
    }
    return hand;
}

struct Reordering : Table {
    Reordering() {
        ClearTable();
        GiveHand(kHuman, {CardOf(2, kClubs), CardOf(3, kClubs), CardOf(4, kClubs),
                          CardOf(5, kClubs), CardOf(6, kClubs)});
    }
    void Move(int from, int to) {
        g.Hands[kHuman][from].MoveSource = true;
        g.Hands[kHuman][to].MoveTarget = true;
        g.MovePending = true;
        CompleteExchange(g);
    }
};

TEST(CompleteExchange, ThePickedCardTakesTheTargetsPlaceAndTheCardsBetweenShift) {
    const int c2 = CardOf(2, kClubs), c3 = CardOf(3, kClubs), c4 = CardOf(4, kClubs),
              c5 = CardOf(5, kClubs), c6 = CardOf(6, kClubs);
    struct Case {
        int from, to;
        std::vector<int> after;
    } const kCases[] = {
        {0, 3, {c3, c4, c5, c2, c6}},
        {4, 1, {c2, c6, c3, c4, c5}},
        {1, 2, {c2, c4, c3, c5, c6}},
    };
    for (const Case& c : kCases) {
        SCOPED_TRACE(testing::Message() << c.from << " to " << c.to);
        Reordering t;
        t.Move(c.from, c.to);
        EXPECT_EQ(HandOf(t.g, 5), c.after);
        EXPECT_FALSE(t.g.MovePending);
        for (const CardRecord& card : t.g.Hands[kHuman]) {
            EXPECT_FALSE(card.MoveSource || card.MoveTarget) << "the marks are cleared";
            EXPECT_FALSE(card.Moving);
        }
        ASSERT_FALSE(t.trace.events.empty());
        EXPECT_EQ(t.trace.events.back().Kind, TraceKind::Exchange);
        EXPECT_EQ(t.trace.events.back().From, c.from);
        EXPECT_EQ(t.trace.events.back().To, c.to);
        EXPECT_TRUE(t.CardsAllAccountedFor());
    }
}

TEST(CompleteExchange, AnEmptySlotInBetweenStaysAGapAndNoCardIsLost) {
    Reordering t;
    t.g.Hands[kHuman][2].Shown = false;  // the 4 was played
    --t.g.HandCount[kHuman];
    t.Move(0, 4);
    EXPECT_EQ(HandOf(t.g, 5), (std::vector<int>{CardOf(3, kClubs), -1, CardOf(5, kClubs),
                                                CardOf(6, kClubs), CardOf(2, kClubs)}));
    EXPECT_EQ(t.g.HandCount[kHuman], 4);
}

TEST(CompleteExchange, APickWithoutATargetMovesNothing) {
    Reordering t;
    t.g.Hands[kHuman][1].MoveSource = true;
    t.g.MovePending = true;
    CompleteExchange(t.g);
    EXPECT_EQ(HandOf(t.g, 5), HandOf(Reordering().g, 5));
    EXPECT_FALSE(t.g.MovePending);
    for (const TraceEvent& ev : t.trace.events)
        EXPECT_NE(ev.Kind, TraceKind::Exchange);
}

TEST(StartExchangeFlight, EveryCardThatShiftsFliesToItsNewPlace) {
    Reordering t;
    auto& hand = t.g.Hands[kHuman];
    hand[0].MoveSource = true;
    hand[2].MoveTarget = true;
    StartExchangeFlight(t.g);
    EXPECT_TRUE(hand[0].Moving);
    EXPECT_TRUE(hand[1].Moving);
    EXPECT_TRUE(hand[2].Moving);
    EXPECT_FALSE(hand[3].Moving);
    EXPECT_EQ(hand[0].TargetX, hand[2].HomeX);
    EXPECT_EQ(hand[2].TargetX, hand[1].HomeX);
}

TEST(StartExchangeFlight, APickOntoItselfIsPutDown) {
    Reordering t;
    t.g.State = GameState::MovingCard;
    t.g.Hands[kHuman][1].MoveSource = t.g.Hands[kHuman][1].MoveTarget = true;
    t.g.MovePending = true;
    StartExchangeFlight(t.g);
    EXPECT_EQ(t.g.State, GameState::NormalPlay);
    EXPECT_FALSE(t.g.MovePending);
    EXPECT_FALSE(t.g.Hands[kHuman][1].MoveSource);
    EXPECT_FALSE(AnyCardMoving(t.g));
}

}  // namespace
}  // namespace tarrabel::test
