#include "core/card_power.h"

#include <gtest/gtest.h>

#include <string>

#include "core/table_view.h"
#include "support/table_fixture.h"

namespace tarrabel {
namespace {

// A card's power written out: what the rules of each game say the card does.
struct PowerCase {
    GameVariant game;
    int16_t rank;
    int32_t suit;
    const char* does;  // "reverse", "skip", "chain N", "take N", "eleven", "wild", "again", "-"
};

std::string Describe(const CardPower& p) {
    if (p.Reverses) return "reverse";
    if (p.Skips) return "skip";
    if (p.IsPenalty() && p.PenaltyAdds) return "chain " + std::to_string(p.Penalty);
    if (p.IsPenalty() && p.AnswerRedOnly) return "eleven";
    if (p.IsPenalty()) return "take " + std::to_string(p.Penalty);
    if (p.NamesSuit) return "wild";
    if (p.PlaysAgain) return "again";
    return "-";
}

constexpr GameVariant T = GameVariant::Tarrabel, H = GameVariant::HuitAmericain,
                      A = GameVariant::Agonia, I = GameVariant::IllustratedAgonia,
                      P = GameVariant::PisYedili;

TEST(PowerOf, EveryGameGivesItsSpecialCardsTheirPowers) {
    constexpr PowerCase kCases[] = {
        {T, kAce, kHearts, "reverse"},
        {T, kQueen, kClubs, "skip"},
        {T, 2, kSpades, "chain 2"},
        {T, 8, kDiamonds, "wild"},
        {T, kJack, kClubs, "-"},
        {T, 7, kClubs, "-"},
        // Huit Americain: only the Ace of spades reverses; the 2 of spades costs four.
        {H, kAce, kSpades, "reverse"},
        {H, kAce, kHearts, "-"},
        {H, kJack, kClubs, "skip"},
        {H, 2, kSpades, "take 4"},
        {H, 2, kHearts, "take 2"},
        {H, kJoker, kNoSuit, "take 5"},
        {H, 8, kClubs, "wild"},
        {H, kQueen, kClubs, "-"},
        {A, kAce, kClubs, "wild"},
        {A, 7, kHearts, "chain 2"},
        {A, 9, kClubs, "skip"},
        {A, 8, kSpades, "again"},
        {A, kJack, kClubs, "-"},
        {A, kQueen, kClubs, "-"},
        // Illustrated Agonia: the black Jack's eleven cards; a red Jack has no power of
        // its own.
        {I, kJack, kClubs, "eleven"},
        {I, kJack, kSpades, "eleven"},
        {I, kJack, kHearts, "-"},
        {I, kQueen, kDiamonds, "reverse"},
        {I, 2, kSpades, "take 2"},
        {I, 7, kClubs, "chain 2"},
        {I, 9, kClubs, "skip"},
        {I, 8, kClubs, "again"},
        {I, kAce, kClubs, "wild"},
        {P, 7, kClubs, "chain 3"},
        {P, 10, kHearts, "reverse"},
        {P, kJack, kSpades, "wild"},
        {P, kAce, kClubs, "again"},
        {P, 2, kClubs, "-"},
        {P, 9, kClubs, "-"},
    };
    for (const PowerCase& c : kCases) {
        SCOPED_TRACE(std::string(VariantName(c.game)) + " rank " + std::to_string(c.rank) +
                     " suit " + std::to_string(c.suit));
        EXPECT_EQ(Describe(PowerOf(kVariantSettings[int(c.game)], c.rank, c.suit)), c.does);
    }
}

TEST(PowerOf, OnlyARedJackCancelsTheElevenCards) {
    const VariantSettings& v = kVariantSettings[int(I)];
    EXPECT_TRUE(PowerOf(v, kJack, kHearts).CancelsEleven);
    EXPECT_TRUE(PowerOf(v, kJack, kDiamonds).CancelsEleven);
    EXPECT_FALSE(PowerOf(v, kJack, kClubs).CancelsEleven);
    EXPECT_FALSE(PowerOf(v, kQueen, kHearts).CancelsEleven);
    EXPECT_FALSE(PowerOf(kVariantSettings[int(P)], kJack, kHearts).CancelsEleven)
        << "Pis Yedili's Jack is wild";
}

TEST(Answers, AChainIsAnsweredByItsRankAndTheElevenOnlyByARedJack) {
    const CardPower two = PowerOf(kVariantSettings[int(T)], 2, kClubs);
    EXPECT_TRUE(Answers(two, 2, kHearts));
    EXPECT_FALSE(Answers(two, 3, kClubs)) << "the suit alone does not answer";
    const CardPower eleven = PowerOf(kVariantSettings[int(I)], kJack, kSpades);
    EXPECT_TRUE(Answers(eleven, kJack, kDiamonds));
    EXPECT_FALSE(Answers(eleven, kJack, kClubs));
    const CardPower takeTwo = PowerOf(kVariantSettings[int(H)], 2, kHearts);
    EXPECT_FALSE(Answers(takeTwo, 2, kClubs)) << "Huit Americain's 2 cannot be passed on";
}

// A table of the few questions ResolvePlay asks, with a fixed power on top.
struct FakeTable {
    CardPower power;
    CardPower under;
    bool over = false;
    bool nextAnswers = false;
    int16_t current = 1;
    bool reversed = false;
    int16_t penalty = 0;
    bool taken = true;
    bool forgot = false;

