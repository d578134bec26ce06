// The game's icon for the desktop: a fan of four cards on a square of the table's felt. It
// is drawn at 256 units and scaled to each size; small sizes leave out the corner indices,
// which would only blur. Written as PNG files for the installed desktop entry, not into the
// resource archive.
#include <cmath>
#include <string>

#include "art.h"
#include "art_common.h"
#include "table_art_parts.h"
#include "ttf_faces.h"

namespace tarrabel::art {

namespace {

constexpr double kUnits = 256;
constexpr double kCardW = 88, kCardH = 132, kCardRadius = 9;
// The cards turn about a point below the felt's middle, as a hand of cards is held.
constexpr double kPivotX = 128, kPivotY = 196;

struct FanCard {
    double degrees;
    const char* rank;
    const char* sign;  // UTF-8 suit sign
    Colour colour;
};
// Left to right, each card over the one before: the seven of hearts lies on top.
constexpr FanCard kFan[] = {
    {-27, "K", "\u2663", kSuitBlack},
    {-9, "Q", "\u2666", kSuitRed},
    {9, "J", "\u2660", kSuitBlack},
    {27, "7", "\u2665", kSuitRed},
};

void PaintFelt(cairo_t* cr) {
    RoundedRectPath(cr, 8, 8, kUnits - 16, kUnits - 16, 36);
    cairo_pattern_t* light = cairo_pattern_create_radial(128, 110, 10, 128, 128, 170);
    cairo_pattern_add_color_stop_rgb(light, 0, kFeltCentre.r, kFeltCentre.g, kFeltCentre.b);
    cairo_pattern_add_color_stop_rgb(light, 1, kFeltEdge.r, kFeltEdge.g, kFeltEdge.b);
    cairo_set_source(cr, light);
    cairo_fill_preserve(cr);
    cairo_pattern_destroy(light);
    // A gold rim like the table's plaques, so the square reads on dark and light panels.
    cairo_set_line_width(cr, 5);
    SetColour(cr, Mix(kGold, {0.3, 0.2, 0.05}, 0.2));
    cairo_stroke(cr);
}

void PaintCard(cairo_t* cr, const FanCard& card, const TtfFace& serif, const TtfFace& symbols,
               bool indices) {
    cairo_save(cr);
    cairo_translate(cr, kPivotX, kPivotY);
    cairo_rotate(cr, card.degrees * M_PI / 180);
    cairo_translate(cr, -kCardW / 2, -kPivotY + 56);
    // A soft shadow on the card below, down and to the right of the light.
    for (int i = 3; i >= 1; --i) {
        RoundedRectPath(cr, 1.5 + i, 2 + i, kCardW, kCardH, kCardRadius + i);
        cairo_set_source_rgba(cr, 0, 0, 0, 0.09);
        cairo_fill(cr);
    }
    RoundedRectPath(cr, 0, 0, kCardW, kCardH, kCardRadius);
    SetColour(cr, Mix(kBannerCream, {1, 1, 1}, 0.6));
    cairo_fill_preserve(cr);
    cairo_set_line_width(cr, 1.5);
    cairo_set_source_rgb(cr, 0.55, 0.55, 0.58);
    cairo_stroke(cr);

    SetColour(cr, card.colour);
    symbols.Use(cr, 64);
    ShowCentred(cr, card.sign, kCardW / 2, kCardH / 2 + 30);
    if (indices) {
        serif.Use(cr, 22);
        ShowCentred(cr, card.rank, 14, 26);
        symbols.Use(cr, 17);
        ShowCentred(cr, card.sign, 14, 44);
    }
    cairo_restore(cr);
}

bool MakeIcon(int size, const std::string& pngPath, std::string* error) {
    TtfFace serif, symbols;
    if (!serif.Open("DejaVuSerif-Bold.ttf", error) || !symbols.Open("DejaVuSans.ttf", error))
        return false;
    cairo_surface_t* surface = cairo_image_surface_create(CAIRO_FORMAT_ARGB32, size, size);
    cairo_t* cr = cairo_create(surface);
    cairo_scale(cr, size / kUnits, size / kUnits);
    PaintFelt(cr);
    for (const FanCard& card : kFan)
        PaintCard(cr, card, serif, symbols, size >= 96);
    cairo_destroy(cr);
    const bool ok = cairo_surface_write_to_png(surface, pngPath.c_str()) == CAIRO_STATUS_SUCCESS;
    cairo_surface_destroy(surface);
    if (!ok && error) *error = pngPath + ": could not write the picture";
    return ok;
}

// The sizes of the hicolor icon theme the game installs into.
constexpr int kIconSizes[] = {48, 256};

}  // namespace

bool MakeIcons(const std::string& iconDir, std::string* error) {
    if (!MakeFolder(iconDir, error)) return false;
    for (const int size : kIconSizes) {
        if (!MakeIcon(size, iconDir + "/tarrabel-" + std::to_string(size) + ".png", error))
            return false;
    }
    return true;
}

}  // namespace tarrabel::art
