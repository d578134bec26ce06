// What a player with a good memory knows about the hands he cannot see.
//
// Nobody at the table sees another player's cards, but everybody sees who drew and who
// passed. A computer player draws only when he holds no card he may play, so a draw or a
// pass tells the table that none of the cards in his hand at that moment would have
// followed the pile. The memory keeps, for every card in every hand, the set of cards it
// cannot be; a card drawn later is free again. It also keeps what happened to each
// computer player's hand, slot by slot, so that his earlier choices can be checked against
// any hand imagined for him now. It is built only from what the table shows (the events of
// a deal), so reading it never peeks at a hidden card.
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

// One card played, with the table its player chose it at.
struct PlayRecord {
    int16_t Card = -1;
    bool Told = false;  // a standard player's free choice, which tells about his hand
    ScoreContext At;
};

// One thing that happened to a hand, told by the slot it happened in: everybody sees the
// backs of a player's cards in their places, which card leaves for the pile and where a
// card drawn goes. Walking back through them from the hand held now gives the hand held
// at any earlier choice: a card played goes back into its slot, a card received leaves its
// slot again.
struct HandEvent {
    enum class Kind : int8_t { Received, Played, Named };
    Kind What = Kind::Received;
    int8_t Slot = -1;
    int8_t Suit = -1, SuitOr = -1;  // Named: his suit, and the other it may have been
    PlayRecord Play;                // Played
};
inline constexpr int kHandEventsKept = 48;

// One hand as the others know it: one entry per card held, each the cards it cannot be.
struct HandMemory {
    int16_t Count = 0;
    std::array<CardSet, kHandSlots> CannotBe{};

    // What happened to the hand this deal, oldest first (the oldest go when it is full).
    std::array<HandEvent, kHandEventsKept> Events{};
    int16_t EventCount = 0;

    void Clear() {
        Count = 0;
        EventCount = 0;
    }
    void Log(const HandEvent& e);
    // A card came into the hand unseen: it may be anything but `cannotBe`.
    void Receive(const CardSet& cannotBe = {});
    // The player showed that he held none of `cards`.
    void HoldsNoneOf(const CardSet& cards);
    // He played `card`: it leaves the hand from an entry that allowed it, the one that
    // told the least about the rest (the most restricted), so what is kept stays true.
    void Played(int card);
};

struct TableMemory {
    std::array<HandMemory, kSeats> Hands{};
    // The cards the deck was last made of: the whole pack at the deal, the pile's cards
    // when the pile became the deck. A card drawn since is one of them.
    CardSet DeckFrom;
};

}  // namespace tarrabel
