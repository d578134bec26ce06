#include "ai/table_memory_events.h"

#include <gtest/gtest.h>

#include <string>

#include "support/public_event.h"
#include "support/table_fixture.h"

namespace tarrabel::test {
namespace {

// A Tarrabel table with the five of hearts on the pile and seat 1's three cards known to
// the memory as unseen cards that may be anything.
struct Remembering : Table {
    Remembering() : Table(GameVariant::Tarrabel) {
        ClearTable();
        g.DirectionReversed = false;  // seat 2 plays after seat 1
        SetPile({CardOf(5, kHearts)});
        RememberPublicEvent(g, TraceEvent{TraceKind::Deal});
        GiveHand(1, {CardOf(kKing, kClubs), CardOf(3, kSpades), CardOf(9, kDiamonds)});
        for (int i = 0; i < 3; ++i)
            See(TraceKind::Dealt, 1);
    }

    void See(TraceKind kind, int seat, DrawKind draw = DrawKind::Auto, int card = -1,
             int suit = -1) {
        ShowMemory(g, kind, seat, -1, card, suit, draw);
    }

    // One more card comes into seat 1's hand and the table sees it drawn.
    void Draws(DrawKind how) {
        GiveHand(1, {CardOf(kQueen, kSpades)});
        See(TraceKind::Draw, 1, how);
    }

    // A card comes into a seat's hand and the table then sees him play it: it is on the
    // pile and out of his hand when the play is seen.
    void Plays(int seat, int16_t card) {
        GiveHand(seat, {card});
        See(TraceKind::Dealt, seat);
        SetPile({card});
        for (CardRecord& c : g.Hands[seat])
            if (c.Shown && c.CardIndex == card) c.Shown = false;
        --g.HandCount[seat];
        See(TraceKind::Play, seat, DrawKind::Auto, card);
    }

    const HandMemory& Seat1() const { return g.Memory.Hands[1]; }

    // The last thing of a kind that the memory kept of a seat's hand (null: none).
    const HandEvent* LastOf(HandEvent::Kind kind, int seat = 1) const {
        const HandMemory& h = g.Memory.Hands[seat];
        for (int i = h.EventCount - 1; i >= 0; --i)
            if (h.Events[i].What == kind) return &h.Events[i];
        return nullptr;
    }

