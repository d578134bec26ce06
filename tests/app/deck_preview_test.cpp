// The options dialog's deck previews: the cards they show, read straight from the build's
// archive at a density, each the density times its 1x size, in the four-colour inks when
// the box is checked.
#include "app/deck_preview.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <string>
#include <utility>

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

TEST(DeckPreview, ThePreviewIsComposedAtTheDensityItIsShownAt) {
    struct Case {
        float Scale;
        int Want;
    };
    const Case cases[] = {{1.0f, 1},  {1.25f, 2}, {1.75f, 2}, {2.0f, 2},
                          {2.25f, 3}, {3.0f, 3},  {3.5f, 3}};
    for (const Case& c : cases)
        EXPECT_EQ(PreviewDensity(c.Scale), c.Want) << c.Scale;
}

// The first and one past the last column of the middle row that is not felt.
std::pair<int, int> FanColumns(const platform::Surface& preview) {
    const uint16_t felt = preview.At(0, 0);
    const int y = preview.Height / 2;
    int first = 0, end = preview.Width;
    while (first < preview.Width && preview.At(first, y) == felt)
        ++first;
    while (end > first && preview.At(end - 1, y) == felt)
        --end;
    return {first, end};
}

TEST(DeckPreview, TheSharpPreviewsAreTheSameFanWithMorePixels) {
    if (std::string(kBuiltPak).empty() || !std::filesystem::exists(kBuiltPak))
        GTEST_SKIP() << "this build makes no res134.pak";
    const auto one = MakeDeckPreviews(kBuiltPak, 1);
    for (const int k : {2, 3}) {
        const auto sharp = MakeDeckPreviews(kBuiltPak, k);
        for (size_t deck = 0; deck < sharp.size(); ++deck) {
            SCOPED_TRACE(testing::Message() << "deck " << deck << " at " << k << "x");
            ASSERT_FALSE(one[deck].Empty());
            ASSERT_EQ(sharp[deck].Width, kPreviewWidth * k);
            ASSERT_EQ(sharp[deck].Height, kPreviewHeight * k);
            // The cards where the 1x fan has them, each position times the density.
            const auto [first, end] = FanColumns(one[deck]);
            const auto [sharpFirst, sharpEnd] = FanColumns(sharp[deck]);
            EXPECT_EQ(sharpFirst, first * k);
            EXPECT_EQ(sharpEnd, end * k);
        }
    }
    for (const platform::Surface& none : MakeDeckPreviews(kBuiltPak, 4))
        EXPECT_TRUE(none.Empty());
}

// The fan shows a Ten of diamonds and a Jack of clubs: with the four-colour box checked
// their ink turns green or blue, and nothing else of the fan changes.
TEST(DeckPreview, TheFourColourPreviewShowsTheClubGreenAndTheDiamondBlue) {
    if (std::string(kBuiltPak).empty() || !std::filesystem::exists(kBuiltPak))
        GTEST_SKIP() << "this build makes no res134.pak";
    // Clearly green or blue, as the art inks the four-colour suits.
    auto greenOrBlue = [](uint16_t p) {
        const int r = (p >> 11) * 255 / 31, g = ((p >> 5) & 63) * 255 / 63, b = (p & 31) * 255 / 31;
        return (g > r + 50 && g > b + 30) || (b > r + 60 && b > g + 30);
    };
    const auto usual = MakeDeckPreviews(kBuiltPak, 1);
    const auto fourColour = MakeDeckPreviews(kBuiltPak, 1, true);
    for (size_t deck = 0; deck < usual.size(); ++deck) {
        SCOPED_TRACE(testing::Message() << "deck " << deck);
        const platform::Surface& a = usual[deck];
        const platform::Surface& b = fourColour[deck];
        ASSERT_FALSE(a.Empty());
        ASSERT_EQ(b.Width, a.Width);
        ASSERT_EQ(b.Height, a.Height);
        int changed = 0, inked = 0, wasGreenOrBlue = 0;
        for (int y = 0; y < a.Height; ++y) {
            for (int x = 0; x < a.Width; ++x) {
                if (a.At(x, y) == b.At(x, y)) continue;
                ++changed;
                inked += greenOrBlue(b.At(x, y)) ? 1 : 0;
                wasGreenOrBlue += greenOrBlue(a.At(x, y)) ? 1 : 0;
            }
        }
        EXPECT_GT(changed, 200);
        EXPECT_GT(inked, changed / 2) << "most of what changed is the new ink";
        EXPECT_EQ(wasGreenOrBlue, 0) << "only the black and red ink changes";
    }
}

}  // namespace
}  // namespace tarrabel::test
