#include <cmath>

#include "art_common.h"
#include "cards.h"

namespace tarrabel::art {

void DrawLatticeBackPanel(cairo_t* cr, double cardW, double /*cardH*/) {
    // The deck draws its backs as a coloured panel of 50 x 80 units, 3.8 units in from the
    // card's edge, with the desktop emblem on it; the panel is painted again here.
    const double px = 3.8, py = 3.8, pw = 50, ph = 80;
    cairo_save(cr);
    RoundedRectPath(cr, px, py, pw, ph, 1.5);
    cairo_clip(cr);
    cairo_set_source_rgb(cr, 1, 0, 0);
    cairo_paint(cr);

    // A lattice of thin white lines on the diagonals, centred on the panel.
    const double cx = px + pw / 2, cy = py + ph / 2, step = 4.0;
    cairo_set_source_rgb(cr, 1, 1, 1);
    cairo_set_line_width(cr, 0.35);
    for (int i = -30; i <= 30; ++i) {
        const double d = i * step;
        cairo_move_to(cr, cx + d - 100, cy - 100);
        cairo_line_to(cr, cx + d + 100, cy + 100);
        cairo_move_to(cr, cx + d + 100, cy - 100);
        cairo_line_to(cr, cx + d - 100, cy + 100);
    }
    cairo_stroke(cr);
    // A diamond at each crossing.
    for (int i = -12; i <= 12; ++i) {
        for (int j = -12; j <= 12; ++j) {
            if ((i + j) % 2 != 0) continue;
            const double x = cx + i * step / 2, y = cy + j * step / 2;
            cairo_move_to(cr, x, y - 0.8);
            cairo_line_to(cr, x + 0.8, y);
            cairo_line_to(cr, x, y + 0.8);
            cairo_line_to(cr, x - 0.8, y);
            cairo_close_path(cr);
        }
    }
    cairo_fill(cr);

    // A white rule round the panel, 2 units in.
    cairo_set_line_width(cr, 0.6);
    RoundedRectPath(cr, px + 2, py + 2, pw - 4, ph - 4, 1.2);
    cairo_set_source_rgb(cr, 1, 0, 0);
    cairo_set_line_width(cr, 2.2);
    cairo_stroke_preserve(cr);
    cairo_set_source_rgb(cr, 1, 1, 1);
    cairo_set_line_width(cr, 0.6);
    cairo_stroke(cr);

    // The deck's sheen across the card (dark at the edges, light a third of the way in).
    cairo_pattern_t* sheen = cairo_pattern_create_linear(0, 0, cardW, 0);
    cairo_pattern_add_color_stop_rgba(sheen, 0, 0, 0, 0, 0.2);
    cairo_pattern_add_color_stop_rgba(sheen, 0.3, 1, 1, 1, 0.3);
    cairo_pattern_add_color_stop_rgba(sheen, 1, 0, 0, 0, 0.2);
    cairo_set_source(cr, sheen);
    cairo_paint(cr);
    cairo_pattern_destroy(sheen);
    cairo_restore(cr);
}

}  // namespace tarrabel::art
