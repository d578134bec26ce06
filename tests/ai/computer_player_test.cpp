#include "ai/computer_player.h"

#include <array>
#include <set>
#include <string>
#include <vector>

#include "core/hand_queries.h"
#include "support/table_driver.h"

namespace tarrabel::test {
namespace {

constexpr GameVariant T = GameVariant::Tarrabel;
constexpr GameVariant H = GameVariant::HuitAmericain;
constexpr GameVariant I = GameVariant::IllustratedAgonia;
constexpr GameVariant P = GameVariant::PisYedili;

// The player to move is seat 1 and play runs 1, 2, 3, 0: seat 2 is next, seat 3 the one
// after him and seat 0 the third.
struct Turn {
    GameVariant variant = T;
    std::vector<int16_t> pile;  // oldest first
    std::vector<int16_t> hand;
    int32_t chosen = kClubs;
    std::array<int, 3> neighbours = {2, 2, 2};  // cards held by seats 2, 3 and 0
    int32_t nextNamed = kNoSuit;                // seat 2's LastNamedSuit
    bool penaltyTaken = true;
    int seat = 1;
};

// Lays out the turn; the neighbours get whatever cards come off the deck.
void LayOut(Table& t, const Turn& turn) {
    Game& g = t.g;
    t.ClearTable();
    g.DirectionReversed = false;
    g.CurrentPlayer = int16_t(turn.seat);
    for (int16_t card : turn.pile)
        t.SetPile({card});
    for (int16_t card : turn.hand)
        t.GiveHand(turn.seat, {card});
    const int seats[3] = {(turn.seat + 1) % 4, (turn.seat + 2) % 4, (turn.seat + 3) % 4};
    for (int i = 0; i < 3; ++i)
        for (int n = 0; n < turn.neighbours[i]; ++n)
            t.GiveHand(seats[i], {g.DeckOrder[g.DeckPos]});
    g.ChosenSuit = turn.chosen;
    g.Players[seats[0]].LastNamedSuit = turn.nextNamed;
    g.PenaltyTaken = turn.penaltyTaken;
}

TEST(ChooseCardToPlay, PrefersTheMatchingFiveToTheWildEight) {
    Table t(GameVariant::Tarrabel);
    t.ClearTable();
    t.g.CurrentPlayer = 1;
    t.GiveHand(1, {CardOf(8, kHearts), CardOf(5, kDiamonds)});
    for (int seat : {0, 2, 3})
        t.GiveHand(seat, {CardOf(13, kClubs), CardOf(12, kClubs)});
    t.SetPile({CardOf(5, kClubs)});
    EXPECT_TRUE(HasPlayableCard(t.g));
    EXPECT_EQ(ChooseCardToPlay(t.g), 1);
}

// ---- can he play? -------------------------------------------------------------------------------

struct PlayableCase {
    const char* name;
    Turn turn;
    bool playable;
};

// Six cards that never follow a 5 of hearts in Illustrated Agonia.
const std::vector<int16_t> kOffCards = {CardOf(3, kDiamonds), CardOf(4, kDiamonds),
                                        CardOf(6, kDiamonds), CardOf(9, kDiamonds),
                                        CardOf(10, kSpades),  CardOf(kKing, kSpades)};

std::vector<int16_t> With(std::vector<int16_t> cards, int16_t extra) {
    cards.push_back(extra);
    return cards;
}

TEST(HasPlayableCard, AppliesTheMatchingRuleOfEachGame) {
    const int16_t kRedJack = CardOf(kJack, kHearts);
    const PlayableCase kCases[] = {
        {"Tarrabel: nothing follows", {T, {CardOf(5, kClubs)}, {CardOf(kKing, kHearts)}}, false},
        {"Tarrabel: same suit", {T, {CardOf(5, kClubs)}, {CardOf(kKing, kClubs)}}, true},
        {"Tarrabel: same rank", {T, {CardOf(5, kClubs)}, {CardOf(5, kHearts)}}, true},
        {"Tarrabel: the wild 8", {T, {CardOf(5, kClubs)}, {CardOf(8, kHearts)}}, true},
        {"Tarrabel: after an 8, the named suit",
         {T, {CardOf(5, kClubs), CardOf(8, kClubs)}, {CardOf(kKing, kDiamonds)}, kDiamonds},
         true},
        {"Tarrabel: after an 8, not its own suit",
         {T, {CardOf(5, kHearts), CardOf(8, kClubs)}, {CardOf(kKing, kClubs)}, kDiamonds},
         false},
        {"Huit: a joker goes on anything", {H, {CardOf(5, kClubs)}, {kJoker1}}, true},
        {"Huit: joker on a joker, no suit follows",
         {H, {CardOf(5, kClubs), kJoker2, kJoker1}, {CardOf(3, kClubs)}},
         false},
        {"Huit: joker on a joker, the wild 8 does",
         {H, {CardOf(5, kClubs), kJoker2, kJoker1}, {CardOf(8, kClubs)}},
         true},
        {"Illustrated: no Ace on an Ace",
         {I, {CardOf(5, kSpades), CardOf(kAce, kSpades)}, {CardOf(kAce, kHearts)}, kSpades},
         false},
        {"Illustrated: the named suit on an Ace",
         {I, {CardOf(5, kSpades), CardOf(kAce, kSpades)}, {CardOf(5, kHearts)}, kHearts},
         true},
        {"Pis Yedili: a Jack on a Jack off the named suit",
         {P, {CardOf(5, kSpades), CardOf(kJack, kSpades)}, {CardOf(kJack, kClubs)}, kHearts},
         false},
        {"Pis Yedili: a Jack on a Jack in the named suit",
         {P, {CardOf(5, kSpades), CardOf(kJack, kSpades)}, {CardOf(kJack, kHearts)}, kHearts},
         true},
        {"Pis Yedili: empty pile, no club",
         {P, {}, {CardOf(kKing, kHearts), CardOf(4, kDiamonds)}},
         false},
        {"Pis Yedili: empty pile, a club",
         {P, {}, {CardOf(kKing, kHearts), CardOf(4, kClubs)}},
         true},
        {"Pis Yedili: empty pile, a Jack", {P, {}, {CardOf(kJack, kHearts)}}, true},
        {"Illustrated: computer with 7 cards keeps his red Jack back",
         {I, {CardOf(5, kHearts)}, With(kOffCards, kRedJack)},
         false},
        {"Illustrated: computer with 6 cards plays it",
         {I, {CardOf(5, kHearts)}, With({kOffCards.begin(), kOffCards.end() - 1}, kRedJack)},
         true},
        {"Illustrated: the human with 7 cards plays it",
         {I,
          {CardOf(5, kHearts)},
          With(kOffCards, kRedJack),
          kClubs,
          {2, 2, 2},
          kNoSuit,
          true,
          kHuman},
         true},
        {"Illustrated: the rule holds even on a Jack",
         {I, {CardOf(5, kClubs), CardOf(kJack, kClubs)}, With(kOffCards, kRedJack)},
         false},
        {"Illustrated: a black Jack is not held back",
         {I, {CardOf(5, kClubs), CardOf(kJack, kClubs)}, With(kOffCards, CardOf(kJack, kSpades))},
         true},
    };
    for (const PlayableCase& c : kCases) {
        SCOPED_TRACE(c.name);
        Table t(c.turn.variant);
        LayOut(t, c.turn);
        EXPECT_EQ(HasPlayableCard(t.g), c.playable);
    }
}

// ---- which card ---------------------------------------------------------------------------------

struct ChoiceCase {
    const char* name;
    Turn turn;
    int slot;
};

TEST(ChooseCardToPlay, ScoresEveryCardAndPlaysTheBest) {
    const ChoiceCase kCases[] = {
        {"equal scores: the lower slot",
         {T, {CardOf(5, kClubs)}, {CardOf(5, kDiamonds), CardOf(5, kHearts)}},
         0},
        {"equal scores the other way round",
         {T, {CardOf(5, kClubs)}, {CardOf(5, kHearts), CardOf(5, kDiamonds)}},
         0},
        {"only the wild card follows",
         {T, {CardOf(5, kClubs)}, {CardOf(kKing, kDiamonds), CardOf(8, kHearts)}},
         1},
        {"the longer suit wins",
         {T,
          {CardOf(5, kClubs)},
          {CardOf(5, kHearts), CardOf(4, kClubs), CardOf(kKing, kDiamonds), CardOf(6, kClubs)}},
         3},
        {"Pis Yedili opens with a club", {P, {}, {CardOf(kKing, kHearts), CardOf(5, kClubs)}}, 1},
        {"Pis Yedili opens with a club rather than a Jack",
         {P, {}, {CardOf(kJack, kHearts), CardOf(5, kClubs)}},
         1},
        // Seat 2 holds one card and named spades, the top card's suit: a wild card would
        // score best, but an Ace may not follow an Ace.
        {"Illustrated: never an Ace on an Ace",
         {I,
          {CardOf(5, kSpades), CardOf(kAce, kSpades)},
          {CardOf(kAce, kHearts), CardOf(5, kHearts)},
          kHearts,
          {1, 2, 2},
          kSpades},
         1},
        {"Pis Yedili: no Jack on a Jack off the named suit",
         {P,
          {CardOf(5, kSpades), CardOf(kJack, kSpades)},
          {CardOf(kJack, kClubs), CardOf(5, kHearts)},
          kHearts,
          {1, 2, 2},
          kSpades},
         1},
        {"Pis Yedili: a Jack on a Jack in the named suit",
         {P,
          {CardOf(5, kSpades), CardOf(kJack, kSpades)},
          {CardOf(kJack, kHearts), CardOf(5, kHearts)},
          kHearts,
          {1, 2, 2},
          kSpades},
         0},
        {"open black Jack: the red Jack, whatever else",
         {I,
          {CardOf(5, kClubs), CardOf(kJack, kClubs)},
          {CardOf(kKing, kClubs), CardOf(kJack, kDiamonds)},
          kClubs,
          {2, 2, 2},
          kNoSuit,
          false},
         1},
        {"black Jack already taken: ordinary scoring",
         {I,
          {CardOf(5, kClubs), CardOf(kJack, kClubs)},
          {CardOf(kKing, kClubs), CardOf(kJack, kDiamonds)},
          kClubs,
          {2, 2, 2},
          kNoSuit,
          true},
         0},
        {"open Two: only a Two",
         {T,
          {CardOf(5, kHearts), CardOf(2, kClubs)},
          {CardOf(kKing, kClubs), CardOf(2, kHearts)},
          kClubs,
          {2, 2, 2},
          kNoSuit,
          false},
         1},
        {"Two already taken: ordinary scoring",
         {T,
          {CardOf(5, kHearts), CardOf(2, kClubs)},
          {CardOf(kKing, kClubs), CardOf(2, kHearts)},
          kClubs,
          {2, 2, 2},
          kNoSuit,
          true},
         0},
        {"open Seven of Pis Yedili: only a Seven",
         {P,
          {CardOf(3, kClubs), CardOf(7, kClubs)},
          {CardOf(kKing, kClubs), CardOf(7, kDiamonds)},
          kClubs,
          {2, 2, 2},
          kNoSuit,
          false},
         1},
    };
    for (const ChoiceCase& c : kCases) {
        SCOPED_TRACE(c.name);
        Table t(c.turn.variant);
        LayOut(t, c.turn);
        ASSERT_TRUE(HasPlayableCard(t.g));
        EXPECT_EQ(ChooseCardToPlay(t.g), c.slot);
    }
}

// The neighbours' hands steer the choice: hurt a player down to his last card, spare the
// player after him, and do not hand the turn back to a player who is about to go out.
TEST(ChooseCardToPlay, WeighsTheNeighboursLastCards) {
    const std::vector<int16_t> kingQueen = {CardOf(kKing, kClubs), CardOf(kQueen, kClubs)};
    const std::vector<int16_t> kingTwo = {CardOf(kKing, kClubs), CardOf(2, kClubs)};
    const std::vector<int16_t> aceKing = {CardOf(kAce, kClubs), CardOf(kKing, kClubs)};
    const std::vector<int16_t> kingEight = {CardOf(kKing, kClubs), CardOf(8, kHearts)};
    const std::vector<int16_t> kingTake = {CardOf(kKing, kHearts), CardOf(2, kHearts)};
    const std::vector<int16_t> top = {CardOf(5, kClubs)};
    const ChoiceCase kCases[] = {
        {"no one short: King before Queen", {T, top, kingQueen}, 0},
        {"next has one card: the skipping Queen", {T, top, kingQueen, kClubs, {1, 2, 2}}, 1},
        {"the one after has one card: no skip", {T, top, kingQueen, kClubs, {1, 1, 2}}, 0},
        {"no one short: King before Two", {T, top, kingTwo}, 0},
        {"next has one card: the chain Two", {T, top, kingTwo, kClubs, {1, 2, 2}}, 1},
        {"next has one card: the reversing Ace", {T, top, aceKing, kClubs, {1, 2, 2}}, 0},
        {"third has one card too and next named clubs: no reverse",
         {T, top, aceKing, kClubs, {1, 2, 1}, kClubs},
         1},
        {"next has one card and named clubs: the wild 8",
         {T, top, kingEight, kClubs, {1, 2, 2}, kClubs},
         1},
        {"next has one card but named another suit",
         {T, top, kingEight, kClubs, {1, 2, 2}, kHearts},
         0},
        {"Huit, no one short: the Two", {H, {CardOf(5, kHearts)}, kingTake}, 1},
        {"Huit, the one after has one card: no Two",
         {H, {CardOf(5, kHearts)}, kingTake, kClubs, {2, 1, 2}},
         0},
        {"Huit, next has one card: the Two",
         {H, {CardOf(5, kHearts)}, kingTake, kClubs, {1, 1, 2}},
         1},
    };
    for (const ChoiceCase& c : kCases) {
        SCOPED_TRACE(c.name);
        Table t(c.turn.variant);
        LayOut(t, c.turn);
        EXPECT_EQ(ChooseCardToPlay(t.g), c.slot);
    }
}

// Asked with nothing worth playing, it still names a slot that holds a card.
TEST(ChooseCardToPlay, WithNothingPlayableItAnswersAnOccupiedSlot) {
    Table t(T);
    LayOut(t, {T,
               {CardOf(5, kClubs)},
               {CardOf(3, kHearts), CardOf(4, kHearts), CardOf(kKing, kHearts),
                CardOf(kQueen, kDiamonds)}});
    t.g.Hands[1][0].Shown = t.g.Hands[1][1].Shown = false;
    t.g.HandCount[1] = 2;
    ASSERT_FALSE(HasPlayableCard(t.g));
    EXPECT_EQ(ChooseCardToPlay(t.g), 2);
}

// A computer player with seven cards does not count his red Jack as playable, but when he
// holds another playable card the choice still weighs every card.
TEST(ChooseCardToPlay, AComputerWithManyCardsStillPlaysItsPlayableCard) {
    Table t(I);
    LayOut(t, {I, {CardOf(5, kHearts)}, With(kOffCards, CardOf(kJack, kHearts))});
    t.GiveHand(1, {CardOf(6, kHearts)});
    ASSERT_TRUE(HasPlayableCard(t.g));
    const int slot = ChooseCardToPlay(t.g);
    EXPECT_EQ(t.g.Hands[1][slot].CardIndex, CardOf(6, kHearts));
}

// ---- which suit ---------------------------------------------------------------------------------

struct SuitCase {
    const char* name;
    Turn turn;
    int32_t suit;
};

TEST(ChooseSuit, NamesTheSuitHeHoldsMostOf) {
    const std::vector<int16_t> eight = {CardOf(8, kClubs)};
    const SuitCase kCases[] = {
        {"two hearts",
         {T,
          eight,
          {CardOf(8, kSpades), CardOf(3, kHearts), CardOf(kKing, kHearts), CardOf(2, kClubs)}},
         kHearts},
        {"a tie goes to the lower suit code",
         {T, eight, {CardOf(3, kHearts), CardOf(4, kClubs), CardOf(5, kHearts), CardOf(6, kClubs)}},
         kClubs},
        {"wild cards count under their own suit",
         {T, eight, {CardOf(8, kSpades), CardOf(3, kSpades), CardOf(kKing, kHearts)}},
         kSpades},
        {"only a joker: clubs", {H, {CardOf(8, kClubs)}, {kJoker1}}, kClubs},
        {"next has one card and named hearts, but he holds only one card too",
         {T, eight, {CardOf(3, kHearts)}, kClubs, {1, 2, 2}, kHearts},
         kHearts},
        {"next named hearts but holds two cards",
         {T, eight, {CardOf(3, kHearts), CardOf(4, kHearts)}, kClubs, {2, 2, 2}, kHearts},
         kHearts},
    };
    for (const SuitCase& c : kCases) {
        SCOPED_TRACE(c.name);
        Table t(c.turn.variant);
        LayOut(t, c.turn);
        t.g.ChosenSuit = kDiamonds;
        EXPECT_EQ(ChooseSuit(t.g), c.suit);
        EXPECT_EQ(t.g.ChosenSuit, c.suit);
        EXPECT_EQ(t.g.Players[1].LastNamedSuit, c.suit);
    }
}

// The next player is down to his last card and named hearts himself: name something else,
// drawn at random.
TEST(ChooseSuit, AvoidsTheSuitTheNextPlayerAskedForWhenHeHasOneCardLeft) {
    std::set<int32_t> named;
    for (uint64_t seed = 1; seed <= 40; ++seed) {
        Table t(T, seed);
        LayOut(t, {T,
                   {CardOf(8, kClubs)},
                   {CardOf(3, kHearts), CardOf(4, kHearts), CardOf(5, kClubs)},
                   kClubs,
                   {1, 2, 2},
                   kHearts});
        const int32_t suit = ChooseSuit(t.g);
        EXPECT_NE(suit, kHearts);
        EXPECT_GE(suit, kClubs);
        EXPECT_LE(suit, kDiamonds);
        EXPECT_EQ(t.g.Players[1].LastNamedSuit, suit);
        EXPECT_EQ(t.g.ChosenSuit, suit);
        named.insert(suit);
    }
    EXPECT_EQ(named.size(), 3u) << "each other suit can come up";
}

}  // namespace
}  // namespace tarrabel::test
