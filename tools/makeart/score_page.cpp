// The score page: a cream score-pad sheet with a printed title and faint ruled lines under the
// handwritten rows, and the two ink rules the game draws across it.
//
// The game writes on the sheet with the handwriting font: a heading row and ten deal rows from
// table position (208, 94) every 31 pixels, the totals at (208, 438) and the result at
// (208, 469), each row up to 18 cells advancing 17 pixels; the ink rules go at (223, 117) under the
// heading and (223, 430) above the totals. The sheet picture is drawn at (156, 4).
#include <algorithm>
#include <cmath>

#include "art_common.h"
#include "fixed_rng.h"
#include "table_art_parts.h"
#include "ttf_faces.h"

namespace tarrabel::art {

namespace {

constexpr int kPageX = 156, kPageY = 4;  // where the game draws the sheet
constexpr double kRadius = 6;

constexpr int kTextX = 208;
// The heading is the longest row: " Me " and three names of four letters with a space between.
constexpr int kTextRight = kTextX + 17 * 17 + 19;
// The sheet leaves the same margin right of the writing as left of it.
constexpr int kWidth = (kTextX - kPageX) * 2 + (kTextRight - kTextX), kHeight = 512;
constexpr int kFirstRowY = 94, kRowStep = 31, kTotalsY = 438, kResultY = 469;
// Where the handwriting sits in its 27-pixel row (the font's baseline, see fonts.cpp).
constexpr int kBaselineInRow = 20;

constexpr int kRuleWidth = 290;  // the ink rules span the written columns

constexpr Colour kRuling{0.62, 0.72, 0.86};
constexpr Colour kMargin{0.87, 0.55, 0.55};

void SheetPath(cairo_t* cr) {
    cairo_new_path(cr);
    RoundedRectPath(cr, 1.5, 1.5, kWidth - 3.0, kHeight - 3.0, kRadius);
}

void PaintPaper(cairo_t* cr) {
    SheetPath(cr);
    cairo_pattern_t* tone = cairo_pattern_create_linear(0, 0, kWidth * 0.3, kHeight);
    const Colour top = Mix(kPaper, {1, 1, 1}, 0.25), bottom = Mix(kPaper, kPaperEdge, 0.18);
    cairo_pattern_add_color_stop_rgb(tone, 0, top.r, top.g, top.b);
    cairo_pattern_add_color_stop_rgb(tone, 0.5, kPaper.r, kPaper.g, kPaper.b);
    cairo_pattern_add_color_stop_rgb(tone, 1, bottom.r, bottom.g, bottom.b);
    cairo_set_source(cr, tone);
    cairo_fill_preserve(cr);
    cairo_pattern_destroy(tone);
    cairo_set_line_width(cr, 1.2);
    SetColour(cr, kPaperEdge);
    cairo_stroke(cr);
}

// Paper fibre: a faint, fine speckle.
void PaintGrain(cairo_t* cr) {
    FixedRng rng(0x5C0AEu);
    for (int i = 0; i < 2200; ++i) {
        const double x = rng.Range(6, kWidth - 6), y = rng.Range(6, kHeight - 6);
        const double dark = rng.Unit() < 0.5 ? 0.0 : 1.0;
        cairo_set_source_rgba(cr, 0.55 + 0.45 * dark, 0.48 + 0.52 * dark, 0.35 + 0.65 * dark,
                              rng.Range(0.05, 0.12));
        cairo_rectangle(cr, x, y, rng.Range(0.6, 1.4), rng.Range(0.6, 1.4));
        cairo_fill(cr);
    }
}

void HorizontalRule(cairo_t* cr, double y, double x0, double x1, Colour c, double width) {
    cairo_move_to(cr, x0, y);
    cairo_line_to(cr, x1, y);
    SetColour(cr, c);
    cairo_set_line_width(cr, width);
    cairo_stroke(cr);
}

bool PaintTitle(cairo_t* cr, std::string* error) {
    TtfFace serif, symbols;
    if (!serif.Open("DejaVuSerif-Bold.ttf", error) || !symbols.Open("DejaVuSans.ttf", error))
        return false;
    const double cx = kWidth / 2.0;
    serif.Use(cr, 34);
    SetColour(cr, kPrintRed);
    ShowCentred(cr, "Score", cx, 54);
    // Small suit signs either side of the title, the red ones printed in red.
    symbols.Use(cr, 20);
    const char* signs[4] = {"\u2660", "\u2665", "\u2666", "\u2663"};
    const double offsets[4] = {-112, -84, 84, 112};
    for (int i = 0; i < 4; ++i) {
        SetColour(cr, (i == 1 || i == 2) ? kPrintRed : kSuitBlack);
        ShowCentred(cr, signs[i], cx + offsets[i], 50);
    }
    // A printed double rule closes the title.
    HorizontalRule(cr, 67.5, 18, kWidth - 18, kPrintRed, 1.4);
    HorizontalRule(cr, 71.0, 18, kWidth - 18, kPrintRed, 0.7);
    return true;
}

void PaintRuling(cairo_t* cr) {
    const double margin = kTextX - 6 - kPageX + 0.5;
    // Faint blue lines the handwriting sits on: under each deal row, the totals and the result.
    // The heading has the ink rule under it instead.
    auto rule = [&](int rowY) {
        HorizontalRule(cr, rowY + kBaselineInRow + 1.5 - kPageY, 12, kWidth - 12, kRuling, 1);
    };
    for (int n = 1; n <= 10; ++n)
        rule(kFirstRowY + n * kRowStep);
    rule(kTotalsY);
    rule(kResultY);
    // The red margin line, just left of the first written column.
    cairo_move_to(cr, margin, 74);
    cairo_line_to(cr, margin, kHeight - 2);
    SetColour(cr, kMargin);
    cairo_set_line_width(cr, 1);
    cairo_stroke(cr);
}

// A pen stroke along a ruler: two pixels of full ink, thinning a little at both ends.
void PenStroke(cairo_t* cr, double length, double thickness) {
    constexpr int kSteps = 64;
    auto halfWidth = [&](double t) {
        const double end = std::min(t, 1 - t) * length;  // pixels from the nearer end
        return thickness / 2 * (end < 8 ? 0.55 + 0.45 * end / 8 : 1.0);
    };
    cairo_new_path(cr);
    for (int i = 0; i <= kSteps; ++i) {
        const double t = double(i) / kSteps;
        cairo_line_to(cr, 1 + t * (length - 2), -halfWidth(t));
    }
    for (int i = kSteps; i >= 0; --i) {
        const double t = double(i) / kSteps;
        cairo_line_to(cr, 1 + t * (length - 2), halfWidth(t));
    }
    cairo_close_path(cr);
    SetColour(cr, kInk);
    cairo_fill(cr);
}

bool SaveRule(const std::string& dir, const std::string& file, int w, int h, int density,
              std::string* error) {
    cairo_t* cr = nullptr;
    cairo_surface_t* surface = NewPicture(w, h, density, &cr);
    if (w >= h) {
        cairo_translate(cr, 0, h / 2.0);
    } else {  // the same stroke turned upright
        cairo_translate(cr, w / 2.0, 0);
        cairo_rotate(cr, M_PI / 2);
    }
    PenStroke(cr, std::max(w, h), 2.0);
    cairo_destroy(cr);
    MatteOnto(surface, kPaper, 0.3);
    const bool ok = SavePicture(surface, dir, file, Keying::Keyed, density, error);
    cairo_surface_destroy(surface);
    return ok;
}

}  // namespace

bool MakeScorePage(const std::string& bitmapsDir, int density, std::string* error) {
    cairo_t* cr = nullptr;
    cairo_surface_t* surface = NewPicture(kWidth, kHeight, density, &cr);
    PaintPaper(cr);
    SheetPath(cr);
    cairo_clip(cr);
    PaintGrain(cr);
    PaintRuling(cr);
    const bool titled = PaintTitle(cr, error);
    cairo_destroy(cr);
    // The sheet lies on the middle of the cloth.
    MatteOnto(surface, FeltColourAt(kPageX + kWidth / 2.0, kPageY + kHeight / 2.0), 0.4);
    bool ok = titled && SavePicture(surface, bitmapsDir, "Scorepage_800x600.bmp", Keying::Keyed,
                                    density, error);
    cairo_surface_destroy(surface);
    ok = ok && SaveRule(bitmapsDir, "line_horz.bmp", kRuleWidth, 4, density, error) &&
         SaveRule(bitmapsDir, "line_vert.bmp", 4, 330, density, error);
    return ok;
}

}  // namespace tarrabel::art
