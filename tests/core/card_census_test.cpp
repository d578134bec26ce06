// The one promise every frame keeps, checked: a fresh deal and one with a card in flight
// pass, and each way a card can be lost, doubled or misplaced is caught and named.
#include "core/card_census.h"

#include <gtest/gtest.h>

#include <ostream>
#include <string>

#include "core/turns.h"
#include "support/table_driver.h"

namespace tarrabel::test {
namespace {

// A table in the middle of the dealing: cards in hands, one in flight, the rest in the deck.
void MidDeal(Table& t) {
    ASSERT_TRUE(StepUntil(t, [&] { return t.g.TotalDealt == 9 && AnyCardMoving(t.g); }));
}

TEST(CardCheck, AFreshDealAndOneInFlightPass) {
    Table t;
    std::string why;
    EXPECT_TRUE(t.CardsAllAccountedFor(&why)) << why;
    MidDeal(t);
    EXPECT_TRUE(t.CardsAllAccountedFor(&why)) << why;
}

struct BreakCase {
    const char* name;
    void (*spoil)(Game&);
    const char* message;
};
void PrintTo(const BreakCase& c, std::ostream* os) {
    *os << c.name;
}

class CardCheck : public ::testing::TestWithParam<BreakCase> {};

TEST_P(CardCheck, CatchesTheFault) {
    Table t;
    MidDeal(t);
    GetParam().spoil(t.g);
    std::string why;
    EXPECT_FALSE(t.CardsAllAccountedFor(&why));
    EXPECT_NE(why.find(GetParam().message), std::string::npos) << why;
}

INSTANTIATE_TEST_SUITE_P(
    Faults, CardCheck,
    ::testing::Values(
        BreakCase{"LostFromAHand",
                  [](Game& g) {
                      g.Hands[g.SeatOrder[0]][2].Shown = false;
                      --g.HandCount[g.SeatOrder[0]];
                  },
                  "is lost"},
        BreakCase{"DoubledInAHand",
                  [](Game& g) {
                      const int seat = g.SeatOrder[0];
                      CardRecord& extra = g.Hands[seat][g.HandCount[seat]];
                      extra.CardIndex = g.Hands[seat][0].CardIndex;
                      extra.Shown = true;
                      ++g.HandCount[seat];
                  },
                  "is in two places"},
        BreakCase{"CopiedFromTheDeckIntoAHand",
                  [](Game& g) {
                      const int seat = g.SeatOrder[0];
                      CardRecord& extra = g.Hands[seat][g.HandCount[seat]];
                      extra.CardIndex = g.DeckOrder[g.Rules.DeckSize - 1];
                      extra.Shown = true;
                      ++g.HandCount[seat];
                  },
                  "is in two places"},
        BreakCase{"InFlightAndLanded",
                  [](Game& g) {
                      const int seat = g.DealReceiver;
                      CardRecord& c = g.Hands[seat][g.HandCount[seat]];
                      c.CardIndex = g.Deck[g.DeckPos - 1].CardIndex;
                      c.Shown = true;
                      ++g.HandCount[seat];
                  },
                  "is in two places"},
        BreakCase{"HandCountDisagrees", [](Game& g) { ++g.HandCount[g.SeatOrder[0]]; }, "counts"},
        BreakCase{"DeckRecordDisagrees",
                  [](Game& g) { g.Deck[g.DeckPos + 1].CardIndex = g.DeckOrder[g.DeckPos + 2]; },
                  "disagrees with DeckOrder"},
        BreakCase{"OutsideTheDeck",
                  [](Game& g) { g.Hands[g.SeatOrder[0]][0].CardIndex = int16_t(g.Rules.DeckSize); },
                  "outside the deck"}),
    [](const ::testing::TestParamInfo<BreakCase>& info) { return std::string(info.param.name); });

// Only the first PileCount pile records are cards; what lies beyond is left over.
TEST(CardCheck, RecordsPastThePileCountAreNotCards) {
    Table t;
    MidDeal(t);
    t.g.Pile[0].CardIndex = 0;  // not on the pile: PileCount is 0
    std::string why;
    EXPECT_TRUE(t.CardsAllAccountedFor(&why)) << "records past PileCount are not cards";
}

}  // namespace
}  // namespace tarrabel::test
