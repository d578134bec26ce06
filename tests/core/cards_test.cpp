#include "core/cards.h"

#include <map>
#include <string>
#include <utility>

#include "rules/deck.h"
#include "support/table_fixture.h"

namespace tarrabel::test {
namespace {

// ---- picture names and what they parse to ------------------------------------------------

struct NamedCard {
    int index;
    std::string_view name;
    int16_t rank;
    int32_t suit;
};

// Both joker tables and two-pack tables share the first pack.
constexpr NamedCard kFirstPack[] = {
    {0, "AC.BMP", kAce, kClubs},    {1, "AD.BMP", kAce, kDiamonds}, {2, "AH.BMP", kAce, kHearts},
    {3, "AS.BMP", kAce, kSpades},   {4, "2C.BMP", 2, kClubs},       {7, "2S.BMP", 2, kSpades},
    {31, "8S.BMP", 8, kSpades},     {32, "9C.BMP", 9, kClubs},      {36, "10C.BMP", 10, kClubs},
    {37, "10D.BMP", 10, kDiamonds}, {38, "10H.BMP", 10, kHearts},   {39, "10S.BMP", 10, kSpades},
    {40, "JC.BMP", kJack, kClubs},  {43, "JS.BMP", kJack, kSpades}, {46, "QH.BMP", kQueen, kHearts},
    {48, "KC.BMP", kKing, kClubs},  {51, "KS.BMP", kKing, kSpades},
};

TEST(CardTables, FirstPackNamesRanksAndSuitsInBothTables) {
    for (const CardTables* tables : {&kJokerCardTables, &kTwoPackCardTables}) {
        for (const NamedCard& c : kFirstPack) {
            SCOPED_TRACE(std::string(c.name));
            EXPECT_EQ(tables->FileName[c.index], c.name);
            EXPECT_EQ(tables->Rank[c.index], c.rank);
            EXPECT_EQ(tables->Suit[c.index], c.suit);
        }
    }
}

// Index = 4 * (rank - 1) + k with k following the picture letters C, D, H, S.
TEST(CardTables, EveryIndexOfThePackFollowsTheRankAndSuitLetterOrder) {
    constexpr int32_t kLetterOrder[4] = {kClubs, kDiamonds, kHearts, kSpades};
    for (int i = 0; i < 52; ++i) {
        SCOPED_TRACE(i);
        EXPECT_EQ(kJokerCardTables.Rank[i], i / 4 + 1);
        EXPECT_EQ(kJokerCardTables.Suit[i], kLetterOrder[i % 4]);
    }
}

// The Tens are the only names whose suit letter is the third character.
TEST(CardTables, TensTakeTheirSuitFromTheThirdCharacter) {
    EXPECT_EQ(RankFromFileName("10H.BMP"), 10);
    EXPECT_EQ(SuitFromFileName("10H.BMP"), kHearts);
    EXPECT_EQ(SuitFromFileName("10D.BMP"), kDiamonds);
    EXPECT_EQ(SuitFromFileName("10C.BMP"), kClubs);
    EXPECT_EQ(SuitFromFileName("10S.BMP"), kSpades);
    // A "." in third place does not disturb the suit of the other cards.
    EXPECT_EQ(SuitFromFileName("9S.BMP"), kSpades);
    EXPECT_EQ(SuitFromFileName("KD.BMP"), kDiamonds);
}

TEST(CardTables, JokersAreRankFifteenWithoutSuit) {
    EXPECT_EQ(kJokerCardTables.FileName[52], "S_joker.BMP");
    EXPECT_EQ(kJokerCardTables.FileName[53], "S_joker2.BMP");
    for (int i : {52, 53}) {
        SCOPED_TRACE(i);
        EXPECT_EQ(kJokerCardTables.Rank[i], kJoker);
        EXPECT_EQ(kJokerCardTables.Suit[i], kNoSuit);
    }
    // The joker's "S" must not be read as spades, nor its third letter as a suit.
    EXPECT_EQ(SuitFromFileName("S_joker2.BMP"), kNoSuit);
    EXPECT_EQ(RankFromFileName("S_joker2.BMP"), kJoker);
}

TEST(CardTables, AfterTheJokersTheFirstPackRepeats) {
    for (int i = 0; i < 52; ++i) {
        EXPECT_EQ(kJokerCardTables.FileName[54 + i], kPackFileNames[i]);
        EXPECT_EQ(kTwoPackCardTables.FileName[52 + i], kPackFileNames[i]);
    }
}

TEST(CardTables, BlackAndRedSuits) {
    EXPECT_TRUE(IsBlackSuit(kClubs));
    EXPECT_TRUE(IsBlackSuit(kSpades));
    EXPECT_TRUE(IsRedSuit(kHearts));
    EXPECT_TRUE(IsRedSuit(kDiamonds));
    EXPECT_FALSE(IsBlackSuit(kNoSuit));
    EXPECT_FALSE(IsRedSuit(kNoSuit));
}

// Every test of the rules names its cards through CardOf; it must find the card it says.
TEST(CardTables, CardOfFindsTheCardOfThatRankAndSuit) {
    for (int rank = 1; rank <= 13; ++rank)
        for (int32_t suit : {kClubs, kHearts, kSpades, kDiamonds}) {
            const int16_t i = CardOf(rank, suit);
            EXPECT_EQ(kJokerCardTables.Rank[i], rank);
            EXPECT_EQ(kJokerCardTables.Suit[i], suit);
        }
}

// ---- what each game deals ----------------------------------------------------------------

struct DeckMakeup {
    GameVariant variant;
    int deckSize;
    int jokers;
    int copiesOfEachCard;
};

class DeckCompositionByVariant : public testing::TestWithParam<DeckMakeup> {};

TEST_P(DeckCompositionByVariant, HoldsEachOrdinaryCardTheRightNumberOfTimes) {
    const DeckMakeup& m = GetParam();
    Table t(m.variant);
    const Game& g = t.g;
    ASSERT_EQ(g.Rules.DeckSize, m.deckSize);

    std::map<std::pair<int, int>, int> copies;
    int jokers = 0;
    for (int i = 0; i < g.Rules.DeckSize; ++i) {
        if (g.RankOf(i) == kJoker) {
            ++jokers;
            EXPECT_EQ(g.SuitOf(i), kNoSuit);
            continue;
        }
        ASSERT_GE(g.RankOf(i), 1);
        ASSERT_LE(g.RankOf(i), 13);
        ASSERT_LT(g.SuitOf(i), 4);
        ++copies[{g.RankOf(i), g.SuitOf(i)}];
    }
    EXPECT_EQ(jokers, m.jokers);
    EXPECT_EQ(copies.size(), 52u);
    for (const auto& [card, n] : copies)
        EXPECT_EQ(n, m.copiesOfEachCard);
}

INSTANTIATE_TEST_SUITE_P(Variants, DeckCompositionByVariant,
                         testing::Values(DeckMakeup{GameVariant::Tarrabel, 52, 0, 1},
                                         DeckMakeup{GameVariant::HuitAmericain, 54, 2, 1},
                                         DeckMakeup{GameVariant::Agonia, 52, 0, 1},
                                         DeckMakeup{GameVariant::IllustratedAgonia, 104, 0, 2},
                                         DeckMakeup{GameVariant::PisYedili, 104, 0, 2}),
                         [](const auto& info) { return NameOf(info.param.variant); });

TEST(DeckComposition, TwoPackGamesHoldCardIAndCardIPlus52Alike) {
    for (GameVariant v : {GameVariant::IllustratedAgonia, GameVariant::PisYedili}) {
        Table t(v);
        for (int i = 0; i < 52; ++i) {
            EXPECT_EQ(t.g.RankOf(i), t.g.RankOf(i + 52));
            EXPECT_EQ(t.g.SuitOf(i), t.g.SuitOf(i + 52));
        }
    }
}

// The shape of each game that play depends on: hands, direction and the target.
struct GameShape {
    GameVariant variant;
    int handSize;
    bool startReversed;
    int target;
    const CardTables* cards;  // the two-pack games read their cards from the two-pack tables
};

TEST(VariantSettings, BuildCardTablesPicksTheRowOfTheChosenGame) {
    constexpr GameShape kShapes[] = {
        {GameVariant::Tarrabel, 5, true, 100, &kJokerCardTables},
        {GameVariant::HuitAmericain, 8, true, 500, &kJokerCardTables},
        {GameVariant::Agonia, 7, false, 100, &kJokerCardTables},
        {GameVariant::IllustratedAgonia, 7, false, 100, &kTwoPackCardTables},
        {GameVariant::PisYedili, 7, true, 500, &kTwoPackCardTables},
    };
    // One game switched through every variant, as the options dialog would.
    Table t(GameVariant::Tarrabel);
    for (const GameShape& s : kShapes) {
        SCOPED_TRACE(std::string(VariantName(s.variant)));
        t.g.Options.Variant = s.variant;
        BuildCardTables(t.g);
        EXPECT_EQ(t.g.Rules.HandSize, s.handSize);
        EXPECT_EQ(t.g.Rules.StartReversed, s.startReversed);
        EXPECT_EQ(t.g.Rules.TargetScore, s.target);
        EXPECT_EQ(DefaultOptions(s.variant).TargetScore, s.target);
        EXPECT_EQ(t.g.Cards, s.cards);
    }
}

}  // namespace
}  // namespace tarrabel::test
