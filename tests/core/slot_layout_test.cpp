// Where every seat's cards rest on the 800 x 600 table once a deal is set up, and where each
// seat's suit and pass announcements appear, for both heights of card picture.
#include <gtest/gtest.h>

#include <ostream>
#include <string_view>
#include <utility>

#include "core/layout.h"
#include "support/table_fixture.h"

namespace tarrabel::test {
namespace {

// Printed as "Tarrabel_Royal" and the like when a case fails.
struct Deal {
    GameVariant variant;
    std::string_view deck;
    int cardHeight;  // of that deck's pictures
};
std::ostream& operator<<(std::ostream& os, const Deal& d) {
    return os << NameOf(d.variant) << "_" << d.deck;
}

constexpr Deal kDeals[] = {
    {GameVariant::Tarrabel, "Royal", 151},
    {GameVariant::Tarrabel, "Roya2", 153},
    {GameVariant::HuitAmericain, "Royal", 151},
    {GameVariant::PisYedili, "Roya2", 153},
};

// A game of the variant played with the deck's pictures, its first deal set up.
void StartWithDeck(Table& t, const Deal& d) {
    GameOptions o = DefaultOptions(d.variant);
    o.DeckName = d.deck;
    GameInit(t.g, o, Services{&t.clock, &t.rng, &t.sound, &t.trace});
}

struct SlotSpot {
    int seat, slot;
    int x, y;
};

// Slots that lie the same in every game: the computer players' hands.
constexpr SlotSpot kComputerSpots[] = {
    // Seat 1, on the right: a fan down from (670, 170), 5 pixels a card.
    {1, 0, 670, 170},
    {1, 1, 670, 175},
    {1, 26, 670, 300},
    {1, 54, 670, 440},
    // Seat 2, at the top: a row right from (300, 5), 5 pixels a card.
    {2, 0, 300, 5},
    {2, 1, 305, 5},
    {2, 26, 430, 5},
    {2, 54, 570, 5},
    // Seat 3, on the left: a fan down from (5, 170).
    {3, 0, 5, 170},
    {3, 1, 5, 175},
    {3, 27, 5, 305},
    {3, 54, 5, 440},
};

// The human's row at y 420, 17 pixels a card: slots 0 to 26 to the right of slot 0, 27 and
// up on to the left of it. A slot whose card would stick out past an edge of the table rests
// in a second row 40 pixels higher (y 380): the left end from x 5 with slot 54 leftmost,
// the right end ending with slot 26 at 800 - 108 = 692.
constexpr SlotSpot kHumanSpotsFrom235[] = {
    {0, 0, 235, 420},  {0, 1, 252, 420},
    {0, 26, 677, 420},                    // 235 + 17 x 26: the card still ends inside, at 785
    {0, 27, 218, 420},                    // first slot left of slot 0
    {0, 28, 201, 420}, {0, 39, 14, 420},  // 235 - 17 x 13: the last that fits on the left
    {0, 40, 243, 380},                    // would be at -3: upper row, 14 cards right of slot 54
    {0, 53, 22, 380},  {0, 54, 5, 380},
};
// Tarrabel's hands are short, so its row starts further right, at 275.
constexpr SlotSpot kHumanSpotsFrom275[] = {
    {0, 0, 275, 420},  {0, 1, 292, 420}, {0, 24, 683, 420},  // 275 + 17 x 24, ends at 791
    {0, 25, 675, 380},                   // would end at 808: upper row, one card left of slot 26
    {0, 26, 692, 380},                   // flush with the right edge
    {0, 27, 258, 420}, {0, 42, 3, 420},  // 275 - 17 x 16
    {0, 43, 192, 380},                   // would be at -14: 11 cards right of slot 54
    {0, 54, 5, 380},
};

void ExpectRestsAt(const Game& g, const SlotSpot& s) {
    SCOPED_TRACE(testing::Message() << "seat " << s.seat << " slot " << s.slot);
    const CardRecord& c = g.Hands[s.seat][s.slot];
    EXPECT_EQ(std::pair(c.X, c.Y), std::pair(float(s.x), float(s.y)));
    // A card that comes back into the slot lands where it was laid out.
    EXPECT_EQ(std::pair(int(c.HomeX), int(c.HomeY)), std::pair(s.x, s.y));
}

TEST(SlotLayout, EverySeatsSlotsRestWhereTheDealLaysThemOut) {
    for (const Deal& d : kDeals) {
        SCOPED_TRACE(testing::Message() << d);
        Table t(d.variant);
        StartWithDeck(t, d);
        for (const SlotSpot& s : kComputerSpots)
            ExpectRestsAt(t.g, s);
        if (d.variant == GameVariant::Tarrabel)
            for (const SlotSpot& s : kHumanSpotsFrom275)
                ExpectRestsAt(t.g, s);
        else
            for (const SlotSpot& s : kHumanSpotsFrom235)
                ExpectRestsAt(t.g, s);
        // The human's cards are clicked on: each slot is as big as the deck's pictures.
        for (int slot : {0, 27, 54}) {
            const CardRecord& c = t.g.Hands[kHuman][slot];
            EXPECT_EQ(std::pair(int(c.SizeX), int(c.SizeY)), std::pair(108, d.cardHeight))
                << "slot " << slot;
        }
    }
}

struct BannerCase {
    Deal deal;
    int seat;
    int x, y;
};

// In front of each seat's cards: above the human's row, left of seat 1's fan, below seat 2's
// row (whose cards end at 5 + the card height), right of seat 3's fan.
TEST(SlotLayout, AnnouncementsAppearInFrontOfEachSeat) {
    const Deal kTarrabel = kDeals[0], kTarrabel2 = kDeals[1], kHuit = kDeals[2];
    const BannerCase kCases[] = {
        // Above the third card of the human's row, 45 pixels above its top (420 - 45).
        {kTarrabel, 0, 309, 375},  // 275 + 2 x 17
        {kHuit, 0, 269, 375},      // 235 + 2 x 17
        // 190 left of seat 1's fan (670 - 190), 45 below its top (170 + 45).
        {kTarrabel, 1, 480, 215},
        {kHuit, 1, 480, 215},
        // Under seat 2's fifth card (300 + 4 x 5), 5 pixels below the cards.
        {kTarrabel, 2, 320, 161},   // 5 + 151 + 5
        {kTarrabel2, 2, 320, 163},  // 5 + 153 + 5
        // Seat 3: 5 + 2 x 5 + 130, level with seat 1's.
        {kTarrabel, 3, 145, 215},
        {kHuit, 3, 145, 215},
    };
    for (const BannerCase& c : kCases) {
        SCOPED_TRACE(testing::Message() << c.deal << " seat " << c.seat);
        Table t(c.deal.variant);
        StartWithDeck(t, c.deal);
        const BannerSpot spot = BannerSpotOf(t.g.Layout, c.seat);
        EXPECT_EQ(std::pair(int(spot.X), int(spot.Y)), std::pair(c.x, c.y));
    }
}

}  // namespace
}  // namespace tarrabel::test
