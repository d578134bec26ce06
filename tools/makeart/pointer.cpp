// The mouse pointer: a classic white arrow with a black outline whose tip is the hot spot at
// (16, 16) of its 32 x 32 picture; the game draws the picture 16 pixels up and left of the
// pointer position.
#include "art_common.h"
#include "table_art_parts.h"

namespace tarrabel::art {

bool MakePointer(const std::string& bitmapsDir, int density, std::string* error) {
    constexpr int kSize = 32;
    cairo_t* cr = nullptr;
    cairo_surface_t* surface = NewPicture(kSize, kSize, density, &cr);
    // Outline points relative to the tip. The tip sits just above pixel (16, 16), so that pixel
    // is the top-left-most one of the arrow.
    constexpr double kArrow[][2] = {{0, 0},      {0, 13.5},  {3.4, 10.4}, {5.9, 15.6},
                                    {8.1, 14.6}, {5.7, 9.5}, {10, 9.5}};
    cairo_translate(cr, 16, 15.6);
    cairo_move_to(cr, kArrow[0][0], kArrow[0][1]);
    for (const auto& p : kArrow)
        cairo_line_to(cr, p[0], p[1]);
    cairo_close_path(cr);
    cairo_set_source_rgb(cr, 0.99, 0.99, 0.97);
    cairo_fill_preserve(cr);
    // The outline lies inside the shape, so no corner pokes past the tip.
    cairo_clip_preserve(cr);
    cairo_set_source_rgb(cr, 0.05, 0.05, 0.07);
    cairo_set_line_width(cr, 2.2);
    cairo_stroke(cr);
    cairo_destroy(cr);
    // The rim is black outline, so soft edge pixels blend into black.
    MatteOnto(surface, {0.05, 0.05, 0.07}, 0.35);
    const bool ok = SavePicture(surface, bitmapsDir, "mouse.bmp", Keying::Keyed, density, error);
    cairo_surface_destroy(surface);
    return ok;
}

}  // namespace tarrabel::art
