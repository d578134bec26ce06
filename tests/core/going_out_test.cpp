// Someone has played his last card: the deal ends, or in Pis Yedili the player before him
// first takes what his last run was worth. CheckGoingOut decides it for the table and for
// the expert's imagined deals alike, so it is tested here on a table of its own.
#include "core/going_out.h"

#include <gtest/gtest.h>

#include <array>

namespace tarrabel {
namespace {

TEST(GoingOutCards, TheRunsPointsOrOneCardAtLeast) {
    EXPECT_EQ(GoingOutCards(7), 7);
    EXPECT_EQ(GoingOutCards(0), 1);
}

// The few questions CheckGoingOut asks, answered from fixed values: who is out, the seat
// before each seat in the present order of play, the points of the last run.
struct FakeDeal {
    GameVariant variant;
    int out;  // the first seat out, or -1
    std::array<int, kSeats> before;
    int16_t runPoints;
    bool pending;
    int16_t penalty = 0;
    int current = 1;

    int PlayerOut() const { return out; }
    const VariantSettings& Rules() const { return kVariantSettings[int(variant)]; }
    bool& GoingOutPending() { return pending; }
    int16_t& PenaltyCards() { return penalty; }
    int16_t RunPointsOf(int) const { return runPoints; }
    int Before(int seat) const { return before[seat]; }
    void SetCurrent(int seat) { current = seat; }
};

constexpr std::array<int, kSeats> kForward = {3, 0, 1, 2};   // 0, 1, 2, 3, 0, ...
constexpr std::array<int, kSeats> kReversed = {1, 2, 3, 0};  // 3, 2, 1, 0, 3, ...
constexpr std::array<int, kSeats> kSeat0Out = {3, 3, 1, 2};  // forward, seat 0 eliminated

TEST(CheckGoingOut, ThePlayerBeforeTheOneOutTakesHisLastRunFirstInPisYediliOnly) {
    constexpr GameVariant P = GameVariant::PisYedili, A = GameVariant::Agonia;
    struct Case {
        const char* name;
        FakeDeal deal;
        GoingOut outcome;
        bool pending;     // afterwards
        int16_t penalty;  // afterwards
        int current;      // afterwards: the penalty goes to the player after him
    } const kCases[] = {
        {"nobody out", {P, -1, kForward, 5, false}, GoingOut::NobodyOut, false, 0, 1},
        {"Agonia ends at once", {A, 2, kForward, 5, false}, GoingOut::DealOver, false, 0, 1},
        // Seat 2 went out: seat 1 takes five, so the turn stands at seat 0 before him.
        {"Pis Yedili, forward", {P, 2, kForward, 5, false}, GoingOut::PenaltyFirst, true, 5, 0},
        // Seat 1 went out playing downwards: seat 2 takes five, the turn stands at seat 3.
        {"Pis Yedili, reversed", {P, 1, kReversed, 5, false}, GoingOut::PenaltyFirst, true, 5, 3},
        // Seat 1 went out with seat 0 out of the match: seat 3 takes five.
        {"Pis Yedili, past a seat that is out",
         {P, 1, kSeat0Out, 5, false},
         GoingOut::PenaltyFirst,
         true,
         5,
         2},
        {"Pis Yedili, a run worth nothing",
         {P, 2, kForward, 0, false},
         GoingOut::PenaltyFirst,
         true,
         1,
         0},
        // Once the penalty has been taken the deal is over.
        {"Pis Yedili, penalty taken", {P, 2, kForward, 5, true}, GoingOut::DealOver, true, 0, 1},
    };
    for (const Case& c : kCases) {
        SCOPED_TRACE(c.name);
        FakeDeal d = c.deal;
        EXPECT_EQ(CheckGoingOut(d), c.outcome);
        EXPECT_EQ(d.pending, c.pending);
        EXPECT_EQ(d.penalty, c.penalty);
        EXPECT_EQ(d.current, c.current);
    }
}

}  // namespace
}  // namespace tarrabel
