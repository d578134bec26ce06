#include "rules/play.h"

#include <string>
#include <vector>

#include "support/table_driver.h"

namespace tarrabel::test {
namespace {

using GS = GameState;
constexpr GameVariant T = GameVariant::Tarrabel;
constexpr GameVariant H = GameVariant::HuitAmericain;
constexpr GameVariant A = GameVariant::Agonia;
constexpr GameVariant I = GameVariant::IllustratedAgonia;
constexpr GameVariant P = GameVariant::PisYedili;

// A quiet table: every seat holds a King and a 3 (cards without a power in any game),
// seat 0 of clubs, 1 of hearts, 2 of spades, 3 of diamonds; seat 1 has just played, and
// play runs 0, 1, 2, 3.
struct QuietTable : Table {
    explicit QuietTable(GameVariant v) : Table(v) {
        ClearTable();
        constexpr int32_t kSeatSuit[kSeats] = {kClubs, kHearts, kSpades, kDiamonds};
        for (int seat = 0; seat < kSeats; ++seat)
            GiveHand(seat, {CardOf(kKing, kSeatSuit[seat]), CardOf(3, kSeatSuit[seat])});
        g.State = GameState::NormalPlay;
        g.CurrentPlayer = 1;
        g.DirectionReversed = false;
        g.PenaltyCards = 0;
        g.PenaltyTaken = true;
    }
    // The card lands on a 4 of hearts and its power is applied.
    void Play(int16_t card) {
        SetPile({CardOf(4, kHearts), card});
        ResolvePlayedCard(g);
    }
};

// ---- the power of each card, game by game -----------------------------------------------------

struct PowerCase {
    GameVariant variant;
    const char* name;
    int16_t card;
    GameState state;
    int actsNext;  // the seat that acts next: plays, names the suit, or takes the penalty
    bool reversed;
    int penalty;
};

// Seat 1 plays; without a power the turn would go to seat 2.
// clang-format off
const PowerCase kPowers[] = {
    {T, "8 names the suit",        CardOf(8, kHearts),       GS::ChoosingSuit,          1, false, 0},
    {T, "Ace reverses",            CardOf(kAce, kDiamonds),  GS::NormalPlay,            0, true,  0},
    {T, "Queen skips",             CardOf(kQueen, kDiamonds),GS::NormalPlay,            3, false, 0},
    {T, "2 draws two",             CardOf(2, kDiamonds),     GS::TakingPenaltyThenPlay, 2, false, 2},
    {T, "Jack plain",              CardOf(kJack, kDiamonds), GS::NormalPlay,            2, false, 0},
    {T, "7 plain",                 CardOf(7, kDiamonds),     GS::NormalPlay,            2, false, 0},
    {H, "8 names the suit",        CardOf(8, kHearts),       GS::ChoosingSuit,          1, false, 0},
    {H, "Ace of spades reverses",  CardOf(kAce, kSpades),    GS::NormalPlay,            0, true,  0},
    {H, "Ace of hearts plain",     CardOf(kAce, kHearts),    GS::NormalPlay,            2, false, 0},
    {H, "Jack skips",              CardOf(kJack, kDiamonds), GS::NormalPlay,            3, false, 0},
    {H, "2 of spades takes four",  CardOf(2, kSpades),       GS::TakingPenaltyAndSkip,        2, false, 4},
    {H, "2 of diamonds takes two", CardOf(2, kDiamonds),     GS::TakingPenaltyAndSkip,        2, false, 2},
    {H, "joker takes five",        kJoker1,                  GS::TakingPenaltyAndSkip,        2, false, 5},
    {H, "Queen plain",             CardOf(kQueen, kDiamonds),GS::NormalPlay,            2, false, 0},
    {A, "Ace names the suit",      CardOf(kAce, kDiamonds),  GS::ChoosingSuit,          1, false, 0},
    {A, "9 skips",                 CardOf(9, kDiamonds),     GS::NormalPlay,            3, false, 0},
    {A, "7 draws two",             CardOf(7, kDiamonds),     GS::TakingPenaltyThenPlay, 2, false, 2},
    {A, "8 plays again",           CardOf(8, kDiamonds),     GS::NormalPlay,            1, false, 0},
    {A, "Queen plain",             CardOf(kQueen, kDiamonds),GS::NormalPlay,            2, false, 0},
    {A, "2 plain",                 CardOf(2, kDiamonds),     GS::NormalPlay,            2, false, 0},
    {A, "black Jack plain",        CardOf(kJack, kClubs),    GS::NormalPlay,            2, false, 0},
    {I, "Ace names the suit",      CardOf(kAce, kDiamonds),  GS::ChoosingSuit,          1, false, 0},
    {I, "Queen reverses",          CardOf(kQueen, kDiamonds),GS::NormalPlay,            0, true,  0},
    {I, "9 skips",                 CardOf(9, kDiamonds),     GS::NormalPlay,            3, false, 0},
    {I, "7 draws two",             CardOf(7, kDiamonds),     GS::TakingPenaltyThenPlay, 2, false, 2},
    {I, "2 of spades takes two",   CardOf(2, kSpades),       GS::TakingPenaltyAndSkip,        2, false, 2},
    {I, "2 of hearts takes two",   CardOf(2, kHearts),       GS::TakingPenaltyAndSkip,        2, false, 2},
    {I, "8 plays again",           CardOf(8, kDiamonds),     GS::NormalPlay,            1, false, 0},
    {I, "Jack of clubs, eleven",   CardOf(kJack, kClubs),    GS::TakingPenaltyThenPlay, 2, false, 11},
    {I, "Jack of spades, eleven",  CardOf(kJack, kSpades),   GS::TakingPenaltyThenPlay, 2, false, 11},
    {I, "lone red Jack plain",     CardOf(kJack, kHearts),   GS::NormalPlay,            2, false, 0},
    {P, "Jack names the suit",     CardOf(kJack, kDiamonds), GS::ChoosingSuit,          1, false, 0},
    {P, "10 reverses",             CardOf(10, kDiamonds),    GS::NormalPlay,            0, true,  0},
    {P, "7 draws three",           CardOf(7, kDiamonds),     GS::TakingPenaltyThenPlay, 2, false, 3},
    {P, "Ace plays again",         CardOf(kAce, kDiamonds),  GS::NormalPlay,            1, false, 0},
    {P, "9 plain",                 CardOf(9, kDiamonds),     GS::NormalPlay,            2, false, 0},
    {P, "2 plain",                 CardOf(2, kDiamonds),     GS::NormalPlay,            2, false, 0},
    {P, "Queen plain",             CardOf(kQueen, kDiamonds),GS::NormalPlay,            2, false, 0},
};
// clang-format on

TEST(ResolvePlayedCard, EachCardHasThePowerOfItsGame) {
    for (const PowerCase& c : kPowers) {
        SCOPED_TRACE(std::string(VariantName(c.variant)) + ": " + c.name);
        QuietTable t(c.variant);
        t.g.Players[1].LastNamedSuit = kHearts;
        t.Play(c.card);
        EXPECT_EQ(StateName(t.g.State), StateName(c.state));
        EXPECT_EQ(PlayerAfter(t.g, t.g.CurrentPlayer), c.actsNext);
        EXPECT_EQ(t.g.DirectionReversed, c.reversed);
        EXPECT_EQ(t.g.PenaltyCards, c.penalty);
        const bool chain = c.state == GS::TakingPenaltyThenPlay;
        EXPECT_EQ(t.g.PenaltyTaken, !chain) << "a chain card opens its penalty";
        // Only a wild card keeps the suit its player named before.
        EXPECT_EQ(t.g.Players[1].LastNamedSuit, c.state == GS::ChoosingSuit ? kHearts : kNoSuit);
    }
}

TEST(ResolvePlayedCard, AReverseWithTheDirectionAlreadyReversedTurnsItBack) {
    QuietTable t(T);
    t.g.DirectionReversed = true;
    t.Play(CardOf(kAce, kClubs));
    EXPECT_FALSE(t.g.DirectionReversed);
    EXPECT_EQ(PlayerAfter(t.g, t.g.CurrentPlayer), 2);
}

// ---- chains ----------------------------------------------------------------------------------

struct ChainCase {
    GameVariant variant;
    const char* name;
    int16_t played;
    int16_t answerHeld;  // the card the next player holds
    int penaltyBefore;
    GameState state;
    int penaltyAfter;
};

// clang-format off
const ChainCase kChains[] = {
    {T, "Two, next holds a Two",             CardOf(2, kClubs),      CardOf(2, kHearts),       0, GS::NormalPlay,            2},
    {T, "third Two in a row, no Two next",   CardOf(2, kClubs),      CardOf(5, kHearts),       4, GS::TakingPenaltyThenPlay, 6},
    {T, "third Two in a row, Two next",      CardOf(2, kClubs),      CardOf(2, kHearts),       4, GS::NormalPlay,            6},
    {A, "7, next holds a 7",                 CardOf(7, kClubs),      CardOf(7, kSpades),       0, GS::NormalPlay,            2},
    {P, "7, next holds a 7",                 CardOf(7, kClubs),      CardOf(7, kSpades),       0, GS::NormalPlay,            3},
    {P, "second 7, none next",               CardOf(7, kClubs),      CardOf(8, kSpades),       3, GS::TakingPenaltyThenPlay, 6},
    {I, "black Jack, red Jack next",         CardOf(kJack, kSpades), CardOf(kJack, kDiamonds), 0, GS::NormalPlay,            11},
    {I, "black Jack, only a black Jack next",CardOf(kJack, kSpades), CardOf(kJack, kClubs),    0, GS::TakingPenaltyThenPlay, 11},
};
// clang-format on

TEST(ResolvePlayedCard, AChainWaitsForAnAnswerOrMakesTheNextPlayerTakeItAll) {
    for (const ChainCase& c : kChains) {
        SCOPED_TRACE(std::string(VariantName(c.variant)) + ": " + c.name);
        QuietTable t(c.variant);
        t.GiveHand(2, {c.answerHeld});
        t.g.PenaltyCards = int16_t(c.penaltyBefore);
        t.Play(c.played);
        EXPECT_EQ(StateName(t.g.State), StateName(c.state));
        EXPECT_EQ(t.g.PenaltyCards, c.penaltyAfter);
        EXPECT_FALSE(t.g.PenaltyTaken);
        EXPECT_EQ(PlayerAfter(t.g, t.g.CurrentPlayer), 2);
    }
}

TEST(ResolvePlayedCard, ARedJackOnABlackJackCancelsTheElevenCards) {
    QuietTable t(I);
    t.g.PenaltyCards = 11;
    t.g.PenaltyTaken = false;
    t.SetPile({CardOf(kJack, kClubs), CardOf(kJack, kHearts)});
    ResolvePlayedCard(t.g);
    EXPECT_EQ(t.g.PenaltyCards, 0);
    EXPECT_EQ(t.g.State, GS::NormalPlay);
    EXPECT_EQ(PlayerAfter(t.g, t.g.CurrentPlayer), 2);
}

// Tarrabel: a Two from seat 0 is answered by seats 1 and 2; seat 3, holding no Two, draws
// all six cards and then plays.
TEST(PenaltyChain, ThreeTwosInARowMakeTheNextPlayerDrawSixAndThenPlay) {
    Table t(T);
    Game& g = t.g;
    t.ClearTable();
    g.DirectionReversed = false;
    t.GiveHand(0, {CardOf(kKing, kSpades), CardOf(kQueen, kSpades)});
    t.GiveHand(1, {CardOf(2, kDiamonds), CardOf(kKing, kHearts), CardOf(4, kSpades)});
    t.GiveHand(2, {CardOf(2, kHearts), CardOf(kKing, kDiamonds), CardOf(4, kClubs)});
    t.GiveHand(3, {CardOf(5, kHearts), CardOf(9, kSpades), CardOf(9, kDiamonds)});
    t.SetPile({CardOf(5, kClubs), CardOf(2, kClubs)});
    TurnGoesTo(t, 1);
    g.CurrentPlayer = 0;  // seat 0's Two has just landed
    ResolvePlayedCard(g);
    ASSERT_EQ(g.State, GS::NormalPlay);

    auto plays = [&] { return EventsOf(t, TraceKind::Play); };
    ASSERT_TRUE(StepUntil(t, [&] { return plays().size() == 1; }));
    EXPECT_EQ(plays()[0].Seat, 1);
    EXPECT_EQ(plays()[0].Card, CardOf(2, kDiamonds));
    EXPECT_EQ(g.PenaltyCards, 4);
    EXPECT_TRUE(StateIs(g, GS::NormalPlay)) << "seat 2 holds a Two and may answer";

    ASSERT_TRUE(StepUntil(t, [&] { return plays().size() == 2; }));
    EXPECT_EQ(plays()[1].Seat, 2);
    EXPECT_EQ(plays()[1].Card, CardOf(2, kHearts));
    EXPECT_EQ(g.PenaltyCards, 6);
    EXPECT_TRUE(StateIs(g, GS::TakingPenaltyThenPlay));

    ASSERT_TRUE(StepUntil(t, [&] { return plays().size() == 3; }));
    EXPECT_EQ(plays()[2].Seat, 3) << "the victim plays after drawing";
    int penaltyDraws = 0;
    for (const TraceEvent& ev : EventsOf(t, TraceKind::Draw)) {
        EXPECT_EQ(ev.Seat, 3);
        penaltyDraws += ev.Draw == DrawKind::Penalty;
    }
    EXPECT_EQ(penaltyDraws, 6);
    EXPECT_EQ(g.HandCount[3], 3 + 6 - 1);
    std::string why;
    EXPECT_TRUE(t.CardsAllAccountedFor(&why)) << why;
}

struct TakeCase {
    GameVariant variant;
    const char* name;
    int16_t played;
    int draws;
};

// The victim of a take card draws and loses his turn: the player after him plays next.
TEST(TakeCards, TheVictimDrawsAndLosesHisTurn) {
    const TakeCase kCases[] = {
        {H, "joker", kJoker1, 5},
        {H, "2 of spades", CardOf(2, kSpades), 4},
        {H, "2 of hearts", CardOf(2, kHearts), 2},
        {I, "2 of spades", CardOf(2, kSpades), 2},
    };
    for (const TakeCase& c : kCases) {
        SCOPED_TRACE(std::string(VariantName(c.variant)) + ": " + c.name);
        Table t(c.variant);
        Game& g = t.g;
        t.ClearTable();
        g.DirectionReversed = false;
        t.GiveHand(0, {CardOf(kKing, kClubs), CardOf(3, kClubs)});
        t.GiveHand(1, {CardOf(kKing, kHearts), CardOf(3, kHearts)});
        t.GiveHand(2, {CardOf(kKing, kSpades), CardOf(3, kSpades)});
        t.GiveHand(3, {CardOf(6, kHearts), CardOf(6, kSpades), CardOf(9, kClubs)});
        t.SetPile({CardOf(5, kHearts), c.played});
        TurnGoesTo(t, 2);
        ResolvePlayedCard(g);  // played by seat 1

        ASSERT_TRUE(StepUntil(t, [&] { return CountOf(t, TraceKind::Play) > 0; }));
        EXPECT_EQ(EventsOf(t, TraceKind::Play)[0].Seat, 3);
        EXPECT_EQ(CountOf(t, TraceKind::Draw, 2), c.draws);
        EXPECT_EQ(g.HandCount[2], 2 + c.draws);
        EXPECT_FALSE(g.PenaltyTaken);
    }
}

TEST(BlackJack, ARedJackFromTheNextPlayerCancelsTheElevenCards) {
    Table t(I);
    Game& g = t.g;
    t.ClearTable();
    g.DirectionReversed = false;
    t.GiveHand(0, {CardOf(kKing, kSpades), CardOf(kQueen, kSpades)});
    t.GiveHand(1, {CardOf(kKing, kHearts), CardOf(4, kSpades)});
    t.GiveHand(2, {CardOf(kJack, kHearts), CardOf(4, kDiamonds), CardOf(5, kDiamonds)});
    t.GiveHand(3, {CardOf(6, kHearts), CardOf(kKing, kDiamonds)});
    t.SetPile({CardOf(5, kClubs), CardOf(kJack, kClubs)});
    TurnGoesTo(t, 2);
    ResolvePlayedCard(g);  // seat 1's black Jack
    ASSERT_EQ(g.PenaltyCards, 11);

    ASSERT_TRUE(StepUntil(t, [&] { return CountOf(t, TraceKind::Play) == 2; }));
    const auto plays = EventsOf(t, TraceKind::Play);
    EXPECT_EQ(plays[0].Seat, 2);
    EXPECT_EQ(plays[0].Card, CardOf(kJack, kHearts));
    EXPECT_EQ(plays[1].Seat, 3);
    EXPECT_EQ(CountOf(t, TraceKind::Draw), 0);
    EXPECT_EQ(g.PenaltyCards, 0);
}

TEST(BlackJack, WithoutARedJackTheNextPlayerDrawsElevenAndThenPlays) {
    Table t(I);
    Game& g = t.g;
    t.ClearTable();
    g.DirectionReversed = false;
    t.GiveHand(0, {CardOf(kKing, kSpades), CardOf(kQueen, kSpades)});
    t.GiveHand(1, {CardOf(kKing, kHearts), CardOf(4, kSpades)});
    t.GiveHand(2, {CardOf(4, kClubs), CardOf(5, kDiamonds)});
    t.GiveHand(3, {CardOf(6, kHearts), CardOf(kKing, kDiamonds)});
    t.SetPile({CardOf(5, kSpades), CardOf(kJack, kClubs)});
    TurnGoesTo(t, 2);
    ResolvePlayedCard(g);

    ASSERT_TRUE(StepUntil(t, [&] { return CountOf(t, TraceKind::Play) == 1; }));
    EXPECT_EQ(EventsOf(t, TraceKind::Play)[0].Seat, 2);
    EXPECT_EQ(CountOf(t, TraceKind::Draw, 2), 11);
    EXPECT_TRUE(g.PenaltyTaken);
}

// A computer player with seven cards does not count its red Jack as playable, so he draws
// and passes; his pass lapses the eleven cards, and the next chain starts from nothing.
TEST(PenaltyChain, APassLapsesTheOpenPenalty) {
    Table t(I);
    Game& g = t.g;
    t.ClearTable();
    g.DirectionReversed = false;
    t.GiveHand(0, {CardOf(kKing, kSpades), CardOf(kQueen, kSpades)});
    t.GiveHand(1,
               {CardOf(kJack, kHearts), CardOf(3, kHearts), CardOf(4, kHearts), CardOf(5, kHearts),
                CardOf(6, kDiamonds), CardOf(9, kDiamonds), CardOf(10, kDiamonds)});
    t.GiveHand(2, {CardOf(7, kClubs), CardOf(kKing, kDiamonds)});
    t.GiveHand(3, {CardOf(kQueen, kHearts), CardOf(2, kSpades)});
    t.SetPile({CardOf(5, kClubs), CardOf(kJack, kClubs)});
    StackDeck(t, {CardOf(kKing, kHearts), CardOf(3, kSpades), CardOf(4, kSpades)});
    TurnGoesTo(t, 1);
    g.CurrentPlayer = 0;  // the human's black Jack has just landed
    ResolvePlayedCard(g);
    ASSERT_EQ(g.State, GS::NormalPlay) << "seat 1 holds a red Jack";
    ASSERT_EQ(g.PenaltyCards, 11);

    ASSERT_TRUE(StepUntil(t, [&] { return CountOf(t, TraceKind::Pass, 1) == 1; }));
    EXPECT_EQ(CountOf(t, TraceKind::Draw, 1), 1);
    EXPECT_EQ(g.PenaltyCards, 0);
    EXPECT_TRUE(g.PenaltyTaken);

    ASSERT_TRUE(StepUntil(t, [&] { return CountOf(t, TraceKind::Play, 2) == 1; }));
    EXPECT_EQ(g.PenaltyCards, 2) << "the seven starts a new chain";
    ASSERT_TRUE(StepUntil(
        t, [&] { return CountOf(t, TraceKind::Play, 3) + CountOf(t, TraceKind::Pass, 3) > 0; }));
    int penaltyDraws = 0;
    for (const TraceEvent& ev : EventsOf(t, TraceKind::Draw))
        penaltyDraws += ev.Seat == 3 && ev.Draw == DrawKind::Penalty;
    EXPECT_EQ(penaltyDraws, 2);
}

// ---- drawing when a player cannot play
// ------------------------------------------------------------

struct DrawCase {
    GameVariant variant;
    const char* name;
    std::vector<int16_t> deckTop;
    int draws;
    bool plays;  // a drawn card could be played
};

TEST(Drawing, APlayerWhoCannotPlayDrawsHisAllowanceThenPasses) {
    const std::vector<int16_t> useless = {CardOf(9, kHearts), CardOf(10, kDiamonds),
                                          CardOf(kQueen, kHearts), CardOf(6, kHearts)};
    const DrawCase kCases[] = {
        {T, "one draw", useless, 1, false},
        {H, "one draw", useless, 1, false},
        {A, "one draw", useless, 1, false},
        {I, "one draw", useless, 1, false},
        {P, "three draws", useless, 3, false},
        {P,
         "stops drawing once he can play",
         {CardOf(9, kHearts), CardOf(5, kClubs), CardOf(6, kHearts)},
         2,
         true},
        {T, "plays the card he drew", {CardOf(5, kClubs)}, 1, true},
    };
    for (const DrawCase& c : kCases) {
        SCOPED_TRACE(std::string(VariantName(c.variant)) + ": " + c.name);
        Table t(c.variant);
        Game& g = t.g;
        t.ClearTable();
        t.GiveHand(0, {CardOf(kKing, kSpades), CardOf(4, kSpades)});
        t.GiveHand(2, {CardOf(kKing, kDiamonds), CardOf(4, kDiamonds)});
        t.GiveHand(3, {CardOf(kQueen, kSpades), CardOf(9, kSpades)});
        t.GiveHand(1, {CardOf(kKing, kHearts)});
        t.SetPile({CardOf(3, kClubs)});
        for (size_t i = 0; i < c.deckTop.size(); ++i)
            PlaceInDeck(t, g.DeckPos + int(i), c.deckTop[i]);
        TurnGoesTo(t, 1);

        ASSERT_TRUE(StepUntil(t, [&] {
            return CountOf(t, TraceKind::Pass, 1) + CountOf(t, TraceKind::Play, 1) > 0;
        }));
        EXPECT_EQ(CountOf(t, TraceKind::Draw, 1), c.draws);
        EXPECT_EQ(CountOf(t, TraceKind::Play, 1), c.plays ? 1 : 0);
        EXPECT_EQ(g.HandCount[1], 1 + c.draws - (c.plays ? 1 : 0));
        if (!c.plays) {
            EXPECT_FALSE(g.DrawDone) << "the next player starts with his draws";
            EXPECT_EQ(g.DrawCount, 0);
        }
    }
}

// ---- the end of a deal
// ---------------------------------------------------------------------------

TEST(EndOfHand, APlayerWithoutCardsEndsTheDealAndItIsScored) {
    QuietTable t(T);
    t.g.Hands[1][0].Shown = t.g.Hands[1][1].Shown = false;
    t.g.HandCount[1] = 0;
    t.Play(CardOf(5, kHearts));
    EXPECT_EQ(t.g.State, GS::DealScored);
    EXPECT_EQ(t.g.DealNumber, 1);
    EXPECT_EQ(t.g.HandPoints[1], 0);
    EXPECT_EQ(t.g.HandPoints[2], 13);
}

TEST(EndOfHand, AnEliminatedPlayerWithoutCardsIsNotOut) {
    QuietTable t(P);
    t.g.Players[3].Eliminated = true;
    t.g.Hands[3][0].Shown = t.g.Hands[3][1].Shown = false;
    t.g.HandCount[3] = 0;
    EXPECT_FALSE(EndDealIfSomeoneIsOut(t.g));
    EXPECT_EQ(t.g.State, GS::NormalPlay);
}

// Going out with a penalty card: the penalty is drawn first, then the deal ends.
TEST(EndOfHand, GoingOutWithATwoEndsTheDealOnceThePenaltyIsDrawn) {
    Table t(T);
    Game& g = t.g;
    t.ClearTable();
    g.DirectionReversed = false;
    t.GiveHand(0, {CardOf(kKing, kClubs), CardOf(3, kClubs)});
    t.GiveHand(2, {CardOf(kKing, kSpades), CardOf(3, kSpades)});
    t.GiveHand(3, {CardOf(kKing, kDiamonds), CardOf(3, kDiamonds)});
    t.GiveHand(1, {CardOf(2, kHearts)});
    t.SetPile({CardOf(5, kHearts)});
    TurnGoesTo(t, 1);
    ASSERT_TRUE(StepUntil(t, [&] { return CountOf(t, TraceKind::Play) == 1; }));
    EXPECT_TRUE(StateIs(g, GS::TakingPenaltyThenPlay)) << "not over before the penalty";
    ASSERT_TRUE(StepUntil(t, [&] { return g.State == GS::DealScored; }));
    EXPECT_EQ(CountOf(t, TraceKind::Draw, 2), 2);
    EXPECT_EQ(g.HandCount[2], 4);
    EXPECT_EQ(g.DealNumber, 1);
}

struct GoingOutCase {
    const char* name;
    bool reversed;
    std::vector<int16_t> lastCards;  // seat 1's hand, played in this order
    int victim;                      // the player before seat 1
    int owed;                        // what the run of cards going out is worth
};

// Pis Yedili: the player before the one who went out draws what his last run of cards was
// worth (a Five 5, an Ace 20), one card at a time, and only then does the deal end.
TEST(GoingOutPenalty, ThePlayerBeforeDrawsWhatTheLastRunWasWorth) {
    const GoingOutCase kCases[] = {
        {"a Five, forward", false, {CardOf(5, kClubs)}, 0, 5},
        {"a Five, reversed", true, {CardOf(5, kClubs)}, 2, 5},
        {"Ace then Five, reversed", true, {CardOf(kAce, kClubs), CardOf(5, kClubs)}, 2, 25},
    };
    for (const GoingOutCase& c : kCases) {
        SCOPED_TRACE(c.name);
        Table t(P);
        Game& g = t.g;
        t.ClearTable();
        t.GiveHand(0, {CardOf(kKing, kHearts), CardOf(4, kHearts)});
        t.GiveHand(2, {CardOf(kKing, kDiamonds), CardOf(4, kDiamonds)});
        t.GiveHand(3, {CardOf(kKing, kSpades), CardOf(4, kSpades)});
        for (int16_t card : c.lastCards)
            t.GiveHand(1, {card});
        t.SetPile({CardOf(3, kClubs)});
        TurnGoesTo(t, 1, c.reversed);
        t.trace.events.clear();
        ASSERT_TRUE(StepUntil(t, [&] { return g.State == GS::DealScored; }))
            << "stuck in " << StateName(g.State);

        std::vector<int16_t> played;
        for (const TraceEvent& ev : EventsOf(t, TraceKind::Play)) {
            EXPECT_EQ(ev.Seat, 1);
            played.push_back(int16_t(ev.Card));
        }
        EXPECT_EQ(played, c.lastCards);
        EXPECT_EQ(g.RunPointsOf[1], c.owed);
        const auto draws = EventsOf(t, TraceKind::Draw);
        EXPECT_EQ(int(draws.size()), c.owed);
        for (const TraceEvent& ev : draws) {
            EXPECT_EQ(ev.Seat, c.victim);
            EXPECT_EQ(ev.Draw, DrawKind::Penalty);
        }
        EXPECT_EQ(g.HandCount[c.victim], 2 + c.owed);
        EXPECT_EQ(g.DealNumber, 1) << "the deal ends once the penalty is drawn";
        EXPECT_EQ(g.HandPoints[1], 0);
        EXPECT_EQ(CountOf(t, TraceKind::End), 1);
        EXPECT_EQ(t.trace.events.back().Kind, TraceKind::End);
        std::string why;
        EXPECT_TRUE(t.CardsAllAccountedFor(&why)) << why;
    }
}

struct SevenOutCase {
    const char* name;
    std::vector<int16_t> nextHand;  // seat 2, the next player
    int seat2Draws;
    int seat3Draws;
};

// Going out with a Seven: the chain is settled first, then the player before the one who
// went out (seat 0, whoever is current by then) draws what the Seven is worth.
TEST(GoingOutPenalty, GoingOutWithASevenSettlesTheChainFirst) {
    const SevenOutCase kCases[] = {
        {"next player takes three", {CardOf(kKing, kDiamonds), CardOf(4, kDiamonds)}, 3, 0},
        {"next player answers, the one after takes six",
         {CardOf(7, kDiamonds), CardOf(kKing, kDiamonds), CardOf(4, kDiamonds)},
         0,
         6},
    };
    for (const SevenOutCase& c : kCases) {
        SCOPED_TRACE(c.name);
        Table t(P);
        Game& g = t.g;
        t.ClearTable();
        g.DirectionReversed = false;
        t.GiveHand(0, {CardOf(kKing, kSpades), CardOf(4, kSpades)});
        t.GiveHand(1, {CardOf(7, kClubs)});
        for (int16_t card : c.nextHand)
            t.GiveHand(2, {card});
        t.GiveHand(3, {CardOf(kKing, kHearts), CardOf(4, kHearts)});
        t.SetPile({CardOf(3, kClubs)});
        TurnGoesTo(t, 1);
        ASSERT_TRUE(StepUntil(t, [&] { return g.State == GS::DealScored; }));

        EXPECT_EQ(CountOf(t, TraceKind::Draw, 2), c.seat2Draws);
        EXPECT_EQ(CountOf(t, TraceKind::Draw, 3), c.seat3Draws);
        EXPECT_EQ(CountOf(t, TraceKind::Draw, 0), 20) << "a Seven is worth 20";
        EXPECT_EQ(g.HandCount[0], 22);
        EXPECT_EQ(g.HandCount[1], 0);
        std::string why;
        EXPECT_TRUE(t.CardsAllAccountedFor(&why)) << why;
    }
}

struct VictimCase {
    const char* name;
    bool reversed;
    std::vector<int> eliminated;
    int victim;
};

// The victim is the player before the one who went out, stepping back in the current
// direction past eliminated players.
TEST(GoingOutPenalty, TheVictimIsThePlayerBeforeTheOneWhoWentOut) {
    const VictimCase kCases[] = {
        {"forward", false, {}, 0},
        {"reversed", true, {}, 2},
        {"reversed, seat 2 eliminated", true, {2}, 3},
        {"reversed, seats 2 and 3 eliminated", true, {2, 3}, 0},
    };
    for (const VictimCase& c : kCases) {
        SCOPED_TRACE(c.name);
        QuietTable t(P);
        Game& g = t.g;
        g.DirectionReversed = c.reversed;
        for (int seat : c.eliminated) {
            g.Players[seat].Eliminated = true;
            g.Hands[seat][0].Shown = g.Hands[seat][1].Shown = false;
            g.HandCount[seat] = 0;
        }
        g.Hands[1][0].Shown = g.Hands[1][1].Shown = false;
        g.HandCount[1] = 0;
        g.RunPointsOf[1] = 20;
        g.CurrentPlayer = 0;  // the turn may have moved on since he went out
        EXPECT_TRUE(EndDealIfSomeoneIsOut(g));
        EXPECT_EQ(g.State, GS::TakingPenaltyAndSkip);
        EXPECT_TRUE(g.GoingOutPending);
        EXPECT_EQ(g.PenaltyCards, 20);
        EXPECT_EQ(PlayerAfter(g, g.CurrentPlayer), c.victim);
        EXPECT_EQ(g.DealNumber, 0) << "not scored before the penalty is drawn";
    }
}

TEST(GoingOutPenalty, OtherGamesEndTheDealAtOnce) {
    QuietTable t(A);
    t.g.Hands[1][0].Shown = t.g.Hands[1][1].Shown = false;
    t.g.HandCount[1] = 0;
    t.g.RunPointsOf[1] = 20;
    EXPECT_TRUE(EndDealIfSomeoneIsOut(t.g));
    EXPECT_EQ(t.g.State, GS::DealScored);
    EXPECT_FALSE(t.g.GoingOutPending);
}

}  // namespace
}  // namespace tarrabel::test
