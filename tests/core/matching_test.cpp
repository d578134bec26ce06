// Which card may follow the pile, in each of the five games: the human's check, and next to
// it the computer player's, which agree everywhere but on a Jack played on a Jack in Pis
// Yedili.
#include <gtest/gtest.h>

#include <vector>

#include "ai/computer_player.h"
#include "session/human_input.h"
#include "support/table_fixture.h"

namespace tarrabel::test {
namespace {

constexpr GameVariant T = GameVariant::Tarrabel;
constexpr GameVariant H = GameVariant::HuitAmericain;
constexpr GameVariant A = GameVariant::Agonia;
constexpr GameVariant I = GameVariant::IllustratedAgonia;
constexpr GameVariant P = GameVariant::PisYedili;

// The twin of a card in the second pack of Illustrated Agonia and Pis Yedili.
int16_t Twin(int16_t card) {
    return int16_t(card + 52);
}

struct PlayCase {
    const char* name;
    GameVariant variant;
    std::vector<int16_t> pile;  // oldest first; the last card is on top
    int32_t named;              // the suit named with the last wild card
    int16_t card;
    bool human;     // IsLegalHumanPlay
    bool computer;  // HasPlayableCard, the card alone in a computer player's hand
};

// The pile and the named suit of the case, with the card alone in the given seat's hand and
// that seat to move.
void LayOut(Table& t, const PlayCase& c, int seat) {
    t.ClearTable();
    for (int16_t card : c.pile)
        t.SetPile({card});
    t.g.ChosenSuit = c.named;
    t.g.CurrentPlayer = int16_t(seat);
    t.GiveHand(seat, {c.card});
}

TEST(LegalPlay, EachGamesMatchingRuleForTheHumanAndTheComputer) {
    const int16_t kFive = CardOf(5, kClubs);
    const PlayCase kCases[] = {
        // Tarrabel: the 8 is wild.
        {"Tarrabel: same suit", T, {kFive}, kClubs, CardOf(kKing, kClubs), true, true},
        {"Tarrabel: same rank", T, {kFive}, kClubs, CardOf(5, kHearts), true, true},
        {"Tarrabel: neither suit nor rank",
         T,
         {kFive},
         kClubs,
         CardOf(kKing, kHearts),
         false,
         false},
        {"Tarrabel: the wild 8 on anything", T, {kFive}, kClubs, CardOf(8, kHearts), true, true},
        // After a wild card the suit its player named is the one to follow; the 8's own suit
        // and the suit under it no longer count.
        {"Tarrabel: the named suit after an 8",
         T,
         {CardOf(5, kHearts), CardOf(8, kClubs)},
         kDiamonds,
         CardOf(kKing, kDiamonds),
         true,
         true},
        {"Tarrabel: not the 8's own suit",
         T,
         {CardOf(5, kHearts), CardOf(8, kClubs)},
         kDiamonds,
         CardOf(kKing, kClubs),
         false,
         false},
        {"Tarrabel: not the suit under the 8",
         T,
         {CardOf(5, kHearts), CardOf(8, kClubs)},
         kDiamonds,
         CardOf(kKing, kHearts),
         false,
         false},
        {"Tarrabel: an 8 on an 8",
         T,
         {CardOf(5, kHearts), CardOf(8, kClubs)},
         kDiamonds,
         CardOf(8, kSpades),
         true,
         true},

        // Huit Americain: the 8 is wild and the joker goes on anything.
        {"Huit: the joker on anything", H, {kFive}, kClubs, kJoker1, true, true},
        // A joker asks for the suit of the card under it.
        {"Huit: the suit under a joker",
         H,
         {CardOf(5, kHearts), kJoker1},
         kClubs,
         CardOf(kKing, kHearts),
         true,
         true},
        {"Huit: another suit on a joker",
         H,
         {CardOf(5, kHearts), kJoker1},
         kClubs,
         CardOf(kKing, kClubs),
         false,
         false},
        // On a wild 8 the joker asks for the 8's printed suit, not the one named with it.
        {"Huit: a joker on an 8, the 8's own suit",
         H,
         {CardOf(8, kSpades), kJoker1},
         kDiamonds,
         CardOf(kKing, kSpades),
         true,
         true},
        {"Huit: a joker on an 8, not the named suit",
         H,
         {CardOf(8, kSpades), kJoker1},
         kDiamonds,
         CardOf(kKing, kDiamonds),
         false,
         false},
        // A joker turned up as the starter has nothing under it: any card follows.
        {"Huit: anything on a lone joker", H, {kJoker1}, kClubs, CardOf(3, kDiamonds), true, true},
        // A joker on a joker asks for no suit at all: only a wild card follows.
        {"Huit: no suit on a joker on a joker",
         H,
         {CardOf(5, kHearts), kJoker2, kJoker1},
         kHearts,
         CardOf(3, kHearts),
         false,
         false},
        {"Huit: the wild 8 on a joker on a joker",
         H,
         {CardOf(5, kHearts), kJoker2, kJoker1},
         kHearts,
         CardOf(8, kClubs),
         true,
         true},

        // Agonia: the Ace is wild, the 8 is not.
        {"Agonia: the wild Ace on anything",
         A,
         {CardOf(5, kSpades)},
         kClubs,
         CardOf(kAce, kHearts),
         true,
         true},
        {"Agonia: an Ace on an Ace",
         A,
         {CardOf(5, kSpades), CardOf(kAce, kSpades)},
         kHearts,
         CardOf(kAce, kDiamonds),
         true,
         true},
        {"Agonia: an 8 is no wild card",
         A,
         {CardOf(5, kSpades), CardOf(kAce, kSpades)},
         kHearts,
         CardOf(8, kSpades),
         false,
         false},

        // Illustrated Agonia: the Ace is wild, but never an Ace on an Ace.
        {"Illustrated: the wild Ace on anything else",
         I,
         {CardOf(5, kSpades)},
         kClubs,
         CardOf(kAce, kHearts),
         true,
         true},
        {"Illustrated: no Ace on an Ace, even of the named suit",
         I,
         {CardOf(5, kSpades), CardOf(kAce, kSpades)},
         kHearts,
         CardOf(kAce, kHearts),
         false,
         false},
        {"Illustrated: not even the Ace's twin",
         I,
         {CardOf(5, kSpades), CardOf(kAce, kSpades)},
         kSpades,
         Twin(CardOf(kAce, kSpades)),
         false,
         false},
        {"Illustrated: the named suit on an Ace",
         I,
         {CardOf(5, kSpades), CardOf(kAce, kSpades)},
         kHearts,
         CardOf(5, kHearts),
         true,
         true},

        // Pis Yedili: the Jack is wild. No starter is turned up, so the first card of a deal
        // goes on the empty pile: it must be a club or a Jack, whatever suit was named in
        // the deal before.
        {"Pis Yedili: a club opens", P, {}, kHearts, CardOf(4, kClubs), true, true},
        {"Pis Yedili: a Jack opens", P, {}, kHearts, CardOf(kJack, kHearts), true, true},
        {"Pis Yedili: nothing else opens", P, {}, kHearts, CardOf(kKing, kHearts), false, false},
        {"Pis Yedili: the wild Jack on anything",
         P,
         {CardOf(5, kDiamonds)},
         kClubs,
         CardOf(kJack, kSpades),
         true,
         true},
        // A Jack on a Jack: the human's check asks whether the top Jack's player named its
        // own suit, whatever the suit of the Jack played; the computer's asks whether the
        // Jack played is of the named suit.
        {"Pis Yedili: on a Jack that named its own suit, a Jack of another suit",
         P,
         {CardOf(5, kSpades), CardOf(kJack, kHearts)},
         kHearts,
         CardOf(kJack, kClubs),
         true,
         false},
        {"Pis Yedili: on a Jack that named another suit, a Jack of the named suit",
         P,
         {CardOf(5, kSpades), CardOf(kJack, kHearts)},
         kSpades,
         CardOf(kJack, kSpades),
         false,
         true},
        {"Pis Yedili: on a Jack that named its own suit, its twin",
         P,
         {CardOf(5, kSpades), CardOf(kJack, kHearts)},
         kHearts,
         Twin(CardOf(kJack, kHearts)),
         true,
         true},
        {"Pis Yedili: on a Jack that named another suit, a Jack of a third suit",
         P,
         {CardOf(5, kSpades), CardOf(kJack, kHearts)},
         kSpades,
         CardOf(kJack, kClubs),
         false,
         false},
        {"Pis Yedili: the named suit on a Jack",
         P,
         {CardOf(5, kSpades), CardOf(kJack, kHearts)},
         kSpades,
         CardOf(kKing, kSpades),
         true,
         true},
        {"Pis Yedili: not the Jack's own suit once another is named",
         P,
         {CardOf(5, kSpades), CardOf(kJack, kHearts)},
         kSpades,
         CardOf(kKing, kHearts),
         false,
         false},
    };
    for (const PlayCase& c : kCases) {
        SCOPED_TRACE(c.name);
        Table human(c.variant);
        LayOut(human, c, kHuman);
        EXPECT_EQ(IsLegalHumanPlay(human.g, human.g.Hands[kHuman][0]), c.human) << "human";
        Table computer(c.variant);
        LayOut(computer, c, 1);
        EXPECT_EQ(HasPlayableCard(computer.g), c.computer) << "computer";
    }
}

}  // namespace
}  // namespace tarrabel::test
