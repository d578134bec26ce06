// The options dialog's deck previews: the cards they show, read straight from the build's
// archive at a density, each the density times its 1x size.
#include "app/deck_preview.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <string>

namespace tarrabel::test {
namespace {

#ifdef TARRABEL_PAK_PATH
constexpr const char* kBuiltPak = TARRABEL_PAK_PATH;
#else
constexpr const char* kBuiltPak = "";
#endif

TEST(DeckPreview, ThePreviewCardsAreReadAtADensity) {
    if (std::string(kBuiltPak).empty() || !std::filesystem::exists(kBuiltPak))
        GTEST_SKIP() << "this build makes no res134.pak";
    const std::vector<platform::Surface> one = LoadPreviewCards(kBuiltPak, 2, 1);
    ASSERT_EQ(one.size(), 5u);
    for (const int k : {2, 3}) {
        const std::vector<platform::Surface> sharp = LoadPreviewCards(kBuiltPak, 2, k);
        ASSERT_EQ(sharp.size(), one.size()) << k;
        for (size_t i = 0; i < one.size(); ++i) {
            EXPECT_EQ(sharp[i].Width, one[i].Width * k);
            EXPECT_EQ(sharp[i].Height, one[i].Height * k);
            EXPECT_TRUE(sharp[i].HasKey);
        }
    }
    EXPECT_TRUE(LoadPreviewCards(kBuiltPak, 2, 4).empty());
}

}  // namespace
}  // namespace tarrabel::test
