#include "core/table_memory.h"

#include <gtest/gtest.h>

namespace tarrabel {
namespace {

CardSet SetOf(std::initializer_list<int> cards) {
    CardSet s;
    for (int c : cards)
        s.Add(c);
    return s;
}

TEST(CardSet, HoldsCardsOnBothSidesOfTheWordBoundary) {
    CardSet s = SetOf({0, 63, 64, 110});
    EXPECT_EQ(s.Size(), 4);
    EXPECT_TRUE(s.Has(63) && s.Has(64) && s.Has(110));
    EXPECT_FALSE(s.Has(62) || s.Has(65));
    s.Remove(64);
    EXPECT_FALSE(s.Has(64));
    EXPECT_TRUE(s.Has(63));
    const CardSet others = SetOf({1, 2}).Others(4);
    EXPECT_EQ(others.Size(), 2);
    EXPECT_TRUE(others.Has(0) && others.Has(3));
    EXPECT_TRUE(CardSet{}.Empty());
}

TEST(HandMemory, WhatIsLearntHoldsForTheCardsHeldThenNotForOnesDrawnLater) {
    HandMemory h;
    h.Receive();
    h.Receive();
    h.HoldsNoneOf(SetOf({5, 6}));
    h.Receive(SetOf({9}));
    ASSERT_EQ(h.Count, 3);
    EXPECT_TRUE(h.CannotBe[0].Has(5) && h.CannotBe[1].Has(6));
    EXPECT_FALSE(h.CannotBe[2].Has(5));
    EXPECT_TRUE(h.CannotBe[2].Has(9));
}

TEST(HandMemory, APlayedCardLeavesFromTheEntryThatToldTheLeast) {
    HandMemory h;
    h.Receive(SetOf({1}));
    h.Receive(SetOf({1, 2, 3}));
    h.Receive(SetOf({7}));
    h.Played(4);  // any entry allows it: the most restricted one goes
    ASSERT_EQ(h.Count, 2);
    EXPECT_EQ(h.CannotBe[0].Size() + h.CannotBe[1].Size(), 2);
    h.Played(1);  // only the entry that said "not 7" allowed it
    ASSERT_EQ(h.Count, 1);
    EXPECT_TRUE(h.CannotBe[0].Has(1));
}

TEST(HandMemory, ACardTheMemoryRuledOutWipesWhatItConcluded) {
    HandMemory h;
    h.Receive(SetOf({4}));
    h.Receive(SetOf({4, 8}));
    h.Played(4);  // he chose to draw or pass while holding it after all
    ASSERT_EQ(h.Count, 1);
    EXPECT_TRUE(h.CannotBe[0].Empty());
}

TEST(HandMemory, KeepsTheWholeDealsEventsUntilTheyOverflowThenTheLatest) {
    HandMemory h;
    h.Receive();
    h.Played(7, true);
    h.Receive(SetOf({3}));  // a draw does not wipe out what the play told
    ASSERT_EQ(h.EventCount, 3);
    EXPECT_EQ(h.Events[1].What, HandEvent::Kind::Played);
    EXPECT_EQ(h.Choices, 1);
    h.Played(8);  // not his free choice: kept, but tells nothing
    EXPECT_EQ(h.Choices, 1);

    for (int i = 0; i < kEventsKept; ++i)
        h.Named(i % 4);
    EXPECT_EQ(h.EventCount, kEventsKept);
    EXPECT_EQ(h.Events[0].What, HandEvent::Kind::Named) << "the oldest went";
    EXPECT_EQ(h.Events[kEventsKept - 1].Suit, (kEventsKept - 1) % 4);

    h.Clear();
    EXPECT_EQ(h.EventCount, 0);
    EXPECT_EQ(h.Choices, 0);
}

TEST(HandMemory, APlayTheMemoryRuledOutForgetsTheHistoryToo) {
    HandMemory h;
    h.Receive(SetOf({4}));
    h.HoldsNoneOf(SetOf({5}));
    h.Played(4);  // he drew by choice while holding it
    EXPECT_EQ(h.EventCount, 0);
    EXPECT_EQ(h.Choices, 0);
}

}  // namespace
}  // namespace tarrabel
