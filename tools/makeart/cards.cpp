// The three card decks, each rendered from one of the free SVG card decks Debian ships for
// card games (package kdegames-card-data-kf5):
//   Royal  "Tigullio International" (Luciano Montanaro), a Genovese-pattern deck
//   Roya2  "Standard", the plain KDE deck
//   Roya3  "Dondorf", a deck with old engraved court figures
// Every card is stretched to fill the game's card size exactly; the corners outside the
// card's rounded outline are left clear and become the key colour.
#include <cmath>
#include <cstdio>
#include <span>

#include "art.h"
#include "art_common.h"
#include "cards.h"
#include "core/options.h"
#include "resources/four_colour_names.h"
#include "svg_recolour.h"
#include "table_art_parts.h"

namespace tarrabel::art {

namespace {

constexpr const char* kDeckFolder = "/usr/share/carddecks/";
constexpr int kCardWidth = 108;

enum class Jokers {
    Own,          // the deck has a red and a black joker
    OneReddened,  // one black-and-white joker: as it is, and tinted red
    Drawn,        // none: drawn in the deck's manner
};

// How each deck writes the ink of its clubs and its diamonds, for the four-colour suits:
// the suit sign's own elements (each pip, large or small, and the court cards' signs use
// them) and the index in each card's element. The court figures keep their colours.
//
// "Tigullio International": one path per sign; a club's index takes the default black
// ink, so it is given a fill of its own, a diamond's index is filled red.
constexpr InkChange kTigullioClubs[] = {
    {"club", "fill:black", "fill:%"},
    {"%", "xlink:href=\"#ii-", "style=\"fill:%\" xlink:href=\"#ii-"},
};
constexpr InkChange kTigullioDiamonds[] = {
    {"diamond", "fill:red", "fill:%"},
    {"%", "style=\"fill:red\"", "style=\"fill:%\""},
};
// "Standard": one path per sign; the indices' letters are filled in each card.
constexpr InkChange kStandardClubs[] = {
    {"club", "fill:#000000", "fill:%"},
    {"%", "fill:#000000", "fill:%"},
};
constexpr InkChange kStandardDiamonds[] = {
    {"diamond", "fill:#ff0000", "fill:%"},
    {"%", "fill:#ff0000", "fill:%"},
};
// "Dondorf": a large and a small sign; the indices are stroked, on the court cards more
// thinly than on the others, and the frame round a court figure more thinly still (it
// stays black).
constexpr InkChange kDondorfClubs[] = {
    {"cl", "fill:#000000", "fill:%"},
    {"cs", "fill:#000000", "fill:%"},
    {"%", "stroke:#000000;stroke-width:1.8258611", "stroke:%;stroke-width:1.8258611"},
    {"%", "stroke:#000000;stroke-width:1.49999964", "stroke:%;stroke-width:1.49999964"},
};
constexpr InkChange kDondorfDiamonds[] = {
    {"dl", "fill:#df0000", "fill:%"},
    {"ds", "fill:#df0000", "fill:%"},
    {"%", "stroke:#df0000", "stroke:%"},
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
    const char* plainCard;                             // element of a blank card (Drawn)
    std::span<const InkChange> clubsInk, diamondsInk;  // the four-colour suits
};

// The corner radii are those of each deck's outline: a rect with rx 3 in "Tigullio
// International" and "Standard", a path with corners of 5 scaled by 0.82153 in "Dondorf".
constexpr DeckArt kDecks[] = {
    {"Royal", "deck-royal.png", "svg-tigullio-international/tigullio-international.svgz", 3.0,
     "red_back", true, Jokers::Own, "red_jocker", "black_jocker", nullptr, kTigullioClubs,
     kTigullioDiamonds},
    {"Roya2", "deck-roya2.png", "svg-standard/standard.svgz", 3.0, "back", false, Jokers::Drawn,
     nullptr, nullptr, "card_back", kStandardClubs, kStandardDiamonds},
    {"Roya3", "deck-roya3.png", "svg-dondorf/dondorf.svgz", 5 * 0.82153, "back", false,
     Jokers::OneReddened, "joker", "joker", nullptr, kDondorfClubs, kDondorfDiamonds},
};

// In the order of the contact sheet rows; first letter of the file name's suit.
constexpr const char* kSuitIds[] = {"club", "diamond", "heart", "spade"};
constexpr const char* kSuitLetters[] = {"C", "D", "H", "S"};
constexpr const char* kRankNames[] = {"A", "2", "3",  "4", "5", "6", "7",
                                      "8", "9", "10", "J", "Q", "K"};

// The contact sheets are drawn at this scale to keep the PNG files small.
constexpr double kSheetScale = 0.75;

// "#rrggbb", as SVG writes a colour.
std::string SvgColour(Colour c) {
    char text[8];
    std::snprintf(text, sizeof text, "#%02x%02x%02x", int(std::lround(c.r * 255)),
                  int(std::lround(c.g * 255)), int(std::lround(c.b * 255)));
    return text;
}

// The deck with its clubs green and its diamonds blue.
std::unique_ptr<SvgDeck> LoadFourColourDeck(const DeckArt& art, const std::string& path,
                                            std::string* error) {
    return SvgDeck::LoadEdited(
        path, art.back,
        [&art](std::string* svg, std::string* why) {
            return RecolourSuit(svg, art.clubsInk, "club", SvgColour(kClubsGreen), why) &&
                   RecolourSuit(svg, art.diamondsInk, "diamond", SvgColour(kDiamondsBlue), why);
        },
        error);
}

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
            const std::string id = std::string(kSvgRankIds[r]) + "_" + kSuitIds[s];
            const std::string name = std::string(kRankNames[r]) + kSuitLetters[s] + ".BMP";
            Surface card = deck->Render(id, w, h, art.radius, error);
            if (!card) return fail("face");
            if (!Save(card.get(), dir, name, error)) return false;
            faces.push_back(name);
        }
    }
    // The clubs and diamonds again in their four-colour inks, from the same vectors.
    {
        std::unique_ptr<SvgDeck> fourColour = LoadFourColourDeck(art, path, error);
        if (!fourColour) return false;
        for (int s = 0; s < 4; ++s) {
            for (int r = 0; r < 13; ++r) {
                const std::string name = std::string(kRankNames[r]) + kSuitLetters[s] + ".BMP";
                if (!HasFourColourPicture(name)) continue;
                const std::string id = std::string(kSvgRankIds[r]) + "_" + kSuitIds[s];
                Surface card = fourColour->Render(id, w, h, art.radius, error);
                if (!card) return fail("four-colour face");
                if (!Save(card.get(), dir, SuitColourPictureName(name, true), error)) return false;
            }
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
