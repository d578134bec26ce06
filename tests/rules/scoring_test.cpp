#include "rules/scoring.h"

#include <array>
#include <string>

#include "rules/setup.h"
#include "support/table_driver.h"

namespace tarrabel::test {
namespace {

// ---- what a card left in hand costs ------------------------------------------------------------

struct PointsRow {
    const char* card;
    int16_t rank;
    int32_t suit;
    // Tarrabel, Huit Americain, Agonia, Illustrated Agonia, Pis Yedili
    std::array<int, kVariantCount> points;
};

// clang-format off
constexpr PointsRow kPoints[] = {
    {"Ace",         kAce,   kHearts,   { 1, 15, 20, 20, 20}},
    {"2 of clubs",  2,      kClubs,    { 2, 15,  2,  2,  2}},
    {"2 of spades", 2,      kSpades,   { 2, 25,  2,  2,  2}},
    {"3",           3,      kHearts,   { 3,  5,  3,  3,  3}},
    {"6",           6,      kDiamonds, { 6,  5,  6,  6,  6}},
    {"7",           7,      kClubs,    { 7,  5,  7,  7, 20}},
    {"8",           8,      kSpades,   {50,  5,  8,  8,  8}},
    {"9",           9,      kHearts,   { 9,  5,  9,  9,  9}},
    {"10",          10,     kHearts,   {10,  5, 10, 10, 20}},
    {"Jack",        kJack,  kSpades,   {10, 10, 10, 10, 20}},
    {"Queen",       kQueen, kDiamonds, {10, 10, 10, 10, 10}},
    {"King",        kKing,  kClubs,    {10, 10, 10, 10, 10}},
};
// clang-format on

TEST(CardPoints, EachGameChargesItsOwnValues) {
    for (const PointsRow& row : kPoints) {
        for (int v = 0; v < kVariantCount; ++v) {
            EXPECT_EQ(CardPoints(GameVariant(v), row.rank, row.suit), row.points[v])
                << row.card << " in " << kVariantNames[v];
        }
    }
}

TEST(CardPoints, TheJokerCostsFiftyInHuitAmericain) {
    EXPECT_EQ(CardPoints(GameVariant::HuitAmericain, kJoker, kNoSuit), 50);
    EXPECT_EQ(CardPoints(GameVariant::Tarrabel, kJoker, kNoSuit), 0);
}

// The record overload reads the card through the game's tables, second pack included.
TEST(CardPoints, ACardRecordIsValuedThroughTheCardTables) {
    Table t(GameVariant::PisYedili);
    CardRecord c;
    c.CardIndex = CardOf(7, kHearts) + 52;
    EXPECT_EQ(CardPoints(t.g, c), 20);
    Table h(GameVariant::HuitAmericain);
    c.CardIndex = kJoker2;
    EXPECT_EQ(CardPoints(h.g, c), 50);
}

// ---- one deal
// -------------------------------------------------------------------------------------

struct ScoredTable : Table {
    explicit ScoredTable(GameVariant v) : Table(v) {
        ClearTable();
        g.State = GameState::DealScored;
        sound.played.clear();
    }
};

TEST(ScoreDeal, ChargesEveryHandAndRecordsTheDeal) {
    ScoredTable t(GameVariant::Tarrabel);
    Game& g = t.g;
    t.GiveHand(1, {CardOf(8, kHearts), CardOf(kKing, kSpades)});
    t.GiveHand(2, {CardOf(kAce, kClubs), CardOf(9, kDiamonds)});
    t.GiveHand(3, {CardOf(10, kHearts)});
    g.MatchTotal = {5, 20, 0, 30};
    g.DealNumber = 2;
    ScoreDeal(g);
    const std::array<int16_t, 4> points = {0, 60, 10, 10};
    EXPECT_EQ(g.HandPoints, points);
    for (int seat = 0; seat < kSeats; ++seat)
        EXPECT_EQ(g.DealHistory[seat][2], points[seat]);
    EXPECT_EQ(g.DealNumber, 3);
    const std::array<int16_t, 4> totals = {5, 80, 10, 40};
    EXPECT_EQ(g.MatchTotal, totals);
    EXPECT_EQ(g.ResultText, "");
    ASSERT_FALSE(t.sound.played.empty());
    EXPECT_EQ(t.sound.played.back(), SoundId::Intro);
}

TEST(ScoreDeal, HuitAmericainChargesItsDearCards) {
    ScoredTable t(GameVariant::HuitAmericain);
    t.GiveHand(2, {CardOf(8, kHearts), CardOf(2, kSpades), kJoker1});
    ScoreDeal(t.g);
    EXPECT_EQ(t.g.HandPoints[2], 5 + 25 + 50);
}

// A hand's points come from the cards shown in it, not from the hand count.
TEST(ScoreDeal, CountsTheCardsInTheSlots) {
    ScoredTable t(GameVariant::Agonia);
    t.GiveHand(3, {CardOf(4, kClubs), CardOf(5, kClubs), CardOf(6, kClubs)});
    t.g.Hands[3][1].Shown = false;
    t.g.HandCount[3] = 7;
    ScoreDeal(t.g);
    EXPECT_EQ(t.g.HandPoints[3], 10);
}

struct MatchEndCase {
    const char* name;
    GameVariant variant;
    std::array<int16_t, 4> totals;  // after the deal
    std::array<bool, 4> eliminatedBefore;
    std::string_view result;
    bool newMatch;
    SoundId sound;
    std::array<bool, 4> eliminatedAfter;
};

constexpr std::array<bool, 4> kNone = {false, false, false, false};

// clang-format off
const MatchEndCase kMatchEnds[] = {
    {"human lowest wins",            GameVariant::Tarrabel,      {90, 101, 95, 120},  kNone, "We Won!",  true,  SoundId::WinGame,  kNone},
    {"human above another loses",    GameVariant::Tarrabel,      {96, 101, 95, 40},   kNone, "We lost!", true,  SoundId::LoseGame, kNone},
    {"exactly the target goes on",   GameVariant::Tarrabel,      {100, 100, 100, 100},kNone, "",         false, SoundId::Intro,    kNone},
    {"ties with the lowest win",     GameVariant::Agonia,        {101, 101, 120, 130},kNone, "We Won!",  true,  SoundId::WinGame,  kNone},
    {"human over the target loses",  GameVariant::IllustratedAgonia, {101, 50, 60, 70}, kNone, "We lost!", true,  SoundId::LoseGame, kNone},
    {"Huit goes on up to 500",       GameVariant::HuitAmericain, {499, 500, 300, 200},kNone, "",         false, SoundId::Intro,    kNone},
    {"Huit ends above 500",          GameVariant::HuitAmericain, {120, 501, 300, 200},kNone, "We Won!",  true,  SoundId::WinGame,  kNone},
    {"computer at 510 eliminated",   GameVariant::PisYedili,     {200, 510, 300, 100},kNone, "",         false, SoundId::Intro,    {false, true, false, false}},
    {"computer at exactly 500 stays",GameVariant::PisYedili,     {500, 500, 500, 500},kNone, "",         false, SoundId::Intro,    kNone},
    {"human at 501 loses at once",   GameVariant::PisYedili,     {501, 100, 100, 100},kNone, "We lost!", true,  SoundId::LoseGame, kNone},
    {"human over first, no eliminations", GameVariant::PisYedili, {501, 600, 100, 100}, kNone, "We lost!", true, SoundId::LoseGame, kNone},
    {"all three out together",       GameVariant::PisYedili,     {500, 510, 520, 530},kNone, "We Won!",  true,  SoundId::WinGame,  {false, true, true, true}},
    {"the last computer goes",       GameVariant::PisYedili,     {300, 501, 520, 530},{false, false, true, true}, "We Won!", true, SoundId::WinGame, {false, true, true, true}},
    {"two left, one goes",           GameVariant::PisYedili,     {300, 501, 200, 530},{false, false, false, true}, "", false, SoundId::Intro, {false, true, false, true}},
};
// clang-format on

TEST(ScoreDeal, DecidesTheMatch) {
    for (const MatchEndCase& c : kMatchEnds) {
        SCOPED_TRACE(c.name);
        ScoredTable t(c.variant);
        Game& g = t.g;
        g.MatchTotal = c.totals;  // the deal itself adds nothing: every hand is empty
        for (int seat = 0; seat < kSeats; ++seat)
            g.Players[seat].Eliminated = c.eliminatedBefore[seat];
        g.ResultText = "We Won!";  // left from an earlier match
        ScoreDeal(g);
        EXPECT_EQ(g.ResultText, c.result);
        EXPECT_EQ(g.NewMatch, c.newMatch);
        ASSERT_FALSE(t.sound.played.empty());
        EXPECT_EQ(t.sound.played.back(), c.sound);
        for (int seat = 0; seat < kSeats; ++seat)
            EXPECT_EQ(g.Players[seat].Eliminated, c.eliminatedAfter[seat]) << "seat " << seat;
    }
}

// ---- the history of ten deals
// --------------------------------------------------------------------

TEST(ScoreDeal, TheTenthDealFillsTheHistoryAndTheEleventhStartsAFreshOne) {
    ScoredTable t(GameVariant::Tarrabel);
    Game& g = t.g;
    for (int deal = 1; deal <= 10; ++deal) {
        t.GiveHand(1, {CardOf(deal, kClubs)});  // seat 1 keeps collecting clubs
        ScoreDeal(g);
        EXPECT_EQ(g.DealNumber, deal);
        EXPECT_EQ(g.HistoryFull, deal == 10) << "deal " << deal;
    }
    int total = 0;
    for (int row = 0; row < 10; ++row) {
        int expected = 0;
        for (int rank = 1; rank <= row + 1; ++rank)
            expected += rank == 8 ? 50 : rank;
        EXPECT_EQ(g.DealHistory[1][row], expected) << "row " << row;
        total += expected;
    }
    EXPECT_EQ(g.MatchTotal[1], total);

    // The next deal starts a new page; the totals keep counting.
    g.NewMatch = false;
    SetUpDeal(g);
    EXPECT_EQ(g.DealNumber, 0);
    EXPECT_FALSE(g.HistoryFull);
    EXPECT_EQ(g.MatchTotal[1], total);
    t.ClearTable();
    t.GiveHand(2, {CardOf(kKing, kHearts)});
    g.State = GameState::DealScored;
    ScoreDeal(g);
    EXPECT_EQ(g.DealNumber, 1);
    EXPECT_EQ(g.DealHistory[2][0], 10);
    EXPECT_EQ(g.DealHistory[1][0], 0);
    EXPECT_EQ(g.MatchTotal[1], total);
    EXPECT_EQ(g.MatchTotal[2], 10);
}

}  // namespace
}  // namespace tarrabel::test
