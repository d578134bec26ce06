#include "rules_pages.h"

#include <algorithm>
#include <cmath>
#include <memory>

#include "art_common.h"
#include "table_art_parts.h"
#include "ttf_faces.h"

namespace tarrabel::art {

namespace {

// The sheet, in table units: a printed title with a double rule under it, the sections
// between that rule and the footer's, the footer at the foot.
constexpr double kSide = 24;  // left and right margins of the text
constexpr double kTitleSize = 24, kTitleBaseline = 33;
constexpr double kTitleRule = 42.5;  // the double rule's upper line
constexpr double kRoomTop = 50, kRoomBottom = 515;
constexpr double kFooterRule = 518.5, kFooterSize = 11, kFooterBaseline = 532;
constexpr std::string_view kFooter = "F1 or Escape closes the rules";

// The text's rhythm, in body sizes: line to line, the gap of an empty line between
// paragraphs and the gap before a section, the headings' size, and the indent of a list
// item's text (its bullet sits in that indent).
constexpr double kLeading = 1.22, kParagraphGap = 0.4, kSectionGap = 0.7;
constexpr double kHeadingScale = 1.1, kHangingIndent = 1.1;
// Where a line's baseline sits below the top of its line, in body sizes.
constexpr double kAscent = 0.95;

constexpr Colour kBodyInk{0.13, 0.13, 0.16};
constexpr Colour kFooterInk{0.40, 0.38, 0.34};

struct Faces {
    TtfFace Title, Heading, Body, Footer;
    bool Open(std::string* error) {
        return Title.Open("DejaVuSerif-Bold.ttf", error) &&
               Heading.Open("DejaVuSans-Bold.ttf", error) && Body.Open("DejaVuSans.ttf", error) &&
               Footer.Open("DejaVuSans-Oblique.ttf", error);
    }
    const TtfFace& Of(RulesLine::Style style) const {
        switch (style) {
            case RulesLine::Style::Title:
                return Title;
            case RulesLine::Style::Heading:
                return Heading;
            case RulesLine::Style::Footer:
                return Footer;
            case RulesLine::Style::Body:
                break;
        }
        return Body;
    }
};

// Measures text on a context of one pixel: the fonts are unhinted, so a width in table
// units is the same at every density.
class Ruler {
  public:
    Ruler() : surface_(cairo_image_surface_create(CAIRO_FORMAT_ARGB32, 1, 1)) {
        cr_ = cairo_create(surface_);
    }
    ~Ruler() {
        cairo_destroy(cr_);
        cairo_surface_destroy(surface_);
    }
    Ruler(const Ruler&) = delete;
    Ruler& operator=(const Ruler&) = delete;

    double Advance(const TtfFace& face, double size, const std::string& text) {
        face.Use(cr_, size);
        return InkExtents(cr_, text).x_advance;
    }
    // The x at which a line starts so that its ink is centred on the page.
    double CentredX(const TtfFace& face, double size, const std::string& text) {
        face.Use(cr_, size);
        const cairo_text_extents_t e = InkExtents(cr_, text);
        return kRulesPageWidth / 2.0 - e.x_bearing - e.width / 2;
    }

