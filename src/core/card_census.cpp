#include "core/card_census.h"

#include <array>
#include <cstdio>

namespace tarrabel {

namespace {

std::string Describe(const char* what, int card, int count) {
    char buf[160];
    std::snprintf(buf, sizeof buf, "card %d %s (found %d times)", card, what, count);
    return buf;
}

}  // namespace

bool CheckCardInvariant(const Game& g, std::string* why) {
    const int size = g.Rules.DeckSize;
    std::array<int, kCardTableSize> seen{};
    auto count = [&](int card) -> bool {
        if (card < 0 || card >= size) {
            if (why) *why = Describe("is outside the deck", card, 1);
            return false;
        }
        ++seen[card];
        return true;
    };
    if (g.DeckPos < 0 || g.DeckPos > size) {
        if (why) *why = "DeckPos " + std::to_string(g.DeckPos) + " is outside the deck";
        return false;
    }
    for (int p = g.DeckPos; p < size; ++p) {
        if (g.Deck[p].CardIndex != g.DeckOrder[p]) {
            if (why) *why = "deck record " + std::to_string(p) + " disagrees with DeckOrder";
            return false;
        }
        if (!count(g.DeckOrder[p])) return false;
    }
    for (int p = 0; p < size; ++p) {
        if (!g.Deck[p].Moving) continue;
        if (p != g.DeckPos - 1) {
            if (why) *why = "deck record " + std::to_string(p) + " flies but was not drawn last";
            return false;
        }
        if (!count(g.Deck[p].CardIndex)) return false;
    }
    for (int i = 0; i < g.PileCount; ++i)
        if (!count(g.Pile[i].CardIndex)) return false;
    for (int seat = 0; seat < kSeats; ++seat) {
        int shown = 0;
        for (int s = 0; s < kHandSlots; ++s) {
            if (!g.Hands[seat][s].Shown) continue;
            ++shown;
            if (!count(g.Hands[seat][s].CardIndex)) return false;
        }
        if (shown != g.HandCount[seat]) {
            if (why)
                *why = "seat " + std::to_string(seat) + " holds " + std::to_string(shown) +
                       " cards but counts " + std::to_string(g.HandCount[seat]);
            return false;
        }
    }
    for (int card = 0; card < size; ++card) {
        if (seen[card] != 1) {
            if (why)
                *why = Describe(seen[card] == 0 ? "is lost" : "is in two places", card, seen[card]);
            return false;
        }
    }
    return true;
}

}  // namespace tarrabel
