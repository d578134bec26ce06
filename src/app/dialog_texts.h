// Every text of the options dialog: captions, descriptions, and the pages "Keys", "Rules"
// and "Credits". The game's rules are told as this game plays them (src/rules/play.cpp,
// src/rules/scoring.cpp, the variant settings in src/core/cards.h); change them together.
#pragma once

#include <array>
#include <string_view>

namespace tarrabel::dialog {

// ---- the tabs ----------------------------------------------------------------------------

inline constexpr std::array<std::string_view, 5> kTabCaptions = {"Deck", "Keys", "Rules", "Credits",
                                                                 "Options"};

// ---- "Deck" ------------------------------------------------------------------------------

// The three decks the game ships, in preview order. Each caption names the deck the
// pictures were drawn from and the screen size it is made for; the label under it says
// what kind of deck it is. The hidden 1024 x 768 option has no deck in the archive and so
// no text here.
struct DeckOptionText {
    std::string_view Deck;  // the deck's name in the archive
    std::string_view Caption;
    std::string_view Label;
};
// clang-format off
inline constexpr std::array<DeckOptionText, 3> kDeckOptions = {{
    {"Royal", "Tigullio International (Genovese pattern) [800x600 resolution]",
                "French suited deck (Genovese pattern)."},
    {"Roya2", "KDE Standard (standard pattern) [800x600 resolution]",
                "French suited deck (standard pattern)."},
    {"Roya3", "Dondorf (old German-made French deck) [800x600 resolution]",
                "Old German-made French deck of early 1900's."},
}};
// clang-format on
// Under the decks: the four-colour suits, for every deck.
inline constexpr std::string_view kFourColourCaption = "Four-colour suits";
inline constexpr std::string_view kFourColourDescription =
    "Clubs green and diamonds blue on every deck, so that each suit has a colour of its own.";

// ---- "Options" ---------------------------------------------------------------------------

// The games to choose from and the description beside each.
struct VariantOptionText {
    std::string_view Caption;
    std::string_view Description;
};
inline constexpr std::array<VariantOptionText, 4> kGameTexts = {{
    {"Tarrabel", "Popular US matching card game, featuring sequencing rule."},
    {"Huit Americain", "French variant, with Jokers and without sequencing rule."},
    {"Agonia", "Greek variant, with sequencing rule and a 'play again' card."},
    {"Pis Yedili", "Turkish variant, with sequencing rule, and player eliminations."},
}};

inline constexpr std::string_view kIllustratedAgoniaCaption = "Illustrated Agonia";
inline constexpr std::string_view kIllustratedAgoniaDescription =
    "Advanced version using the Jacks as special card (+11 cards to next).";
// How the computer players choose their cards, with a hint under the buttons.
inline constexpr std::string_view kLevelLabel = "Computer players:";
inline constexpr std::array<std::string_view, 3> kLevelCaptions = {"Easy", "Standard", "Expert"};
inline constexpr std::string_view kLevelDescription =
    "The easy player plays the first card he may; the expert plays each deal out in his head.";
inline constexpr std::string_view kSlowAnimationCaption = "Slow animation";
inline constexpr std::string_view kSlowAnimationDescription =
    "For slower card speed (smoother card animation) click on the check box (requires faster "
    "computer).";
inline constexpr std::string_view kWindowedCaption = "Windowed";
// Hidden controls, named for completeness.
inline constexpr std::string_view kUseVidMemCaption = "Use VidMem";
inline constexpr std::string_view kDynamitisCaption = "Dynamitis Game";  // Check3
inline constexpr std::string_view kJackOfDiamondsCaption = "Jack of Diamonds";

// ---- the buttons and the version ---------------------------------------------------------

inline constexpr std::string_view kStartCaption = "Start";
inline constexpr std::string_view kExitCaption = "Exit";
inline constexpr std::string_view kVersionPrefix = "Version ";

// ---- the pages ---------------------------------------------------------------------------

// A page is a list of sections, each a heading and its text. Paragraphs are separated by
// an empty line; lines starting with "- " are list items. The view wraps the text.
struct TextSection {
    std::string_view Heading;
    std::string_view Body;
};

// "Keys" (Text3).
inline constexpr std::array<TextSection, 4> kKeysSections = {{
    {"At the table",
     "- Left-click a card of your hand to play it. Only a card you may play is taken; where "
     "cards overlap, the topmost card under the pointer that you may play is the one played.\n"
     "- When you cannot play, the game draws a card for you (in Pis Yedili up to three, one "
     "at a time) and passes for you if you still cannot play.\n"
     "- You may also draw instead of playing: left-click the deck at the top left. One card a "
     "turn; in Pis Yedili up to three, one click each.\n"
     "- After drawing by clicking the deck, right-click the empty table to pass (in Pis "
     "Yedili after the third card).\n"
     "- After you play a wild card, four suit icons appear: click the suit you name.\n"
     "- Facing a chain (Twos in Tarrabel, Sevens in Agonia, Illustrated Agonia and Pis "
     "Yedili): left-click your Two or Seven to pass the penalty on. To break the chain, "
     "left-click any other card you may play, or the deck: you take the penalty cards, then "
     "play as you like. In Illustrated Agonia a black Jack is answered the same way with a "
     "red Jack, which cancels the eleven cards. If you hold no answer, you take the cards "
     "at once.\n"
     "- To order your hand: right-click a card to pick it up (a blue frame marks it), then "
     "left-click the card whose place it should take. Right-click the picked card again to "
     "put it down.\n"
     "- At the end of a deal the score page shows the points; click to deal again.\n"
     "- P pauses the game and resumes it. Escape leaves the game.\n"
     "- F11 or Alt+Return switches between full screen and a window.\n"
     "- F1 shows the rules of the game you are playing; F1 or Escape closes them."},
    {"Without the mouse",
     "- Press any arrow key: an amber frame appears on one of your cards. Left and Right "
     "move it along your hand, Home and End to its ends; Up moves it to the deck, Down back "
     "to your hand. Moving the mouse hides it again.\n"
     "- Enter or Space plays the card in the frame (a card you may not play is refused, as "
     "a click on it is), or draws when the frame is on the deck.\n"
     "- D draws a card, X passes after drawing.\n"
     "- R picks the card in the frame to move it; move the frame to the card whose place it "
     "should take and press R again. R on the picked card puts it down.\n"
     "- After your wild card, 1 to 4 or C, D, H, S name clubs, diamonds, hearts or spades "
     "(the icons show their digits).\n"
     "- H shows for two seconds the card the expert player would play in your place, or "
     "the deck when he would draw. A match won with hints says how many you took.\n"
     "- On the score page any key but Escape and P deals again."},
    {"This dialog",
     "Enter starts the game, Escape or the window's close box leaves without playing; Tab "
     "and the arrow keys move between the controls."},
    {"Command line",
     "- --windowed: play in a window instead of full screen (the window can be resized; "
     "the table keeps its shape).\n"
     "- --variant V: start game V at once, without this dialog: 0 Tarrabel, 1 Huit "
     "Americain, 2 Agonia, 3 Illustrated Agonia, 4 Pis Yedili.\n"
     "- --ai easy|standard|expert: the level of the three computer players; this dialog opens "
     "with it chosen under \"Computer players\".\n"
     "- --seed N: shuffle with seed N; the same seed and the same clicks replay the same "
     "game.\n"
     "- --four-colour: clubs green and diamonds blue on every deck; this dialog opens with "
     "\"Four-colour suits\" checked.\n"
     "- --trace FILE: write every deal's events to FILE, one JSON object a line.\n"
     "- --help: list these options."},
}};

// "Rules" (Text2): what all five games share, then one section per game with its special
// cards, its points and its target.
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

// "Credits".
inline constexpr std::array<TextSection, 4> kCreditsSections = {{
    {"Tarrabel",
     "Five shedding card games at one table, written by the Tarrabel team. Free software "
     "under the GNU General Public License, version 2 or (at your option) any later version "
     "(GPL-2.0-or-later); see the file COPYING."},
    {"Card decks",
     "Drawn from the SVG card decks of Debian's kdegames-card-data-kf5 (libkdegames).\n"
     "- Royal: \"Tigullio International\", copyright 2004, 2006, 2007, 2008 Luciano "
     "Montanaro; GNU Lesser General Public License, version 2 or later.\n"
     "- Roya2: \"Standard\", the standard KDE card set; GPL, version 2 or later. Copyright "
     "holders as Debian lists them for its files: John Fitzgibbon, Jochen Tuchbreiter "
     "(1997), Markus F.X.J. Oberhumer (1998), Gunter Gerhardt (2004), Mauricio Piacentini "
     "(2006-2007), Dmitry Suzdalev, Matt Williams (2007), Luciano Montanaro, Parker Coates "
     "(2009), Viranch Mehta (2012), Free Software Foundation, Inc. (1989-1991).\n"
     "- Roya3: \"Dondorf\", copyright 1996-2013 The K Desktop Environment project; GPL, "
     "version 2 or later.\n"
     "The jokers of Roya2 and Roya3, the lattice on Royal's card back and the selection "
     "frame are drawn by the game's art tool."},
    {"Fonts, pictures and sounds",
     "- DejaVu fonts: copyright 2003 Bitstream, Inc. (Bitstream Vera licence); the DejaVu "
     "changes are in the public domain.\n"
     "- The game's art tool renders the decks with librsvg (LGPL, version 2 or later), draws "
     "the felt table, the score sheet and the banners with Cairo (LGPL 2.1 or MPL 1.1) and "
     "the letters with FreeType (FreeType License), and synthesizes the sound effects."},
    {"Libraries",
     "- SDL2, SDL2_image and SDL2_mixer by Sam Lantinga and contributors: zlib licence.\n"
     "- Dear ImGui by Omar Cornut: MIT licence."},
}};

}  // namespace tarrabel::dialog
