// The hands a seat imagines for the others agree with the whole deal as the table saw it,
// slot by slot: a standard player's choice made before he drew still tells about the cards
// he holds now in the slots he had then.
#include "ai/knowledge.h"

#include <gtest/gtest.h>

#include "support/public_event.h"
#include "support/table_fixture.h"

namespace tarrabel::test {
namespace {

// Tarrabel, seat 1 a standard player. Dealt four cards into slots 0 to 3, he plays the
// nine of hearts from slot 1 on the five of hearts: his own choice, and the only heart he
// held. Then he takes two cards as a penalty (which tells nothing), into slot 1 and slot 4.
struct ChoseBeforeHeDrew : Table {
    ChoseBeforeHeDrew() : Table(GameVariant::Tarrabel) {
        ClearTable();
        g.DirectionReversed = false;
        g.SeatLevel[1] = AiLevel::Standard;
        GiveHand(2, {CardOf(4, kClubs), CardOf(6, kClubs), CardOf(7, kClubs)});
        GiveHand(3, {CardOf(4, kDiamonds), CardOf(6, kDiamonds), CardOf(7, kDiamonds)});
        GiveHand(kHuman, {CardOf(4, kSpades), CardOf(6, kSpades), CardOf(7, kSpades)});
        SetPile({CardOf(5, kHearts)});
        See(TraceKind::Deal, 1, -1);
        GiveHand(1, {CardOf(kKing, kClubs), CardOf(9, kHearts), CardOf(3, kSpades),
                     CardOf(9, kDiamonds)});
        for (int slot = 0; slot < 4; ++slot)
            See(TraceKind::Dealt, 1, slot);

        SetPile({CardOf(9, kHearts)});
        g.Hands[1][1].Shown = false;
        --g.HandCount[1];
        See(TraceKind::Play, 1, 1, CardOf(9, kHearts));

        GiveHand(1, {CardOf(kQueen, kSpades), CardOf(2, kClubs)});  // slots 1 and 4
        See(TraceKind::Draw, 1, 1, -1, DrawKind::Penalty);
        See(TraceKind::Draw, 1, 4, -1, DrawKind::Penalty);
    }

    void See(TraceKind kind, int seat, int slot, int card = -1, DrawKind draw = DrawKind::Auto) {
        ShowMemory(g, kind, seat, slot, card, -1, draw);
    }

    // Whether seat 1 could hold `card` in `slot` now, the rest of his hand as it is.
    bool CouldHold(int16_t card, int slot) const {
        ImaginedDeal d = ImagineFromTable(g);
        d.Hand[1][slot] = card;
        return FitsHandHistory(g.Memory.Hands[1], d, 1);
    }
};

TEST(FitsHandHistory, AChoiceBeforeTheDrawsRulesOutACardInASlotHeHadThen) {
    ChoseBeforeHeDrew t;
    const HandMemory& m = t.g.Memory.Hands[1];
    ASSERT_EQ(m.EventCount, 4 + 1 + 2);
    EXPECT_TRUE(m.Events[4].Play.Told);

    EXPECT_TRUE(FitsHandHistory(m, ImagineFromTable(t.g), 1)) << "his real hand";
    // A King of hearts held since the deal would have scored above the nine (more points,
    // the same suit): not in slots 0, 2 or 3; drawn into slot 1 or 4 afterwards it may be.
    const int16_t kingOfHearts = CardOf(kKing, kHearts);
    for (int slot : {0, 2, 3})
        EXPECT_FALSE(t.CouldHold(kingOfHearts, slot)) << "slot " << slot;
    for (int slot : {1, 4})
        EXPECT_TRUE(t.CouldHold(kingOfHearts, slot)) << "slot " << slot;
    // A lower heart, or a card that did not follow, may lie anywhere.
    for (int slot = 0; slot < 5; ++slot) {
        EXPECT_TRUE(t.CouldHold(CardOf(3, kHearts), slot)) << "slot " << slot;
        EXPECT_TRUE(t.CouldHold(CardOf(kKing, kSpades), slot)) << "slot " << slot;
    }
}

TEST(FitsHandHistory, OnATieTheStandardPlayerTakesTheLowerSlot) {
    // A card scoring as high as the nine of hearts (its twin, in a two-pack game) in a
    // lower slot would have been played instead; in a higher slot it may have stayed.
    ChoseBeforeHeDrew t;
    ImaginedDeal d = ImagineFromTable(t.g);
    d.Hand[1][0] = CardOf(9, kHearts);
    EXPECT_FALSE(FitsHandHistory(t.g.Memory.Hands[1], d, 1)) << "an equal card in slot 0";
    d.Hand[1][0] = CardOf(kKing, kClubs);
    d.Hand[1][3] = CardOf(9, kHearts);
    EXPECT_TRUE(FitsHandHistory(t.g.Memory.Hands[1], d, 1)) << "an equal card in slot 3";
}

}  // namespace
}  // namespace tarrabel::test
