#include "rules/deck.h"

#include <algorithm>
#include <set>
#include <string>
#include <vector>

#include "support/table_driver.h"

namespace tarrabel::test {
namespace {

constexpr GameVariant kAllVariants[] = {GameVariant::Tarrabel, GameVariant::HuitAmericain,
                                        GameVariant::Agonia, GameVariant::IllustratedAgonia,
                                        GameVariant::PisYedili};
constexpr GameVariant kStarterVariants[] = {GameVariant::Tarrabel, GameVariant::HuitAmericain,
                                            GameVariant::Agonia, GameVariant::IllustratedAgonia};

std::vector<int16_t> DeckFrom(const Game& g, int first) {
    return {g.DeckOrder.begin() + first, g.DeckOrder.begin() + g.Rules.DeckSize};
}

// ---- shuffle ------------------------------------------------------------------------------

TEST(Shuffle, YieldsEveryCardOfTheGameExactlyOnce) {
    for (GameVariant v : kAllVariants) {
        for (uint64_t seed = 1; seed <= 20; ++seed) {
            Table t(v, seed);
            Shuffle(t.g);
            std::vector<int16_t> order = DeckFrom(t.g, 0);
            for (int p = 0; p < t.g.Rules.DeckSize; ++p)
                ASSERT_EQ(t.g.Deck[p].CardIndex, t.g.DeckOrder[p]) << "position " << p;
            std::sort(order.begin(), order.end());
            for (int i = 0; i < t.g.Rules.DeckSize; ++i)
                ASSERT_EQ(order[i], i) << VariantName(v) << " seed " << seed;
        }
    }
}

TEST(Shuffle, DifferentSeedsGiveDifferentDecks) {
    std::set<std::vector<int16_t>> decks;
    for (uint64_t seed = 1; seed <= 10; ++seed) {
        Table t(GameVariant::Tarrabel, seed);
        Shuffle(t.g);
        decks.insert(DeckFrom(t.g, 0));
    }
    EXPECT_EQ(decks.size(), 10u);
}

// The deck of a seed depends on the exact sequence of draws: a card already placed is
// drawn again, and every draw is Int(Rnd * DeckSize).
TEST(Shuffle, RedrawsACardAlreadyPlacedAndUsesOneDrawPerTry) {
    Table t(GameVariant::Tarrabel);
    std::vector<ScriptedRandom::Draw> script = {{5, 52}, {5, 52}, {5, 52}};
    for (int c = 0; c < 52; ++c)
        if (c != 5) script.push_back({c, 52});
    ScriptedRandom rng(script);
    t.g.io.Rng = &rng;
    Shuffle(t.g);
    EXPECT_EQ(t.g.DeckOrder[0], 5);
    for (int p = 1; p < 52; ++p)
        EXPECT_EQ(t.g.DeckOrder[p], p <= 5 ? p - 1 : p) << p;
    EXPECT_EQ(rng.Used(), 54u);
}

// ---- the wild starter goes back into the deck ---------------------------------------------

// Deals the first deal of a game whose first starter card is `wild`, up to the moment it
// has landed on the pile and is about to fly back.
void DealUpToReturnedStarter(Table& t, int16_t wild) {
    const int starterPos = t.g.Rules.HandSize * t.g.PlayerCount;
    PlaceInDeck(t, starterPos, wild);
    ASSERT_TRUE(StepUntil(t, [&] { return StateIs(t.g, GameState::BuryingWildStarter); }));
    ASSERT_EQ(t.g.PileCount, 1);
    ASSERT_EQ(t.g.Pile[0].CardIndex, wild);
    ASSERT_EQ(t.g.DeckPos, starterPos + 1);
    ASSERT_EQ(t.g.DealtInBatch, 1);
}

TEST(ReturnStarterToDeck, BuriesTheStarterBetweenSixDeepAndPosition51) {
    // The extremes of the random place: Int(Rnd * (47 - d)) is 0 or 46 - d.
    for (bool deepest : {false, true}) {
        SCOPED_TRACE(deepest ? "deepest" : "shallowest");
        Table t(GameVariant::Tarrabel);
        const int16_t wild = CardOf(8, kHearts);
        DealUpToReturnedStarter(t, wild);
        const int d = t.g.DeckPos;  // 21
        const int r = deepest ? 51 : d + 5;
        const int16_t displaced = t.g.DeckOrder[r];
        ScriptedRandom rng({{r - d - 5, 47 - d}});
        t.g.io.Rng = &rng;

        ReturnStarterToDeck(t.g);

        EXPECT_EQ(t.g.DeckOrder[r], wild);
        EXPECT_EQ(t.g.Deck[r].CardIndex, wild);
        EXPECT_EQ(t.g.DeckPos, d - 1);
        EXPECT_EQ(t.g.DeckOrder[d - 1], displaced) << "the displaced card is turned next";
        EXPECT_EQ(t.g.Deck[d - 1].CardIndex, displaced);
        EXPECT_TRUE(t.g.Deck[d - 1].Shown);
        EXPECT_GE(r - t.g.DeckPos, 6) << "not among the next six cards drawn";
        EXPECT_EQ(t.g.PileCount, 0);
        EXPECT_EQ(t.g.DealtInBatch, 0);
        std::string why;
        EXPECT_TRUE(t.CardsAllAccountedFor(&why)) << why;
    }
}

// Through the whole deal: however many wild starters come up, none stays on the pile, each
// goes at least six deep and the deck still holds every card once.
TEST(ReturnStarterToDeck, NoWildStarterIsLeftOnThePile) {
    for (GameVariant v : kStarterVariants) {
        for (uint64_t seed = 1; seed <= 8; ++seed) {
            SCOPED_TRACE(std::string(VariantName(v)) + " seed " + std::to_string(seed));
            Table t(v, seed);
            const int starterPos = t.g.Rules.HandSize * t.g.PlayerCount;
            const int16_t wild = CardOf(t.g.Rules.WildRank, kSpades);
            PlaceInDeck(t, starterPos, wild);
            int backs = 0;
            bool ok = StepUntil(t, [&] {
                const auto returned = EventsOf(t, TraceKind::StarterBack);
                if (int(returned.size()) > backs) {
                    // The deck position just turned back is DeckPos; the starter lies deeper.
                    EXPECT_GE(returned.back().Pos - t.g.DeckPos, 6);
                    backs = int(returned.size());
                }
                std::string why;
                EXPECT_TRUE(t.CardsAllAccountedFor(&why)) << why;
                // The first starter that stays has landed and been resolved.
                return t.g.PileCount == 1 && !StateIs(t.g, GameState::DealingCards) &&
                       !StateIs(t.g, GameState::TurningStarter) &&
                       !StateIs(t.g, GameState::BuryingWildStarter);
            });
            ASSERT_TRUE(ok);
            EXPECT_GE(backs, 1);
            EXPECT_EQ(t.g.PileCount, 1);
            EXPECT_NE(t.g.TopRank(), t.g.Rules.WildRank);
        }
    }
}

// ---- rebuilding the deck from the pile ------------------------------------------------------

// Twenty cards on the pile, the rest in the hands, nothing left to draw.
struct PileOfTwenty : Table {
    std::vector<int16_t> pile;
    PileOfTwenty() : Table(GameVariant::Tarrabel) {
        ClearTable();
        for (int i = 0; i < 20; ++i) {
            pile.push_back(int16_t(i));
            SetPile({int16_t(i)});
        }
        for (int i = 20; i < 52; ++i)
            GiveHand(i % 4, {int16_t(i)});
    }
};

TEST(RebuildDeck, KeepsTheTopCardAndMakesTheOtherNineteenTheNextDraws) {
    PileOfTwenty t;
    ASSERT_EQ(t.g.DeckPos, 52);
    RebuildDeck(t.g);

    EXPECT_EQ(t.g.PileCount, 1);
    EXPECT_EQ(t.g.Pile[0].CardIndex, t.pile.back());
    EXPECT_EQ(t.g.DeckPos, 52 - 19);
    std::vector<int16_t> next = DeckFrom(t.g, t.g.DeckPos);
    std::sort(next.begin(), next.end());
    EXPECT_EQ(next, std::vector<int16_t>(t.pile.begin(), t.pile.end() - 1));
    for (int p = t.g.DeckPos; p < 52; ++p)
        EXPECT_EQ(t.g.Deck[p].CardIndex, t.g.DeckOrder[p]);
    std::string why;
    EXPECT_TRUE(t.CardsAllAccountedFor(&why)) << why;
    for (int i = 0; i < kReturnFlying; ++i) {
        EXPECT_FALSE(t.g.ReturnCards[i].Shown);
        EXPECT_FALSE(t.g.ReturnCards[i].Moving);
    }
}

TEST(RebuildDeck, ShufflesTheKeptCardsByRejectionSampling) {
    PileOfTwenty t;
    // Int(Rnd * 19) picks an entry of the kept list; a pick already used is drawn again.
    std::vector<ScriptedRandom::Draw> script = {{3, 19}, {3, 19}};
    for (int c = 0; c < 19; ++c)
        if (c != 3) script.push_back({c, 19});
    ScriptedRandom rng(script);
    t.g.io.Rng = &rng;
    RebuildDeck(t.g);
    EXPECT_EQ(t.g.DeckOrder[33], 3);
    for (int p = 34; p < 52; ++p)
        EXPECT_EQ(t.g.DeckOrder[p], p - 34 <= 2 ? p - 34 : p - 33);
    EXPECT_EQ(rng.Used(), 20u);
}

TEST(RebuildDeck, TheNewOrderIsRandom) {
    std::set<std::vector<int16_t>> orders;
    for (uint64_t seed = 1; seed <= 5; ++seed) {
        PileOfTwenty t;
        t.rng.Seed(seed);
        RebuildDeck(t.g);
        orders.insert(DeckFrom(t.g, t.g.DeckPos));
    }
    EXPECT_GT(orders.size(), 1u);
}

// The last card of the deck is drawn: the pile is carried back before anyone moves on.
TEST(RebuildDeck, TheDrawThatEmptiesTheDeckRebuildsItBeforeTheNextTurn) {
    Table t(GameVariant::Tarrabel);
    Game& g = t.g;
    t.ClearTable();
    // Pile: the thirteen diamonds and the Ace to 7 of hearts, the 7 of hearts on top.
    for (int rank = 1; rank <= 13; ++rank)
        t.SetPile({CardOf(rank, kDiamonds)});
    for (int rank = 1; rank <= 7; ++rank)
        t.SetPile({CardOf(rank, kHearts)});
    // Seat 2 holds nothing that follows the 7 of hearts.
    for (int rank : {2, 3, 4, 5, 6, 9, 10, 11})
        t.GiveHand(2, {CardOf(rank, kClubs)});
    int seat = 0;
    for (int16_t card = 0; card < 52 && g.DeckPos < 51; ++card) {
        bool placed = false;
        for (int p = 0; p < g.DeckPos; ++p)
            placed |= g.DeckOrder[p] == card;
        if (placed) continue;
        t.GiveHand(seat, {card});
        seat = seat == 0 ? 1 : seat == 1 ? 3 : 0;
    }
    ASSERT_EQ(g.DeckPos, 51);
    TurnGoesTo(t, 2);

    ASSERT_TRUE(StepUntil(t, [&] { return CountOf(t, TraceKind::Rebuild) == 1; }));
    EXPECT_EQ(CountOf(t, TraceKind::Draw, 2), 1);
    EXPECT_EQ(g.PileCount, 1);
    EXPECT_EQ(g.Pile[0].CardIndex, CardOf(7, kHearts));
    EXPECT_EQ(g.DeckPos, 52 - 19);
    EXPECT_TRUE(StateIs(g, GameState::NormalPlay));
    std::string why;
    EXPECT_TRUE(t.CardsAllAccountedFor(&why)) << why;
}

// ---- the deck running out -------------------------------------------------------------------

struct EmptyCheckCase {
    const char* name;
    int pileCount;
    bool deckEmpty;
    GameState state;
    bool recreates;
    bool cannotRefill;  // nothing left to draw, nor a pile under the top card to draw from
};

TEST(StartRebuildIfDeckEmpty, RecreatesOnlyWhenTheDeckIsUsedUpAndThePileCanRefillIt) {
    constexpr EmptyCheckCase kCases[] = {
        {"cards left to draw", 5, false, GameState::NormalPlay, false, false},
        {"empty deck, pile to rebuild from", 2, true, GameState::TakingPenaltyAndSkip, true, false},
        {"empty deck, only the top card", 1, true, GameState::NormalPlay, false, true},
        {"empty deck, empty pile", 0, true, GameState::NormalPlay, false, true},
        {"the deal is over", 5, true, GameState::DealScored, false, false},
    };
    for (const EmptyCheckCase& c : kCases) {
        SCOPED_TRACE(c.name);
        Table t(GameVariant::Tarrabel);
        t.g.PileCount = int16_t(c.pileCount);
        t.g.DeckPos = c.deckEmpty ? t.g.Rules.DeckSize : int16_t(40);
        t.g.State = c.state;
        StartRebuildIfDeckEmpty(t.g);
        if (c.recreates) {
            EXPECT_EQ(t.g.State, GameState::RebuildingDeck);
            EXPECT_EQ(t.g.StateBeforeRebuild, c.state);
        } else {
            EXPECT_EQ(t.g.State, c.state);
        }
        EXPECT_EQ(DeckCannotRefill(t.g), c.cannotRefill);
    }
}

// ---- the fanned deck ---------------------------------------------------------------------------

struct StackCase {
    const char* name;
    GameVariant variant;
    int deckPos;
    // Where the records from deckPos on lie, one pixel apart, the next card to draw
    // rightmost; the records past them are not laid out.
    std::vector<int> xs;
};

TEST(LayoutDeckStack, FansTheNextCardsAndNeverLaysOutRecordsPastTheDeck) {
    const StackCase kCases[] = {
        {"the next eight cards", GameVariant::Tarrabel, 10, {13, 12, 11, 10, 9, 8, 7, 6}},
        {"never record 52 of a 52-card deck", GameVariant::Tarrabel, 48, {13, 12, 11, 10}},
        {"the jokers' deck ends at 53", GameVariant::HuitAmericain, 50, {13, 12, 11, 10}},
        {"the long deck ends at 103, not 104",
         GameVariant::IllustratedAgonia,
         99,
         {13, 12, 11, 10, 9}},
    };
    for (const StackCase& c : kCases) {
        SCOPED_TRACE(c.name);
        Table t(c.variant);
        Game& g = t.g;
        for (auto& d : g.Deck)
            d.Shown = false;
        g.DeckPos = int16_t(c.deckPos);
        LayoutDeckStack(g);
        for (int p = 0; p < kDeckRecords; ++p) {
            const int k = p - c.deckPos;
            const bool laidOut = k >= 0 && k < int(c.xs.size());
            EXPECT_EQ(g.Deck[p].Shown, laidOut) << "record " << p;
            if (!laidOut) continue;
            EXPECT_EQ(g.Deck[p].X, c.xs[k]) << "record " << p;
            EXPECT_EQ(g.Deck[p].Y, 5);
            EXPECT_EQ(g.Deck[p].HomeX, c.xs[k]) << "record " << p;
            EXPECT_FALSE(g.Deck[p].FaceUp);
        }
    }
}

// ---- moving cards between the arrays --------------------------------------------------------

TEST(FirstFreeSlot, AnswersTheFirstHoleAndMinusOneForAFullHand) {
    Table t(GameVariant::IllustratedAgonia);
    t.ClearTable();
    EXPECT_EQ(FirstFreeSlot(t.g, 1), 0);
    for (int16_t c = 0; c < 4; ++c)
        t.GiveHand(1, {c});
    t.g.Hands[1][2].Shown = false;
    EXPECT_EQ(FirstFreeSlot(t.g, 1), 2);
    for (int16_t c = 4; c < 56; ++c)
        t.GiveHand(1, {c});
    EXPECT_EQ(t.g.Hands[1][kHandSlots - 1].Shown, true);
    EXPECT_EQ(FirstFreeSlot(t.g, 1), -1);
    EXPECT_EQ(FirstFreeSlot(t.g, 2), 0);
}

TEST(AddToPile, TheLandedCardBecomesTheTopCard) {
    Table t(GameVariant::Tarrabel);
    t.ClearTable();
    t.SetPile({CardOf(3, kClubs)});
    CardRecord flying;
    flying.CardIndex = CardOf(9, kHearts);
    flying.X = 361;
    flying.Y = 210;
    flying.PileSlot = 2;
    flying.Moving = true;
    t.g.TableSlot[2].Occupied = false;
    AddToPile(t.g, flying);
    ASSERT_EQ(t.g.PileCount, 2);
    const CardRecord& top = t.g.Pile[1];
    EXPECT_EQ(top.CardIndex, CardOf(9, kHearts));
    EXPECT_EQ(top.X, 361);
    EXPECT_EQ(top.Y, 210);
    EXPECT_TRUE(top.Shown);
    EXPECT_TRUE(top.FaceUp);
    EXPECT_FALSE(top.Moving);
    EXPECT_TRUE(t.g.TableSlot[2].Occupied);
    EXPECT_EQ(t.g.Pile[0].CardIndex, CardOf(3, kClubs));
}

// The dealing loop moves on to the next seat when it launches the last card of a batch,
// before that card lands; the card still belongs to the seat it flew to.
TEST(DealIntoHand, TheCardJoinsTheSeatItFlewTo) {
    Table t(GameVariant::Tarrabel);
    t.ClearTable();
    t.g.SeatOrder = {1, 2, 3, 0};
    t.g.DealSeat = 1;  // the loop has already moved on to seat 2
    t.g.DealReceiver = 1;
    t.GiveHand(1, {CardOf(4, kClubs)});
    CardRecord card;
    card.CardIndex = CardOf(5, kClubs);
    card.FaceUp = true;
    DealIntoHand(t.g, card);
    EXPECT_EQ(t.g.HandCount[1], 2);
    EXPECT_EQ(t.g.HandCount[2], 0);
    EXPECT_EQ(t.g.Hands[1][1].CardIndex, CardOf(5, kClubs));
    EXPECT_TRUE(t.g.Hands[1][1].Shown);
    EXPECT_FALSE(t.g.Hands[1][1].FaceUp) << "a computer player's cards lie face down";

    t.g.DealReceiver = kHuman;
    card.FaceUp = false;
    DealIntoHand(t.g, card);
    EXPECT_TRUE(t.g.Hands[kHuman][0].FaceUp);
}

TEST(DrawIntoHand, FillsTheGivenSlotAndOnlyTheHumanSeesHisCardsFaceUp) {
    Table t(GameVariant::Tarrabel);
    t.ClearTable();
    CardRecord card;
    card.CardIndex = CardOf(12, kHearts);
    card.FaceUp = false;
    DrawIntoHand(t.g, card, kHuman, 3);
    EXPECT_TRUE(t.g.Hands[kHuman][3].Shown);
    EXPECT_TRUE(t.g.Hands[kHuman][3].FaceUp);
    EXPECT_EQ(t.g.Hands[kHuman][3].CardIndex, CardOf(12, kHearts));
    EXPECT_EQ(t.g.HandCount[kHuman], 1);

    card.FaceUp = true;  // a computer player's drawn card keeps how it flew
    DrawIntoHand(t.g, card, 2, 0);
    EXPECT_TRUE(t.g.Hands[2][0].FaceUp);
    card.FaceUp = false;
    DrawIntoHand(t.g, card, 2, 1);
    EXPECT_FALSE(t.g.Hands[2][1].FaceUp);
    EXPECT_EQ(t.g.HandCount[2], 2);
}

TEST(RecountHand, ParksThePlayedCardAndCountsWhatIsLeft) {
    Table t(GameVariant::Tarrabel);
    t.ClearTable();
    t.g.CurrentPlayer = 3;
    t.GiveHand(3, {CardOf(2, kClubs), CardOf(3, kClubs), CardOf(4, kClubs)});
    CardRecord& played = t.g.Hands[3][1];
    played.X = 400;
    played.Y = 300;
    played.FaceUp = true;
    t.g.HandCount[3] = 99;  // recounted from the slots, not decremented
    RecountHand(t.g, played);
    EXPECT_FALSE(played.Shown);
    EXPECT_FALSE(played.FaceUp);
    // Back to its own place in the left player's fan: slot 1 at (5, 170 + 5).
    EXPECT_EQ(played.X, 5);
    EXPECT_EQ(played.Y, 175);
    EXPECT_EQ(t.g.HandCount[3], 2);
}

}  // namespace
}  // namespace tarrabel::test
