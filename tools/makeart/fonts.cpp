// The three bitmap fonts: pictures of 19 x 27 cells in 20 columns, cell k holding the
// character with code 32 + k, from the space to "~". The game draws characters 17 pixels
// apart, so every glyph keeps to the middle of its cell and never touches its neighbours.
//
//   fntHandParker  the score page's handwriting: a slanted serif in fountain-pen blue, its
//                  soft edges blended into the paper of the score sheet;
//   fntDigit       the clock: amber seven-segment digits and colon, with small letters for
//                  AM and PM, blended into the cloth at the table's bottom right corner;
//   fntDeluxe      a gilt serif with a dark rim, blended into the cloth.
#include <algorithm>
#include <cmath>
#include <functional>

#include "art_common.h"
#include "table_art_parts.h"
#include "ttf_faces.h"

namespace tarrabel::art {

namespace {

constexpr int kCellW = 19, kCellH = 27, kColumns = 20;
constexpr int kFirstCode = 32, kLastCode = 126;
constexpr int kCells = kLastCode - kFirstCode + 1;
constexpr int kRows = (kCells + kColumns - 1) / kColumns;
// Widest ink a glyph may have: two clear pixels each side, so that two glyphs drawn 17 pixels
// apart keep a gap between them.
constexpr double kMaxInk = kCellW - 4.0;

// Paints one character into its cell; the context's origin is the cell's top-left corner and
// drawing is clipped to the cell.
using GlyphPainter = std::function<void(cairo_t*, char)>;

bool SaveFont(const std::string& dir, const std::string& file, int density,
              const GlyphPainter& paint, Colour background, double threshold, std::string* error) {
    // Above 1x the cells are density times as large, drawn in the cells' 1x units.
    cairo_t* cr = nullptr;
    cairo_surface_t* surface = NewPicture(kColumns * kCellW, kRows * kCellH, density, &cr);
    for (int k = 0; k < kCells; ++k) {
        cairo_save(cr);
        cairo_translate(cr, (k % kColumns) * kCellW, (k / kColumns) * kCellH);
        cairo_rectangle(cr, 0, 0, kCellW, kCellH);
        cairo_clip(cr);
        cairo_new_path(cr);
        paint(cr, char(kFirstCode + k));
        cairo_restore(cr);
    }
    cairo_destroy(cr);
    MatteOnto(surface, background, threshold);
    const bool ok = SavePicture(surface, dir, file, Keying::Keyed, density, error);
    cairo_surface_destroy(surface);
    return ok;
}

// Sets up a character from a TTF face as a path centred across the cell (narrowed when its
// ink, with a pen of width `pen` drawn round its outline, is wider than the cell allows),
// sitting on `baseline`. Answers false for a blank glyph.
bool GlyphPath(cairo_t* cr, const TtfFace& face, double size, double baseline, double pen, char c) {
    const char text[2] = {c, 0};
    face.Use(cr, size);
    const cairo_text_extents_t e = InkExtents(cr, text);
    if (e.width <= 0) return false;
    const double squeeze = std::min(1.0, (kMaxInk - pen) / e.width);
    cairo_translate(cr, kCellW / 2.0, 0);
    cairo_scale(cr, squeeze, 1);
    cairo_move_to(cr, -e.x_bearing - e.width / 2, baseline);
    cairo_text_path(cr, text);  // the path outlives the caller's cairo_restore
    return true;
}

// --- Handwriting ---------------------------------------------------------------------------

GlyphPainter HandPainter(const TtfFace& face) {
    // A touch of pen weight on the thin italic.
    constexpr double kPen = 0.5;
    return [&face](cairo_t* cr, char c) {
        cairo_save(cr);
        const bool drawn = GlyphPath(cr, face, 22.5, 20, kPen, c);
        cairo_restore(cr);
        if (!drawn) return;
        SetColour(cr, kInk);
        cairo_set_line_width(cr, kPen);
        cairo_set_line_join(cr, CAIRO_LINE_JOIN_ROUND);
        cairo_fill_preserve(cr);
        cairo_stroke(cr);
    };
}

// --- Clock ---------------------------------------------------------------------------------

constexpr Colour kAmber{1.0, 0.76, 0.32};
// The digits' box inside the cell, before the slant.
constexpr double kDigitW = 11, kDigitH = 18, kDigitTop = 4.5, kSlant = 0.1;
constexpr double kSegHalf = 1.55, kSegGap = 0.45;

// Segment centre lines in the upright digit box: a (top), b, c, d (bottom), e, f, g (middle).
struct Segment {
    double x0, y0, x1, y1;
};
constexpr double kH = kSegHalf;
constexpr Segment kSegments[7] = {
    {kH, kH, kDigitW - kH, kH},                               // a
    {kDigitW - kH, kH, kDigitW - kH, kDigitH / 2},            // b
    {kDigitW - kH, kDigitH / 2, kDigitW - kH, kDigitH - kH},  // c
    {kH, kDigitH - kH, kDigitW - kH, kDigitH - kH},           // d
    {kH, kDigitH / 2, kH, kDigitH - kH},                      // e
    {kH, kH, kH, kDigitH / 2},                                // f
    {kH, kDigitH / 2, kDigitW - kH, kDigitH / 2},             // g
};
// Lit segments of 0..9, bit i for segment a + i.
constexpr unsigned kDigitSegments[10] = {0x3F, 0x06, 0x5B, 0x4F, 0x66,
                                         0x6D, 0x7D, 0x07, 0x7F, 0x6F};

// Maps a point of the upright digit box to the cell, slanted forwards like a clock's digits.
void DigitPoint(cairo_t* cr, double x, double y, bool first) {
    const double left = (kCellW - kDigitW - kSlant * kDigitH) / 2;
    const double cx = left + x + kSlant * (kDigitH - y), cy = kDigitTop + y;
    if (first)
        cairo_move_to(cr, cx, cy);
    else
        cairo_line_to(cr, cx, cy);
}

// A segment is a long hexagon with pointed ends, a hair shorter than its centre line.
void SegmentPath(cairo_t* cr, const Segment& s) {
    const double h = kSegHalf, g = kSegGap;
    if (s.y0 == s.y1) {
        const double x0 = s.x0 + g, x1 = s.x1 - g, y = s.y0;
        DigitPoint(cr, x0, y, true);
        DigitPoint(cr, x0 + h, y - h, false);
        DigitPoint(cr, x1 - h, y - h, false);
        DigitPoint(cr, x1, y, false);
        DigitPoint(cr, x1 - h, y + h, false);
        DigitPoint(cr, x0 + h, y + h, false);
    } else {
        const double y0 = s.y0 + g, y1 = s.y1 - g, x = s.x0;
        DigitPoint(cr, x, y0, true);
        DigitPoint(cr, x + h, y0 + h, false);
        DigitPoint(cr, x + h, y1 - h, false);
        DigitPoint(cr, x, y1, false);
        DigitPoint(cr, x - h, y1 - h, false);
        DigitPoint(cr, x - h, y0 + h, false);
    }
    cairo_close_path(cr);
}

void AmberSource(cairo_t* cr) {
    cairo_pattern_t* p = cairo_pattern_create_linear(0, kDigitTop, 0, kDigitTop + kDigitH);
    const Colour top = Mix(kAmber, {1, 0.95, 0.8}, 0.35);
    cairo_pattern_add_color_stop_rgb(p, 0, top.r, top.g, top.b);
    cairo_pattern_add_color_stop_rgb(p, 1, kAmber.r, kAmber.g * 0.92, kAmber.b * 0.8);
    cairo_set_source(cr, p);
    cairo_pattern_destroy(p);
}

GlyphPainter ClockPainter(const TtfFace& face) {
    return [&face](cairo_t* cr, char c) {
        if (c >= '0' && c <= '9') {
            for (int i = 0; i < 7; ++i)
                if (kDigitSegments[c - '0'] & (1u << i)) SegmentPath(cr, kSegments[i]);
        } else if (c == ':') {
            for (const double y : {kDigitH * 0.3, kDigitH * 0.72}) {
                const double x = kDigitW / 2 - 0.3;
                DigitPoint(cr, x - 1.3, y - 1.3, true);
                DigitPoint(cr, x + 1.3, y - 1.3, false);
                DigitPoint(cr, x + 1.3, y + 1.3, false);
                DigitPoint(cr, x - 1.3, y + 1.3, false);
                cairo_close_path(cr);
            }
        } else {
            cairo_save(cr);
            const bool drawn = GlyphPath(cr, face, 16, kDigitTop + kDigitH, 0, c);
            cairo_restore(cr);
            if (!drawn) return;
        }
        AmberSource(cr);
        cairo_fill(cr);
    };
}

// --- Gilt serif ----------------------------------------------------------------------------

GlyphPainter GiltPainter(const TtfFace& face) {
    constexpr double kRim = 1.6;  // the dark rim round the gilt
    return [&face](cairo_t* cr, char c) {
        cairo_save(cr);
        const bool drawn = GlyphPath(cr, face, 19, 20, kRim, c);
        cairo_restore(cr);
        if (!drawn) return;
        cairo_set_line_join(cr, CAIRO_LINE_JOIN_ROUND);
        cairo_set_line_width(cr, kRim);
        cairo_set_source_rgb(cr, 0.22, 0.13, 0.04);
        cairo_stroke_preserve(cr);
        cairo_pattern_t* gold = cairo_pattern_create_linear(0, 5, 0, 21);
        cairo_pattern_add_color_stop_rgb(gold, 0, 1.0, 0.93, 0.62);
        cairo_pattern_add_color_stop_rgb(gold, 0.5, kGold.r, kGold.g, kGold.b);
        cairo_pattern_add_color_stop_rgb(gold, 1, 0.60, 0.43, 0.14);
        cairo_set_source(cr, gold);
        cairo_fill(cr);
        cairo_pattern_destroy(gold);
    };
}

}  // namespace

bool MakeFonts(const std::string& fontsDir, int density, std::string* error) {
    TtfFace hand, clock, gilt;
    if (!hand.Open("DejaVuSerif-Italic.ttf", error) ||
        !clock.Open("DejaVuSansCondensed-Bold.ttf", error) ||
        !gilt.Open("DejaVuSerif-Bold.ttf", error))
        return false;
    // The clock sits at (700, 572); the handwriting only ever lies on the score sheet.
    const int k = density;
    return SaveFont(fontsDir, "fntHandParker.bmp", k, HandPainter(hand), kPaper, 0.3, error) &&
           SaveFont(fontsDir, "fntDigit.bmp", k, ClockPainter(clock), FeltColourAt(740, 586), 0.3,
                    error) &&
           SaveFont(fontsDir, "fntDeluxe.bmp", k, GiltPainter(gilt), FeltColourAt(400, 300), 0.35,
                    error);
}

}  // namespace tarrabel::art
