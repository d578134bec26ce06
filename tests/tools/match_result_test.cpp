// Who won a decided match, as the strength measurements count it.
#include <gtest/gtest.h>

#include "simulate/match_result.h"
#include "simulate/simulator.h"

namespace tarrabel {
namespace {

struct WinCase {
    const char* name;
    GameVariant variant;
    std::array<int16_t, kSeats> totals;
    std::array<bool, kSeats> eliminated;
    std::array<double, kSeats> shares;
};

class MatchWinner : public ::testing::TestWithParam<WinCase> {};

TEST_P(MatchWinner, GoesToTheLowestTotalStillIn) {
    const WinCase& c = GetParam();
    Game g;
    g.Options = DefaultOptions(c.variant);
    g.MatchTotal = c.totals;
    for (int seat = 0; seat < kSeats; ++seat)
        g.Players[seat].Eliminated = c.eliminated[seat];
    const auto shares = sim::MatchWinShares(g);
    for (int seat = 0; seat < kSeats; ++seat)
        EXPECT_DOUBLE_EQ(shares[seat], c.shares[seat]) << "seat " << seat;
}

constexpr std::array<bool, kSeats> kNone{};

INSTANTIATE_TEST_SUITE_P(
    Cases, MatchWinner,
    ::testing::Values(
        WinCase{"LowestTotal", GameVariant::Tarrabel, {90, 101, 95, 120}, kNone, {1, 0, 0, 0}},
        WinCase{"AComputerLowest", GameVariant::Agonia, {96, 101, 95, 40}, kNone, {0, 0, 0, 1}},
        WinCase{
            "TiesShare", GameVariant::HuitAmericain, {300, 300, 510, 420}, kNone, {0.5, 0.5, 0, 0}},
        WinCase{"PisYediliPersonLastLeft",
                GameVariant::PisYedili,
                {480, 510, 530, 502},
                {false, true, true, true},
                {1, 0, 0, 0}},
        WinCase{"PisYediliPersonOutLowestOfTheRest",
                GameVariant::PisYedili,
                {505, 320, 610, 280},
                {false, false, true, false},
                {0, 0, 0, 1}},
        WinCase{"PisYediliOverTheTargetInTheLastDealDoesNotWin",
                GameVariant::PisYedili,
                {520, 501, 450, 470},
                kNone,
                {0, 0, 1, 0}}),
    [](const auto& info) { return std::string(info.param.name); });

TEST(MatchWinner, EveryMatchPlayedGivesOutOneWin) {
    sim::SimConfig config;
    config.variant = GameVariant::PisYedili;
    config.matches = 3;
    config.seed = 12;
    config.seat0 = sim::Seat0Player::Standard;
    const sim::SimResult r = sim::RunSimulation(config);
    ASSERT_TRUE(r.ok) << r.error;
    EXPECT_EQ(r.matches, 3);
    EXPECT_DOUBLE_EQ(r.matchWins[0] + r.matchWins[1] + r.matchWins[2] + r.matchWins[3], 3.0);
}

}  // namespace
}  // namespace tarrabel
