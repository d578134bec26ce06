// The easy computer player: the first card in his hand's order that the rules let a computer
// player play (wild cards included, chains answered), his longest suit after a wild card,
// and, over many whole deals of every game with easy players in seats 1 to 3, never a card
// the rules forbid and never a deal that does not end.
#include "ai/easy_player.h"

#include <gtest/gtest.h>

#include <array>
#include <memory>
#include <string>
#include <vector>

#include "ai/computer_player.h"
#include "core/card_census.h"
#include "core/card_power.h"
#include "core/matching.h"
#include "core/table_view.h"
#include "core/turns.h"
#include "session/frame.h"
#include "session/game_init.h"
#include "simulate/choice_policy.h"
#include "support/table_fixture.h"

namespace tarrabel::test {
namespace {

constexpr GameVariant T = GameVariant::Tarrabel;
constexpr GameVariant H = GameVariant::HuitAmericain;
constexpr GameVariant I = GameVariant::IllustratedAgonia;
constexpr GameVariant P = GameVariant::PisYedili;

// Seat 1, an easy player, is to move; play runs 1, 2, 3, 0, and the others hold two cards
// each unless the case says otherwise.
struct Turn {
    GameVariant variant = T;
    std::vector<int16_t> pile;  // oldest first
    std::vector<int16_t> hand;  // from slot 0 on
    int32_t chosen = kClubs;    // the suit named after the last wild card
    bool chainOpen = false;     // the top card's penalty is still to be answered or taken
    int nextCount = 2;          // cards held by seat 2
    int32_t nextNamed = kNoSuit;
};

void LayOut(Table& t, const Turn& turn) {
    Game& g = t.g;
    t.ClearTable();
    g.DirectionReversed = false;
    g.CurrentPlayer = 1;
    g.SeatLevel[1] = AiLevel::Easy;
    for (int16_t card : turn.pile)
        t.SetPile({card});
    for (int16_t card : turn.hand)
        t.GiveHand(1, {card});
    for (int seat : {2, 3, 0})
        for (int n = 0; n < (seat == 2 ? turn.nextCount : 2); ++n)
            t.GiveHand(seat, {g.DeckOrder[g.DeckPos]});
    g.ChosenSuit = turn.chosen;
    g.Players[2].LastNamedSuit = turn.nextNamed;
    g.PenaltyTaken = !turn.chainOpen;
}

struct CardCase {
    const char* name;
    Turn turn;
    int slot;
};

TEST(EasyChooseCard, PlaysTheFirstCardTheRulesAllowInHandOrder) {
    const int16_t redJack = CardOf(kJack, kHearts);
    const CardCase kCases[] = {
        {"a card that follows nothing is passed over",
         {T,
          {CardOf(5, kClubs)},
          {CardOf(kKing, kHearts), CardOf(3, kClubs), CardOf(5, kDiamonds)}},
         1},
        // The standard player keeps his wild eight for later and plays the King of clubs.
        {"a wild card first in the hand goes at once",
         {T, {CardOf(5, kClubs)}, {CardOf(8, kHearts), CardOf(kKing, kClubs)}},
         0},
        {"the rank of the top card follows too",
         {T, {CardOf(5, kClubs)}, {CardOf(4, kHearts), CardOf(5, kSpades), CardOf(3, kClubs)}},
         1},
        {"a chain he can answer: the first answer, not the first card that follows",
         {T,
          {CardOf(2, kClubs)},
          {CardOf(3, kClubs), CardOf(8, kHearts), CardOf(2, kHearts), CardOf(2, kSpades)},
          kClubs,
          true},
         2},
        {"a chain already taken leaves him free to follow",
         {T, {CardOf(2, kClubs)}, {CardOf(3, kClubs), CardOf(2, kHearts)}, kClubs, false},
         0},
        // Seven cards or more: every computer player keeps his red Jacks back.
        {"a red Jack is kept back in a hand of seven",
         {I,
          {CardOf(4, kHearts)},
          {redJack, CardOf(kKing, kSpades), CardOf(9, kHearts), CardOf(3, kSpades),
           CardOf(5, kSpades), CardOf(6, kSpades), CardOf(10, kSpades)}},
         2},
        {"a red Jack goes first in a hand of six",
         {I,
          {CardOf(4, kHearts)},
          {redJack, CardOf(kKing, kSpades), CardOf(9, kHearts), CardOf(3, kSpades),
           CardOf(5, kSpades), CardOf(6, kSpades)}},
         0},
        {"a black Jack's eleven are answered with a red one even in a hand of seven",
         {I,
          {CardOf(4, kSpades), CardOf(kJack, kSpades)},
          {CardOf(3, kSpades), CardOf(9, kSpades), redJack, CardOf(3, kHearts), CardOf(5, kHearts),
           CardOf(6, kHearts), CardOf(10, kHearts)},
          kClubs,
          true},
         2},
        {"no wild Ace on a wild Ace in Illustrated Agonia",
         {I, {CardOf(kAce, kSpades)}, {CardOf(kAce, kHearts), CardOf(5, kHearts)}, kHearts},
         1},
        {"a Jack on a Jack in Pis Yedili only in the suit to follow",
         {P,
          {CardOf(kJack, kSpades)},
          {CardOf(kJack, kClubs), CardOf(kJack, kHearts), CardOf(5, kHearts)},
          kHearts},
         1},
        {"a joker follows anything in Huit Americain",
         {H, {CardOf(5, kClubs)}, {CardOf(kKing, kHearts), kJoker1, CardOf(3, kClubs)}},
         1},
    };
    for (const CardCase& c : kCases) {
        SCOPED_TRACE(c.name);
        Table t(c.turn.variant);
        LayOut(t, c.turn);
        ASSERT_TRUE(HasPlayableCard(t.g));
        EXPECT_EQ(ChooseCardToPlay(t.g), c.slot);
    }
}

struct SuitCase {
    const char* name;
    Turn turn;
    int32_t suit;
};

TEST(EasyChooseSuit, NamesHisLongestSuitTiesToTheLowerCode) {
    const std::vector<int16_t> eight = {CardOf(8, kClubs)};
    const SuitCase kCases[] = {
        {"two spades",
         {T,
          eight,
          {CardOf(3, kHearts), CardOf(5, kSpades), CardOf(9, kSpades), CardOf(2, kClubs)}},
         kSpades},
        {"hearts and spades tie: hearts, the lower code",
         {T,
          eight,
          {CardOf(5, kSpades), CardOf(3, kHearts), CardOf(9, kSpades), CardOf(4, kHearts)}},
         kHearts},
        {"diamonds, the last code, when they are longest",
         {T, eight, {CardOf(5, kDiamonds), CardOf(3, kClubs), CardOf(9, kDiamonds)}},
         kDiamonds},
        {"jokers count under no suit",
         {H, eight, {kJoker1, kJoker2, CardOf(4, kDiamonds)}},
         kDiamonds},
        // The standard player would name another suit here, drawn at random.
        {"the next player on his last card asked for it himself: he names it all the same",
         {T,
          eight,
          {CardOf(3, kHearts), CardOf(4, kHearts), CardOf(5, kClubs)},
          kClubs,
          false,
          1,
          kHearts},
         kHearts},
    };
    for (const SuitCase& c : kCases) {
        SCOPED_TRACE(c.name);
        Table t(c.turn.variant);
        LayOut(t, c.turn);
        EXPECT_EQ(ChooseSuit(t.g), c.suit);
        EXPECT_EQ(t.g.ChosenSuit, c.suit);
        EXPECT_EQ(t.g.Players[1].LastNamedSuit, c.suit);
    }
}

// ---- whole deals -------------------------------------------------------------------------

// The cards of each suit in `seat`'s hand (jokers under none).
std::array<int, 5> SuitTally(const Game& g, int seat) {
    std::array<int, 5> tally{};
    const GameTable t(g);
    for (int s = 0; s < kHandSlots; ++s)
        if (t.Card(seat, s) >= 0) ++tally[size_t(t.SuitOf(t.Card(seat, s)))];
    return tally;
}

// Every suit an easy player names is one he holds most of, the lowest such suit.
struct SuitWatch final : TraceSink {
    int named = 0;
    std::vector<std::string> faults;
    void Event(const Game& g, const TraceEvent& ev) override {
        if (ev.Kind != TraceKind::Suit || ev.Seat == kHuman) return;
        ++named;
        const std::array<int, 5> tally = SuitTally(g, ev.Seat);
        for (int s = kClubs; s <= kDiamonds; ++s) {
            if (tally[size_t(s)] > tally[size_t(ev.Suit)] ||
                (s < ev.Suit && tally[size_t(s)] == tally[size_t(ev.Suit)]))
                faults.push_back("seat " + std::to_string(ev.Seat) + " named suit " +
                                 std::to_string(ev.Suit) + " holding more of suit " +
                                 std::to_string(s));
        }
    }
};

struct DealTally {
    int deals = 0;
    int plays = 0;
    int chainsAnswered = 0;
    int wildCards = 0;
    int suitsNamed = 0;
};

// Whether the card an easy player has just sent to the pile was his to play: with a chain
// against him he could answer, an answer; otherwise a card the computer players' matching
// rule allows with the hand he holds. It must also be the first such card of his hand.
std::string CheckPlay(const Game& g, int seat, int slot, DealTally& tally) {
    const GameTable t(g);
    const int card = t.Card(seat, slot);
    if (card < 0) return "an empty slot";
    const CardPower forced = OpenPenaltyAgainst(t, seat);
    auto allowed = [&](int c) {
        return forced.CanBeAnswered()
                   ? Answers(forced, t.RankOf(c), t.SuitOf(c))
                   : ComputerMayPlay(t, seat, c, t.TopRank(), t.Follow(), t.Count(seat));
    };
    if (!allowed(card)) return "card " + std::to_string(card) + " is not his to play";
    for (int s = 0; s < slot; ++s)
        if (t.Card(seat, s) >= 0 && allowed(t.Card(seat, s)))
            return "slot " + std::to_string(s) + " came first";
    ++tally.plays;
    if (forced.CanBeAnswered()) ++tally.chainsAnswered;
    if (t.RankOf(card) == g.Rules.WildRank) ++tally.wildCards;
    return {};
}

// Plays `deals` deals of `variant` with easy players in seats 1 to 3 and the person's seat
// played by the standard choice through its clicks; checks every card an easy player sends
// to the pile as it leaves his hand, and every suit he names.
DealTally PlayEasyDeals(GameVariant variant, uint64_t seed, int deals) {
    VirtualClock clock;
    SeededRandom rng(seed);
    NullSound sound;
    SuitWatch suits;
    Services io{&clock, &rng, &sound, &suits};
    auto game = std::make_unique<Game>();
    Game& g = *game;
    GameInit(g, DefaultOptions(variant), io);
    for (int seat = 1; seat < kSeats; ++seat)
        g.SeatLevel[seat] = AiLevel::Easy;
    sim::ChoicePolicy person(AiLevel::Standard, seed + 1);

    DealTally tally;
    std::string why;
    bool inFlight = false;  // an easy player's card is on its way to the pile
    for (int deal = 0; deal < deals; ++deal) {
        // The score page of the last deal: a click deals the next one.
        for (int frame = 0; frame < 10 && g.State == GameState::DealScored; ++frame) {
            RunGameFrame(g, person.Decide(g));
            clock.Advance(16);
        }
        for (int frame = 0; frame < 1'000'000 && g.State != GameState::DealScored; ++frame) {
            RunGameFrame(g, person.Decide(g));
            clock.Advance(16);
            const int seat = g.CurrentPlayer;
            const bool flying = seat != kHuman && g.Hands[seat][g.ComputerSlot].Moving;
            // The turn launched the card this very frame: the table is still as he saw it.
            if (flying && !inFlight) {
                const std::string fault = CheckPlay(g, seat, g.ComputerSlot, tally);
                EXPECT_EQ(fault, "") << VariantName(variant) << " seed " << seed << " deal " << deal
                                     << " seat " << seat << " slot " << g.ComputerSlot;
                if (!fault.empty()) return tally;
            }
            inFlight = flying;
            if (!CheckCardInvariant(g, &why)) {
                ADD_FAILURE() << VariantName(variant) << " seed " << seed << " deal " << deal
                              << ": " << why;
                return tally;
            }
        }
        EXPECT_EQ(g.State, GameState::DealScored)
            << VariantName(variant) << " seed " << seed << " deal " << deal << " did not end";
        if (g.State != GameState::DealScored) return tally;
        ++tally.deals;
    }
    EXPECT_EQ(suits.faults, std::vector<std::string>{}) << VariantName(variant) << " seed " << seed;
    tally.suitsNamed = suits.named;
    return tally;
}

class EasyDeals : public ::testing::TestWithParam<GameVariant> {};

TEST_P(EasyDeals, EveryCardIsHisToPlayEverySuitHisLongestAndEveryDealEnds) {
    DealTally total;
    for (uint64_t seed : {3u, 17u, 91u, 260u}) {
        const DealTally t = PlayEasyDeals(GetParam(), seed, 60);
        total.deals += t.deals;
        total.plays += t.plays;
        total.chainsAnswered += t.chainsAnswered;
        total.wildCards += t.wildCards;
        total.suitsNamed += t.suitsNamed;
    }
    EXPECT_EQ(total.deals, 240);
    // The deals covered what matters: many plays, wild cards and the suits named after them,
    // and chains answered in the games that have them.
    EXPECT_GT(total.plays, 3000);
    EXPECT_GT(total.wildCards, 200);
    EXPECT_GT(total.suitsNamed, 200);
    const VariantSettings& v = kVariantSettings[int(GetParam())];
    if (v.DrawTwoChainRank >= 0 || v.DrawThreeChainRank >= 0 || v.TakeElevenRank >= 0) {
        EXPECT_GT(total.chainsAnswered, 30);
    }
}

INSTANTIATE_TEST_SUITE_P(Variants, EasyDeals, ::testing::ValuesIn(kAllVariants),
                         [](const auto& info) { return NameOf(info.param); });

}  // namespace
}  // namespace tarrabel::test
