// The rules of the five games as a player reads them: on the options dialog's "Rules" page,
// and on the rules pages the table shows over the cloth (F1), which the art tool draws from
// this same text. The rules are told as this game plays them (src/rules/play.cpp,
// src/rules/scoring.cpp, the variant settings in src/core/cards.h); change them together.
// Header only, constants alone: the art tool reads it without linking a game library.
#pragma once

#include <array>
#include <cstddef>
#include <string_view>

#include "core/cards.h"

namespace tarrabel {

// A page is a list of sections, each a heading and its text. Paragraphs are separated by
// an empty line; lines starting with "- " are list items. Whoever shows it wraps the text.
struct TextSection {
    std::string_view Heading;
    std::string_view Body;
};

// What all five games share, then one section per game, in the order of GameVariant, with
// its special cards, its points and its target.
inline constexpr std::array<TextSection, 6> kRulesSections = {{
    {"All five games",
     "You play against three computer players. Each in turn plays one card on the pile that "
     "matches the top card by suit or by rank. A wild card goes on anything, and its player "
     "names the suit the next player must follow. The first player to empty his hand ends "
     "the deal.\n\n"
     "After the deal, one card is turned up to start the pile. It counts as played by the "
     "player before the first one, so its power takes effect; a wild card turned up goes "
     "back into the deck for another. The first deal starts with a random player, each "
     "later one with the next player clockwise.\n\n"
     "A player who cannot play draws a card; if it does not help, he passes. You may also "
     "draw instead of playing, once a turn (three times in Pis Yedili), and then pass. When "
     "the deck runs out, the pile "
     "but its top card is shuffled into a new deck.\n\n"
     "Chains: a chain card makes the next player draw 2 (or 3) unless he plays a card of the "
     "same rank, which passes the penalty, grown by 2 (or 3), on to the player after him. "
     "Whoever does not answer draws the whole penalty and then plays his turn.\n\n"
     "When a deal ends, everybody is charged the points of the cards left in his hand. The "
     "points add up deal after deal; the match ends after the deal in which a total passes "
     "the target (reaching it is not enough). You win if nobody has fewer points than you. "
     "The score page shows up to ten deals and the totals."},
    {"Tarrabel",
     "One pack of 52 cards, five cards each; play goes clockwise.\n"
     "- 8: wild, names the suit.\n"
     "- Ace: reverses the direction of play.\n"
     "- Queen: the next player misses his turn.\n"
     "- 2: chain. The next player plays a 2 or draws 2 (4, 6 ... as the chain grows), then "
     "plays.\n"
     "Points: the 8 50; 10, Jack, Queen, King 10; the others their face value (Ace 1).\n"
     "Target: 100."},
    {"Huit Americain",
     "One pack with two jokers (54 cards), eight cards each; play goes clockwise. No "
     "chains.\n"
     "- 8: wild, names the suit.\n"
     "- Joker: goes on anything, and the suit to follow stays that of the card under it. The "
     "next player draws 5 and misses his turn.\n"
     "- 2: the next player draws 2 (after the 2 of spades, 4) and misses his turn.\n"
     "- Jack: the next player misses his turn.\n"
     "- Ace of spades: reverses the direction of play. The other Aces have no power.\n"
     "Points: joker 50; 2 of spades 25; the other 2s and the Aces 15; Jack, Queen, King 10; "
     "every other card 5, the 8 too.\n"
     "Target: 500."},
    {"Agonia",
     "One pack of 52 cards, seven cards each; play goes counter-clockwise.\n"
     "- Ace: wild, names the suit.\n"
     "- 8: play again. The same player plays another card (or draws, if he cannot).\n"
     "- 9: the next player misses his turn.\n"
     "- 7: chain. The next player plays a 7 or draws 2 (4, 6 ...), then plays.\n"
     "Points: the Ace 20; 10, Jack, Queen, King 10; the others their face value.\n"
     "Target: 100."},
    {"Illustrated Agonia",
     "Agonia with two packs (104 cards), seven cards each; play goes counter-clockwise. Ace "
     "wild, 8 play again, 9 skip and the 7 chain as in Agonia, and:\n"
     "- An Ace may not be played on an Ace.\n"
     "- Queen: reverses the direction of play.\n"
     "- 2: the next player draws 2 and misses his turn.\n"
     "- Black Jack: the next player draws 11, then plays, unless he answers with a red Jack, "
     "which cancels the eleven cards. A red Jack has no other power.\n"
     "Points: as in Agonia (the Ace 20).\n"
     "Target: 100."},
    {"Pis Yedili",
     "Two packs (104 cards), seven cards each; play goes clockwise. No card is turned up: "
     "the first player opens with a club or a Jack.\n"
     "- Jack: wild, names the suit. You may put a Jack on a Jack only when the suit named "
     "is that Jack's own; the computer players put only a Jack of the named suit on a "
     "Jack.\n"
     "- Ace: play again.\n"
     "- 10: reverses the direction of play.\n"
     "- 7: chain of three. The next player plays a 7 or draws 3 (6, 9 ...), then plays.\n"
     "A player who cannot play draws up to three cards, one at a time, before he passes. "
     "You may draw up to three by clicking the deck, and pass after the third.\n"
     "Going out: the player before the one who went out draws as many cards as the last "
     "card is worth, or the cards played in a row with it (an Ace, then a 5: 25 cards); then "
     "the deal ends. Going out on a 7, the chain is settled first.\n"
     "Points: Ace, 7, 10 and Jack 20; Queen and King 10; the others their face value.\n"
     "Target: 500. A computer player who passes 500 is out of the match and sits out the "
     "later deals. You lose when you pass 500 and win when you are the last player left."},
}};

// The section every game shares, and the section of one game.
inline constexpr const TextSection& kSharedRulesSection = kRulesSections[0];
constexpr const TextSection& RulesSectionOf(GameVariant variant) {
    return kRulesSections[size_t(variant) + 1];
}
static_assert(kRulesSections.size() == size_t(kVariantCount) + 1);

// The picture of each game's rules page in res/Bitmaps, by GameVariant (its 1x name; the
// sharper sets name it as every picture, resources/density_names.h): the game's name, the
// shared section and the game's own on a sheet the table shows whole, opaque.
inline constexpr std::array<std::string_view, kVariantCount> kRulesPageFileNames = {
    "RulesPage_0.BMP", "RulesPage_1.BMP", "RulesPage_2.BMP", "RulesPage_3.BMP", "RulesPage_4.BMP"};
// Its size in table units: it fits the 800 x 600 table with the cloth round it.
inline constexpr int kRulesPageWidth = 700, kRulesPageHeight = 540;

}  // namespace tarrabel
