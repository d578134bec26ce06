// The rules pages the art tool draws for the table: every game's rules fit its page at a
// size a player reads, with no word lost or moved, every line inside the sheet; text that
// cannot fit is reported, not cut.
#include "makeart/rules_pages.h"

#include <gtest/gtest.h>

#include <sstream>
#include <string>
#include <vector>

namespace tarrabel::test {
namespace {

using art::RulesLayout;
using art::RulesLine;

std::vector<std::string> Words(std::string_view text) {
    std::vector<std::string> words;
    std::istringstream in{std::string(text)};
    for (std::string w; in >> w;)
        words.push_back(w);
    return words;
}

TEST(RulesPages, EveryGamesRulesFitItsPageWhole) {
    for (int v = 0; v < kVariantCount; ++v) {
        SCOPED_TRACE(kVariantNames[v]);
        RulesLayout layout;
        std::string error;
        ASSERT_TRUE(art::FitRulesPageOf(GameVariant(v), &layout, &error)) << error;
        RecordProperty(std::string(kVariantNames[v]), testing::PrintToString(layout.BodySize));
        EXPECT_TRUE(layout.Fits()) << layout.Needed << " units of text, " << layout.Room
                                   << " of room; " << layout.Widest << " wide of " << layout.Width;
        EXPECT_LE(layout.Lines, layout.LinesOfRoom);
        // Eleven pixels at 1x is the smallest text the table is still easy to read in.
        EXPECT_GE(layout.BodySize, 11.0);

        // The words, in order: the title, then each section's heading and body (a list
        // item's "- " is its bullet).
        std::vector<std::string> want = Words(kVariantNames[v]);
        for (const TextSection& s : {kSharedRulesSection, RulesSectionOf(GameVariant(v))}) {
            for (const std::string& w : Words(s.Heading))
                want.push_back(w);
            for (const std::string& w : Words(s.Body))
                if (w != "-") want.push_back(w);
        }
        std::vector<std::string> got;
        double lastBaseline = 0;
        for (const RulesLine& line : layout.Placed) {
            EXPECT_GE(line.X, 0);
            EXPECT_GT(line.Baseline, line.Size) << line.Text;
            EXPECT_LT(line.Baseline, kRulesPageHeight) << line.Text;
            EXPECT_GE(line.Baseline, lastBaseline) << line.Text << ": lines go down the page";
            lastBaseline = line.Baseline;
            if (line.Kind == RulesLine::Style::Footer || line.Text == "\u2022") continue;
            for (const std::string& w : Words(line.Text))
                got.push_back(w);
        }
        EXPECT_EQ(got, want);
        ASSERT_FALSE(layout.Placed.empty());
        EXPECT_EQ(layout.Placed.back().Kind, RulesLine::Style::Footer);
        EXPECT_EQ(layout.Placed.back().Text, "F1 or Escape closes the rules");
    }
}

// The size shrinks step by step from the largest until the text fits; text that does not fit
// even at the smallest is reported as not fitting, and a word wider than the page is never
// squeezed in beside another.
TEST(RulesPages, TheSizeShrinksUntilTheTextFitsOrReportsThatItCannot) {
    const std::string sentence =
        "Each in turn plays one card on the pile that matches the top card. ";
    std::string shortBody, longBody;
    for (int i = 0; i < 3; ++i)
        shortBody += sentence;
    for (int i = 0; i < 400; ++i)
        longBody += sentence;
    const std::string wideWord(200, 'W');
    struct Case {
        const char* name;
        std::string body;
        bool fits;
        double size;  // 0: any that fits
    };
    const Case cases[] = {
        {"a few lines", shortBody, true, art::kLargestRulesBody},
        {"a book", longBody, false, art::kSmallestRulesBody},
        {"a word wider than the page", "short " + wideWord + " short", false,
         art::kSmallestRulesBody},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        const TextSection sections[] = {{"Heading", c.body}};
        RulesLayout layout;
        std::string error;
        ASSERT_TRUE(art::FitRulesPage("Title", sections, &layout, &error)) << error;
        EXPECT_EQ(layout.Fits(), c.fits);
        EXPECT_DOUBLE_EQ(layout.BodySize, c.size);
        for (const RulesLine& line : layout.Placed) {
            if (line.Text.find(wideWord) != std::string::npos) {
                EXPECT_EQ(line.Text, wideWord);
            }
        }
    }
    // One step larger than the size chosen for a game's page does not fit.
    RulesLayout fitted, larger;
    std::string error;
    ASSERT_TRUE(art::FitRulesPageOf(GameVariant::PisYedili, &fitted, &error)) << error;
    if (fitted.BodySize < art::kLargestRulesBody) {
        const TextSection page[] = {kSharedRulesSection, RulesSectionOf(GameVariant::PisYedili)};
        ASSERT_TRUE(art::LayOutRulesPage("Pis Yedili", page, fitted.BodySize + art::kRulesBodyStep,
                                         &larger, &error));
        EXPECT_FALSE(larger.Fits());
        EXPECT_GT(larger.Needed, fitted.Needed);
    }
}

}  // namespace
}  // namespace tarrabel::test
