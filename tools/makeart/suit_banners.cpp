// The suit announcements and the pass announcement: small cream plaques with a gold rim, the
// suit's sign at both ends and its name between them, lying on the cloth.
#include <algorithm>
#include <cmath>

#include "art_common.h"
#include "resources/four_colour_names.h"
#include "table_art_parts.h"
#include "ttf_faces.h"

namespace tarrabel::art {

namespace {

constexpr int kWidth = 182, kHeight = 41;
constexpr Colour kPassInk{0.176, 0.220, 0.329};

struct Suit {
    const char* file;
    const char* name;
    const char* sign;  // UTF-8
    Colour colour;
    Colour fourColour;  // the ink with the four-colour suits
};
constexpr Suit kSuits[] = {
    {"CLUBS.BMP", "Clubs", "\u2663", kSuitBlack, kClubsGreen},
    {"HEARTS.BMP", "Hearts", "\u2665", kSuitRed, kSuitRed},
    {"SPADES.BMP", "Spades", "\u2660", kSuitBlack, kSuitBlack},
    {"DIAMONDS.BMP", "Diamonds", "\u2666", kSuitRed, kDiamondsBlue},
};

// A rounded rectangle from corner (x0, y0) to corner (x1, y1), as the only path.
void RoundedRect(cairo_t* cr, double x0, double y0, double x1, double y1, double r) {
    cairo_new_path(cr);
    RoundedRectPath(cr, x0, y0, x1 - x0, y1 - y0, r);
}

void PaintPlaque(cairo_t* cr) {
    RoundedRect(cr, 1, 1, kWidth - 1, kHeight - 1, 11);
    cairo_pattern_t* fill = cairo_pattern_create_linear(0, 0, 0, kHeight);
    const Colour top = Mix(kBannerCream, {1, 1, 1}, 0.5);
    const Colour bottom = Mix(kBannerCream, {0.85, 0.78, 0.62}, 0.45);
    cairo_pattern_add_color_stop_rgb(fill, 0, top.r, top.g, top.b);
    cairo_pattern_add_color_stop_rgb(fill, 0.45, kBannerCream.r, kBannerCream.g, kBannerCream.b);
    cairo_pattern_add_color_stop_rgb(fill, 1, bottom.r, bottom.g, bottom.b);
    cairo_set_source(cr, fill);
    cairo_fill_preserve(cr);
    cairo_pattern_destroy(fill);
    // The gold rim, lighter along the top edge where the light falls.
    cairo_pattern_t* rim = cairo_pattern_create_linear(0, 0, 0, kHeight);
    const Colour light = Mix(kGold, {1, 0.95, 0.75}, 0.45),
                 dark = Mix(kGold, {0.3, 0.2, 0.05}, 0.35);
    cairo_pattern_add_color_stop_rgb(rim, 0, light.r, light.g, light.b);
    cairo_pattern_add_color_stop_rgb(rim, 1, dark.r, dark.g, dark.b);
    cairo_set_source(cr, rim);
    cairo_set_line_width(cr, 2.2);
    cairo_stroke(cr);
    cairo_pattern_destroy(rim);
    // A fine inner line.
    RoundedRect(cr, 4.5, 4.5, kWidth - 4.5, kHeight - 4.5, 8);
    cairo_set_source_rgba(cr, kGold.r, kGold.g, kGold.b, 0.55);
    cairo_set_line_width(cr, 0.8);
    cairo_stroke(cr);
}

// Draws a word centred on the plaque, narrowed if it would not fit `maxWidth`.
void PaintWord(cairo_t* cr, const TtfFace& face, const char* word, Colour colour, double maxWidth) {
    face.Use(cr, 21);
    const cairo_text_extents_t e = InkExtents(cr, word);
    const double squeeze = std::min(1.0, maxWidth / e.width);
    cairo_save(cr);
    cairo_translate(cr, kWidth / 2.0, 0);
    cairo_scale(cr, squeeze, 1);
    cairo_move_to(cr, -e.x_bearing - e.width / 2, 27.5);
    SetColour(cr, colour);
    cairo_show_text(cr, word);
    cairo_restore(cr);
}

bool Save(cairo_surface_t* surface, const std::string& dir, const std::string& file, int density,
          std::string* error) {
    // Announcements show on the cloth towards the players, between its middle and its rim.
    MatteOnto(surface, FeltColourAt(150, 300), 0.4);
    return SavePicture(surface, dir, file, Keying::Keyed, density, error);
}

}  // namespace

bool MakeSuitBanners(const std::string& numbersDir, int density, std::string* error) {
    TtfFace serif, symbols;
    if (!serif.Open("DejaVuSerifCondensed-Bold.ttf", error) ||
        !symbols.Open("DejaVuSans.ttf", error))
        return false;
    for (const Suit& suit : kSuits) {
        // The banner in the usual inks, and again in the four-colour one where that differs.
        for (const bool fourColour : {false, true}) {
            if (fourColour && !HasFourColourPicture(suit.file)) continue;
            const Colour ink = fourColour ? suit.fourColour : suit.colour;
            cairo_t* cr = nullptr;
            cairo_surface_t* surface = NewPicture(kWidth, kHeight, density, &cr);
            PaintPlaque(cr);
            symbols.Use(cr, 27);
            SetColour(cr, ink);
            ShowCentred(cr, suit.sign, 23, 30);
            ShowCentred(cr, suit.sign, kWidth - 23, 30);
            PaintWord(cr, serif, suit.name, ink, 100);
            cairo_destroy(cr);
            const bool ok = Save(surface, numbersDir, SuitColourPictureName(suit.file, fourColour),
                                 density, error);
            cairo_surface_destroy(surface);
            if (!ok) return false;
        }
    }
    cairo_t* cr = nullptr;
    cairo_surface_t* surface = NewPicture(kWidth, kHeight, density, &cr);
    PaintPlaque(cr);
    PaintWord(cr, serif, "Pass", kPassInk, 100);
    // Short gold strokes either side of the word.
    cairo_set_line_cap(cr, CAIRO_LINE_CAP_ROUND);
    cairo_set_line_width(cr, 1.6);
    SetColour(cr, kGold);
    for (const double x : {22.0, kWidth - 58.0}) {
        cairo_move_to(cr, x, 20.5);
        cairo_line_to(cr, x + 36, 20.5);
    }
    cairo_stroke(cr);
    cairo_destroy(cr);
    const bool ok = Save(surface, numbersDir, "PASS.BMP", density, error);
    cairo_surface_destroy(surface);
    return ok;
}

}  // namespace tarrabel::art
