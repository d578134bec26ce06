// Every picture and font the table is drawn with, loaded once from the unpacked art (and
// again after the display lost its textures), from the set of the density the table is
// composed at: 1, 2 or 3 pixels per table unit (resources/density_names.h).
#pragma once

#include <array>
#include <string>
#include <string_view>
#include <vector>

#include "core/cards.h"
#include "platform/surface.h"
#include "presentation/bitmap_font.h"

namespace tarrabel {

struct Game;
struct ResourceTree;
namespace platform {
class Platform;
}

// The trailing names are the old program's, for comparing with its documents.
struct TablePictures {
    platform::Surface Felt;                                   // ddsBack: drawn opaque
    platform::Surface CardBack;                               // ddsCardBack
    std::array<platform::Surface, kCardTableSize> CardFaces;  // ddsCards, by card index
    std::array<platform::Surface, 4> SuitIcons;               // ddsSuitIcons, by suit code
    platform::Surface PassBanner;                             // ddsPass
    platform::Surface ScorePage;                              // ddsScorePage
    platform::Surface PickFrame;  // ddsFrame: over the card picked to be moved
    // The keyboard's frame: the pick frame in amber, so that the two never look alike.
    platform::Surface FocusFrame;
    // The score page's rules: under the names, down the side (loaded, never drawn), above
    // the totals.
    platform::Surface ScoreRuleTop;     // ddsLineHorz
    platform::Surface ScoreRuleSide;    // ddsLineVert
    platform::Surface ScoreRuleBottom;  // ddsLineHorz2
    platform::Surface Pointer;          // ddsMouse
    // The rules page of each game (GameVariant), drawn opaque over the table while the
    // player reads it (F1): kRulesPageWidth x kRulesPageHeight table units. Only the page of
    // the game being played is loaded; the others stay empty.
    std::array<platform::Surface, kVariantCount> RulesPages;
    // Until then the page of the game being played waits as its file (ShowRulesPage).
    std::vector<uint8_t> RulesPageFile;
    std::string RulesPageName;

    // The fonts. The score page is written with ScoreLineFonts, each line a font of its own
    // sharing HandwritingFont's picture; HandwritingFont and GiltFont are loaded but never
    // drawn themselves.
    BitmapFont HandwritingFont;                 // fntHandParker: the score page's hand
    BitmapFont ClockFont;                       // fntDigit: the clock's digits
    BitmapFont GiltFont;                        // fntDeluxe: a gilt serif
    std::array<BitmapFont, 11> ScoreLineFonts;  // fntScore: one per score page line
    int CardsLoaded = 0;                        // face pictures 0 .. CardsLoaded - 1
    // The games of two packs show each face twice: the second card's entry here is k + 1
    // for "the picture of face k" (its own CardFaces entry stays empty), 0 for its own.
    std::array<int16_t, kCardTableSize> FaceCopyOf{};
    const platform::Surface& Face(int cardIndex) const {
        const int16_t copy = FaceCopyOf[size_t(cardIndex)];
        return CardFaces[size_t(copy > 0 ? copy - 1 : cardIndex)];
    }
    // Pixels per table unit of every picture above: each is Density times its 1x size.
    int Density = 1;
};

// The folder of a deck's pictures; an unknown deck name falls back to the first deck.
std::string_view DeckFolder(std::string_view deckName);

// The relative path of a picture ("res\\Royal\\AC.BMP") in the set of `density`
// ("res\\Royal\\AC@2x.png"); the path itself at 1x.
std::string PicturePathAt(std::string_view relative, int density);

// Loads every picture and font for the game's deck and variant, from the set of `density`
// (1, 2 or 3), which the tree must hold (UnpackOptions::Density); the faces and suit icons
// of clubs and diamonds in their four-colour inks when the options ask for them
// (GameOptions::FourColourSuits). False with the game's
// error message (naming the file and the reason) when one cannot be loaded; a picture the
// set lacks is such a missing file. The fonts keep their cells in 1x units.
bool LoadPictures(platform::Platform& p, const ResourceTree& tree, const Game& g,
                  TablePictures& pics, std::string* error, int density = 1);

// Decodes the rules page of the game being played the first time it is to be shown.
// False (with the reason, once) when it cannot be had; the table goes on without it.
bool ShowRulesPage(TablePictures& pics, const Game& g, std::string* error);

// Frees every picture and font, in the order the game releases them at exit.
void ReleasePictures(TablePictures& pics);

}  // namespace tarrabel
