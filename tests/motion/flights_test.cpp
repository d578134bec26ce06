// Card flights: straight lines in a fixed number of frames, the arrival tolerance, where
// played and starter cards land, and launches refused while another card flies.
#include "motion/flights.h"

#include <cmath>
#include <sstream>
#include <string>
#include <vector>

#include "support/table_driver.h"

namespace tarrabel::test {
namespace {

// Steps a card until it arrives; answers the number of steps (or limit + 1).
int StepsToArrive(const Game& g, CardRecord& card, int limit = 200) {
    for (int n = 1; n <= limit; ++n) {
        AdvanceCard(card);
        if (HasArrived(g, card)) return n;
    }
    return limit + 1;
}

CardRecord CardAt(float x, float y) {
    CardRecord c;
    c.X = x;
    c.Y = y;
    return c;
}

struct SpeedCase {
    bool slow;
    int frames;        // an ordinary flight
    int returnFrames;  // the pile back to the deck, a move within the hand
};

class FlightSpeed : public ::testing::TestWithParam<SpeedCase> {};

TEST_P(FlightSpeed, AcrossTheTableTakesFlightFrames) {
    Table t;
    if (GetParam().slow) UseSlowAnimation(t);
    EXPECT_EQ(t.g.Layout.FlightFrames, GetParam().frames);
    EXPECT_EQ(t.g.Layout.ReturnFlightFrames, GetParam().returnFrames);
    t.g.State = GameState::NormalPlay;
    // Corner to corner, both ways.
    for (auto [from, to] : {std::pair{CardAt(5, 4), std::pair{670, 420}},
                            std::pair{CardAt(670, 420), std::pair{5, 4}}}) {
        CardRecord c = from;
        StartCardFlight(t.g, c, to.first, to.second);
        EXPECT_EQ(StepsToArrive(t.g, c), GetParam().frames);
        EXPECT_NEAR(c.X, to.first, 0.01);
        EXPECT_NEAR(c.Y, to.second, 0.01);
    }
}

TEST_P(FlightSpeed, ADealtCardLandsOnTheLastFrameOfItsFlight) {
    Table t(GameVariant::Agonia);
    if (GetParam().slow) UseSlowAnimation(t);
    // Every dealt card: a launch frame, then the flight.
    int frames = 0;
    for (int n = 1; n <= 8; ++n) {
        const int before = frames;
        while (CountOf(t, TraceKind::Dealt) < n && frames < 10000) {
            Step(t);
            ++frames;
        }
        EXPECT_EQ(frames - before, GetParam().frames + 1) << "card " << n;
    }
}

TEST_P(FlightSpeed, ThePileFliesBackInReturnFlightFrames) {
    Table t;
    if (GetParam().slow) UseSlowAnimation(t);
    t.ClearTable();
    t.SetPile({CardOf(3, kClubs), CardOf(4, kClubs), CardOf(5, kClubs)});
    for (int i = 0; i < t.g.PileCount; ++i) {
        t.g.Pile[i].X = float(t.g.Layout.PileX + 3 * i);
        t.g.Pile[i].Y = float(t.g.Layout.PileY + 2 * i);
    }
    LayoutDeckStack(t.g);
    t.g.State = GameState::RebuildingDeck;
    ASSERT_EQ(StartPileReturnFlight(t.g), 2);
    // They fly to the deck's first record, where the fanned deck put it at the deal: the
    // next card to draw lies rightmost, at (13, 5).
    for (int i = 0; i < 2; ++i) {
        CardRecord& c = t.g.ReturnCards[i];
        EXPECT_EQ(c.TargetX, 13);
        EXPECT_EQ(c.TargetY, 5);
        EXPECT_EQ(StepsToArrive(t.g, c), GetParam().returnFrames);
    }
}

INSTANTIATE_TEST_SUITE_P(Animation, FlightSpeed,
                         ::testing::Values(SpeedCase{false, 10, 20}, SpeedCase{true, 20, 40}),
                         [](const auto& info) {
                             return std::string(info.param.slow ? "Slow" : "Normal");
                         });

TEST(Flight, TheCardDoesNotMoveInTheFrameOfItsLaunch) {
    Table t;
    CardRecord c = CardAt(100, 100);
    StartCardFlight(t.g, c, 300, 50);
    EXPECT_TRUE(c.Moving);
    EXPECT_EQ(c.X, 100);
    EXPECT_EQ(c.Y, 100);
    EXPECT_EQ(c.DirX, 1);
    EXPECT_EQ(c.DirY, -1);
    EXPECT_FLOAT_EQ(c.StepX, 20);
    EXPECT_FLOAT_EQ(c.StepY, 5);
}

TEST(Flight, AnAxisWithNoDistanceStaysPut) {
    Table t;
    CardRecord c = CardAt(100, 100);
    StartCardFlight(t.g, c, 100, 400);
    EXPECT_EQ(c.DirX, 0);
    EXPECT_EQ(c.StepX, 0);
    EXPECT_EQ(c.DirY, 1);
    for (int i = 0; i < 10; ++i) {
        AdvanceCard(c);
        EXPECT_EQ(c.X, 100);
    }
    EXPECT_NEAR(c.Y, 400, 0.01);
}

struct ArrivalCase {
    float dx, dy;  // card minus target
    bool arrived;
};

class Arrival : public ::testing::TestWithParam<ArrivalCase> {};

// "-8.25" becomes "Minus8Point25" for the test name.
std::string OffsetName(float v) {
    std::ostringstream text;
    text << v;
    std::string name;
    for (char c : text.str())
        name += c == '-'   ? std::string("Minus")
                : c == '.' ? std::string("Point")
                           : std::string(1, c);
    return name;
}

TEST_P(Arrival, WithinEightPixelsOnBothAxes) {
    Table t;
    CardRecord c = CardAt(200 + GetParam().dx, 300 + GetParam().dy);
    c.TargetX = 200;
    c.TargetY = 300;
    EXPECT_EQ(HasArrived(t.g, c), GetParam().arrived);
}

INSTANTIATE_TEST_SUITE_P(Distances, Arrival,
                         ::testing::Values(ArrivalCase{0, 0, true}, ArrivalCase{8, 8, true},
                                           ArrivalCase{-8, -8, true}, ArrivalCase{8, -8, true},
                                           ArrivalCase{8.5f, 0, false},
                                           ArrivalCase{0, -8.25f, false}, ArrivalCase{9, 9, false},
                                           ArrivalCase{-7.9f, 100, false}),
                         [](const auto& info) {
                             const ArrivalCase& c = info.param;
                             return "Off" + OffsetName(c.dx) + "By" + OffsetName(c.dy) +
                                    (c.arrived ? "_Arrives" : "_FliesOn");
                         });

// A short flight ends early, as soon as it is within the tolerance, and the card rests
// where it is rather than at the target.
TEST(Flight, AShortFlightStopsWithinTheToleranceEarly) {
    Table t;
    t.g.State = GameState::NormalPlay;
    CardRecord c = CardAt(100, 100);
    StartCardFlight(t.g, c, 130, 100);  // 3 pixels a frame
    EXPECT_EQ(StepsToArrive(t.g, c), 8);
    EXPECT_NEAR(c.X, 124, 0.01);
}

TEST(Flight, ACardSentToItsOwnPlaceArrivesAtOnce) {
    Table t;
    CardRecord c = CardAt(100, 100);
    StartCardFlight(t.g, c, 100, 100);
    EXPECT_EQ(StepsToArrive(t.g, c), 1);
}

// ---- launches ---------------------------------------------------------------------------------

bool IsFlip(SoundId id) {
    return id == SoundId::CardFlip1 || id == SoundId::CardFlip2 || id == SoundId::CardFlip3;
}

TEST(Launch, ASecondLaunchWhileACardFliesIsIgnoredAndSilent) {
    Table t;
    t.ClearTable();
    t.SetPile({CardOf(5, kClubs)});
    t.GiveHand(0, {CardOf(6, kClubs)});
    t.GiveHand(1, {CardOf(7, kClubs)});
    t.g.State = GameState::NormalPlay;
    t.sound.played.clear();
    ASSERT_TRUE(FlyPlayedCardToPile(t.g, t.g.Hands[1][0]));
    ASSERT_EQ(t.sound.played.size(), 1u);
    EXPECT_TRUE(IsFlip(t.sound.played[0]));

    CardRecord& other = t.g.Hands[0][0];
    const CardRecord before = other;
    t.g.ClickedCard = 0;
    EXPECT_FALSE(FlyPlayedCardToPile(t.g, other));
    EXPECT_EQ(t.g.ClickedCard, 0) << "a refused launch leaves the click alone";
    EXPECT_FALSE(FlyCardIfIdle(t.g, other, 10, 10));
    EXPECT_FALSE(FlyCardToSeat(t.g, t.g.Deck[t.g.DeckPos], 2));
    EXPECT_FALSE(FlyCardToDeck(t.g, other));
    EXPECT_FALSE(FlyStarterCardToPile(t.g, t.g.Deck[t.g.DeckPos]));
    EXPECT_FALSE(other.Moving);
    EXPECT_FALSE(t.g.Deck[t.g.DeckPos].Moving);
    EXPECT_EQ(other.X, before.X);
    EXPECT_EQ(t.sound.played.size(), 1u) << "no sound for a refused launch";
}

struct ScatterCase {
    const char* name;
    int offsetX, offsetY;  // the scatter drawn: Int(Rnd * range) on each axis
    int x, y;              // where the card is aimed
};

// A played card: the flip sound is drawn first (one of three), then the scatter, 0 to 19
// pixels right and 0 to 15 down from the centre (355, 203).
TEST(Launch, APlayedCardLandsWithinItsScatterOfTheCentre) {
    constexpr ScatterCase kCases[] = {
        {"no scatter", 0, 0, 355, 203},
        {"farthest right, not down", 19, 0, 374, 203},
        {"a little right, far down", 3, 12, 358, 215},
        {"the farthest corner", 19, 15, 374, 218},
    };
    for (const ScatterCase& s : kCases) {
        SCOPED_TRACE(s.name);
        Table t;
        ScriptedRandom rng({{2, 3}, {s.offsetX, 20}, {s.offsetY, 16}});
        t.g.io.Rng = &rng;
        t.g.State = GameState::NormalPlay;
        t.g.CurrentPlayer = 2;
        CardRecord& c = t.g.Hands[2][0];
        c.Shown = true;
        t.sound.played.clear();
        ASSERT_TRUE(FlyPlayedCardToPile(t.g, c));
        EXPECT_EQ(c.TargetX, s.x);
        EXPECT_EQ(c.TargetY, s.y);
        EXPECT_EQ(rng.Used(), 3u);
        EXPECT_EQ(t.sound.played, std::vector<SoundId>{SoundId::CardFlip3});
        EXPECT_EQ(c.PileSlot, 2);
        EXPECT_TRUE(t.g.TableSlot[2].Occupied);
        EXPECT_FALSE(c.FaceUp) << "the caller turns the card";
    }
}

// The starter: the scatter is drawn first, 0 to 11 pixels right and 0 to 7 down, then the
// flip sound.
TEST(Launch, TheStarterLandsWithinItsScatterFaceUp) {
    constexpr ScatterCase kCases[] = {
        {"no scatter", 0, 0, 355, 203},
        {"a little right, far down", 2, 6, 357, 209},
        {"the farthest corner", 11, 7, 366, 210},
    };
    for (const ScatterCase& s : kCases) {
        SCOPED_TRACE(s.name);
        Table t;
        ScriptedRandom rng({{s.offsetX, 12}, {s.offsetY, 8}, {1, 3}});
        t.g.io.Rng = &rng;
        t.g.State = GameState::TurningStarter;
        CardRecord& c = t.g.Deck[t.g.DeckPos];
        t.sound.played.clear();
        ASSERT_TRUE(FlyStarterCardToPile(t.g, c));
        EXPECT_EQ(c.TargetX, s.x);
        EXPECT_EQ(c.TargetY, s.y);
        EXPECT_TRUE(c.FaceUp);
        EXPECT_EQ(t.sound.played, std::vector<SoundId>{SoundId::CardFlip2});
    }
}

// Each seat already holds two cards: the third goes to slot 2 of its hand, at the slot's
// place on the table (Tarrabel's row starts at x 275; side fans step 5 pixels a slot).
TEST(Launch, ToASeatAimsAtItsNextFreeSlotFaceUpOnlyForTheHuman) {
    struct SeatTarget {
        int seat, x, y;
    };
    constexpr SeatTarget kTargets[] = {{0, 309, 420}, {1, 670, 180}, {2, 310, 5}, {3, 5, 180}};
    for (const SeatTarget& s : kTargets) {
        SCOPED_TRACE(s.seat);
        Table t;
        t.ClearTable();
        t.GiveHand(s.seat, {CardOf(3, kClubs), CardOf(4, kClubs)});
        CardRecord& c = t.g.Deck[t.g.DeckPos];
        ASSERT_TRUE(FlyCardToSeat(t.g, c, s.seat));
        EXPECT_EQ(c.TargetX, s.x);
        EXPECT_EQ(c.TargetY, s.y);
        EXPECT_EQ(c.FaceUp, s.seat == kHuman);
    }
}

TEST(Launch, BackToTheDeckFaceDown) {
    Table t;
    CardRecord c = CardAt(355, 203);
    c.FaceUp = true;
    ASSERT_TRUE(FlyCardToDeck(t.g, c));
    EXPECT_EQ(c.TargetX, 5);
    EXPECT_EQ(c.TargetY, 4);
    EXPECT_FALSE(c.FaceUp);
}

// The ten cards under the top of the pile fly back (fewer when the pile is smaller); the
// top card stays; one flip sound for the lot.
TEST(Launch, ThePileReturnCarriesUpToTenCardsUnderTheTop) {
    for (int pileSize : {1, 2, 5, 11, 15}) {
        SCOPED_TRACE(pileSize);
        Table t;
        t.ClearTable();
        for (int i = 0; i < pileSize; ++i)
            t.SetPile({int16_t(i)});
        t.sound.played.clear();
        const int launched = StartPileReturnFlight(t.g);
        EXPECT_EQ(launched, std::min(pileSize - 1, 10));
        for (int k = 0; k < launched; ++k) {
            const CardRecord& c = t.g.ReturnCards[k];
            EXPECT_EQ(c.CardIndex, pileSize - 2 - k) << "from the card under the top down";
            EXPECT_TRUE(c.Moving && c.Shown && c.FaceUp);
        }
        EXPECT_FALSE(t.g.ReturnCards[launched].Moving);
        EXPECT_EQ(t.g.PileCount, pileSize);
        ASSERT_EQ(t.sound.played.size(), 1u);
        EXPECT_TRUE(IsFlip(t.sound.played[0]));
    }
}

// Through the state machine: the deck rebuilt from the pile keeps the top card and loses
// none.
TEST(Launch, RecreatingTheDeckKeepsEveryCard) {
    Table t;
    t.ClearTable();
    for (int i = 0; i < 14; ++i)
        t.SetPile({int16_t(i)});
    t.GiveHand(1, {CardOf(13, kHearts)});
    EmptyDeckInto(t, 2);
    LayoutDeckStack(t.g);
    t.g.State = GameState::RebuildingDeck;
    t.g.StateBeforeRebuild = GameState::DrawingForWant;
    ASSERT_TRUE(StepUntil(
        t, [&] { return CountOf(t, TraceKind::Rebuild) == 1; }, 100));
    EXPECT_EQ(t.g.PileCount, 1);
    EXPECT_EQ(t.g.Pile[0].CardIndex, 13);
    EXPECT_EQ(t.g.DeckPos, 52 - 13);
    for (int i = 0; i < kReturnFlying; ++i)
        EXPECT_FALSE(t.g.ReturnCards[i].Moving);
    std::string why;
    EXPECT_TRUE(t.CardsAllAccountedFor(&why)) << why;
}

}  // namespace
}  // namespace tarrabel::test
