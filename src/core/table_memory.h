// What a player with a good memory knows about the hands he cannot see.
//
// Nobody at the table sees another player's cards, but everybody sees who drew and who
// passed. A computer player draws only when he holds no card he may play, so a draw or a
// pass tells the table that none of the cards in his hand at that moment would have
// followed the pile. The memory keeps, for every card in every hand, the set of cards it
// cannot be; a card drawn later is free again. It is built only from what the table shows
// (the events of a deal), so reading it never peeks at a hidden card.
#pragma once

#include <array>
#include <cstdint>

#include "core/cards.h"
#include "core/score_context.h"

namespace tarrabel {

// A set of card indexes 0 to 127.
struct CardSet {
    std::array<uint64_t, 2> bits{};

    bool Has(int card) const { return (bits[card >> 6] >> (card & 63)) & 1u; }
    void Add(int card) { bits[card >> 6] |= uint64_t(1) << (card & 63); }
    void Remove(int card) { bits[card >> 6] &= ~(uint64_t(1) << (card & 63)); }
    void AddAll(const CardSet& o) {
        bits[0] |= o.bits[0];
        bits[1] |= o.bits[1];
    }
    int Size() const { return __builtin_popcountll(bits[0]) + __builtin_popcountll(bits[1]); }
    bool Empty() const { return (bits[0] | bits[1]) == 0; }
    // The cards 0 to size - 1 that are not in the set.
    CardSet Others(int size) const {
        CardSet o;
        for (int card = 0; card < size; ++card)
            if (!Has(card)) o.Add(card);
        return o;
    }
};

// One thing the table saw happen to a hand. A hand's events are kept for the whole deal:
// walked back from the hand he holds now (a card played goes back in, a card received
// comes out again), they give the hand he held at each of his choices, so that a choice
// made before many draws still tells about the cards he kept.
struct HandEvent {
    enum class Kind : uint8_t {
        Received,  // a card came in unseen; it is none of `Cards`
        HeldNone,  // he showed that he held none of `Cards` (a draw or pass for want)
        Played,    // he played `Card`
        Named,     // he named `Suit` after his wild card
    };
    Kind What = Kind::Received;
    bool Told = false;  // Played: a standard computer player's free choice, made at `At`
    // Named: the suit he held most of; or `SuitOr`, when the longest may have been that
    // one and he named another at random.
    int8_t Suit = -1, SuitOr = -1;
    int16_t Card = -1;
    CardSet Cards;
    ScoreContext At;
};
inline constexpr int kEventsKept = 160;  // per hand; past it the oldest go

// One hand as the others know it: one entry per card held, each the cards it cannot be,
// and what happened to the hand in this deal.
struct HandMemory {
    int16_t Count = 0;
    std::array<CardSet, kHandSlots> CannotBe{};
    std::array<HandEvent, kEventsKept> Events{};
    int16_t EventCount = 0;
    int16_t Choices = 0;  // events that tell something: choices told, suits named, draws for want

    void Clear() {
        Count = 0;
        EventCount = 0;
        Choices = 0;
    }
    // A card came into the hand unseen: it may be anything but `cannotBe`.
    void Receive(const CardSet& cannotBe = {});
    // The player showed that he held none of `cards`.
    void HoldsNoneOf(const CardSet& cards);
    // What a choice of his told about every card he holds (kept as the choice itself).
    void RuleOut(const CardSet& cards);
    // He played `card`: it leaves the hand from an entry that allowed it, the one that
    // told the least about the rest (the most restricted), so what is kept stays true.
    // `told`: his free choice as a standard computer player, made at table `at`.
    void Played(int card, bool told = false, const ScoreContext& at = {});
    // He named `suit` (or `suitOr`, see HandEvent) after his wild card.
    void Named(int suit, int suitOr = -1);

  private:
    void Keep(const HandEvent& e);
};

struct TableMemory {
    std::array<HandMemory, kSeats> Hands{};
    // The cards the deck was last made of: the whole pack at the deal, the pile's cards
    // when the pile became the deck. A card drawn since is one of them.
    CardSet DeckFrom;
};

}  // namespace tarrabel
