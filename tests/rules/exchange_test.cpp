#include "rules/exchange.h"

#include <gtest/gtest.h>

#include <map>
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

// Each card that changes slot flies straight to the slot it will rest in once the move has
// landed, and a card that keeps its slot does not move at all. An empty slot between the
// two has nothing to fly: the gap moves over by one instead.
TEST(StartExchangeFlight, EveryCardThatShiftsFliesToItsNewPlace) {
    struct Case {
        int from, to;
        int gap;  // an empty slot, or -1
    } const kCases[] = {
        {0, 2, -1}, {3, 1, -1}, {0, 4, 2}, {4, 0, 2}, {1, 3, 2},
    };
    for (const Case& c : kCases) {
        SCOPED_TRACE(testing::Message() << c.from << " to " << c.to << ", gap " << c.gap);
        Reordering t;
        auto& hand = t.g.Hands[kHuman];
        if (c.gap >= 0) {
            hand[c.gap].Shown = false;
            --t.g.HandCount[kHuman];
        }
        hand[c.from].MoveSource = true;
        hand[c.to].MoveTarget = true;
        t.g.MovePending = true;
        StartExchangeFlight(t.g);
        struct Flight {
            int slot;
            bool moving;
            float x, y;
        };
        std::map<int, Flight> flights;  // by card
        for (int s = 0; s < 5; ++s) {
            if (hand[s].Shown)
                flights[hand[s].CardIndex] = {s, hand[s].Moving, hand[s].TargetX, hand[s].TargetY};
            else
                EXPECT_FALSE(hand[s].Moving) << "an empty slot has nothing to fly";
        }
        EXPECT_TRUE(hand[c.from].Moving) << "the picked card flies";

        CompleteExchange(t.g);
        for (int s = 0; s < 5; ++s) {
            if (!hand[s].Shown) continue;
            const Flight& f = flights.at(hand[s].CardIndex);
            SCOPED_TRACE(testing::Message() << "the card from slot " << f.slot);
            if (f.slot == s) {
                EXPECT_FALSE(f.moving) << "it keeps its slot";
            } else {
                EXPECT_TRUE(f.moving) << "it rests in slot " << s;
                EXPECT_EQ(f.x, float(hand[s].HomeX));
                EXPECT_EQ(f.y, float(hand[s].HomeY));
            }
        }
    }
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

// The picked card is put down again (a second right click on it, or a pass): nothing is
// marked, nothing is pending, and the hand is as it was.
TEST(CancelPick, PutsThePickedCardDownAndLeavesTheHandAsItWas) {
    Reordering t;
    const std::vector<int> before = HandOf(t.g, 5);
    t.g.Hands[kHuman][3].MoveSource = true;
    t.g.Hands[kHuman][1].MoveTarget = true;
    t.g.MovePending = true;
    CancelPick(t.g);
    EXPECT_FALSE(t.g.MovePending);
    for (const CardRecord& card : t.g.Hands[kHuman])
        EXPECT_FALSE(card.MoveSource || card.MoveTarget);
    EXPECT_EQ(HandOf(t.g, 5), before);
}

}  // namespace
}  // namespace tarrabel::test
