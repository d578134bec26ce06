// The rules' text as the dialog and the table's rules pages show it: each game finds its
// own section and its own page, so a game never shows another's rules.
#include "rules/rules_text.h"

#include <gtest/gtest.h>

#include <set>
#include <string_view>

#include "resources/density_names.h"

namespace tarrabel::test {
namespace {

TEST(RulesText, EachGameHasItsOwnSectionAndPage) {
    std::set<std::string_view> pages;
    for (int v = 0; v < kVariantCount; ++v) {
        SCOPED_TRACE(kVariantNames[v]);
        EXPECT_EQ(RulesSectionOf(GameVariant(v)).Heading, kVariantNames[v]);
        EXPECT_NE(RulesSectionOf(GameVariant(v)).Heading, kSharedRulesSection.Heading);
        const std::string_view page = kRulesPageFileNames[size_t(v)];
        EXPECT_TRUE(IsPictureFile(page)) << page;
        EXPECT_TRUE(pages.insert(page).second) << page << " serves two games";
    }
}

}  // namespace
}  // namespace tarrabel::test
