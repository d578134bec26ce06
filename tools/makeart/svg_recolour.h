// Recolouring a suit's ink in an SVG card deck's own text, for the four-colour suits: the
// suit sign's elements and each card's index are given another colour where the deck
// writes it, so the cards are drawn from the same vectors with only that ink changed (the
// court figures keep theirs). Plain C++, so the tests check it on small documents.
#pragma once

#include <span>
#include <string>
#include <string_view>

namespace tarrabel::art {

// The ranks as the decks name their cards' elements, Ace to King: "1_club" .. "king_club".
inline constexpr const char* kSvgRankIds[13] = {"1", "2", "3",  "4",    "5",     "6",   "7",
                                                "8", "9", "10", "jack", "queen", "king"};

// One change: within the element whose id is Scope, every From becomes To. A Scope of "%"
// stands for each of the thirteen cards of the suit ("1_club" .. "king_club"); a "%" in To
// for the new ink ("#1a7f2e").
struct InkChange {
    const char* Scope;
    const char* From;
    const char* To;
};

// Where the element with id `id` lies in `svg`: from its "<" to just past its end tag (or
// its "/>"). False when no element, or more than one, has that id, or its end is missing.
bool FindElement(std::string_view svg, std::string_view id, size_t* begin, size_t* end);

// Applies the changes to the cards of `suit` ("club", "diamond"), giving them `ink`. False
// with a message when a change names an element the deck lacks or finds nothing to change in
// any of its elements, or when one of the suit's thirteen cards is left unchanged: the
// deck's file is not the one the changes were written for, and a card would keep its old ink.
bool RecolourSuit(std::string* svg, std::span<const InkChange> changes, std::string_view suit,
                  std::string_view ink, std::string* error);

}  // namespace tarrabel::art
