// Card flights: straight lines in a fixed number of frames, the arrival tolerance, where
// played and starter cards land, and launches refused while another card flies.
#include "presentation/flights.h"

#include <cmath>
#include <deque>
#include <sstream>
#include <string>

#include "session/table_driver.h"

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

// A generator that answers the values it is given, then zeros.
class ScriptedRandom final : public Random {
  public:
    explicit ScriptedRandom(std::initializer_list<double> v) : values_(v) {}
    double Next() override {
        if (values_.empty()) return 0.0;
        const double v = values_.front();
        values_.pop_front();
        return v;
    }

  private:
    std::deque<double> values_;
};

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
    t.g.State = GameState::RecreateDeck;
    ASSERT_EQ(StartPileReturnFlight(t.g), 2);
    for (int i = 0; i < 2; ++i) {
        CardRecord& c = t.g.ReturnCards[i];
        EXPECT_EQ(c.TargetX, t.g.Deck[0].HomeX);
        EXPECT_EQ(c.TargetY, t.g.Deck[0].HomeY);
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

TEST(Launch, APlayedCardLandsWithinItsScatterOfTheCentre) {
    for (double r : {0.0, 0.5, 0.999999}) {
        Table t;
        ScriptedRandom rng{r, r, r};
        t.g.io.rng = &rng;
        t.g.State = GameState::NormalPlay;
        t.g.CurrentPlayer = 2;
        CardRecord& c = t.g.Hands[2][0];
        c.Shown = true;
        ASSERT_TRUE(FlyPlayedCardToPile(t.g, c));
        EXPECT_EQ(c.TargetX, 355 + int(20 * r));
        EXPECT_EQ(c.TargetY, 203 + int(16 * r));
        EXPECT_EQ(c.PileSlot, 2);
        EXPECT_TRUE(t.g.TableSlot[2].Occupied);
        EXPECT_FALSE(c.FaceUp) << "the caller turns the card";
    }
}

TEST(Launch, TheStarterLandsWithinItsScatterFaceUp) {
    for (double r : {0.0, 0.999999}) {
        Table t;
        ScriptedRandom rng{r, r, r};
        t.g.io.rng = &rng;
        t.g.State = GameState::Deal4;
        CardRecord& c = t.g.Deck[t.g.DeckPos];
        ASSERT_TRUE(FlyStarterCardToPile(t.g, c));
        EXPECT_EQ(c.TargetX, 355 + int(12 * r));
        EXPECT_EQ(c.TargetY, 203 + int(8 * r));
        EXPECT_TRUE(c.FaceUp);
        EXPECT_EQ(t.sound.played.size(), 2u);  // the shuffle, then the flip
    }
}

TEST(Launch, ToASeatAimsAtItsNextFreeSlotFaceUpOnlyForTheHuman) {
    for (int seat = 0; seat < kSeats; ++seat) {
        Table t;
        t.ClearTable();
        t.GiveHand(seat, {CardOf(3, kClubs), CardOf(4, kClubs)});
        CardRecord& c = t.g.Deck[t.g.DeckPos];
        ASSERT_TRUE(FlyCardToSeat(t.g, c, seat));
        EXPECT_EQ(c.TargetX, t.g.Hands[seat][2].X);
        EXPECT_EQ(c.TargetY, t.g.Hands[seat][2].Y);
        EXPECT_EQ(c.FaceUp, seat == kHuman);
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
    t.g.State = GameState::RecreateDeck;
    t.g.StateBeforeRecreate = GameState::DealOne;
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
