// Every text of the options dialog: captions, descriptions, and the pages "Keys", "Rules"
// and "Credits". The rules themselves live in rules/rules_text.h, where the art tool reads
// them for the table's rules pages.
#pragma once

#include <array>
#include <string_view>

#include "rules/rules_text.h"

namespace tarrabel::dialog {

// ---- the tabs ----------------------------------------------------------------------------

inline constexpr std::array<std::string_view, 6> kTabCaptions = {
    "Deck", "Keys", "Rules", "Credits", "Options", "Statistics"};

// ---- "Show the hands when a deal ends" ------------------------------------------------------

// The computer players' cards turn face up where they lie before the score page.
inline constexpr std::string_view kShowHandsCaption = "Show the hands when a deal ends";

// ---- "Statistics" and "Resume" -------------------------------------------------------------

inline constexpr std::string_view kResumeCaption = "Resume";
inline constexpr std::string_view kResetCaption = "Reset";
inline constexpr std::string_view kResetQuestion =
    "Set every count of every game and level back to zero?";
inline constexpr std::string_view kResetYesCaption = "Reset all";
inline constexpr std::string_view kResetNoCaption = "Keep them";
inline constexpr std::string_view kNoMatchesYet = "No matches played at this level yet.";

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

// A page is a list of sections (TextSection, in rules/rules_text.h with the rules).
using tarrabel::TextSection;

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
     "Enter starts the game, Escape or the window's close box leaves without playing.\n"
     "- The arrow keys move the gold frame from control to control; Tab and Shift+Tab go "
     "through them in order.\n"
     "- Space presses the framed control: it picks a deck, a game or a level, ticks a box, or "
     "presses a button.\n"
     "- On the row of tabs, Left and Right open the page beside; Down goes into the page.\n"
     "- Space on a page of text lets the arrow keys and Page Up, Page Down scroll it; Escape "
     "steps back out of it."},
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

// "Rules" (Text2): the rules as the table's rules pages tell them too (rules/rules_text.h).
using tarrabel::kRulesSections;

// "Credits".
inline constexpr std::array<TextSection, 5> kCreditsSections = {{
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
    {"The computer players",
     "They know only what a person in their seat could know: their own cards, the cards "
     "played and named, and what each player drew, took or passed. They never see another "
     "hand or the order of the deck; with \"Show the hands when a deal ends\" you see, after "
     "each deal, what they held."},
    {"Libraries",
     "- SDL2, SDL2_image and SDL2_mixer by Sam Lantinga and contributors: zlib licence.\n"
     "- Dear ImGui by Omar Cornut: MIT licence."},
}};

}  // namespace tarrabel::dialog