  private:
    cairo_surface_t* surface_;
    cairo_t* cr_;
};

// Breaks `text` into lines no wider than `width` (a word longer than that stands alone).
std::vector<std::string> Wrap(Ruler& ruler, const TtfFace& face, double size, std::string_view text,
                              double width) {
    std::vector<std::string> lines;
    std::string line;
    size_t at = 0;
    while (at < text.size()) {
        const size_t space = text.find(' ', at);
        const std::string_view word =
            text.substr(at, space == std::string_view::npos ? std::string_view::npos : space - at);
        at = space == std::string_view::npos ? text.size() : space + 1;
        if (word.empty()) continue;
        std::string longer = line.empty() ? std::string(word) : line + " " + std::string(word);
        if (!line.empty() && ruler.Advance(face, size, longer) > width) {
            lines.push_back(line);
            longer = std::string(word);
        }
        line = std::move(longer);
    }
    if (!line.empty()) lines.push_back(line);
    return lines;
}

void LayOut(const Faces& faces, std::string_view title, std::span<const TextSection> sections,
            double bodySize, RulesLayout* layout) {
    Ruler ruler;
    RulesLayout out;
    out.BodySize = bodySize;
    out.Room = kRoomBottom - kRoomTop;
    out.Width = kRulesPageWidth - 2 * kSide;
    const double leading = bodySize * kLeading;
    out.LinesOfRoom = int(std::floor(out.Room / leading));
    const std::string titleText(title);
    out.Placed.push_back({RulesLine::Style::Title, kTitleSize,
                          ruler.CentredX(faces.Title, kTitleSize, titleText), kTitleBaseline,
                          titleText});

    double y = kRoomTop;  // the top of the next line
    auto place = [&](RulesLine::Style style, double size, double x, const std::string& text) {
        out.Placed.push_back({style, size, x, y + size * kAscent, text});
        out.Widest = std::max(out.Widest, x - kSide + ruler.Advance(faces.Of(style), size, text));
    };
    for (size_t s = 0; s < sections.size(); ++s) {
        if (s > 0) y += kSectionGap * leading;
        const double headingSize = bodySize * kHeadingScale;
        place(RulesLine::Style::Heading, headingSize, kSide, std::string(sections[s].Heading));
        y += headingSize * kLeading;
        ++out.Lines;
        std::string_view body = sections[s].Body;
        while (!body.empty()) {
            const size_t end = body.find('\n');
            std::string_view paragraph = body.substr(0, end);
            body = end == std::string_view::npos ? std::string_view{} : body.substr(end + 1);
            if (paragraph.empty()) {
                y += kParagraphGap * leading;
                continue;
            }
            // A list item: a bullet, and its text indented past it on every line.
            const bool item = paragraph.substr(0, 2) == "- ";
            const double indent = item ? kHangingIndent * bodySize : 0;
            if (item) {
                paragraph.remove_prefix(2);
                place(RulesLine::Style::Body, bodySize, kSide + 0.2 * bodySize, "\u2022");
            }
            for (const std::string& line :
                 Wrap(ruler, faces.Body, bodySize, paragraph, out.Width - indent)) {
                place(RulesLine::Style::Body, bodySize, kSide + indent, line);
                y += leading;
                ++out.Lines;
            }
        }
    }
    out.Needed = y - kRoomTop;
    const std::string footer(kFooter);
    out.Placed.push_back({RulesLine::Style::Footer, kFooterSize,
                          ruler.CentredX(faces.Footer, kFooterSize, footer), kFooterBaseline,
                          footer});
    *layout = std::move(out);
}

bool Fit(const Faces& faces, std::string_view title, std::span<const TextSection> sections,
         RulesLayout* layout) {
    for (double size = kLargestRulesBody; size >= kSmallestRulesBody - 1e-9;
         size -= kRulesBodyStep) {
        LayOut(faces, title, sections, size, layout);
        if (layout->Fits()) return true;
    }
    return false;
}

std::array<TextSection, 2> PageSections(GameVariant variant) {
    return {kSharedRulesSection, RulesSectionOf(variant)};
}

void HorizontalRule(cairo_t* cr, double y, double width, Colour c) {
    cairo_move_to(cr, kSide, y);
    cairo_line_to(cr, kRulesPageWidth - kSide, y);
    SetColour(cr, c);
    cairo_set_line_width(cr, width);
    cairo_stroke(cr);
}

// The sheet: the score page's paper, one flat colour (no band shows on the table's 16-bit
// display, and the text's edges stay clean), edged darker, with a fine printed line inside
// the edge.
void PaintSheet(cairo_t* cr) {
    cairo_rectangle(cr, 0, 0, kRulesPageWidth, kRulesPageHeight);
    SetColour(cr, Mix(kPaper, {1, 1, 1}, 0.3));
    cairo_fill(cr);
    const Colour edge = Mix(kPaperEdge, {0, 0, 0}, 0.35);
    cairo_rectangle(cr, 0.75, 0.75, kRulesPageWidth - 1.5, kRulesPageHeight - 1.5);
    SetColour(cr, edge);
    cairo_set_line_width(cr, 1.5);
    cairo_stroke(cr);
    cairo_rectangle(cr, 5.5, 5.5, kRulesPageWidth - 11, kRulesPageHeight - 11);
    cairo_set_source_rgba(cr, kPrintRed.r, kPrintRed.g, kPrintRed.b, 0.55);
    cairo_set_line_width(cr, 0.7);
    cairo_stroke(cr);
}

void PaintPage(cairo_t* cr, const Faces& faces, const RulesLayout& layout) {
    PaintSheet(cr);
    HorizontalRule(cr, kTitleRule, 1.4, kPrintRed);
    HorizontalRule(cr, kTitleRule + 3.5, 0.7, kPrintRed);
    HorizontalRule(cr, kFooterRule, 0.6, kPaperEdge);
    for (const RulesLine& line : layout.Placed) {
        faces.Of(line.Kind).Use(cr, line.Size);
        switch (line.Kind) {
            case RulesLine::Style::Title:
            case RulesLine::Style::Heading:
                SetColour(cr, kPrintRed);
                break;
            case RulesLine::Style::Body:
                SetColour(cr, kBodyInk);
                break;
            case RulesLine::Style::Footer:
                SetColour(cr, kFooterInk);
                break;
        }
        cairo_move_to(cr, line.X, line.Baseline);
        cairo_show_text(cr, line.Text.c_str());
    }
}

}  // namespace

bool LayOutRulesPage(std::string_view title, std::span<const TextSection> sections, double bodySize,
                     RulesLayout* layout, std::string* error) {
    Faces faces;
    if (!faces.Open(error)) return false;
    LayOut(faces, title, sections, bodySize, layout);
    return true;
}

bool FitRulesPage(std::string_view title, std::span<const TextSection> sections,
                  RulesLayout* layout, std::string* error) {
    Faces faces;
    if (!faces.Open(error)) return false;
    Fit(faces, title, sections, layout);
    return true;
}

bool FitRulesPageOf(GameVariant variant, RulesLayout* layout, std::string* error) {
    return FitRulesPage(VariantName(variant), PageSections(variant), layout, error);
}

bool MakeRulesPages(const std::string& bitmapsDir, int density, std::string* error) {
    Faces faces;
    if (!faces.Open(error)) return false;
    for (int v = 0; v < kVariantCount; ++v) {
        const GameVariant variant = GameVariant(v);
        RulesLayout layout;
        if (!Fit(faces, VariantName(variant), PageSections(variant), &layout)) {
            if (error)
                *error = "the rules of " + std::string(VariantName(variant)) +
                         " do not fit their page even at " + std::to_string(kSmallestRulesBody) +
                         " units";
            return false;
        }
        cairo_t* cr = nullptr;
        cairo_surface_t* surface = NewPicture(kRulesPageWidth, kRulesPageHeight, density, &cr);
        PaintPage(cr, faces, layout);
        cairo_destroy(cr);
        // Every pixel is painted, so the keying keeps each as drawn: the page is opaque, and
        // without a dither its flat paper stays small in the sharper sets' PNG files.
        const bool ok = SavePicture(surface, bitmapsDir, std::string(kRulesPageFileNames[v]),
                                    Keying::Keyed, density, error);
        cairo_surface_destroy(surface);
        if (!ok) return false;
    }
    return true;
}

}  // namespace tarrabel::art
