// The rules pages the table shows over the cloth when the player presses F1: one sheet per
// game with the game's name, the rules all five games share and the game's own, in the words
// of rules/rules_text.h. The text is laid out once in table units and drawn at each density
// from that layout, so every density breaks the lines in the same places.
#pragma once

#include <span>
#include <string>
#include <string_view>
#include <vector>

#include "rules/rules_text.h"

namespace tarrabel::art {

// One line of a laid-out page, in table units.
struct RulesLine {
    enum class Style { Title, Heading, Body, Footer };
    Style Kind = Style::Body;
    double Size = 0;  // of its font
    double X = 0, Baseline = 0;
    std::string Text;  // UTF-8
};

// A page laid out at one size of its body text: the lines placed, and what they need
// against the room the page gives them.
struct RulesLayout {
    double BodySize = 0;  // the body text's size, in table units (pixels at 1x)
    double Needed = 0;    // height of the sections, from the first heading to the last line
    double Room = 0;      // height between the title's rule and the footer's
    int Lines = 0;        // text lines of the sections: headings and wrapped body lines
    int LinesOfRoom = 0;  // lines of body text the room holds
    double Widest = 0;    // the widest line of the sections, from the left margin
    double Width = 0;     // the width the lines are wrapped to
    std::vector<RulesLine> Placed;  // title, sections and footer, in drawing order
    bool Fits() const { return Needed <= Room && Widest <= Width; }
};

// The body sizes tried, largest first, in steps of kRulesBodyStep.
inline constexpr double kLargestRulesBody = 14, kSmallestRulesBody = 8, kRulesBodyStep = 0.25;

// Lays out `sections` under `title` on a page of kRulesPageWidth x kRulesPageHeight table
// units with body text of `bodySize`. False with a message when a font cannot be read.
bool LayOutRulesPage(std::string_view title, std::span<const TextSection> sections, double bodySize,
                     RulesLayout* layout, std::string* error);

// The layout at the largest body size from kLargestRulesBody down at which the sections fit;
// the one at kSmallestRulesBody, which does not fit, when none does.
bool FitRulesPage(std::string_view title, std::span<const TextSection> sections,
                  RulesLayout* layout, std::string* error);

// The page of one game: its name, the shared section and its own.
bool FitRulesPageOf(GameVariant variant, RulesLayout* layout, std::string* error);

// Writes the five pages into res/Bitmaps at `density`; false with a message, also when a
// page's text does not fit it.
bool MakeRulesPages(const std::string& bitmapsDir, int density, std::string* error);

}  // namespace tarrabel::art
