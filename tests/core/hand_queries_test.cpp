#include "core/hand_queries.h"

#include <string>
#include <vector>

#include "ai/computer_player.h"
#include "support/table_driver.h"

namespace tarrabel::test {
namespace {

struct FollowCase {
    const char* name;
    GameVariant variant;
    std::vector<int16_t> pile;  // oldest first
    int32_t chosen;
    int32_t follow;
};

TEST(SuitToFollow, FollowsTheTopCardTheNamedSuitOrTheCardUnderAJoker) {
    const FollowCase kCases[] = {
        {"empty pile: clubs", GameVariant::PisYedili, {}, kHearts, kClubs},
        {"ordinary top card", GameVariant::Tarrabel, {CardOf(5, kHearts)}, kSpades, kHearts},
        {"wild 8: the named suit",
         GameVariant::Tarrabel,
         {CardOf(5, kHearts), CardOf(8, kSpades)},
         kDiamonds,
         kDiamonds},
        {"wild Ace of Agonia",
         GameVariant::Agonia,
         {CardOf(5, kHearts), CardOf(kAce, kSpades)},
         kClubs,
         kClubs},
        {"an 8 is no wild card in Agonia",
         GameVariant::Agonia,
         {CardOf(5, kHearts), CardOf(8, kSpades)},
         kDiamonds,
         kSpades},
        {"joker keeps the suit under it",
         GameVariant::HuitAmericain,
         {CardOf(5, kHearts), kJoker1},
         kSpades,
         kHearts},
        {"joker on a wild 8: its printed suit",
         GameVariant::HuitAmericain,
         {CardOf(8, kSpades), kJoker1},
         kDiamonds,
         kSpades},
        {"joker on a joker: no suit",
         GameVariant::HuitAmericain,
         {CardOf(5, kHearts), kJoker2, kJoker1},
         kClubs,
         kNoSuit},
        {"lone joker: any suit", GameVariant::HuitAmericain, {kJoker1}, kClubs, kAnySuit},
    };
    for (const FollowCase& c : kCases) {
        SCOPED_TRACE(c.name);
        Table t(c.variant);
        t.ClearTable();
        for (int16_t card : c.pile)
            t.SetPile({card});
        t.g.ChosenSuit = c.chosen;
        EXPECT_EQ(SuitToFollow(t.g), c.follow);
    }
}

// Huit Americain may turn up a joker as the starter: then any card follows it.
TEST(SuitToFollow, AnyCardFollowsALoneJoker) {
    Table t(GameVariant::HuitAmericain);
    t.ClearTable();
    t.SetPile({kJoker1});
    t.g.CurrentPlayer = 2;
    for (int32_t suit : {kClubs, kHearts, kSpades, kDiamonds}) {
        t.GiveHand(2, {CardOf(3, suit)});
        EXPECT_TRUE(HasPlayableCard(t.g)) << "suit " << suit;
        t.g.Hands[2][0].Shown = false;
        t.g.HandCount[2] = 0;
    }
}

TEST(CountCardsInHand, CountsTheOccupiedSlotsUpToTheLast) {
    Table t(GameVariant::IllustratedAgonia);
    t.ClearTable();
    EXPECT_EQ(CountCardsInHand(t.g, 3), 0);
    t.GiveHand(3, {int16_t(10), int16_t(11), int16_t(12)});
    t.g.Hands[3][1].Shown = false;
    t.g.Hands[3][54].Shown = true;
    t.g.Hands[3][55].Shown = true;  // slot 55 is never part of the hand
    t.g.HandCount[3] = 40;
    EXPECT_EQ(CountCardsInHand(t.g, 3), 3);
}

struct OutCase {
    const char* name;
    std::vector<int> empty;
    std::vector<int> eliminated;
    int out;
};

TEST(PlayerWhoWentOut, TheFirstPlayerStillInTheMatchWithNoCards) {
    const OutCase kCases[] = {
        {"nobody", {}, {}, -1},
        {"seat 2", {2}, {}, 2},
        {"seats 1 and 3: the lower seat", {3, 1}, {}, 1},
        {"an eliminated empty hand does not count", {1, 3}, {1}, 3},
        {"only eliminated players are empty", {2}, {2}, -1},
        {"the human", {0, 2}, {}, 0},
    };
    for (const OutCase& c : kCases) {
        SCOPED_TRACE(c.name);
        Table t(GameVariant::PisYedili);
        Game& g = t.g;
        g.HandCount = {5, 5, 5, 5};
        for (int seat : c.empty)
            g.HandCount[seat] = 0;
        for (int seat : c.eliminated)
            g.Players[seat].Eliminated = true;
        EXPECT_EQ(PlayerWhoWentOut(g), c.out);
        EXPECT_EQ(AnyPlayerOut(g), c.out >= 0);
    }
}

}  // namespace
}  // namespace tarrabel::test
