#include <cmath>
#include <cstdint>

#include "cards.h"

namespace tarrabel::art {

namespace {

void SetInk(cairo_t* cr, bool red) {
    if (red)
        cairo_set_source_rgb(cr, 1, 0, 0);  // the deck's red
    else
        cairo_set_source_rgb(cr, 0, 0, 0);
}

// The letters of JOKER as strokes in a box 5 units wide and 7 high.
void Letter(cairo_t* cr, char c) {
    switch (c) {
        case 'J':
            cairo_move_to(cr, 1.5, 0);
            cairo_line_to(cr, 5, 0);
            cairo_move_to(cr, 4, 0);
            cairo_line_to(cr, 4, 5);
            cairo_arc(cr, 2, 5, 2, 0, M_PI);
            break;
        case 'O':
            cairo_save(cr);
            cairo_translate(cr, 2.5, 3.5);
            cairo_scale(cr, 2.5, 3.5);
            cairo_new_sub_path(cr);
            cairo_arc(cr, 0, 0, 1, 0, 2 * M_PI);
            cairo_close_path(cr);
            cairo_restore(cr);
            break;
        case 'K':
            cairo_move_to(cr, 0.3, 0);
            cairo_line_to(cr, 0.3, 7);
            cairo_move_to(cr, 5, 0);
            cairo_line_to(cr, 0.3, 4.2);
            cairo_move_to(cr, 2, 2.7);
            cairo_line_to(cr, 5, 7);
            break;
        case 'E':
            cairo_move_to(cr, 4.8, 0);
            cairo_line_to(cr, 0.3, 0);
            cairo_line_to(cr, 0.3, 7);
            cairo_line_to(cr, 4.8, 7);
            cairo_move_to(cr, 0.3, 3.4);
            cairo_line_to(cr, 3.8, 3.4);
            break;
        case 'R':
            cairo_move_to(cr, 0.3, 7);
            cairo_line_to(cr, 0.3, 0);
            cairo_line_to(cr, 2.9, 0);
            cairo_arc(cr, 2.9, 1.85, 1.85, -M_PI / 2, M_PI / 2);
            cairo_line_to(cr, 0.3, 3.7);
            cairo_move_to(cr, 2.6, 3.7);
            cairo_line_to(cr, 5, 7);
            break;
    }
}

// A five-pointed star of outer radius r round (x, y), one point up.
void Star(cairo_t* cr, double x, double y, double r) {
    for (int i = 0; i < 10; ++i) {
        const double a = -M_PI / 2 + i * M_PI / 5;
        const double rr = (i % 2 == 0) ? r : r * 0.4;
        if (i == 0)
            cairo_move_to(cr, x + rr * std::cos(a), y + rr * std::sin(a));
        else
            cairo_line_to(cr, x + rr * std::cos(a), y + rr * std::sin(a));
    }
    cairo_close_path(cr);
}

// The word JOKER downwards from the top-left corner.
void CornerWord(cairo_t* cr, bool red) {
    cairo_save(cr);
    cairo_set_line_width(cr, 1.1);
    cairo_set_line_cap(cr, CAIRO_LINE_CAP_BUTT);
    cairo_set_line_join(cr, CAIRO_LINE_JOIN_MITER);
    SetInk(cr, red);
    const char* word = "JOKER";
    for (int i = 0; word[i]; ++i) {
        cairo_save(cr);
        cairo_translate(cr, 4, 5 + i * 9.5);
        Letter(cr, word[i]);
        cairo_restore(cr);
        cairo_stroke(cr);
    }
    cairo_restore(cr);
}

// A jester's cap: a band and three points, the outer two drooping, a bell at each tip. The
// red joker's outer points are red and its middle one black; the black joker's are black
// and grey.
void JesterCap(cairo_t* cr, double cx, double cy, bool red) {
    cairo_save(cr);
    cairo_translate(cr, cx, cy);
    struct Point {
        double bx0, bx1, tx, ty, bend;
    };
    const Point outer[2] = {{-16, -5, -22, -22, -7}, {5, 16, 22, -22, 7}};
    const Point middle{-6, 6, 0, -32, 0};
    auto path = [&](const Point& p) {
        cairo_move_to(cr, p.bx0, 0);
        cairo_curve_to(cr, p.bx0 + p.bend * 0.2, -16, p.tx - p.bend * 0.4, p.ty - 2, p.tx, p.ty);
        cairo_curve_to(cr, p.tx - p.bend * 0.8, p.ty + 2, p.bx1 - p.bend * 0.5, -14, p.bx1, 0);
        cairo_close_path(cr);
    };
    cairo_set_line_width(cr, 0.6);
    cairo_set_line_join(cr, CAIRO_LINE_JOIN_ROUND);
    const Point* all[3] = {&outer[0], &outer[1], &middle};
    for (const Point* p : all) {
        path(*p);
        if (p != &middle)
            SetInk(cr, red);
        else if (red)
            cairo_set_source_rgb(cr, 0, 0, 0);
        else
            cairo_set_source_rgb(cr, 0.4, 0.4, 0.4);
        cairo_fill_preserve(cr);
        cairo_set_source_rgb(cr, 0, 0, 0);
        cairo_stroke(cr);
    }
    // Bells hanging from the tips: the joker's colour with a white glint.
    for (const Point* p : all) {
        cairo_new_sub_path(cr);
        cairo_arc(cr, p->tx, p->ty + 1.5, 2.4, 0, 2 * M_PI);
        SetInk(cr, red);
        cairo_fill_preserve(cr);
        cairo_set_source_rgb(cr, 0, 0, 0);
        cairo_stroke(cr);
        cairo_new_sub_path(cr);
        cairo_arc(cr, p->tx - 0.8, p->ty + 0.7, 0.7, 0, 2 * M_PI);
        cairo_set_source_rgb(cr, 1, 1, 1);
        cairo_fill(cr);
    }
    // The band: black, with a row of diamonds in the joker's colour (white on the black one).
    cairo_rectangle(cr, -17, 0, 34, 6);
    cairo_set_source_rgb(cr, 0, 0, 0);
    cairo_fill(cr);
    for (int i = -3; i <= 3; ++i) {
        const double x = i * 4.6;
        cairo_move_to(cr, x, 0.8);
        cairo_line_to(cr, x + 1.6, 3);
        cairo_line_to(cr, x, 5.2);
        cairo_line_to(cr, x - 1.6, 3);
        cairo_close_path(cr);
    }
    if (red)
        SetInk(cr, true);
    else
        cairo_set_source_rgb(cr, 1, 1, 1);
    cairo_fill(cr);
    cairo_restore(cr);
}

}  // namespace

void DrawPlainJoker(cairo_t* cr, double cardW, double cardH, bool red) {
    CornerWord(cr, red);
    cairo_save(cr);
    cairo_translate(cr, cardW, cardH);
    cairo_rotate(cr, M_PI);
    CornerWord(cr, red);
    cairo_restore(cr);
    JesterCap(cr, cardW / 2, cardH / 2 + 10, red);
    // A star under the cap.
    SetInk(cr, red);
    Star(cr, cardW / 2, cardH / 2 + 25, 6);
    cairo_fill(cr);
}

void DrawJokerCornerStars(cairo_t* cr, double cardW, double cardH, double inset, double size,
                          bool red) {
    SetInk(cr, red);
    Star(cr, inset + size / 2, inset + size / 2, size / 2);
    Star(cr, cardW - inset - size / 2, cardH - inset - size / 2, size / 2);
    cairo_fill(cr);
}

void Redden(cairo_surface_t* picture, int x0, int y0, int w, int h) {
    cairo_surface_flush(picture);
    unsigned char* data = cairo_image_surface_get_data(picture);
    const int stride = cairo_image_surface_get_stride(picture);
    // Each pixel's darkness (taken from its green) becomes that much of a dark red over
    // white; the faint grey of the paper round the figure is taken as white.
    constexpr int kRed[3] = {165, 0, 0};
    constexpr int kPaper = 12;  // darkness up to this is paper
    for (int y = y0; y < y0 + h; ++y) {
        uint32_t* row = reinterpret_cast<uint32_t*>(data + y * stride);
        for (int x = x0; x < x0 + w; ++x) {
            const uint32_t p = row[x];
            const int a = int(p >> 24);
            if (a == 0) continue;
            const int g = int((p >> 8) & 0xFF) * 255 / a;  // un-premultiplied
            int dark = 255 - g;
            dark = dark <= kPaper ? 0 : (dark - kPaper) * 255 / (255 - kPaper);
            uint32_t out = uint32_t(a) << 24;
            for (int c = 0; c < 3; ++c) {
                const int v = 255 - dark * (255 - kRed[c]) / 255;
                out |= uint32_t(v * a / 255) << (16 - 8 * c);
            }
            row[x] = out;
        }
    }
    cairo_surface_mark_dirty(picture);
}

}  // namespace tarrabel::art
