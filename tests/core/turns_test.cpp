// Whose turn comes next, either way round the table, with the seats out of the match passed
// over; the draws a turn allows and what a pass ends; and whether any card is still in
// flight anywhere on the table. (The timed pauses between turns are in deal_flow_test.)
#include "core/turns.h"

#include <gtest/gtest.h>

#include <array>
#include <string>
#include <vector>

#include "support/table_fixture.h"

namespace tarrabel::test {
namespace {

TEST(NeighbourSeat, StepsRoundTheTableEitherWayPassingOverSeatsThatAreOut) {
    struct Case {
        int seat;
        bool forward;
        std::array<bool, kSeats> out;
        int expected;
    } const kCases[] = {
        {0, true, {}, 1},
        {3, true, {}, 0},
        {0, false, {}, 3},
        {1, false, {}, 0},
        {0, true, {false, true, false, false}, 2},
        {0, true, {false, true, true, true}, 0},  // only the person left: back to him
        {2, false, {false, true, false, false}, 0},
        {0, false, {false, false, true, true}, 1},
    };
    for (const Case& c : kCases) {
        SCOPED_TRACE(testing::Message() << "from " << c.seat << (c.forward ? " on" : " back"));
        EXPECT_EQ(NeighbourSeat(c.seat, c.forward, [&](int s) { return c.out[s]; }), c.expected);
    }
}

// Who plays after and before whom on a Pis Yedili table with seats out of the match.
struct TurnCase {
    std::vector<int> eliminated;
    bool reversed;
    int from, after, before;
};

class TurnOrder : public ::testing::TestWithParam<TurnCase> {};

TEST_P(TurnOrder, SkipsEliminatedPlayers) {
    const TurnCase& c = GetParam();
    Table t(GameVariant::PisYedili);
    for (int seat : c.eliminated)
        t.g.Players[seat].Eliminated = true;
    t.g.DirectionReversed = c.reversed;
    EXPECT_EQ(PlayerAfter(t.g, c.from), c.after);
    EXPECT_EQ(PlayerBefore(t.g, c.from), c.before);
    t.g.CurrentPlayer = int16_t(c.from);
    NextPlayer(t.g);
    EXPECT_EQ(t.g.CurrentPlayer, c.after);
    PreviousPlayer(t.g);
    EXPECT_EQ(t.g.CurrentPlayer, c.from);
    t.g.CurrentPlayer = int16_t(c.from);
    PreviousPlayer(t.g);
    EXPECT_EQ(t.g.CurrentPlayer, c.before);
}

INSTANTIATE_TEST_SUITE_P(
    Seats, TurnOrder,
    ::testing::Values(TurnCase{{}, false, 3, 0, 2}, TurnCase{{}, true, 0, 3, 1},
                      TurnCase{{2}, false, 1, 3, 0}, TurnCase{{2}, true, 3, 1, 0},
                      TurnCase{{1, 2}, false, 0, 3, 3}, TurnCase{{1, 2}, true, 3, 0, 0},
                      TurnCase{{1, 3}, false, 2, 0, 0}, TurnCase{{1, 3}, true, 0, 2, 2}),
    [](const auto& info) {
        const TurnCase& c = info.param;
        std::string name = c.eliminated.size() > 1 ? "Seats" : "Seat";
        for (size_t i = 0; i < c.eliminated.size(); ++i)
            name += (i > 0 ? "And" : "") + std::to_string(c.eliminated[i]);
        name = c.eliminated.empty() ? "NobodyOut" : name + "Out";
        return name + (c.reversed ? "_Reversed" : "_Forward") + "_From" + std::to_string(c.from);
    });

TEST(CountDraw, OneDrawATurnOrThreeInPisYedili) {
    for (const GameVariant v : kAllVariants) {
        SCOPED_TRACE(NameOf(v));
        const VariantSettings& rules = kVariantSettings[int(v)];
        int16_t count = 0;
        bool done = false;
        int draws = 0;
        while (!done && draws < 10) {
            CountDraw(rules, count, done);
            ++draws;
        }
        EXPECT_EQ(draws, v == GameVariant::PisYedili ? 3 : 1);
        EXPECT_EQ(count, 0) << "the count starts again for the next turn";
    }
}

TEST(PassEndsTurn, ThePenaltyNobodyTookLapsesAndTheDrawsStartAgain) {
    int16_t count = 2, penalty = 4;
    bool done = true, taken = false;
    PassEndsTurn(count, done, penalty, taken);
    EXPECT_EQ(count, 0);
    EXPECT_FALSE(done);
    EXPECT_EQ(penalty, 0);
    EXPECT_TRUE(taken) << "it cannot add itself to the next chain";

    penalty = 0;
    taken = false;
    PassEndsTurn(count, done, penalty, taken);
    EXPECT_FALSE(taken) << "with no penalty open nothing is marked taken";
}

TEST(AnyCardMoving, SeesACardInFlightWhereverItIs) {
    Table t;
    EXPECT_FALSE(AnyCardMoving(t.g));
    CardRecord* places[] = {&t.g.Hands[2][10], &t.g.ReturnCards[kReturnFlying - 1],
                            &t.g.Deck[t.g.Rules.DeckSize - 1]};
    for (CardRecord* c : places) {
        c->Moving = true;
        EXPECT_TRUE(AnyCardMoving(t.g));
        c->Moving = false;
    }
    t.ClearTable();
    t.SetPile({CardOf(3, kClubs)});
    t.g.Pile[0].Moving = true;
    EXPECT_TRUE(AnyCardMoving(t.g));
    t.g.Pile[0].Moving = false;
    t.g.Pile[1].Moving = true;  // above the pile: not a card on the table
    EXPECT_FALSE(AnyCardMoving(t.g));
}

}  // namespace
}  // namespace tarrabel::test