    // What the memory says every card seat 1 held before `upTo` cannot be.
    bool NoneOfTheFirstCardsIs(int card, int upTo = 3) const {
        for (int i = 0; i < upTo; ++i)
            if (!Seat1().CannotBe[i].Has(card)) return false;
        return true;
    }
};

TEST(RememberPublicEvent, AComputerPlayerWhoDrawsForWantHeldNothingThatFollowed) {
    Remembering t;
    t.Draws(DrawKind::Auto);
    ASSERT_EQ(t.Seat1().Count, 4);
    EXPECT_TRUE(t.NoneOfTheFirstCardsIs(CardOf(9, kHearts))) << "the suit to follow";
    EXPECT_TRUE(t.NoneOfTheFirstCardsIs(CardOf(5, kClubs))) << "the rank on top";
    EXPECT_TRUE(t.NoneOfTheFirstCardsIs(CardOf(8, kSpades))) << "Tarrabel's wild eight";
    EXPECT_FALSE(t.Seat1().CannotBe[0].Has(CardOf(9, kClubs)));
    EXPECT_TRUE(t.Seat1().CannotBe[3].Empty()) << "the card he drew may be anything";
}

TEST(RememberPublicEvent, ADrawByChoiceOrAPenaltyTellsNothingAboutTheHand) {
    for (const DrawKind how : {DrawKind::Click, DrawKind::Penalty}) {
        Remembering t;
        t.Draws(how);
        ASSERT_EQ(t.Seat1().Count, 4);
        for (int i = 0; i < 4; ++i)
            EXPECT_TRUE(t.Seat1().CannotBe[i].Empty());
    }
}

TEST(RememberPublicEvent, AComputerPlayerWhoPassesHeldNothingThatFollowedButThePersonMayChoose) {
    Remembering t;
    t.See(TraceKind::Pass, 1);
    EXPECT_TRUE(t.NoneOfTheFirstCardsIs(CardOf(kAce, kHearts)));
    EXPECT_TRUE(t.NoneOfTheFirstCardsIs(CardOf(5, kSpades)));

    Remembering person;
    person.GiveHand(kHuman, {CardOf(2, kClubs)});
    person.See(TraceKind::Dealt, kHuman);
    person.See(TraceKind::Pass, kHuman);
    EXPECT_TRUE(person.g.Memory.Hands[kHuman].CannotBe[0].Empty());
}

TEST(RememberPublicEvent, ADrawThatFindsTheDeckEmptyTellsOnlyWhenHeDrewForWant) {
    Remembering t;
    t.g.State = GameState::DrawingForWant;
    t.See(TraceKind::DeckEmpty, 1);
    EXPECT_TRUE(t.NoneOfTheFirstCardsIs(CardOf(kJack, kHearts)));

    Remembering penalty;
    penalty.g.State = GameState::TakingPenaltyAndSkip;
    penalty.See(TraceKind::DeckEmpty, 1);
    EXPECT_TRUE(penalty.Seat1().CannotBe[0].Empty());
}

TEST(RememberPublicEvent, ThePileTurnedIntoTheDeckIsInNoHandAndEveryCardDrawnIsOneOfIt) {
    Remembering t;
    // The deck now holds just these cards, as if the pile had been shuffled into it.
    const int16_t rebuilt[] = {CardOf(2, kHearts), CardOf(7, kClubs), CardOf(kAce, kSpades)};
    t.g.DeckPos = int16_t(t.g.Rules.DeckSize - 3);
    for (int i = 0; i < 3; ++i)
        t.g.DeckOrder[t.g.DeckPos + i] = rebuilt[i];
    t.See(TraceKind::Rebuild, -1);
    for (const int16_t card : rebuilt) {
        EXPECT_TRUE(t.NoneOfTheFirstCardsIs(card)) << CardName(card);
        EXPECT_TRUE(t.g.Memory.DeckFrom.Has(card)) << CardName(card);
    }
    EXPECT_EQ(t.g.Memory.DeckFrom.Size(), 3);

    t.Draws(DrawKind::Click);
    const CardSet& drawn = t.Seat1().CannotBe[3];
    EXPECT_FALSE(drawn.Has(CardOf(7, kClubs)));
    EXPECT_TRUE(drawn.Has(CardOf(kKing, kHearts))) << "not in the rebuilt deck";
    EXPECT_EQ(drawn.Size(), t.g.Rules.DeckSize - 3);
}

TEST(RememberPublicEvent, ADealStartsTheMemoryAfresh) {
    Remembering t;
    t.See(TraceKind::Pass, 1);
    t.g.Memory.DeckFrom = CardSet{};
    t.See(TraceKind::Deal, -1);
    EXPECT_EQ(t.Seat1().Count, 0);
    EXPECT_EQ(t.g.Memory.DeckFrom.Size(), t.g.Rules.DeckSize);
}

// Seat 1 plays the nine of hearts on the five, with seat 2 down to his last card: a
// standard player's free choice.
struct PlaysANine : Remembering {
    explicit PlaysANine(AiLevel level = AiLevel::Standard) {
        g.SeatLevel[1] = level;
        GiveHand(2, {CardOf(4, kClubs)});
        GiveHand(3, {CardOf(4, kDiamonds), CardOf(6, kDiamonds), CardOf(7, kDiamonds)});
        GiveHand(kHuman, {CardOf(4, kSpades), CardOf(6, kSpades), CardOf(7, kSpades)});
        Plays(1, CardOf(9, kHearts));
    }
};

TEST(RememberPublicEvent, AStandardPlayersFreeChoiceRulesOutTheCardsHeWouldHavePreferred) {
    PlaysANine t;
    EXPECT_EQ(t.Seat1().Count, 3);
    const HandEvent* play = t.LastOf(HandEvent::Kind::Played);
    ASSERT_NE(play, nullptr);
    EXPECT_TRUE(play->Play.Told);
    // Against a player on his last card he would have skipped him with a Queen of hearts
    // or sent him the chain of a two of hearts, whatever else he held.
    EXPECT_TRUE(t.NoneOfTheFirstCardsIs(CardOf(kQueen, kHearts)));
    EXPECT_TRUE(t.NoneOfTheFirstCardsIs(CardOf(2, kHearts)));
    // A King of hearts may have lost to the nine on the length of the hearts he held.
    EXPECT_FALSE(t.Seat1().CannotBe[0].Has(CardOf(kKing, kHearts)));
    EXPECT_FALSE(t.Seat1().CannotBe[0].Has(CardOf(2, kClubs))) << "it does not follow";
}

// The expert weighs whole deals, and the easy player takes the first card he may: neither
// scores his cards the standard player's way.
TEST(RememberPublicEvent, TheCardChoicesOfTheExpertAndTheEasyPlayerTellNothing) {
    for (AiLevel level : {AiLevel::Expert, AiLevel::Easy}) {
        SCOPED_TRACE(std::string(AiLevelName(level)));
        PlaysANine t(level);
        const HandEvent* play = t.LastOf(HandEvent::Kind::Played);
        ASSERT_NE(play, nullptr);
        EXPECT_FALSE(play->Play.Told);
        for (int i = 0; i < t.Seat1().Count; ++i)
            EXPECT_TRUE(t.Seat1().CannotBe[i].Empty());
    }
}

TEST(RememberPublicEvent, AChoiceFacingAnOpenChainTellsNothing) {
    Remembering t;
    t.SetPile({CardOf(2, kHearts)});  // a chain of two, open against seat 1
    t.g.PenaltyTaken = false;
    t.g.PenaltyCards = 2;
    t.Plays(1, CardOf(2, kClubs));
    const HandEvent* play = t.LastOf(HandEvent::Kind::Played);
    ASSERT_NE(play, nullptr);
    EXPECT_FALSE(play->Play.Told);
}

TEST(RememberPublicEvent, AStandardPlayerNamingASuitIsRememberedWithTheChoiceHeMayHaveHad) {
    // He plays a wild eight, then names spades: the suit he held most of in the hand the
    // eight left him, so only the plays after the eight count with it.
    Remembering t;
    t.Plays(1, CardOf(8, kClubs));
    t.See(TraceKind::Suit, 1, DrawKind::Auto, -1, kSpades);
    const HandMemory& h = t.Seat1();
    ASSERT_GE(h.EventCount, 2);
    EXPECT_EQ(h.Events[h.EventCount - 2].What, HandEvent::Kind::Played);
    EXPECT_EQ(h.Events[h.EventCount - 1].What, HandEvent::Kind::Named);
    EXPECT_EQ(h.Events[h.EventCount - 1].Suit, kSpades);
    EXPECT_EQ(h.Events[h.EventCount - 1].SuitOr, -1);

    // The next player is on his last card and named diamonds himself: a standard player
    // whose longest suit was diamonds names another at random.
    Remembering random;
    random.GiveHand(2, {CardOf(4, kClubs)});
    random.g.Players[2].LastNamedSuit = kDiamonds;
    random.See(TraceKind::Suit, 1, DrawKind::Auto, -1, kSpades);
    const HandEvent* named = random.LastOf(HandEvent::Kind::Named);
    ASSERT_NE(named, nullptr);
    EXPECT_EQ(named->Suit, kSpades);
    EXPECT_EQ(named->SuitOr, kDiamonds);

    // The easy player names his longest suit whatever the next player asked for.
    Remembering easy;
    easy.g.SeatLevel[1] = AiLevel::Easy;
    easy.GiveHand(2, {CardOf(4, kClubs)});
    easy.g.Players[2].LastNamedSuit = kDiamonds;
    easy.See(TraceKind::Suit, 1, DrawKind::Auto, -1, kSpades);
    named = easy.LastOf(HandEvent::Kind::Named);
    ASSERT_NE(named, nullptr);
    EXPECT_EQ(named->Suit, kSpades);
    EXPECT_EQ(named->SuitOr, -1);

    Remembering expert;
    expert.g.SeatLevel[1] = AiLevel::Expert;
    expert.See(TraceKind::Suit, 1, DrawKind::Auto, -1, kSpades);
    EXPECT_EQ(expert.LastOf(HandEvent::Kind::Named), nullptr) << "the expert's suit tells nothing";

    Remembering person;
    person.See(TraceKind::Suit, kHuman, DrawKind::Auto, -1, kClubs);
    EXPECT_EQ(person.LastOf(HandEvent::Kind::Named, kHuman), nullptr)
        << "the person's suit tells nothing";
}

}  // namespace
}  // namespace tarrabel::test
