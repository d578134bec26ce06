// Each weight of the computer player's choice of card, pinned by a small hand that it
// decides. A card's score: 1000 when it follows the pile (a), 900 for a wild card or a joker
// (b), plus its points (c) and the square of the number of cards of its suit in the hand,
// wild cards and jokers not counted (d), then the special ranks' bonuses and penalties
// (e to m); cards that may not be played get -1000 (n to p), an open penalty forces its
// answer (q to s), and the highest score wins, ties to the lower slot.
//
// Most rows come in pairs that put the weight on both sides of a close call: one hand where
// its card wins by a few points and one where it loses by a few, so that a weight made
// larger or smaller by more than that turns one of the pair red. Every row's comment works
// the scores out; card names read like the picture names (QC is the Queen of clubs).
#include <string>
#include <vector>

#include "ai/computer_player.h"
#include "support/table_fixture.h"

namespace tarrabel::test {
namespace {

constexpr GameVariant T = GameVariant::Tarrabel;           // wild 8, reverse A, skip Q, chain 2
constexpr GameVariant H = GameVariant::HuitAmericain;      // wild 8, reverse A, skip J, take-two 2
constexpr GameVariant A = GameVariant::Agonia;             // wild A, skip 9, chain 7
constexpr GameVariant I = GameVariant::IllustratedAgonia;  // and reverse Q, take-two 2, Jacks
constexpr GameVariant P = GameVariant::PisYedili;          // wild J, reverse 10, chain-of-three 7

int16_t Cl(int rank) {
    return CardOf(rank, kClubs);
}
int16_t He(int rank) {
    return CardOf(rank, kHearts);
}
int16_t Sp(int rank) {
    return CardOf(rank, kSpades);
}
int16_t Di(int rank) {
    return CardOf(rank, kDiamonds);
}
constexpr int K = kKing, Q = kQueen, J = kJack;

// Seat 1 chooses and play runs 1, 2, 3, 0: seat 2 is the next player, seat 3 the one after
// him and seat 0 the third.
constexpr int kChooser = 1;
constexpr int kNext = 2;

struct Neighbours {
    int next = 2, after = 2, third = 2;  // cards each holds; below 2 is his last card
};

struct WeightCase {
    const char* step;  // the scoring step the row is about
    const char* what;
    GameVariant variant = T;
    std::vector<int16_t> pile;  // oldest first
    std::vector<int16_t> hand;  // from slot 0 on
    int16_t expected = 0;       // the card played
    Neighbours held{};
    int32_t nextNamed = kNoSuit;  // the next player's LastNamedSuit
    int32_t chosen = kClubs;      // the suit named after a wild card on top
    bool penaltyTaken = true;
};

void SeatTheTurn(Table& t, const WeightCase& c) {
    Game& g = t.g;
    t.ClearTable();
    g.DirectionReversed = false;
    g.CurrentPlayer = kChooser;
    for (int16_t card : c.pile)
        t.SetPile({card});
    for (int16_t card : c.hand)
        t.GiveHand(kChooser, {card});
    const int counts[3] = {c.held.next, c.held.after, c.held.third};
    for (int i = 0; i < 3; ++i)
        for (int n = 0; n < counts[i]; ++n)
            t.GiveHand((kChooser + 1 + i) % kSeats, {g.DeckOrder[g.DeckPos]});
    for (PlayerRecord& p : g.Players)
        p.LastNamedSuit = kNoSuit;
    g.Players[kNext].LastNamedSuit = c.nextNamed;
    g.ChosenSuit = c.chosen;
    g.PenaltyTaken = c.penaltyTaken;
}

std::string NameOfCard(const Game& g, int16_t card) {
    return g.RankOf(card) == tarrabel::kJoker ? "joker" : CardName(card);
}

TEST(ChooseCardToPlay, EachWeightDecidesAHandOfItsOwn) {
    const WeightCase kCases[] = {
        // ---- a: a card that follows starts from 1000 ----
        // joker 900 (b) + 50 = 950; 3C 1000 + 5 + 1 = 1006 => 3C. Without a, 3C has 6.
        {"a", "a card of the suit beats the joker", H, {Cl(5)}, {kJoker1, Cl(3)}, Cl(3)},
        // 5H follows by rank: 1000 + 5 + 1 = 1006 against the joker's 950 => 5H.
        {"a", "a card of the rank beats the joker", H, {Cl(5)}, {kJoker1, He(5)}, He(5)},

        // ---- b: a wild card or a joker starts from 900 (close calls: j and k rows) ----
        // KC 1000 + 10 + 1 = 1011; joker 900 + 50 + 500 (j) = 1450 => joker; without b it
        // would have 550.
        {"b",
         "the joker against the next player's last card",
         H,
         {Cl(5)},
         {Cl(K), kJoker1},
         kJoker1,
         {.next = 1}},

        // ---- c: the card's points ----
        // 3C 1000 + 3 + 4 = 1007; KC 1000 + 10 + 4 = 1014 => KC; without the points they
        // tie and 3C, the lower slot, would go.
        {"c", "the dearer card goes first", T, {Cl(4)}, {Cl(3), Cl(K)}, Cl(K)},

        // ---- d: the square of the card's suit in the hand ----
        // 6C 1000 + 6 + 1 = 1007; 5H (same rank) 1000 + 5 + 2*2 = 1009; 4H does not follow
        // => 5H. With the count not squared both have 1007 and 6C would go.
        {"d", "the longer suit, squared", T, {Cl(5)}, {Cl(6), He(5), He(4)}, He(5)},
        // The same with the wild 8C, which the clubs count leaves out: 6C 1007, 5H 1009,
        // 8C 900 + 50 + 1 - 300 = 651 => 5H. Counting the 8 would make 6C 1010.
        {"d",
         "a wild card is not counted in its suit",
         T,
         {Cl(5)},
         {Cl(6), He(5), He(4), Cl(8)},
         He(5)},

        // ---- e: a wild card -300 (close calls: k and j rows) ----
        // The third player holds one card: AC 1000 + 1 + 1 - 200 (i) = 802; 8H 900 + 50 - 300
        // = 650 => AC. Without e the 8 would have 950.
        {"e", "the wild card is kept back", T, {Cl(5)}, {Cl(1), He(8)}, Cl(1), {.third = 1}},

        // ---- f: a draw-two chain card -10 ----
        // 7D on the pile, its penalty taken. 5D 1000 + 5 + 1 = 1006; 7C (same rank)
        // 1000 + 7 + 3*3 - 10 = 1006: a tie, the lower slot => 5D. A smaller penalty
        // puts 7C first.
        {"f",
         "the chain card ties and loses on its slot",
         A,
         {Di(7)},
         {Di(5), Cl(7), Cl(3), Cl(4)},
         Di(5)},
        // The same cards with 7C first: the tie => 7C. A larger penalty puts 5D first.
        {"f",
         "the chain card ties and wins on its slot",
         A,
         {Di(7)},
         {Cl(7), Di(5), Cl(3), Cl(4)},
         Cl(7)},

        // ---- g: a draw-three chain card -10 ----
        // KC 1000 + 10 + 4 = 1014; 7C 1000 + 20 + 4 - 10 = 1014: a tie => KC.
        {"g", "the chain card ties and loses on its slot", P, {Cl(5)}, {Cl(K), Cl(7)}, Cl(K)},
        // 7C first: the tie => 7C. A larger penalty puts KC first.
        {"g", "the chain card ties and wins on its slot", P, {Cl(5)}, {Cl(7), Cl(K)}, Cl(7)},

        // ---- h: a red Jack (take eleven) -100 ----
        // 3H 1000 + 3 + 4 = 1007; JH 1000 + 10 + 4 - 100 = 914 => 3H; without h, JH 1014.
        {"h", "the red Jack is kept back", I, {He(5)}, {He(3), He(J)}, He(3)},
        // The next two players hold one card each. 9H (skip) 1000 + 9 + 4 + 350 (j) - 450 (l)
        // = 913; JH 914 => JH by one point; a penalty of 101 ties and 9H goes.
        {"h",
         "the red Jack wins by a point",
         I,
         {He(5)},
         {He(9), He(J)},
         He(J),
         {.next = 1, .after = 1}},
        // 9H on the pile. JH 1000 + 10 + 1 - 100 = 911; 9C (same rank) 1000 + 9 + 2*2 + 350
        // - 450 = 913; 3C does not follow => 9C by two; a penalty of 98 ties and JH goes.
        {"h",
         "the red Jack loses by two points",
         I,
         {He(9)},
         {He(J), Cl(9), Cl(3)},
         Cl(9),
         {.next = 1, .after = 1}},
        // A black Jack has no penalty: 3C 1007; JC 1000 + 10 + 4 = 1014 => JC.
        {"h", "a black Jack is not kept back", I, {Cl(5)}, {Cl(3), Cl(J)}, Cl(J)},

        // ---- i: a reverse card -200 when the third player holds one card, and -600 more
        // when the next player named its suit ----
        // KC 1000 + 10 + 4 = 1014; AC 1000 + 15 + 4 - 200 = 819 => KC; without i, AC 1019.
        {"i",
         "no reverse before the third player's last card",
         H,
         {Cl(5)},
         {Cl(K), Cl(1)},
         Cl(K),
         {.third = 1}},
        // QH on the pile; the two after the next player hold one card each. QD (same rank)
        // 1000 + 10 + 6*6 - 200 = 846; 2H (take two) 1000 + 2 + 1 - 150 (l) = 853 => 2H by 7;
        // QD is in the lower slot, so a penalty 7 smaller ties and gives QD.
        {"i",
         "the reverse loses to a held-back Two by 7",
         I,
         {He(Q)},
         {Di(Q), He(2), Di(3), Di(4), Di(5), Di(6), Di(10)},
         He(2),
         {.after = 1, .third = 1}},
        // One more diamond: QD 1000 + 10 + 7*7 - 200 = 859 => QD by 6; 2H is in the lower
        // slot, so a penalty 6 larger ties and gives 2H.
        {"i",
         "the reverse beats a held-back Two by 6",
         I,
         {He(Q)},
         {He(2), Di(Q), Di(3), Di(4), Di(5), Di(6), Di(10), Di(K)},
         Di(Q),
         {.after = 1, .third = 1}},
        // The next player named clubs: AC 1000 + 1 + 1 - 200 - 600 = 202; 8H 650 => 8H.
        // Without the 600, AC 802.
        {"i",
         "not the reverse in the suit the next player named",
         T,
         {Cl(5)},
         {Cl(1), He(8)},
         He(8),
         {.third = 1},
         kClubs},
        // The 600 goes by the card's own suit, not the pile's: AH (same rank) 1000 + 1 + 1
        // - 200 = 802; 8D 650 => AH.
        {"i",
         "the named suit is the reverse card's own",
         T,
         {Cl(1)},
         {He(1), Di(8)},
         He(1),
         {.third = 1},
         kClubs},
        // JC on the pile, its penalty taken; eight cards; the next player holds one card and
        // named clubs. JH (same rank) 1000 + 10 + 7*7 - 100 - 500 (m) = 459; QC 1000 + 10 + 1
        // - 200 - 600 + 250 (j) = 461; the hearts do not follow => QC by 2. JH is in the
        // lower slot: a reverse penalty 2 larger, or a Jack penalty 2 smaller, gives JH.
        {"i",
         "the reverse named against beats the big hand's red Jack by 2",
         I,
         {Cl(J)},
         {He(J), Cl(Q), He(3), He(4), He(5), He(6), He(10), He(K)},
         Cl(Q),
         {.next = 1, .third = 1},
         kClubs},

        // ---- j: the next player holds one card: the cards that hurt him ----
        // 7C on the pile, its penalty taken; the next player named clubs. 7D (same rank)
        // 1000 + 7 + 4*4 - 10 + 300 = 1313; AH 900 + 20 - 300 + 700 (k: the longest suit,
        // diamonds, is not clubs) = 1320 => AH by 7.
        {"j",
         "the chain card loses to the wild card by 7",
         I,
         {Cl(7)},
         {Di(7), He(1), Di(3), Di(4), Di(5)},
         He(1),
         {.next = 1},
         kClubs},
        // One more diamond: 7D 1000 + 7 + 5*5 - 10 + 300 = 1322 => 7D by 2.
        {"j",
         "the chain card beats the wild card by 2",
         I,
         {Cl(7)},
         {Di(7), He(1), Di(3), Di(4), Di(5), Di(6)},
         Di(7),
         {.next = 1},
         kClubs},
        // 7D 1000 + 20 + 3*3 - 10 + 300 = 1319; JH 900 + 20 - 300 + 700 = 1320 => JH by 1.
        {"j",
         "the chain-of-three card loses to the wild card by 1",
         P,
         {Cl(7)},
         {Di(7), He(J), Di(3), Di(4)},
         He(J),
         {.next = 1},
         kClubs},
        // One more diamond: 7D 1000 + 20 + 4*4 - 10 + 300 = 1326 => 7D by 6.
        {"j",
         "the chain-of-three card beats the wild card by 6",
         P,
         {Cl(7)},
         {Di(7), He(J), Di(3), Di(4), Di(5)},
         Di(7),
         {.next = 1},
         kClubs},
        // The next two players hold one card each. joker 900 + 50 + 500 - 150 = 1300;
        // AC 1000 + 15 + 5*5 + 250 = 1290; the small clubs 1000 + 5 + 25 = 1030 => joker.
        // AC is in the lower slot, so that a tie would go to it.
        {"j",
         "the reverse loses to the joker by 10",
         H,
         {Cl(5)},
         {Cl(1), kJoker1, Cl(3), Cl(4), Cl(6), Cl(7)},
         kJoker1,
         {.next = 1, .after = 1}},
        // One more club: AC 1000 + 15 + 6*6 + 250 = 1301 => AC by 1.
        {"j",
         "the reverse beats the joker by 1",
         H,
         {Cl(5)},
         {kJoker1, Cl(1), Cl(3), Cl(4), Cl(6), Cl(7), Cl(9)},
         Cl(1),
         {.next = 1, .after = 1}},
        // The next two players hold one card each, the next named clubs. 2C 1000 + 2 + 1
        // + 500 - 150 = 1353; AH 900 + 20 + 5*5 - 300 + 700 = 1345 => 2C by 8.
        {"j",
         "the Two beats the wild card by 8",
         I,
         {Cl(8)},
         {Cl(2), He(1), He(3), He(4), He(5), He(6), He(10)},
         Cl(2),
         {.next = 1, .after = 1},
         kClubs},
        // One more heart: AH 900 + 20 + 6*6 - 300 + 700 = 1356 => AH by 3.
        {"j",
         "the Two loses to the wild card by 3",
         I,
         {Cl(8)},
         {Cl(2), He(1), He(3), He(4), He(5), He(6), He(10), He(K)},
         He(1),
         {.next = 1, .after = 1},
         kClubs},
        // joker 900 + 50 + 500 - 150 = 1300; 8H 900 + 5 - 300 + 700 (the longest suit is
        // diamonds) = 1305 => 8H by 5.
        {"j",
         "the joker loses to the wild card by 5",
         H,
         {Cl(5)},
         {kJoker1, He(8), Di(3)},
         He(8),
         {.next = 1, .after = 1},
         kClubs},

        // ---- k: the next player holds one card and named the top card's suit: the wild
        // card +700, or +500 when the longest suit is the one he named ----
        // QC 1000 + 10 + 1 + 350 (j) = 1361; 8H 900 + 50 + 3*3 - 300 + 700 = 1359 => QC.
        {"k",
         "the wild card loses to the skip by 2",
         T,
         {Cl(4)},
         {Cl(Q), He(8), He(3), He(5), He(6)},
         Cl(Q),
         {.next = 1},
         kClubs},
        // One more heart: 8H 900 + 50 + 4*4 - 300 + 700 = 1366 => 8H by 5.
        {"k",
         "the wild card beats the skip by 5",
         T,
         {Cl(4)},
         {Cl(Q), He(8), He(3), He(5), He(6), He(7)},
         He(8),
         {.next = 1},
         kClubs},
        // Clubs and hearts tie at one card, so the longest suit is clubs, the one he
        // named: AC 1000 + 1 + 1 + 250 (j) = 1252; 8H 900 + 50 + 1 - 300 + 500 = 1151 => AC.
        // With 700 the 8 would have 1351.
        {"k",
         "500 when his suit is the longest",
         T,
         {Cl(4)},
         {Cl(1), He(8), He(3)},
         Cl(1),
         {.next = 1},
         kClubs},
        // Huit Americain, where the 8 is worth 5: KC 1000 + 10 + 1 = 1011; 8H 900 + 5 - 300
        // + 500 = 1105 => 8H by 94. (500 cannot be pinned closer with a few cards: the
        // nearest rivals of the 8 are this King and the Ace above.)
        {"k",
         "500 still beats a plain card",
         H,
         {Cl(4)},
         {Cl(K), He(8)},
         He(8),
         {.next = 1},
         kClubs},
        // The same with two cards in the next player's hand: 8H 605 => KC.
        {"k", "nothing while he holds two cards", H, {Cl(4)}, {Cl(K), He(8)}, Cl(K), {}, kClubs},
        // 8C on top with hearts named; the next player named clubs, the top card's own suit:
        // KH 1000 + 10 + 1 = 1011; 8D 900 + 50 - 300 + 700 (longest suit hearts) = 1350.
        {"k",
         "the top card's own suit counts",
         T,
         {Cl(5), Cl(8)},
         {He(K), Di(8)},
         Di(8),
         {.next = 1},
         kClubs,
         kHearts},
        // He named hearts, the suit in force but not the top card's: no bonus, 8D 650.
        {"k",
         "the suit in force does not count",
         T,
         {Cl(5), Cl(8)},
         {He(K), Di(8)},
         He(K),
         {.next = 1},
         kHearts,
         kHearts},

        // ---- l: the one after the next holds one card: skip -450, take-two and joker -150
        // (close calls: the h, i and j rows) ----
        // JC (skip) 1000 + 10 + 1 - 450 = 561; 8H 900 + 5 - 300 = 605 => 8H by 44.
        {"l",
         "no skip that hands the turn to his last card",
         H,
         {Cl(5)},
         {Cl(J), He(8)},
         He(8),
         {.after = 1}},
        // 2H 1000 + 2 + 4 - 150 = 856; JH 1000 + 10 + 4 - 100 = 914 => JH.
        {"l",
         "no Two that hands the turn to his last card",
         I,
         {He(5)},
         {He(2), He(J)},
         He(J),
         {.after = 1}},

        // ---- m: a red Jack -500 more in a hand of more than seven cards ----
        // Eight cards: JH 1000 + 10 + 1 - 100 - 500 = 411; AS 900 + 20 - 300 = 620; the
        // clubs and 3D do not follow => AS.
        {"m",
         "eight cards: the red Jack waits",
         I,
         {He(5)},
         {He(J), Sp(1), Cl(3), Cl(4), Cl(6), Cl(10), Cl(K), Di(3)},
         Sp(1)},
        // Seven cards: JH 911 => JH.
        {"m",
         "seven cards: the red Jack goes",
         I,
         {He(5)},
         {He(J), Sp(1), Cl(3), Cl(4), Cl(6), Cl(10), Cl(K)},
         He(J)},
        // QH on the pile; eight cards; the third player holds one card and the next named
        // clubs. QC (same rank) 1000 + 10 + 7*7 - 200 - 600 = 259; JH 1000 + 10 + 1 - 100
        // - 500 = 411; the clubs do not follow => JH by 152, and a Jack penalty 152 larger, or
        // a reverse penalty of 448 instead of 600, ties and gives QC. That is as close as eight
        // cards bring them from this side; the i row with QC by 2 pins the other side.
        {"m",
         "eight cards: the red Jack still beats a reverse named against",
         I,
         {He(Q)},
         {Cl(Q), He(J), Cl(3), Cl(4), Cl(5), Cl(6), Cl(10), Cl(K)},
         He(J),
         {.third = 1},
         kClubs},

        // ---- n: a card that does not follow -1000 ----
        // AC 1000 + 15 + 1 - 200 - 600 + 250 = 466; 2H does not follow: -1000, where it would
        // otherwise keep 0 + 15 + 1 + 500 = 516 and beat AC => AC.
        {"n",
         "a Two of another suit is never played",
         H,
         {Cl(5)},
         {Cl(1), He(2)},
         Cl(1),
         {.next = 1, .third = 1},
         kClubs},

        // ---- o: Illustrated Agonia, never a wild Ace on a wild Ace ----
        // AS on top, hearts named, the next player on his last card named spades: AH would
        // have 900 + 20 + 1 - 300 + 700 = 1321 but may not go; 5H 1000 + 5 + 1 = 1006.
        {"o",
         "no Ace on an Ace",
         I,
         {Sp(5), Sp(1)},
         {He(5), He(1), Di(3), Di(4)},
         He(5),
         {.next = 1},
         kSpades,
         kHearts},

        // ---- p: Pis Yedili, a Jack on a Jack only in the suit named ----
        // JS on top, hearts named: JC would have 900 + 20 - 300 + 700 = 1320 => 5H 1006.
        {"p",
         "no Jack on a Jack off the named suit",
         P,
         {Sp(5), Sp(J)},
         {He(5), Cl(J), Di(3), Di(4)},
         He(5),
         {.next = 1},
         kSpades,
         kHearts},
        // JH is of the named suit: 900 + 20 + 1 - 300 + 700 = 1321 => JH.
        {"p",
         "a Jack on a Jack in the named suit",
         P,
         {Sp(5), Sp(J)},
         {He(5), He(J), Di(3), Di(4)},
         He(J),
         {.next = 1},
         kSpades,
         kHearts},

        // ---- q, r, s: an open penalty forces its answer ----
        // 2C open: QC 1000 + 10 + 1 + 350 = 1361 would beat 2H 1000 + 2 + 1 - 10 + 300 = 1293.
        {"q",
         "an open Two: the Two",
         T,
         {He(5), Cl(2)},
         {Cl(Q), He(2)},
         He(2),
         {.next = 1},
         kNoSuit,
         kClubs,
         false},
        // 7C open: AC 1000 + 20 + 1 = 1021 would beat 7D 1000 + 20 + 1 - 10 = 1011.
        {"r",
         "an open Seven: the Seven",
         P,
         {He(5), Cl(7)},
         {Cl(1), Di(7)},
         Di(7),
         {},
         kNoSuit,
         kClubs,
         false},
        // JC open, eight cards: JD 1000 + 10 + 1 - 100 - 500 = 411 would lose to KC 1011.
        {"s",
         "an open black Jack: the red Jack, even in a big hand",
         I,
         {Cl(5), Cl(J)},
         {Cl(K), Di(J), He(3), He(4), He(5), He(6), He(10), He(K)},
         Di(J),
         {},
         kNoSuit,
         kClubs,
         false},
        // A red Jack on top asks for no answer: KH 1011; JD (same rank) 1000 + 10 + 1 - 100
        // = 911 => KH.
        {"s",
         "a red Jack on top forces nothing",
         I,
         {He(5), He(J)},
         {He(K), Di(J)},
         He(K),
         {},
         kNoSuit,
         kHearts,
         false},
    };
    for (const WeightCase& c : kCases) {
        SCOPED_TRACE(std::string(c.step) + ": " + c.what);
        Table t(c.variant);
        SeatTheTurn(t, c);
        ASSERT_TRUE(HasPlayableCard(t.g));
        const int slot = ChooseCardToPlay(t.g);
        ASSERT_TRUE(slot >= 0 && slot < kHandSlots && t.g.Hands[kChooser][slot].Shown);
        const int16_t played = t.g.Hands[kChooser][slot].CardIndex;
        EXPECT_EQ(played, c.expected)
            << NameOfCard(t.g, played) << " instead of " << NameOfCard(t.g, c.expected);
    }
}

// The suit named after a wild card: the one he holds most of, ties to the lower suit code
// (clubs 0, hearts 1, spades 2, diamonds 3: not the pictures' order).
struct SuitCase {
    const char* what;
    GameVariant variant;
    std::vector<int16_t> hand;
    int32_t suit;
    Neighbours held{};
    int32_t nextNamed = kNoSuit;
};

TEST(ChooseSuit, NamesTheLongestSuitTiesToTheLowerCode) {
    const SuitCase kCases[] = {
        {"hearts and diamonds tie: hearts", T, {He(3), Di(4), He(5), Di(6)}, kHearts},
        {"spades and diamonds tie: spades", T, {Di(3), Sp(4)}, kSpades},
        {"jokers count for no suit", H, {kJoker1, kJoker2, He(3)}, kHearts},
        // Another suit is drawn only when the next player named the very suit he would name.
        {"the next player's last card, another suit named: no change",
         T,
         {He(3), He(4), Sp(5)},
         kHearts,
         {.next = 1},
         kSpades},
    };
    for (const SuitCase& c : kCases) {
        SCOPED_TRACE(c.what);
        Table t(c.variant);
        SeatTheTurn(t, {.step = "",
                        .what = c.what,
                        .variant = c.variant,
                        .pile = {Cl(8)},
                        .hand = c.hand,
                        .held = c.held,
                        .nextNamed = c.nextNamed,
                        .chosen = kDiamonds});
        EXPECT_EQ(ChooseSuit(t.g), c.suit);
        EXPECT_EQ(t.g.ChosenSuit, c.suit);
        EXPECT_EQ(t.g.Players[kChooser].LastNamedSuit, c.suit);
    }
}

}  // namespace
}  // namespace tarrabel::test
