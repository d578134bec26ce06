// The three card decks, each rendered from one of the free SVG card decks Debian ships for
// card games (package kdegames-card-data-kf5):
//   Royal  "Tigullio International" (Luciano Montanaro), a Genovese-pattern deck
//   Roya2  "Standard", the plain KDE deck
//   Roya3  "Dondorf", a deck with old engraved court figures
// Every card is stretched to fill the game's card size exactly; the corners outside the
// card's rounded outline are left clear and become the key colour.
#include <cstdio>

#include "art.h"
#include "art_common.h"
#include "cards.h"
#include "core/options.h"

namespace tarrabel::art {

namespace {

constexpr const char* kDeckFolder = "/usr/share/carddecks/";
constexpr int kCardWidth = 108;

enum class Jokers {
    Own,          // the deck has a red and a black joker
    OneReddened,  // one black-and-white joker: as it is, and tinted red
    Drawn,        // none: drawn in the deck's manner
};

struct DeckArt {
    const char* folder;  // folder of the resource tree, the deck's name in the options
    const char* sheet;   // contact sheet file name
    const char* svg;     // the deck file, under kDeckFolder
    double radius;       // corner radius of the card outline, in the deck's units
    const char* back;    // element of the card back
    bool latticeBack;    // paint the lattice panel over the back's emblem
    Jokers jokers;
    const char* redJoker;  // elements of the jokers (Own, OneReddened)
    const char* blackJoker;
    const char* plainCard;  // element of a blank card (Drawn)
};

// The corner radii are those of each deck's outline: a rect with rx 3 in "Tigullio
// International" and "Standard", a path with corners of 5 scaled by 0.82153 in "Dondorf".
constexpr DeckArt kDecks[] = {
    {"Royal", "deck-royal.png", "svg-tigullio-international/tigullio-international.svgz", 3.0,
     "red_back", true, Jokers::Own, "red_jocker", "black_jocker", nullptr},
    {"Roya2", "deck-roya2.png", "svg-standard/standard.svgz", 3.0, "back", false, Jokers::Drawn,
     nullptr, nullptr, "card_back"},
    {"Roya3", "deck-roya3.png", "svg-dondorf/dondorf.svgz", 5 * 0.82153, "back", false,
     Jokers::OneReddened, "joker", "joker", nullptr},
};

// In the order of the contact sheet rows; first letter of the file name's suit.
constexpr const char* kSuitIds[] = {"club", "diamond", "heart", "spade"};
constexpr const char* kSuitLetters[] = {"C", "D", "H", "S"};
constexpr const char* kRankIds[] = {"1", "2", "3",  "4",    "5",     "6",   "7",
                                    "8", "9", "10", "jack", "queen", "king"};
constexpr const char* kRankNames[] = {"A", "2", "3",  "4", "5", "6", "7",
                                      "8", "9", "10", "J", "Q", "K"};

// The contact sheets are drawn at this scale to keep the PNG files small.
constexpr double kSheetScale = 0.75;

bool MakeDeck(const DeckArt& art, const std::string& outDir, const std::string& docsDir,
              int density, std::string* error) {
    const std::string dir = outDir + "/" + art.folder;
    if (!MakeFolder(dir, error)) return false;
    const std::string path = std::string(kDeckFolder) + art.svg;
    std::unique_ptr<SvgDeck> deck = SvgDeck::Load(path, art.back, error);
    if (!deck) return false;
    // The height the table lays the deck's cards out with, at the density's pixels per unit.
    const int k = density;
    const int w = kCardWidth * k, h = CardHeightOf(art.folder) * k;
    auto Save = [k](cairo_surface_t* picture, const std::string& folder, const std::string& name,
                    std::string* why) {
        return SavePicture(picture, folder, name, Keying::Keyed, k, why);
    };
    auto fail = [&](const char* what) {
        if (error) *error = path + ": " + what + ": " + *error;
        return false;
    };

    std::vector<std::string> faces;
    for (int s = 0; s < 4; ++s) {
        for (int r = 0; r < 13; ++r) {
            const std::string id = std::string(kRankIds[r]) + "_" + kSuitIds[s];
            const std::string name = std::string(kRankNames[r]) + kSuitLetters[s] + ".BMP";
            Surface card = deck->Render(id, w, h, art.radius, error);
            if (!card) return fail("face");
            if (!Save(card.get(), dir, name, error)) return false;
            faces.push_back(name);
        }
    }

    Surface back = art.latticeBack
                       ? deck->Render(art.back, w, h, art.radius, error, DrawLatticeBackPanel)
                       : deck->Render(art.back, w, h, art.radius, error);
    if (!back) return fail("back");
    if (!Save(back.get(), dir, "S_cardback.bmp", error)) return false;

    Surface red, black;
    switch (art.jokers) {
        case Jokers::Own:
            red = deck->Render(art.redJoker, w, h, art.radius, error);
            black = deck->Render(art.blackJoker, w, h, art.radius, error);
            break;
        case Jokers::OneReddened: {
            // The joker's figure is black and white and its corners blank: the red joker is
            // the figure tinted red, each gets a star of its colour for an index.
            auto stars = [](bool isRed) {
                return [isRed](cairo_t* cr, double cw, double ch) {
                    DrawJokerCornerStars(cr, cw, ch, 3.2, 7.5, isRed);
                };
            };
            red = deck->Render(art.redJoker, w, h, art.radius, error, stars(true));
            if (red) Redden(red.get(), 5 * k, 5 * k, w - 10 * k, h - 10 * k);
            if (red) black = deck->Render(art.blackJoker, w, h, art.radius, error, stars(false));
            break;
        }
        case Jokers::Drawn: {
            auto joker = [](bool isRed) {
                return [isRed](cairo_t* cr, double cw, double ch) {
                    DrawPlainJoker(cr, cw, ch, isRed);
                };
            };
            red = deck->Render(art.plainCard, w, h, art.radius, error, joker(true));
            if (red) black = deck->Render(art.plainCard, w, h, art.radius, error, joker(false));
            break;
        }
    }
    if (!red || !black) return fail("joker");
    if (!Save(red.get(), dir, "S_joker.BMP", error) ||
        !Save(black.get(), dir, "S_joker2.BMP", error))
        return false;

    const double s = deck->Margin() + art.radius;
    Surface frame = DrawFrame(w, h, s * deck->ScaleX(w), s * deck->ScaleY(h), k);
    if (!Save(frame.get(), dir, "FrameBlue.bmp", error)) return false;

    if (docsDir.empty() || density != 1) return true;
    if (!MakeFolder(docsDir, error)) return false;
    return WriteContactSheet(dir, faces,
                             {"S_joker.BMP", "S_joker2.BMP", "S_cardback.bmp", "FrameBlue.bmp"}, w,
                             h, kSheetScale, docsDir + "/" + art.sheet, error);
}

}  // namespace

bool MakeDecks(const std::string& outDir, const std::string& docsDir, int density,
               std::string* error) {
    for (const DeckArt& art : kDecks) {
        if (!MakeDeck(art, outDir, docsDir, density, error)) return false;
    }
    return true;
}

}  // namespace tarrabel::art
