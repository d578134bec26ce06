// The table layout: every slot of the human's hand on the 800 x 600 table, the order the
// table draws them in, and the clock.
#include "core/layout.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <set>
#include <string>
#include <utility>
#include <vector>

#include "core/hand_layout.h"
#include "support/table_fixture.h"

namespace tarrabel::test {
namespace {

constexpr int kTableWidth = 800, kTableHeight = 600;
constexpr int kCardWidth = 108;

struct HandLayoutCase {
    GameVariant variant;
    std::string_view deck;
    int handLeft;    // where slot 0 lies
    int cardHeight;  // of the deck's pictures
    // The last slots of the row at y 420 on each side of slot 0: up from slot 0 on the
    // right, up from slot 27 on the left. The slots past them would stick out of the table.
    int lastRight, lastLeft;
};

TableLayout LayoutOf(const HandLayoutCase& c) {
    GameOptions o = DefaultOptions(c.variant);
    o.DeckName = c.deck;
    return SetTableLayout(o);
}

class HumanHand : public ::testing::TestWithParam<HandLayoutCase> {};

TEST_P(HumanHand, TheCaseDescribesTheLayout) {
    const TableLayout l = LayoutOf(GetParam());
    EXPECT_EQ(l.HumanHandLeft, GetParam().handLeft);
    EXPECT_EQ(l.CardHeight, GetParam().cardHeight);
    EXPECT_EQ(l.CardWidth, kCardWidth);
}

// A card is drawn only when its whole picture is on the table; a slot that is not could
// neither be seen nor clicked.
TEST_P(HumanHand, EverySlotLiesWhollyOnTheTable) {
    const TableLayout l = LayoutOf(GetParam());
    for (int s = 0; s < kHandSlots; ++s) {
        const SlotPosition p = HumanSlotPosition(l, s);
        EXPECT_GE(p.X, 0) << "slot " << s;
        EXPECT_LE(p.X + kCardWidth, kTableWidth) << "slot " << s;
        EXPECT_GE(p.Y, 0) << "slot " << s;
        EXPECT_LE(p.Y + GetParam().cardHeight, kTableHeight) << "slot " << s;
    }
}

TEST_P(HumanHand, NoTwoSlotsShareAPlace) {
    const TableLayout l = LayoutOf(GetParam());
    std::set<std::pair<int, int>> seen;
    for (int s = 0; s < kHandSlots; ++s) {
        const SlotPosition p = HumanSlotPosition(l, s);
        EXPECT_TRUE(seen.insert({p.X, p.Y}).second) << "slot " << s << " at " << p.X << ", " << p.Y;
    }
}

// Slots 0 to 26 fan right from the hand's left point, 27 and up carry on left of slot 0,
// 17 pixels apart, on the row at y 420; every slot whose place there is on the table keeps
// it, the others go up to the row at y 380. From 235: slot 26 still fits (it ends at 785),
// slot 39 starts at 235 - 17 x 13 = 14 and 40 would start at -3. From 275: slot 25 would end
// at 808, slot 42 starts at 3 and 43 would start at -14. (Where each slot lies is pinned in
// slot_layout_test.cpp.)
TEST_P(HumanHand, SlotsThatFitKeepTheirPlaceInTheRow) {
    const HandLayoutCase& c = GetParam();
    const TableLayout l = LayoutOf(c);
    for (int s = 0; s < kHandSlots; ++s) {
        const bool fits = s <= c.lastRight || (s >= 27 && s <= c.lastLeft);
        EXPECT_EQ(HumanSlotPosition(l, s).Y, fits ? 420 : 380) << "slot " << s;
    }
}

TEST_P(HumanHand, TheDrawingOrderHoldsEverySlotOnce) {
    const TableLayout l = LayoutOf(GetParam());
    std::vector<int> order(l.HumanDrawOrder.begin(), l.HumanDrawOrder.end());
    std::sort(order.begin(), order.end());
    for (int s = 0; s < kHandSlots; ++s)
        EXPECT_EQ(order[s], s);
}

INSTANTIATE_TEST_SUITE_P(
    Tables, HumanHand,
    ::testing::Values(HandLayoutCase{GameVariant::Tarrabel, "Royal", 275, 151, 24, 42},
                      HandLayoutCase{GameVariant::Tarrabel, "Roya2", 275, 153, 24, 42},
                      HandLayoutCase{GameVariant::Agonia, "Royal", 235, 151, 26, 39},
                      HandLayoutCase{GameVariant::PisYedili, "Roya3", 235, 153, 26, 39}),
    [](const auto& info) {
        return NameOf(info.param.variant) + "_" + std::string(info.param.deck);
    });

// The ends of a full hand that would leave the table: a second row 40 pixels above the
// main one, so that each card's top strip with its corner index shows. The left end reads
// 54, 53, ... from x 5; the right end finishes with slot 26 flush with the right edge.
TEST(HumanHandEnds, SitInTheRowAboveInReadingOrder) {
    struct Spot {
        GameVariant variant;
        int slot, x, y;
    };
    const Spot kSpots[] = {
        // Tarrabel's hand starts at 275: 25 and 26 stick out right, 43 to 54 left.
        {GameVariant::Tarrabel, 24, 683, 420},
        {GameVariant::Tarrabel, 25, 675, 380},
        {GameVariant::Tarrabel, 26, 692, 380},
        {GameVariant::Tarrabel, 42, 3, 420},
        {GameVariant::Tarrabel, 43, 192, 380},
        {GameVariant::Tarrabel, 53, 22, 380},
        {GameVariant::Tarrabel, 54, 5, 380},
        // The other games start at 235: slot 26 still fits, 40 to 54 stick out left.
        {GameVariant::Agonia, 26, 677, 420},
        {GameVariant::Agonia, 39, 14, 420},
        {GameVariant::Agonia, 40, 243, 380},
        {GameVariant::Agonia, 54, 5, 380},
    };
    for (const Spot& spot : kSpots) {
        const SlotPosition p =
            HumanSlotPosition(SetTableLayout(DefaultOptions(spot.variant)), spot.slot);
        EXPECT_EQ(std::pair(int(p.X), int(p.Y)), std::pair(spot.x, spot.y))
            << NameOf(spot.variant) << " slot " << spot.slot;
    }
}

// Bottom first: the right end of the upper row under everything (the main row covers all
// of it but the top strip), then 54 down to 27 and 0 up to 26, each card over its left
// neighbour.
TEST(HumanHandEnds, TheDrawingOrderPutsEachCardOverItsLeftNeighbour) {
    std::vector<int> plain, tarrabel{25, 26};
    for (int s = 54; s >= 27; --s) {
        plain.push_back(s);
        tarrabel.push_back(s);
    }
    for (int s = 0; s <= 26; ++s) {
        plain.push_back(s);
        if (s <= 24) tarrabel.push_back(s);
    }
    const auto orderOf = [](GameVariant v) {
        const TableLayout l = SetTableLayout(DefaultOptions(v));
        return std::vector<int>(l.HumanDrawOrder.begin(), l.HumanDrawOrder.end());
    };
    EXPECT_EQ(orderOf(GameVariant::Tarrabel), tarrabel);
    EXPECT_EQ(orderOf(GameVariant::HuitAmericain), plain);
    // A layout that no options have touched yet has its order too.
    const TableLayout fresh;
    EXPECT_EQ(std::vector<int>(fresh.HumanDrawOrder.begin(), fresh.HumanDrawOrder.end()), plain);
}

// "hh:mm AM" is eight characters of the digit font: seven 17-pixel advances and a last
// 19-pixel cell.
TEST(Clock, TheWholeTextLiesOnTheTable) {
    const TableLayout l = SetTableLayout(DefaultOptions(GameVariant::Tarrabel));
    constexpr int kClockTextWidth = 7 * 17 + 19;
    EXPECT_GE(l.ClockX, 0);
    EXPECT_LE(l.ClockX + kClockTextWidth, kTableWidth);
    EXPECT_GE(l.ClockY, 0);
    EXPECT_LT(l.ClockY, kTableHeight);
}

}  // namespace
}  // namespace tarrabel::test
