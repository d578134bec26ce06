// The pieces of the table art and the few things they share: the palette and the way
// soft-edged drawing is turned into a keyed picture.
#pragma once

#include <cairo.h>

#include <string>

namespace tarrabel::art {

struct Colour {
    double r, g, b;  // 0..1
};

inline void SetColour(cairo_t* cr, Colour c) {
    cairo_set_source_rgb(cr, c.r, c.g, c.b);
}
inline Colour Mix(Colour a, Colour b, double t) {
    return {a.r + (b.r - a.r) * t, a.g + (b.g - a.g) * t, a.b + (b.b - a.b) * t};
}

// The palette of the table.
inline constexpr Colour kFeltCentre{0.137, 0.365, 0.255};  // lamp-lit middle of the cloth
inline constexpr Colour kFeltEdge{0.055, 0.176, 0.125};    // shaded rim of the cloth
inline constexpr Colour kPaper{0.965, 0.937, 0.855};       // score sheet, rules pages
inline constexpr Colour kPaperEdge{0.78, 0.72, 0.58};      // their edges
inline constexpr Colour kPrintRed{0.541, 0.125, 0.157};    // their printed titles
inline constexpr Colour kInk{0.106, 0.161, 0.478};         // fountain-pen blue
inline constexpr Colour kBannerCream{0.988, 0.965, 0.902};
inline constexpr Colour kGold{0.784, 0.635, 0.290};
inline constexpr Colour kSuitRed{0.761, 0.098, 0.133};
inline constexpr Colour kSuitBlack{0.102, 0.102, 0.133};
// The inks of the four-colour suits, on the cards and the banners alike: clubs green and
// diamonds blue, dark enough to read as ink on white and well apart from red, from black
// and from each other.
inline constexpr Colour kClubsGreen{0x1A / 255.0, 0x7F / 255.0, 0x2E / 255.0};
inline constexpr Colour kDiamondsBlue{0x1F / 255.0, 0x5F / 255.0, 0xBF / 255.0};

// The felt's colour at a table position, without its fibre texture: what keyed pictures lying
// on the cloth blend their soft edges into.
Colour FeltColourAt(double x, double y);

// Turns an ARGB32 picture drawn with soft edges into one SaveBmp keeps as drawn: every pixel at
// least `threshold` covered (0..1) is blended over `background` and made opaque, every other
// pixel fully transparent (it becomes the key colour). The picture then shows smooth edges
// wherever it lies on that background.
void MatteOnto(cairo_surface_t* surface, Colour background, double threshold);

// Each writes its pictures into the given folder, at `density` pixels per table unit: each
// draws in table units on a context scaled by the density.
bool MakeTableBackground(const std::string& bitmapsDir, int density, std::string* error);
bool MakeScorePage(const std::string& bitmapsDir, int density, std::string* error);
bool MakePointer(const std::string& bitmapsDir, int density, std::string* error);
bool MakeSuitBanners(const std::string& numbersDir, int density, std::string* error);
bool MakeFonts(const std::string& fontsDir, int density, std::string* error);

// A new ARGB32 picture of width x height table units at `density`, and a context on it that
// draws in table units. The caller destroys both.
inline cairo_surface_t* NewPicture(int width, int height, int density, cairo_t** cr) {
    cairo_surface_t* surface =
        cairo_image_surface_create(CAIRO_FORMAT_ARGB32, width * density, height * density);
    *cr = cairo_create(surface);
    cairo_scale(*cr, density, density);
    return surface;
}

}  // namespace tarrabel::art
