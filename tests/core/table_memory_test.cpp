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

TEST(HandMemory, KeepsTheLatestEventsOfTheDeal) {
    HandMemory h;
    for (int i = 0; i < kHandEventsKept + 1; ++i) {
        HandEvent e;
        e.What = HandEvent::Kind::Played;
        e.Play.Card = int16_t(i);
        h.Log(e);
    }
    EXPECT_EQ(h.EventCount, kHandEventsKept);
    EXPECT_EQ(h.Events[0].Play.Card, 1) << "the oldest went";
    EXPECT_EQ(h.Events[kHandEventsKept - 1].Play.Card, kHandEventsKept);

    h.Clear();
    EXPECT_EQ(h.EventCount, 0) << "a new deal starts it again";
}

}  // namespace
}  // namespace tarrabel