    explicit FakeTable(CardPower played, CardPower underIt = {}) : power(played), under(underIt) {}

    CardPower PlayedPower() const { return power; }
    CardPower PowerUnder() const { return under; }
    bool DealIsOver() const { return over; }
    void ForgetNamedSuit() { forgot = true; }
    void ReverseDirection() { reversed = !reversed; }
    void NextPlayer() { current = int16_t((current + 1) % kSeats); }
    void PreviousPlayer() { current = int16_t((current + kSeats - 1) % kSeats); }
    bool NextHoldsAnswer(const CardPower&) const { return nextAnswers; }
    int16_t& PenaltyCards() { return penalty; }
    bool& PenaltyTaken() { return taken; }
};

TEST(ResolvePlay, ChainsAddUpAndOpenAgainstAnAnswerAndTheElevenStartsAfresh) {
    const VariantSettings& agonia = kVariantSettings[int(A)];
    FakeTable t{PowerOf(agonia, 7, kClubs)};
    t.penalty = 2;
    t.nextAnswers = true;
    EXPECT_EQ(ResolvePlay(t), PlayOutcome::NextTurn);
    EXPECT_EQ(t.penalty, 4);
    EXPECT_FALSE(t.taken);
    t.nextAnswers = false;
    EXPECT_EQ(ResolvePlay(t), PlayOutcome::TakeThenPlay);
    EXPECT_EQ(t.penalty, 6);

    FakeTable j{PowerOf(kVariantSettings[int(I)], kJack, kClubs)};
    j.penalty = 4;
    EXPECT_EQ(ResolvePlay(j), PlayOutcome::TakeThenPlay);
    EXPECT_EQ(j.penalty, 11);
}

TEST(ResolvePlay, TheTurnMovesAsEachPowerSays) {
    const VariantSettings& pis = kVariantSettings[int(P)];
    FakeTable wild{PowerOf(pis, kJack, kClubs)};
    EXPECT_EQ(ResolvePlay(wild), PlayOutcome::NameSuit);
    EXPECT_EQ(wild.current, 0) << "back to the player of the wild card";
    EXPECT_FALSE(wild.forgot) << "a wild card keeps the suit he names";

    FakeTable again{PowerOf(pis, kAce, kClubs)};
    EXPECT_EQ(ResolvePlay(again), PlayOutcome::NextTurn);
    EXPECT_EQ(again.current, 0);
    EXPECT_TRUE(again.forgot);

    FakeTable skip{PowerOf(kVariantSettings[int(A)], 9, kClubs)};
    EXPECT_EQ(ResolvePlay(skip), PlayOutcome::NextTurn);
    EXPECT_EQ(skip.current, 2);

    FakeTable reverse{PowerOf(pis, 10, kClubs)};
    EXPECT_EQ(ResolvePlay(reverse), PlayOutcome::NextTurn);
    EXPECT_TRUE(reverse.reversed);
    EXPECT_EQ(reverse.current, 1);

    FakeTable take{PowerOf(kVariantSettings[int(H)], kJoker, kNoSuit)};
    take.penalty = 3;
    EXPECT_EQ(ResolvePlay(take), PlayOutcome::TakeAndLoseTurn);
    EXPECT_EQ(take.penalty, 5) << "a fixed penalty does not add to an open one";
}

TEST(ResolvePlay, ARedJackCancelsTheElevenCardsOfABlackJackUnderItOnly) {
    const VariantSettings& v = kVariantSettings[int(I)];
    const CardPower redJack = PowerOf(v, kJack, kHearts);
    struct Case {
        const char* under;
        CardPower power;
        int16_t penaltyAfter;
    } const kCases[] = {
        {"a black Jack", PowerOf(v, kJack, kSpades), 0},
        {"a red Jack", PowerOf(v, kJack, kDiamonds), 11},
        {"a Queen", PowerOf(v, kQueen, kClubs), 11},
        {"nothing", CardPower{}, 11},
    };
    for (const Case& c : kCases) {
        SCOPED_TRACE(c.under);
        FakeTable t{redJack, c.power};
        t.penalty = 11;
        EXPECT_EQ(ResolvePlay(t), PlayOutcome::NextTurn);
        EXPECT_EQ(t.penalty, c.penaltyAfter);
    }
}

TEST(ResolvePlay, OnlyAPenaltyCardWaitsBeforeTheDealEnds) {
    const VariantSettings& tarrabel = kVariantSettings[int(T)];
    FakeTable plain{PowerOf(tarrabel, 5, kClubs)};
    plain.over = true;
    EXPECT_EQ(ResolvePlay(plain), PlayOutcome::DealDecided);

    // Going out on a chain card: the next player answers or takes it first.
    FakeTable chain{PowerOf(tarrabel, 2, kClubs)};
    chain.over = true;
    EXPECT_EQ(ResolvePlay(chain), PlayOutcome::TakeThenPlay);
}

}  // namespace

// ---- who holds an answer -----------------------------------------------------------------

namespace test {
namespace {

// Every seat holds a King and a 3 (cards without a power in any game), seat 0 of clubs, 1 of
// hearts, 2 of spades, 3 of diamonds.
struct QuietTable : Table {
    explicit QuietTable(GameVariant v) : Table(v) {
        ClearTable();
        constexpr int32_t kSeatSuit[kSeats] = {kClubs, kHearts, kSpades, kDiamonds};
        for (int seat = 0; seat < kSeats; ++seat)
            GiveHand(seat, {CardOf(kKing, kSeatSuit[seat]), CardOf(3, kSeatSuit[seat])});
    }
};

TEST(HandTests, ChainAndRedJackHoldings) {
    QuietTable t(I);
    Game& g = t.g;
    const CardPower blackJack = PowerOf(g.Rules, kJack, kClubs);
    const CardPower seven = PowerOf(g.Rules, 7, kClubs);
    const auto holds = [](const Game& game, int seat, const CardPower& p) {
        return HoldsAnswer(GameTable(game), seat, p);
    };
    EXPECT_FALSE(holds(g, 2, seven));
    EXPECT_FALSE(holds(g, 2, blackJack));
    t.GiveHand(2, {CardOf(kJack, kSpades)});
    EXPECT_FALSE(holds(g, 2, blackJack)) << "a black Jack is no answer";
    t.GiveHand(2, {CardOf(kJack, kDiamonds), CardOf(7, kHearts)});
    EXPECT_TRUE(holds(g, 2, blackJack));
    EXPECT_TRUE(holds(g, 2, seven));
    EXPECT_FALSE(holds(g, 2, PowerOf(g.Rules, 3, kClubs))) << "a 3 opens no chain here";
    // A card that has left the hand does not count.
    for (int s = 0; s < kHandSlots; ++s)
        g.Hands[2][s].Shown = false;
    EXPECT_FALSE(holds(g, 2, blackJack));

    QuietTable p(P);
    p.GiveHand(3, {CardOf(7, kSpades)});
    EXPECT_TRUE(holds(p.g, 3, PowerOf(p.g.Rules, 7, kClubs))) << "Pis Yedili's chain of three";
    EXPECT_FALSE(holds(p.g, 3, PowerOf(p.g.Rules, 2, kClubs)));
}

}  // namespace
}  // namespace test
}  // namespace tarrabel
