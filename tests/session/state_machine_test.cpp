// The state machine that drives a deal: dealing, the starter card, turns, automatic draws
// and passes, timed pauses, the suit announcement, and what happens when no card can be
// drawn.
#include "session/state_machine.h"

#include <algorithm>
#include <climits>
#include <ostream>
#include <string>
#include <vector>

#include "ai/computer_player.h"
#include "core/deal_flow.h"
#include "support/table_driver.h"

namespace tarrabel::test {
namespace {

// ---- dealing ---------------------------------------------------------------------------

enum class Direction { AsTheGameStarts, Forward, Reversed };

struct DealCase {
    GameVariant variant;
    Direction direction;
    int eliminated;  // a seat out of the match, or -1
    int start;       // the starting player
    int handSize;
    std::vector<int> seats;  // in the order they are dealt to
    GameState after;         // once every hand is dealt
};

std::string DealName(const DealCase& c) {
    std::string name = NameOf(c.variant) + "_From" + std::to_string(c.start);
    if (c.direction == Direction::Forward) name += "_Forward";
    if (c.direction == Direction::Reversed) name += "_Reversed";
    if (c.eliminated >= 0) name += "_Seat" + std::to_string(c.eliminated) + "Out";
    return name;
}
void PrintTo(const DealCase& c, std::ostream* os) {
    *os << DealName(c);
}

class Dealing : public ::testing::TestWithParam<DealCase> {};

// Each seat still in the match receives its whole hand in one run, the next run of the
// deck, in turn order from the starting player: up the seat numbers, or down them when the
// turns go reversed. Every card joins the hand of the seat it flew to (the last card of a
// run too, although the dealing loop has already moved on to the next seat when it lands),
// face up only in the human's hand.
TEST_P(Dealing, EachSeatGetsTheNextRunOfTheDeckInTurnOrder) {
    const DealCase& c = GetParam();
    Table t(c.variant, 11);
    Game& g = t.g;
    if (c.eliminated >= 0) g.Players[c.eliminated].Eliminated = true;
    // A later deal starts one seat further down from the last starting player.
    g.StartingPlayer = int16_t((c.start + 1) % kSeats);
    SetUpDeal(g);
    ASSERT_EQ(g.StartingPlayer, c.start);
    if (c.direction != Direction::AsTheGameStarts)
        g.DirectionReversed = c.direction == Direction::Reversed;
    t.trace.events.clear();
    ASSERT_TRUE(StepUntil(t, [&] { return g.State != GameState::DealingCards; }));

    const int h = c.handSize;
    const int players = int(c.seats.size());
    EXPECT_EQ(g.PlayerCount, players);
    EXPECT_EQ(g.TotalDealt, h * players);
    EXPECT_EQ(g.DeckPos, h * players);
    EXPECT_EQ(StateName(g.State), StateName(c.after));
    EXPECT_EQ(g.PileCount, 0);
    for (int seat = 0; seat < kSeats; ++seat) {
        SCOPED_TRACE("seat " + std::to_string(seat));
        const auto run = std::find(c.seats.begin(), c.seats.end(), seat);
        if (run == c.seats.end()) {
            EXPECT_EQ(g.HandCount[seat], 0);
            for (int s = 0; s < kHandSlots; ++s)
                EXPECT_FALSE(g.Hands[seat][s].Shown) << "slot " << s;
            continue;
        }
        const int first = h * int(run - c.seats.begin());
        EXPECT_EQ(g.HandCount[seat], h);
        for (int s = 0; s < kHandSlots; ++s) {
            const CardRecord& card = g.Hands[seat][s];
            ASSERT_EQ(card.Shown, s < h) << "slot " << s;
            if (!card.Shown) continue;
            EXPECT_EQ(card.CardIndex, g.DeckOrder[first + s]) << "slot " << s;
            EXPECT_EQ(card.FaceUp, seat == kHuman) << "slot " << s;
        }
    }
    const std::vector<TraceEvent> dealt = EventsOf(t, TraceKind::Dealt);
    ASSERT_EQ(int(dealt.size()), h * players);
    for (int i = 0; i < h * players; ++i) {
        EXPECT_EQ(dealt[i].Seat, c.seats[i / h]) << "card " << i;
        EXPECT_EQ(dealt[i].Slot, i % h) << "card " << i;
        EXPECT_EQ(dealt[i].Card, g.DeckOrder[i]) << "card " << i;
    }
    std::string why;
    EXPECT_TRUE(t.CardsAllAccountedFor(&why)) << why;
}

// Tarrabel, Huit Americain and Pis Yedili start with the turns reversed, the Agonias do not.
using D = Direction;
constexpr GameVariant T = GameVariant::Tarrabel, H = GameVariant::HuitAmericain,
                      A = GameVariant::Agonia, I = GameVariant::IllustratedAgonia,
                      P = GameVariant::PisYedili;
constexpr GameState kStarter = GameState::TurningStarter, kPlay = GameState::NormalPlay;
// clang-format off
INSTANTIATE_TEST_SUITE_P(Variants, Dealing, ::testing::Values(
    //      game  direction             out  start  hand  seats dealt to  then
    DealCase{T,   D::AsTheGameStarts,   -1,  2,     5,    {2, 1, 0, 3},   kStarter},
    DealCase{H,   D::AsTheGameStarts,   -1,  0,     8,    {0, 3, 2, 1},   kStarter},
    DealCase{H,   D::Forward,           -1,  3,     8,    {3, 0, 1, 2},   kStarter},
    DealCase{A,   D::AsTheGameStarts,   -1,  1,     7,    {1, 2, 3, 0},   kStarter},
    DealCase{I,   D::AsTheGameStarts,   -1,  3,     7,    {3, 0, 1, 2},   kStarter},
    DealCase{I,   D::Reversed,          -1,  1,     7,    {1, 0, 3, 2},   kStarter},
    DealCase{P,   D::AsTheGameStarts,   -1,  0,     7,    {0, 3, 2, 1},   kPlay},
    DealCase{P,   D::Reversed,           2,  3,     7,    {3, 1, 0},      kPlay},
    DealCase{P,   D::Forward,            1,  0,     7,    {0, 2, 3},      kPlay},
    DealCase{P,   D::Forward,            3,  2,     7,    {2, 0, 1},      kPlay}),
    [](const auto& info) { return DealName(info.param); });
// clang-format on

// ---- the starter card ------------------------------------------------------------------

std::vector<int16_t> StarterEvents(const Table& t, std::vector<TraceKind>* kinds) {
    std::vector<int16_t> cards;
    for (const TraceEvent& e : t.trace.events) {
        if (e.Kind != TraceKind::Starter && e.Kind != TraceKind::StarterBack) continue;
        kinds->push_back(e.Kind);
        cards.push_back(int16_t(e.Card));
    }
    return cards;
}

// A wild starter goes back into the deck and another card is turned, as often as it takes;
// only a card of another rank opens the play.
TEST(Starter, WildStarterGoesBackUntilAnotherRankIsTurned) {
    Table t(GameVariant::Tarrabel, 3);
    // No Eight in the hands; the first starter is the Eight of clubs.
    StackDeck(
        t, {CardOf(3, kClubs),    CardOf(4, kClubs),    CardOf(5, kClubs),    CardOf(6, kClubs),
            CardOf(7, kClubs),    CardOf(3, kHearts),   CardOf(4, kHearts),   CardOf(6, kHearts),
            CardOf(7, kHearts),   CardOf(9, kHearts),   CardOf(3, kSpades),   CardOf(4, kSpades),
            CardOf(5, kSpades),   CardOf(6, kSpades),   CardOf(7, kSpades),   CardOf(3, kDiamonds),
            CardOf(4, kDiamonds), CardOf(5, kDiamonds), CardOf(6, kDiamonds), CardOf(7, kDiamonds),
            CardOf(8, kClubs)});
    t.trace.events.clear();

    // First Eight back: the deck happens to hold another Eight next.
    ASSERT_TRUE(StepUntil(t, [&] { return CountOf(t, TraceKind::StarterBack) == 1; }));
    EXPECT_EQ(t.g.State, GameState::TurningStarter);
    EXPECT_EQ(t.g.PileCount, 0);
    StackDeck(t, {CardOf(8, kDiamonds)});
    ASSERT_TRUE(StepUntil(t, [&] { return CountOf(t, TraceKind::StarterBack) == 2; }));
    // And then a plain Five of hearts.
    StackDeck(t, {CardOf(5, kHearts)});
    ASSERT_TRUE(StepUntil(t, [&] { return CountOf(t, TraceKind::Starter) == 3; }));

    std::vector<TraceKind> kinds;
    const std::vector<int16_t> cards = StarterEvents(t, &kinds);
    const std::vector<TraceKind> expectKinds = {TraceKind::Starter, TraceKind::StarterBack,
                                                TraceKind::Starter, TraceKind::StarterBack,
                                                TraceKind::Starter};
    const std::vector<int16_t> expectCards = {CardOf(8, kClubs), CardOf(8, kClubs),
                                              CardOf(8, kDiamonds), CardOf(8, kDiamonds),
                                              CardOf(5, kHearts)};
    EXPECT_EQ(kinds, expectKinds);
    EXPECT_EQ(cards, expectCards);

    // Each Eight is buried at least five cards deep in the undrawn deck.
    for (const TraceEvent& e : EventsOf(t, TraceKind::StarterBack)) {
        EXPECT_GE(e.Pos, 21 + 5);
        EXPECT_LT(e.Pos, 52);
    }
    const Game& g = t.g;
    EXPECT_EQ(g.PileCount, 1);
    EXPECT_EQ(g.Pile[0].CardIndex, CardOf(5, kHearts));
    EXPECT_EQ(g.DealtInBatch, 0);
    EXPECT_EQ(g.DeckPos, 21);
    int eights = 0;
    for (int p = g.DeckPos; p < 52; ++p)
        eights += g.RankOf(g.DeckOrder[p]) == 8 ? 1 : 0;
    EXPECT_EQ(eights, 4);
    EXPECT_EQ(CountOf(t, TraceKind::Play), 0) << "nobody moves before the last starter";
    std::string why;
    EXPECT_TRUE(t.CardsAllAccountedFor(&why)) << why;

    // Then the starting player opens.
    ASSERT_TRUE(StepUntil(t, [&] {
        return g.WaitingForHuman || CountOf(t, TraceKind::Play) + CountOf(t, TraceKind::Draw) > 0;
    }));
    EXPECT_EQ(g.CurrentPlayer, g.StartingPlayer);
}

TEST(Starter, PisYediliTurnsNoStarterAndTheStartingPlayerMovesAtOnce) {
    for (uint64_t seed : {1u, 2u, 5u}) {
        Table t(GameVariant::PisYedili, seed);
        ASSERT_TRUE(StepUntil(t, [&] { return t.g.State != GameState::DealingCards; }));
        EXPECT_EQ(t.g.State, GameState::NormalPlay);
        EXPECT_EQ(t.g.PileCount, 0);
        EXPECT_EQ(CountOf(t, TraceKind::Starter), 0);
        EXPECT_FALSE(AnyCardMoving(t.g));
        StepGameState(t.g);
        EXPECT_EQ(t.g.CurrentPlayer, t.g.StartingPlayer) << "seed " << seed;
        // He plays, waits for his clicks, or draws because he has no club and no Jack.
        const bool moved = t.g.WaitingForHuman || t.g.State == GameState::DrawingForWant ||
                           t.g.Hands[t.g.CurrentPlayer][t.g.ComputerSlot].Moving;
        EXPECT_TRUE(moved) << "seed " << seed;
    }
}

// ---- a player who cannot play -----------------------------------------------------------

struct NoPlayCase {
    GameVariant variant;
    int seat;
    int draws;  // automatic draws before the pass
    int next;   // who moves after him, turns going up the seat numbers
};

class CannotPlay : public ::testing::TestWithParam<NoPlayCase> {};

TEST_P(CannotPlay, DrawsThenPasses) {
    const NoPlayCase& c = GetParam();
    Table t(c.variant);
    t.ClearTable();
    t.SetPile({CardOf(5, kClubs)});
    const int next = GiveDeadHands(t);
    StackDeck(t, {Dead(next), Dead(next + 1), Dead(next + 2)});
    TurnGoesTo(t, c.seat);
    t.trace.events.clear();

    ASSERT_TRUE(StepUntil(t, [&] { return CountOf(t, TraceKind::Pass) == 1; }));
    ASSERT_EQ(t.trace.events.size(), size_t(c.draws + 1));
    for (int i = 0; i < c.draws; ++i) {
        const TraceEvent& e = t.trace.events[i];
        EXPECT_EQ(e.Kind, TraceKind::Draw);
        EXPECT_EQ(e.Seat, c.seat);
        EXPECT_EQ(e.Draw, DrawKind::Auto);
    }
    EXPECT_EQ(t.trace.events.back().Seat, c.seat);
    EXPECT_EQ(t.g.HandCount[c.seat], 2 + c.draws);
    EXPECT_EQ(t.g.DrawCount, 0);
    EXPECT_FALSE(t.g.DrawDone);

    // The turn then moves on to the next player.
    ASSERT_TRUE(StepUntil(t, [&] { return t.g.CurrentPlayer != c.seat; }));
    EXPECT_EQ(t.g.CurrentPlayer, c.next);
}

INSTANTIATE_TEST_SUITE_P(Seats, CannotPlay,
                         ::testing::Values(NoPlayCase{GameVariant::Tarrabel, 1, 1, 2},
                                           NoPlayCase{GameVariant::Tarrabel, 0, 1, 1},
                                           NoPlayCase{GameVariant::Agonia, 2, 1, 3},
                                           NoPlayCase{GameVariant::PisYedili, 3, 3, 0},
                                           NoPlayCase{GameVariant::PisYedili, 0, 3, 1}),
                         [](const auto& info) {
                             return NameOf(info.param.variant) + "_Seat" +
                                    std::to_string(info.param.seat);
                         });

TEST(CannotPlay, PlaysTheDrawnCardWhenItFollows) {
    Table t(GameVariant::Tarrabel);
    t.ClearTable();
    t.SetPile({CardOf(5, kClubs)});
    GiveDeadHands(t);
    StackDeck(t, {CardOf(6, kClubs)});
    TurnGoesTo(t, 1);
    t.trace.events.clear();
    ASSERT_TRUE(StepUntil(t, [&] { return CountOf(t, TraceKind::Play) == 1; }));
    ASSERT_EQ(t.trace.events.size(), 2u);
    EXPECT_EQ(t.trace.events[0].Kind, TraceKind::Draw);
    EXPECT_EQ(t.trace.events[1].Seat, 1);
    EXPECT_EQ(t.trace.events[1].Card, CardOf(6, kClubs));
    EXPECT_EQ(CountOf(t, TraceKind::Pass), 0);
}

// ---- timed pauses -----------------------------------------------------------------------

// The machine stays in "PAUSED" while the tick is at most PauseStart + ms, and returns to
// the state it left at the first tick past it.
void ExpectPauseHolds(Table& t, int32_t ms, GameState resume) {
    Game& g = t.g;
    ASSERT_EQ(g.State, GameState::Paused);
    EXPECT_EQ(g.PauseLength, ms);
    EXPECT_EQ(g.ResumeState, resume) << StateName(g.ResumeState);
    t.clock.Advance(g.PauseStart + ms - t.clock.TickMs());
    for (int i = 0; i < 5; ++i)
        StepGameState(g);
    EXPECT_EQ(g.State, GameState::Paused) << "the pause ended before its time";
    t.clock.Advance(1);
    StepGameState(g);
    EXPECT_EQ(g.State, resume);
    EXPECT_TRUE(g.PauseDone);
}

// Every seat holds two dead cards, the pile shows the Five of clubs; seat 1 additionally
// holds `extra`, and moves next.
void SeatOnePlays(Table& t, std::initializer_list<int16_t> extra) {
    t.ClearTable();
    t.SetPile({CardOf(5, kClubs)});
    GiveDeadHands(t);
    for (int16_t c : extra)
        t.GiveHand(1, {c});
    TurnGoesTo(t, 1);
    t.trace.events.clear();
}

TEST(Pause, AfterAPlayedCard1300) {
    Table t(GameVariant::Tarrabel);
    SeatOnePlays(t, {CardOf(6, kClubs)});
    ASSERT_TRUE(StepUntil(t, [&] { return CountOf(t, TraceKind::Play) == 1; }));
    ExpectPauseHolds(t, 1300, GameState::NormalPlay);
}

TEST(Pause, AfterTheStarter900) {
    Table t(GameVariant::Tarrabel, 4);
    std::initializer_list<int16_t> noEights = {
        CardOf(3, kClubs),    CardOf(4, kClubs),    CardOf(5, kClubs),    CardOf(6, kClubs),
        CardOf(7, kClubs),    CardOf(3, kHearts),   CardOf(4, kHearts),   CardOf(6, kHearts),
        CardOf(7, kHearts),   CardOf(9, kHearts),   CardOf(3, kSpades),   CardOf(4, kSpades),
        CardOf(5, kSpades),   CardOf(6, kSpades),   CardOf(7, kSpades),   CardOf(3, kDiamonds),
        CardOf(4, kDiamonds), CardOf(5, kDiamonds), CardOf(6, kDiamonds), CardOf(7, kDiamonds),
        CardOf(10, kHearts)};
    StackDeck(t, noEights);
    ASSERT_TRUE(StepUntil(t, [&] { return CountOf(t, TraceKind::Starter) == 1; }));
    ExpectPauseHolds(t, 900, GameState::NormalPlay);
}

TEST(Pause, AfterAnAutomaticDraw900) {
    Table t(GameVariant::Tarrabel);
    SeatOnePlays(t, {});
    ASSERT_TRUE(StepUntil(t, [&] { return CountOf(t, TraceKind::Draw) == 1; }));
    ExpectPauseHolds(t, 900, GameState::NormalPlay);
}

TEST(Pause, AfterEachPenaltyCard250) {
    Table t(GameVariant::Tarrabel);
    SeatOnePlays(t, {CardOf(2, kClubs)});  // seat 2 holds no Two: he takes the two cards
    ASSERT_TRUE(StepUntil(t, [&] { return CountOf(t, TraceKind::Play) == 1; }));
    ExpectPauseHolds(t, 1300, GameState::TakingPenaltyThenPlay);
    for (int n = 1; n <= 2; ++n) {
        ASSERT_TRUE(StepUntil(t, [&] { return CountOf(t, TraceKind::Draw) == n; }));
        EXPECT_EQ(t.trace.events.back().Draw, DrawKind::Penalty);
        EXPECT_EQ(t.trace.events.back().Seat, 2);
        ExpectPauseHolds(t, 250, n == 1 ? GameState::TakingPenaltyThenPlay : GameState::NormalPlay);
    }
}

TEST(Pause, AfterTheSuitAnnouncement1700) {
    Table t(GameVariant::Tarrabel);
    SeatOnePlays(t, {CardOf(8, kHearts)});
    ASSERT_TRUE(StepUntil(t, [&] { return CountOf(t, TraceKind::Play) == 1; }));
    ExpectPauseHolds(t, 1300, GameState::ChoosingSuit);
    ASSERT_TRUE(StepUntil(t, [&] { return t.g.State == GameState::Paused; }));
    EXPECT_EQ(CountOf(t, TraceKind::Suit), 1);
    EXPECT_TRUE(t.g.ShowSuitBanner) << "the announcement stays up through the pause";
    ExpectPauseHolds(t, 1700, GameState::NormalPlay);
}

TEST(Pause, AfterThePassAnnouncement1700) {
    Table t(GameVariant::Tarrabel);
    SeatOnePlays(t, {});
    ASSERT_TRUE(StepUntil(t, [&] { return CountOf(t, TraceKind::Pass) == 1; }));
    ASSERT_TRUE(StepUntil(t, [&] { return t.g.State == GameState::Paused; }));
    EXPECT_TRUE(t.g.ShowPassBanner);
    ExpectPauseHolds(t, 1700, GameState::NormalPlay);
    StepGameState(t.g);
    EXPECT_FALSE(t.g.ShowPassBanner);
}

TEST(Pause, AfterTheDeckIsRebuilt500) {
    Table t(GameVariant::Tarrabel);
    t.ClearTable();
    t.SetPile({CardOf(3, kDiamonds), CardOf(4, kDiamonds), CardOf(5, kClubs)});
    GiveDeadHands(t);
    EmptyDeckInto(t, 3);
    TurnGoesTo(t, 1);
    ASSERT_TRUE(StepUntil(t, [&] { return CountOf(t, TraceKind::Rebuild) == 1; }));
    ExpectPauseHolds(t, 500, GameState::DrawingForWant);
    EXPECT_EQ(t.g.PileCount, 1);
    EXPECT_EQ(t.g.Pile[0].CardIndex, CardOf(5, kClubs));
    EXPECT_EQ(t.g.DeckPos, 50);
    std::string why;
    EXPECT_TRUE(t.CardsAllAccountedFor(&why)) << why;
}

// A tick counter that can be set to any value, wrapping included.
class SetClock final : public Clock {
  public:
    int32_t TickMs() override { return now; }
    int32_t now = 0;
};

TEST(Pause, SurvivesTheTickCounterWrapping) {
    Table t;
    SetClock clock;
    t.g.io.Time = &clock;
    clock.now = INT32_MAX - 100;
    t.g.State = GameState::NormalPlay;
    PauseFor(t.g, 500);
    clock.now = INT32_MIN + 399;  // 500 ms later, past the wrap
    StepGameState(t.g);
    EXPECT_EQ(t.g.State, GameState::Paused);
    clock.now = INT32_MIN + 400;
    StepGameState(t.g);
    EXPECT_EQ(t.g.State, GameState::NormalPlay);
    EXPECT_TRUE(t.g.PauseDone);
}

// ---- turn order -------------------------------------------------------------------------

// A whole turn passes an eliminated player by: his empty hand does not end the deal.
TEST(TurnOrder, AnEliminatedPlayerNeverMoves) {
    Table t(GameVariant::PisYedili);
    t.ClearTable();
    t.g.Players[2].Eliminated = true;
    t.SetPile({CardOf(5, kClubs)});
    for (int seat : {0, 1, 3})
        t.GiveHand(seat, {Dead(2 * seat), Dead(2 * seat + 1)});
    t.GiveHand(1, {CardOf(6, kClubs)});
    TurnGoesTo(t, 1);
    t.trace.events.clear();
    ASSERT_TRUE(StepUntil(
        t, [&] { return t.g.CurrentPlayer == 3 && t.g.State == GameState::DrawingForWant; }));
    for (const TraceEvent& e : t.trace.events)
        EXPECT_NE(e.Seat, 2);
    EXPECT_EQ(CountOf(t, TraceKind::End), 0);
}

// ---- waiting for the human --------------------------------------------------------------

class WaitingForHuman : public ::testing::TestWithParam<GameState> {};

TEST_P(WaitingForHuman, AnnouncementsAndSuitChoiceDoNotRun) {
    Table t;
    t.ClearTable();
    t.SetPile({CardOf(5, kClubs)});
    for (int seat = 0; seat < kSeats; ++seat)
        t.GiveHand(seat, {CardOf(6, seat)});
    t.g.State = GetParam();
    t.g.CurrentPlayer = 0;
    t.g.WaitingForHuman = true;
    for (bool banner : {false, true}) {
        t.g.BannerStep = banner;
        for (int i = 0; i < 50; ++i)
            Step(t);
        EXPECT_EQ(t.g.State, GetParam());
        EXPECT_EQ(t.g.BannerStep, banner);
        EXPECT_EQ(t.g.CurrentPlayer, 0);
        EXPECT_FALSE(AnyCardMoving(t.g));
    }
}

INSTANTIATE_TEST_SUITE_P(States, WaitingForHuman,
                         ::testing::Values(GameState::ChoosingSuit, GameState::ShowingSuit,
                                           GameState::ShowingPass, GameState::NormalPlay),
                         [](const auto& info) { return NameOf(info.param); });

// ---- the suit after a wild card ----------------------------------------------------------

TEST(SuitChoice, ThePlayerOfTheEightNamesTheSuitAndTheNextPlayerMoves) {
    Table t(GameVariant::Tarrabel);
    SeatOnePlays(t, {CardOf(8, kHearts)});
    t.GiveHand(2,
               {CardOf(4, kSpades), CardOf(4, kClubs), CardOf(4, kHearts), CardOf(4, kDiamonds)});
    ASSERT_TRUE(StepUntil(t, [&] { return CountOf(t, TraceKind::Play) == 2; }));
    const auto suits = EventsOf(t, TraceKind::Suit);
    ASSERT_EQ(suits.size(), 1u);
    EXPECT_EQ(suits[0].Seat, 1);
    const TraceEvent second = EventsOf(t, TraceKind::Play)[1];
    EXPECT_EQ(second.Seat, 2);
    EXPECT_EQ(t.g.SuitOf(second.Card), suits[0].Suit) << "seat 2 follows the named suit";
}

// ---- no card to draw ----------------------------------------------------------------------

struct NoCardCase {
    const char* name;
    GameState state;  // the drawing state the game is in
    int current;      // CurrentPlayer: the player who draws, or who imposed the penalty
    int penalty;      // cards owed, 0 for a draw of one's own
    int cardsLeft;    // in the deck, with nothing on the pile to rebuild it from
    int receiver;
    bool penaltyTaken;
    int next;  // the player whose turn starts next
};

// The deck is used up and the pile holds only its top card: nothing can be rebuilt, so the
// machine never enters "RECREATE DECK". A player who draws for himself goes without the card
// and has drawn: a computer player passes, the human keeps his turn and may pass. A penalty
// ends with the cards there were; then the victim plays ("AND PLAY") or has lost his turn.
TEST(NoCardToDraw, ThePlayerGoesWithoutAndAPenaltyEndsWithTheCardsThereWere) {
    // clang-format off
    using GS = GameState;
    constexpr int kMe = kHuman;
    constexpr NoCardCase kCases[] = {
        //                         state                      current owed left gets taken next
        {"automatic draw",           GS::DrawingForWant,               1,   0,   0,   1,   true,  1},
        {"the human's deck click",   GS::DrawingByChoice,        kMe, 0,   0,   kMe, true,  kMe},
        {"take and play, none left", GS::TakingPenaltyThenPlay, 1,   4,   0,   2,   true,  2},
        {"take and play, 1 of 3",    GS::TakingPenaltyThenPlay, 1,   3,   1,   2,   true,  2},
        {"take and play, 2 of 4",    GS::TakingPenaltyThenPlay, 1,   4,   2,   2,   true,  2},
        {"take, none left",          GS::TakingPenaltyAndSkip,        1,   4,   0,   2,   false, 3},
        {"take, 3 of 4",             GS::TakingPenaltyAndSkip,        1,   4,   3,   2,   false, 3},
    };
    // clang-format on
    for (const NoCardCase& c : kCases) {
        SCOPED_TRACE(c.name);
        Table t(GameVariant::Tarrabel);
        Game& g = t.g;
        t.ClearTable();
        t.SetPile({CardOf(5, kClubs)});
        GiveDeadHands(t);
        EmptyDeckInto(t, 3, c.cardsLeft);
        const std::vector<int16_t> lastCards(g.DeckOrder.begin() + g.DeckPos,
                                             g.DeckOrder.begin() + 52);
        TurnGoesTo(t, 2);
        g.State = c.state;
        g.CurrentPlayer = int16_t(c.current);
        g.WaitingForHuman = c.current == kHuman;
        g.PenaltyCards = int16_t(c.penalty);
        g.PenaltyTaken = c.penalty == 0;
        const int before = g.HandCount[c.receiver];
        t.trace.events.clear();

        bool recreated = false;
        ASSERT_TRUE(StepUntil(
            t,
            [&] {
                recreated |= g.State == GameState::RebuildingDeck;
                return CountOf(t, TraceKind::DeckEmpty) == 1;
            },
            2000));
        EXPECT_FALSE(recreated);
        EXPECT_EQ(EventsOf(t, TraceKind::DeckEmpty)[0].Seat, c.receiver);
        std::vector<int16_t> drawn;
        for (const TraceEvent& e : EventsOf(t, TraceKind::Draw)) {
            EXPECT_EQ(e.Seat, c.receiver);
            drawn.push_back(int16_t(e.Card));
        }
        EXPECT_EQ(drawn, lastCards);
        EXPECT_EQ(g.HandCount[c.receiver], before + c.cardsLeft);
        EXPECT_EQ(g.State, GameState::NormalPlay);
        EXPECT_EQ(g.PenaltyCards, 0);
        EXPECT_EQ(g.PenaltyTaken, c.penaltyTaken);
        if (c.penalty == 0) {
            EXPECT_TRUE(g.DrawDone) << "he has had his draw";
            EXPECT_EQ(g.HumanDrew, c.receiver == kHuman);
        }
        std::string why;
        EXPECT_TRUE(t.CardsAllAccountedFor(&why)) << why;

        // Who moves next, and how.
        StepGameState(g);
        EXPECT_EQ(g.CurrentPlayer, c.next);
        if (c.state == GameState::DrawingForWant) {
            EXPECT_EQ(g.State, GameState::ShowingPass) << "drawn, still nothing to play: he passes";
            EXPECT_EQ(CountOf(t, TraceKind::Pass, c.next), 1);
        }
        if (c.state == GameState::DrawingByChoice) {
            EXPECT_EQ(g.State, GameState::NormalPlay);
            EXPECT_TRUE(g.WaitingForHuman) << "his turn goes on";
        }
    }
}

// Unplayable on a Five of clubs in Illustrated Agonia (no club, no Five, no Ace), both packs.
std::vector<int16_t> UnplayableOnFiveOfClubs(int n) {
    std::vector<int16_t> out;
    for (int pack = 0; pack < 2; ++pack)
        for (int rank : {2, 3, 4, 6, 7, 8, 9, 10, 11, 12, 13})
            for (int32_t suit : {kHearts, kSpades, kDiamonds})
                if (int(out.size()) < n) out.push_back(int16_t(CardOf(rank, suit) + 52 * pack));
    return out;
}

// A hand of 55 cards has no free slot: the draw is skipped, and no card is lost or written
// over.
TEST(NoCardToDraw, AFullHandSkipsTheDraw) {
    for (bool penalty : {false, true}) {
        SCOPED_TRACE(penalty ? "penalty" : "automatic draw");
        Table t(GameVariant::IllustratedAgonia);
        t.ClearTable();
        t.SetPile({CardOf(5, kClubs)});
        const std::vector<int16_t> full = UnplayableOnFiveOfClubs(55);
        for (int16_t c : full)
            t.GiveHand(2, {c});
        for (int seat : {0, 1, 3})
            t.GiveHand(seat, {SecondPack(CardOf(13 - seat, kClubs)),
                              SecondPack(CardOf(9 - seat, kClubs))});
        ASSERT_EQ(t.g.HandCount[2], 55);
        const int16_t deckPos = t.g.DeckPos;
        TurnGoesTo(t, 2);
        if (penalty) {
            t.g.CurrentPlayer = 1;
            t.g.State = GameState::TakingPenaltyAndSkip;
            t.g.PenaltyCards = 2;
        }
        t.trace.events.clear();
        ASSERT_TRUE(StepUntil(
            t,
            [&] {
                return penalty ? t.g.State == GameState::NormalPlay
                               : CountOf(t, TraceKind::Pass) == 1;
            },
            2000));
        EXPECT_EQ(t.g.HandCount[2], 55);
        EXPECT_EQ(t.g.DeckPos, deckPos);
        EXPECT_EQ(CountOf(t, TraceKind::Draw), 0);
        EXPECT_EQ(t.g.PenaltyCards, 0);
        for (int s = 0; s < 55; ++s)
            EXPECT_EQ(t.g.Hands[2][s].CardIndex, full[s]);
        std::string why;
        EXPECT_TRUE(t.CardsAllAccountedFor(&why)) << why;
    }
}

}  // namespace
}  // namespace tarrabel::test
