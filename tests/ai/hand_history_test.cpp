// Walking a hand's history back: a standard player's choice made before several draws
// still tells about the cards he has kept since.
#include "ai/hand_history.h"

#include <gtest/gtest.h>

#include <vector>

#include "support/table_fixture.h"

namespace tarrabel::test {
namespace {

// Tarrabel, a five of hearts on the pile. Seat 1 was dealt four cards and chose to play
// the nine of hearts; then he drew three.
struct NineBeforeThreeDraws : Table {
    HandMemory memory;
    ImaginedDeal rules;
    ScoreContext at;

    explicit NineBeforeThreeDraws(const CardSet& drawnCannotBe) : Table(GameVariant::Tarrabel) {
        CopyTableState(g, rules);
        at.Variant = GameVariant::Tarrabel;
        at.TopRank = 5;
        at.TopSuit = at.Follow = kHearts;
        at.NextCount = at.SecondCount = at.ThirdCount = 5;
        at.OwnCount = 4;
        for (int i = 0; i < 4; ++i)
            memory.Receive();
        memory.Played(CardOf(9, kHearts), true, at);
        for (int i = 0; i < 3; ++i)
            memory.Receive(drawnCannotBe);
    }

    // Whether some order of his draws makes `hand` agree with his history (walks with the
    // cards drawn picked at random, from a fixed seed).
    bool Fits(const std::vector<int16_t>& hand) const {
        SplitMix64 rng(7);
        auto pick = [&](const int16_t* cards, int n, const CardSet& cannotBe) {
            std::vector<int> can;
            for (int j = 0; j < n; ++j)
                if (!cannotBe.Has(cards[j])) can.push_back(j);
            return can.empty() ? -1 : can[rng.Below(int(can.size()))];
        };
        for (int walk = 0; walk < 64; ++walk)
            if (FitsHistory(memory, rules, hand.data(), int(hand.size()), pick)) return true;
        return false;
    }
};

CardSet AllSpades() {
    CardSet s;
    for (int rank = 1; rank <= 13; ++rank)
        s.Add(CardOf(rank, kSpades));
    return s;
}

TEST(FitsHistory, AChoiceBeforeSeveralDrawsRulesOutTheCardsHeMustHaveHeldThen) {
    const std::vector<int16_t> hand = {CardOf(5, kSpades), CardOf(4, kSpades), CardOf(6, kSpades),
                                       CardOf(2, kClubs),  CardOf(3, kClubs),  CardOf(7, kClubs)};
    // The premise: with those three spades beside the nine, the five of spades (which
    // follows by rank) scores above the nine, on the length of its suit.
    std::array<int16_t, 5> tally{};
    tally[kHearts] = 1;
    tally[kSpades] = 3;
    const int longSuit = LongestSuit(tally);
    {
        const NineBeforeThreeDraws t(CardSet{});
        ASSERT_GT(CardScore(t.at, 5, kSpades, tally, longSuit),
                  CardScore(t.at, 9, kHearts, tally, longSuit));
    }

    // His three draws came from a deck rebuilt without spades: all three spades were in
    // his hand when he chose the nine, so he cannot hold them now.
    EXPECT_FALSE(NineBeforeThreeDraws(AllSpades()).Fits(hand));
    // Drawn from a full deck, a spade may have come later: the same hand fits.
    EXPECT_TRUE(NineBeforeThreeDraws(CardSet{}).Fits(hand));
    // Without the five the spades could not follow; the hand fits whatever he drew.
    EXPECT_TRUE(NineBeforeThreeDraws(AllSpades())
                    .Fits({CardOf(8, kSpades), CardOf(4, kSpades), CardOf(6, kSpades),
                           CardOf(2, kClubs), CardOf(3, kClubs), CardOf(7, kClubs)}));
}

TEST(FitsHistory, NamesTheCardThatBrokeAChoice) {
    const NineBeforeThreeDraws t(AllSpades());
    const std::vector<int16_t> hand = {CardOf(5, kSpades), CardOf(4, kSpades), CardOf(6, kSpades),
                                       CardOf(2, kClubs),  CardOf(3, kClubs),  CardOf(7, kClubs)};
    auto firstThatCan = [](const int16_t* cards, int n, const CardSet& cannotBe) {
        for (int j = 0; j < n; ++j)
            if (!cannotBe.Has(cards[j])) return j;
        return -1;
    };
    int culprit = -1;
    EXPECT_FALSE(
        FitsHistory(t.memory, t.rules, hand.data(), int(hand.size()), firstThatCan, &culprit));
    EXPECT_EQ(culprit, CardOf(5, kSpades));
}

}  // namespace
}  // namespace tarrabel::test
