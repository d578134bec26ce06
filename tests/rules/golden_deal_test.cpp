// Golden deals: a fixed seed always shuffles the same deck and deals the same hands. A
// change here means that saved seeds no longer replay the games they did.
#include <gtest/gtest.h>

#include <algorithm>
#include <string>
#include <vector>

#include "support/table_driver.h"

namespace tarrabel::test {
namespace {

struct GoldenCase {
    GameVariant variant;
    uint64_t seed;
    int startingPlayer;
    std::vector<int16_t> deck;
    std::vector<std::vector<int16_t>> hands;  // by seat
    int16_t starter;                          // -1: no starter card
};

class Golden : public ::testing::TestWithParam<GoldenCase> {};

TEST_P(Golden, TheSeedGivesTheSameDeckAndFirstDeal) {
    const GoldenCase& c = GetParam();
    // The pinned numbers are a whole deck: every card once.
    std::vector<int16_t> sorted = c.deck;
    std::sort(sorted.begin(), sorted.end());
    for (int k = 0; k < int(sorted.size()); ++k)
        ASSERT_EQ(sorted[k], k);

    Table t(c.variant, c.seed);
    const Game& g = t.g;
    ASSERT_EQ(int(c.deck.size()), g.Rules.DeckSize);
    EXPECT_EQ(std::vector<int16_t>(g.DeckOrder.begin(), g.DeckOrder.begin() + g.Rules.DeckSize),
              c.deck);
    EXPECT_EQ(g.StartingPlayer, c.startingPlayer);

    ASSERT_TRUE(StepUntil(t, [&] { return g.State != GameState::DealingCards; }));
    for (int seat = 0; seat < kSeats; ++seat) {
        std::vector<int16_t> hand;
        for (int s = 0; s < g.HandCount[seat]; ++s)
            hand.push_back(g.Hands[seat][s].CardIndex);
        EXPECT_EQ(hand, c.hands[seat]) << "seat " << seat;
    }
    if (c.starter >= 0) {
        ASSERT_TRUE(StepUntil(t, [&] { return CountOf(t, TraceKind::Starter) == 1; }));
        EXPECT_EQ(EventsOf(t, TraceKind::Starter)[0].Card, c.starter);
    } else {
        EXPECT_EQ(g.PileCount, 0);
    }
}

// clang-format off
INSTANTIATE_TEST_SUITE_P(Seeds, Golden, ::testing::Values(
    GoldenCase{GameVariant::Tarrabel, 7, 1,
        {30, 23, 12, 24, 17, 6, 21, 5, 49, 47, 45, 44, 28, 16, 32, 39, 35, 22, 46, 3, 50, 2, 19,
         14, 31, 48, 10, 9, 33, 27, 43, 34, 18, 13, 29, 11, 25, 20, 41, 40, 51, 1, 36, 0, 8, 15,
         4, 38, 26, 37, 7, 42},
        {{6, 21, 5, 49, 47}, {30, 23, 12, 24, 17}, {39, 35, 22, 46, 3}, {45, 44, 28, 16, 32}},
        50},
    GoldenCase{GameVariant::PisYedili, 7, 1,
        {60, 47, 25, 48, 34, 13, 42, 10, 99, 95, 90, 89, 57, 91, 33, 64, 78, 70, 11, 35, 44, 93,
         7, 43, 100, 5, 39, 29, 63, 97, 21, 18, 66, 6, 4, 55, 86, 87, 69, 37, 26, 59, 23, 51, 36,
         38, 41, 82, 80, 102, 2, 54, 49, 68, 22, 73, 32, 79, 1, 16, 30, 45, 72, 9, 92, 103, 98,
         67, 77, 101, 53, 56, 65, 17, 94, 40, 27, 76, 24, 62, 8, 52, 71, 31, 28, 20, 81, 0, 83, 3,
         75, 50, 88, 46, 12, 15, 58, 61, 14, 74, 19, 85, 96, 84},
        {{10, 99, 95, 90, 89, 57, 91}, {60, 47, 25, 48, 34, 13, 42}, {93, 7, 43, 100, 5, 39, 29},
         {33, 64, 78, 70, 11, 35, 44}},
        -1}),
    [](const auto& info) {
        return NameOf(info.param.variant) + "_Seed" + std::to_string(info.param.seed);
    });
// clang-format on

}  // namespace
}  // namespace tarrabel::test
