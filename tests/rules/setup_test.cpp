#include "rules/setup.h"

#include <algorithm>
#include <set>
#include <string>
#include <vector>

#include "session/state_machine.h"
#include "support/table_driver.h"

namespace tarrabel::test {
namespace {

bool DealingOver(const Game& g) {
    return !StateIs(g, GameState::DealingCards);
}

// The starter has landed for good and its power has been applied.
bool StarterResolved(const Game& g) {
    return g.PileCount == 1 && !StateIs(g, GameState::DealingCards) &&
           !StateIs(g, GameState::TurningStarter) && !StateIs(g, GameState::BuryingWildStarter);
}

// ---- after the deal ----------------------------------------------------------------------------

// The dealing itself, seat by seat, is tested with the state machine that deals.
TEST(DealtHands, OtherGamesTurnUpAStarterAfterTheDeal) {
    Table t(GameVariant::HuitAmericain);
    ASSERT_TRUE(StepUntil(t, [&] { return DealingOver(t.g); }));
    EXPECT_TRUE(StateIs(t.g, GameState::TurningStarter));
    EXPECT_EQ(t.g.DeckPos, 32) << "32 of the 54 cards dealt";
    ASSERT_TRUE(StepUntil(t, [&] { return StarterResolved(t.g); }));
    EXPECT_EQ(t.g.DeckPos, 33) << "a returned starter is replaced by the next card";
}

// ---- who starts -------------------------------------------------------------------------------

TEST(ChooseStartingPlayer, TheFirstDealStartsAtARandomSeat) {
    std::set<int> starts;
    for (uint64_t seed = 1; seed <= 40; ++seed)
        starts.insert(Table(GameVariant::Agonia, seed).g.StartingPlayer);
    EXPECT_EQ(starts.size(), 4u);
}

TEST(ChooseStartingPlayer, EachLaterDealStartsOneSeatFurtherClockwise) {
    Table t(GameVariant::Tarrabel);
    int expected = t.g.StartingPlayer;
    for (int deal = 0; deal < 8; ++deal) {
        SetUpDeal(t.g);
        expected = (expected + 3) % 4;  // 0, 3, 2, 1, 0, ...
        EXPECT_EQ(t.g.StartingPlayer, expected);
        EXPECT_EQ(t.g.CurrentPlayer, expected);
    }
}

TEST(ChooseStartingPlayer, SkipsEliminatedPlayersAndKeepsTurningAcrossMatches) {
    Table t(GameVariant::PisYedili);
    Game& g = t.g;
    g.StartingPlayer = 0;
    g.Players[3].Eliminated = true;
    g.Players[2].Eliminated = true;
    SetUpDeal(g);
    EXPECT_EQ(g.StartingPlayer, 1);
    SetUpDeal(g);
    EXPECT_EQ(g.StartingPlayer, 0);
    // A new match brings everybody back; the turn goes on from where it was.
    g.NewMatch = true;
    SetUpDeal(g);
    EXPECT_EQ(g.StartingPlayer, 3);
}

TEST(BuildSeatOrder, ListsTheSeatsUpwardsFromTheCurrentPlayer) {
    Table t;
    t.g.CurrentPlayer = 2;
    BuildSeatOrder(t.g);
    EXPECT_EQ(t.g.SeatOrder[0], 2);
    EXPECT_EQ(t.g.SeatOrder[1], 3);
    EXPECT_EQ(t.g.SeatOrder[2], 0);
    EXPECT_EQ(t.g.SeatOrder[3], 1);
}

// ---- names -----------------------------------------------------------------------------------

TEST(PickSeatNames, ThreeDifferentNamesFromTheTable) {
    for (uint64_t seed = 1; seed <= 60; ++seed) {
        Table t(GameVariant::Tarrabel, seed);
        const auto& n = t.g.SeatName;
        EXPECT_EQ(n[0], "Me  ");
        std::set<std::string_view> names(n.begin() + 1, n.end());
        EXPECT_EQ(names.size(), 3u) << "seed " << seed;
        for (std::string_view name : names) {
            EXPECT_NE(std::find(kNameTable.begin(), kNameTable.end(), name), kNameTable.end());
            EXPECT_EQ(name.size(), 4u);
        }
    }
}

TEST(PickSeatNames, DrawsAgainWhileANameIsTaken) {
    Table t;
    ScriptedRandom rng({{5, 30}, {5, 30}, {7, 30}, {5, 30}, {7, 30}, {9, 30}});
    t.g.io.Rng = &rng;
    PickSeatNames(t.g);
    EXPECT_EQ(t.g.SeatName[3], "John");
    EXPECT_EQ(t.g.SeatName[2], "Tom ");
    EXPECT_EQ(t.g.SeatName[1], "Liz ");
    EXPECT_EQ(rng.Used(), 6u);
}

TEST(PickSeatNames, NamesChangeOnlyWithANewMatch) {
    Table t;
    Game& g = t.g;
    g.SeatName = {"Me  ", "XXXX", "YYYY", "ZZZZ"};
    SetUpDeal(g);
    EXPECT_EQ(g.SeatName[1], "XXXX");
    EXPECT_EQ(g.SeatName[3], "ZZZZ");
    g.NewMatch = true;
    SetUpDeal(g);
    for (int seat = 1; seat < kSeats; ++seat)
        EXPECT_NE(std::find(kNameTable.begin(), kNameTable.end(), g.SeatName[seat]),
                  kNameTable.end());
}

// ---- what a new deal and a new match reset ------------------------------------------------------

TEST(SetUpDeal, StartsEveryDealFromACleanTable) {
    struct Start {
        GameVariant variant;
        bool reversed;  // how the game's turns start: down the seat numbers, or up
    };
    constexpr Start kStarts[] = {{GameVariant::Tarrabel, true},
                                 {GameVariant::Agonia, false},
                                 {GameVariant::PisYedili, true}};
    for (const Start& s : kStarts) {
        SCOPED_TRACE(std::string(VariantName(s.variant)));
        Table t(s.variant);
        Game& g = t.g;
        // Leave behind what the end of a deal may leave.
        g.DirectionReversed = !s.reversed;
        g.PenaltyCards = 6;
        g.GoingOutPending = true;
        g.LastPlayer = 2;
        g.DrawDone = true;
        g.HumanDrew = true;
        g.DrawCount = 2;
        g.WaitingForHuman = true;
        g.HumanMoved = true;
        g.ClickedCard = 3;
        g.PileCount = 9;
        g.HandCount = {3, 4, 5, 6};
        for (auto& p : g.Players)
            p.LastNamedSuit = kSpades;
        g.Hands[2][10].Shown = true;
        g.State = GameState::DealScored;
        t.sound.played.clear();

        SetUpDeal(g);

        EXPECT_EQ(g.DirectionReversed, s.reversed);
        EXPECT_EQ(g.PenaltyCards, 0);
        EXPECT_FALSE(g.GoingOutPending);
        EXPECT_EQ(g.LastPlayer, -1);
        EXPECT_FALSE(g.DrawDone) << "nobody may pass without drawing in the new deal";
        EXPECT_FALSE(g.HumanDrew);
        EXPECT_EQ(g.DrawCount, 0);
        EXPECT_FALSE(g.WaitingForHuman);
        EXPECT_FALSE(g.HumanMoved);
        EXPECT_EQ(g.ClickedCard, -1);
        EXPECT_EQ(g.PileCount, 0);
        for (int seat = 0; seat < kSeats; ++seat) {
            EXPECT_EQ(g.HandCount[seat], 0);
            EXPECT_EQ(g.Players[seat].LastNamedSuit, kNoSuit);
            for (int s = 0; s < kHandSlots; ++s)
                EXPECT_FALSE(g.Hands[seat][s].Shown);
        }
        EXPECT_EQ(g.State, GameState::DealingCards);
        EXPECT_EQ(g.DeckPos, 0);
        EXPECT_EQ(g.TotalDealt, 0);
        EXPECT_EQ(g.DealSeat, 0);
        EXPECT_EQ(g.SeatOrder[0], g.CurrentPlayer);
        EXPECT_EQ(g.PlayerCount, 4);
        ASSERT_FALSE(t.sound.played.empty());
        EXPECT_EQ(t.sound.played.back(), SoundId::Shuffle);
        std::string why;
        EXPECT_TRUE(t.CardsAllAccountedFor(&why)) << why;
    }
}

TEST(SetUpDeal, ANewMatchClearsTotalsHistoryAndEliminations) {
    Table t(GameVariant::PisYedili);
    Game& g = t.g;
    g.MatchTotal = {120, 510, 300, 40};
    g.DealNumber = 4;
    g.Players[1].Eliminated = true;
    g.NewMatch = true;
    SetUpDeal(g);
    EXPECT_FALSE(g.NewMatch);
    EXPECT_EQ(g.DealNumber, 0);
    for (int seat = 0; seat < kSeats; ++seat) {
        EXPECT_EQ(g.MatchTotal[seat], 0);
        EXPECT_FALSE(g.Players[seat].Eliminated);
    }
    EXPECT_EQ(g.PlayerCount, 4);
}

TEST(SetUpDeal, AFullHistoryStartsAFreshPageButKeepsTheTotals) {
    Table t(GameVariant::Tarrabel);
    Game& g = t.g;
    g.MatchTotal = {60, 70, 80, 90};
    g.DealNumber = 10;
    g.HistoryFull = true;
    SetUpDeal(g);
    EXPECT_FALSE(g.HistoryFull);
    EXPECT_EQ(g.DealNumber, 0);
    EXPECT_EQ(g.MatchTotal[0], 60);
    EXPECT_EQ(g.MatchTotal[3], 90);
}

// ---- the starter card -------------------------------------------------------------------------

// The starter counts as played by the player before the starting player.
TEST(StarterCard, AnOrdinaryStarterLeavesTheFirstTurnToTheStartingPlayer) {
    Table t(GameVariant::Tarrabel, 3);
    PlaceInDeck(t, 20, CardOf(5, kClubs));
    ASSERT_TRUE(StepUntil(t, [&] { return StarterResolved(t.g); }));
    EXPECT_TRUE(StateIs(t.g, GameState::NormalPlay));
    EXPECT_EQ(PlayerAfter(t.g, t.g.CurrentPlayer), t.g.StartingPlayer);
    EXPECT_EQ(t.g.DealtInBatch, 0);
}

TEST(StarterCard, ATarrabelQueenStarterSkipsTheStartingPlayer) {
    for (uint64_t seed = 1; seed <= 4; ++seed) {
        Table t(GameVariant::Tarrabel, seed);
        PlaceInDeck(t, 20, CardOf(kQueen, kHearts));
        ASSERT_TRUE(StepUntil(t, [&] { return StarterResolved(t.g); }));
        const int start = t.g.StartingPlayer;
        EXPECT_EQ(PlayerAfter(t.g, t.g.CurrentPlayer), PlayerAfter(t.g, start)) << "seed " << seed;
    }
}

TEST(StarterCard, ADrawTwoStarterMakesTheStartingPlayerTakeTheCards) {
    Table t(GameVariant::Tarrabel, 2);
    PlaceInDeck(t, 20, CardOf(2, kHearts));
    ASSERT_TRUE(StepUntil(t, [&] { return StarterResolved(t.g); }));
    EXPECT_EQ(t.g.PenaltyCards, 2);
    EXPECT_FALSE(t.g.PenaltyTaken);
    EXPECT_EQ(PlayerAfter(t.g, t.g.CurrentPlayer), t.g.StartingPlayer);
}

// Pis Yedili has no starter: the first card goes on the empty pile and must be a club (or
// a Jack).
TEST(StarterCard, PisYediliOpensOnTheEmptyPileWithAClub) {
    Table t(GameVariant::PisYedili);
    Game& g = t.g;
    g.StartingPlayer = 2;
    SetUpDeal(g);  // seat 1 starts, and is dealt first
    ASSERT_EQ(g.StartingPlayer, 1);
    PlaceInDeck(t, 0, CardOf(3, kClubs));
    ASSERT_TRUE(StepUntil(t, [&] { return CountOf(t, TraceKind::Play) > 0; }));
    const TraceEvent first = EventsOf(t, TraceKind::Play).front();
    EXPECT_EQ(first.Seat, 1);
    EXPECT_TRUE(g.SuitOf(first.Card) == kClubs || g.RankOf(first.Card) == kJack);
    EXPECT_EQ(g.PileCount, 1);
}

}  // namespace
}  // namespace tarrabel::test
