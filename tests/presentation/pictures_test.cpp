// Loading the table's pictures from the build's archive at each density: every picture and
// font exactly the density times its 1x size, the fonts' cells still in table units, and a
// picture the density's set lacks reported like any missing picture; the four-colour suits'
// pictures in place of the usual ones when the options ask for them, and the rules page of
// the game being played alone.
#include "presentation/pictures.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <filesystem>
#include <functional>
#include <map>
#include <memory>

#include "core/game.h"
#include "core/options.h"
#include "core/services.h"
#include "platform/null_platform.h"
#include "platform/picture_convert.h"
#include "resources/density_names.h"
#include "resources/pak_fixture.h"
#include "resources/unpack.h"
#include "rules/rules_text.h"
#include "session/game_init.h"

namespace tarrabel::test {
namespace {

#ifdef TARRABEL_PAK_PATH
constexpr const char* kBuiltPak = TARRABEL_PAK_PATH;
#else
constexpr const char* kBuiltPak = "";
#endif

class PicturesAtDensity : public ::testing::Test {
  protected:
    void SetUp() override {
        if (std::string(kBuiltPak).empty() || !fs::exists(kBuiltPak))
            GTEST_SKIP() << "this build makes no res134.pak";
        // Two packs, so that the copies of the second pack's faces are loaded too.
        GameInit(*game, DefaultOptions(GameVariant::PisYedili),
                 Services{&clock, &rng, &sound, nullptr});
    }
    // Unpacks the archive for `density` into its own folder and loads from it at `loadAt`.
    bool Load(int density, int loadAt, TablePictures& pics, std::string* error,
              const std::function<void(const fs::path& res)>& spoil = nullptr) {
        const fs::path app = folder.Path() / std::to_string(density);
        fs::create_directories(app);
        fs::copy_file(kBuiltPak, app / "res134.pak", fs::copy_options::overwrite_existing);
        UnpackOptions options;
        options.ArchiveFolder = app;
        options.Density = density;
        ResourceTree tree;
        if (!UnpackResources(options, platform::ConvertJpegToBmp, &tree, error)) return false;
        if (spoil) spoil(tree.Root / "res");
        const bool ok = LoadPictures(null, tree, *game, pics, error, loadAt);
        DeleteResources(tree);
        return ok;
    }

    TempFolder folder;
    VirtualClock clock;
    SeededRandom rng{7};
    NullSound sound;
    std::unique_ptr<Game> game = std::make_unique<Game>();
    platform::NullPlatform null;
};

TEST_F(PicturesAtDensity, EveryPictureIsTheDensityTimesItsOneXSize) {
    TablePictures one;
    std::string error;
    ASSERT_TRUE(Load(1, 1, one, &error)) << error;
    EXPECT_EQ(one.Density, 1);
    EXPECT_EQ(one.Felt.Width, 800);
    for (const int k : {2, 3}) {
        SCOPED_TRACE(k);
        TablePictures sharp;
        ASSERT_TRUE(Load(k, k, sharp, &error)) << error;
        EXPECT_EQ(sharp.Density, k);
        const std::pair<const platform::Surface*, const platform::Surface*> pairs[] = {
            {&one.Felt, &sharp.Felt},
            {&one.CardBack, &sharp.CardBack},
            {&one.CardFaces[0], &sharp.CardFaces[0]},
            {&one.Face(one.CardsLoaded - 1), &sharp.Face(sharp.CardsLoaded - 1)},
            {&one.SuitIcons[3], &sharp.SuitIcons[3]},
            {&one.PassBanner, &sharp.PassBanner},
            {&one.ScorePage, &sharp.ScorePage},
            {&one.PickFrame, &sharp.PickFrame},
            {&one.ScoreRuleTop, &sharp.ScoreRuleTop},
            {&one.ScoreRuleSide, &sharp.ScoreRuleSide},
            {&one.Pointer, &sharp.Pointer},
            {&one.ClockFont.Picture, &sharp.ClockFont.Picture},
            {&one.ScoreLineFonts[10].Pixels(), &sharp.ScoreLineFonts[10].Pixels()},
        };
        for (const auto& [a, b] : pairs) {
            ASSERT_FALSE(a->Empty());
            EXPECT_EQ(b->Width, a->Width * k);
            EXPECT_EQ(b->Height, a->Height * k);
            EXPECT_TRUE(b->HasKey || b == &sharp.Felt) << "keyed as at 1x";
        }
        EXPECT_EQ(sharp.CardsLoaded, one.CardsLoaded);
        // The rules page of the game played, drawn opaque over the table: decoded when it
        // is first shown, from the file kept in memory (the tree is gone by then).
        const platform::Surface& page = sharp.RulesPages[size_t(game->Options.Variant)];
        EXPECT_TRUE(page.Empty()) << "not decoded before it is shown";
        ASSERT_TRUE(ShowRulesPage(sharp, *game, &error)) << error;
        EXPECT_TRUE(sharp.RulesPageFile.empty()) << "the file goes once decoded";
        EXPECT_EQ(page.Width, kRulesPageWidth * k);
        EXPECT_EQ(page.Height, kRulesPageHeight * k);
        EXPECT_FALSE(page.HasKey);
        // The second pack's face is the first's picture, not a copy of it; the score
        // page's lines share the handwriting's.
        EXPECT_EQ(&sharp.Face(52), &sharp.Face(0));
        EXPECT_TRUE(sharp.CardFaces[52].Empty());
        EXPECT_EQ(&sharp.ScoreLineFonts[3].Pixels(), &sharp.HandwritingFont.Picture);
        // Text is laid out in table units at every density.
        for (const BitmapFont* f : {&sharp.ClockFont, &sharp.HandwritingFont,
                                    &sharp.ScoreLineFonts[0], &sharp.GiltFont}) {
            EXPECT_EQ(f->CellWidth, 19);
            EXPECT_EQ(f->CellHeight, 27);
            EXPECT_EQ(f->Density, k);
        }
    }
}

// A set without a picture the table needs stops the game with its message for a missing
// file, naming the picture of that set.
TEST_F(PicturesAtDensity, APictureTheSetLacksIsAMissingFile) {
    struct Case {
        int unpacked, loaded;
        const char* missing;  // removed from the tree, or null
        const char* named;
    };
    const Case cases[] = {
        {1, 2, nullptr, "Back_800x600@2x.bmp"},  // a tree of another density
        {3, 3, "Royal/S_cardback@3x.png", "S_cardback@3x.png"},
        {2, 2, "fntFonts/fntDigit@2x.png", "fntDigit@2x.png"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.named);
        TablePictures pics;
        std::string error;
        const bool ok = Load(c.unpacked, c.loaded, pics, &error, [&](const fs::path& res) {
            if (c.missing) fs::remove(res / c.missing);
        });
        EXPECT_FALSE(ok);
        EXPECT_EQ(error.rfind("Error in function ", 0), 0u) << error;
        EXPECT_NE(error.find("Error Number: 53"), std::string::npos) << error;
        EXPECT_NE(error.find(c.named), std::string::npos) << error;
    }
}

// The table keeps only the rules page of the game being played: the others' pages would be
// some 7 MB each at 3x, never shown.
TEST_F(PicturesAtDensity, OnlyTheRulesPageOfTheGameBeingPlayedIsLoaded) {
    const fs::path app = folder.Path() / "rules";
    fs::create_directories(app);
    fs::copy_file(kBuiltPak, app / "res134.pak");
    UnpackOptions unpack;
    unpack.ArchiveFolder = app;
    ResourceTree tree;
    std::string error;
    ASSERT_TRUE(UnpackResources(unpack, platform::ConvertJpegToBmp, &tree, &error)) << error;
    TablePictures pics;
    for (int v = 0; v < kVariantCount; ++v) {
        SCOPED_TRACE(kVariantNames[v]);
        GameInit(*game, DefaultOptions(GameVariant(v)), Services{&clock, &rng, &sound, nullptr});
        ASSERT_TRUE(LoadPictures(null, tree, *game, pics, &error)) << error;
        ASSERT_TRUE(ShowRulesPage(pics, *game, &error)) << error;
        for (int w = 0; w < kVariantCount; ++w) {
            const platform::Surface& page = pics.RulesPages[size_t(w)];
            if (w != v) {
                EXPECT_TRUE(page.Empty()) << "the page of " << kVariantNames[w];
                continue;
            }
            EXPECT_EQ(page.Width, kRulesPageWidth);
            EXPECT_EQ(page.Height, kRulesPageHeight);
            EXPECT_FALSE(page.HasKey);
        }
    }
    ReleasePictures(pics);
    for (const platform::Surface& page : pics.RulesPages)
        EXPECT_TRUE(page.Empty());
    DeleteResources(tree);
}

// ---- the four-colour suits ----------------------------------------------------------------

// What a painted pixel of a card or banner is, by its hue: the ink of one of the four
// colours, or anything else (the white of the card, pale antialiasing, a figure's colours
// that are none of these).
enum class Ink { Green, Blue, Red, Black, Other };

Ink InkOf(uint16_t p) {
    const int r = (p >> 11) * 255 / 31, g = ((p >> 5) & 63) * 255 / 63, b = (p & 31) * 255 / 31;
    if (p == platform::kArtKey565) return Ink::Other;
    if (std::max({r, g, b}) < 80 && std::max({r, g, b}) - std::min({r, g, b}) < 30)
        return Ink::Black;
    if (g > r + 50 && g > b + 30) return Ink::Green;
    if (b > r + 60 && b > g + 30) return Ink::Blue;
    if (r > g + 90 && r > b + 90) return Ink::Red;
    return Ink::Other;
}

// How many pixels of each ink a picture has in its middle half (for the Fives, the middle
// pip, clear of the card's outline).
std::map<Ink, int> InksInTheMiddle(const platform::Surface& s) {
    std::map<Ink, int> count;
    for (int y = s.Height / 4; y < s.Height * 3 / 4; ++y)
        for (int x = s.Width / 4; x < s.Width * 3 / 4; ++x)
            ++count[InkOf(s.At(x, y))];
    return count;
}

// The pips and the suit banners in each deck, with and without the four-colour suits: the
// clubs green and the diamonds blue only when asked for, the hearts red and the spades black
// either way, and not a pixel of another suit's ink.
TEST_F(PicturesAtDensity, TheFourColourSuitsInkTheClubsGreenAndTheDiamondsBlue) {
    const fs::path app = folder.Path() / "four-colour";
    fs::create_directories(app);
    fs::copy_file(kBuiltPak, app / "res134.pak");
    UnpackOptions unpack;
    unpack.ArchiveFolder = app;
    ResourceTree tree;
    std::string error;
    ASSERT_TRUE(UnpackResources(unpack, platform::ConvertJpegToBmp, &tree, &error)) << error;
    struct Case {
        int suit;
        Ink usual, fourColour;
    };
    const Case cases[] = {
        {kClubs, Ink::Black, Ink::Green},
        {kDiamonds, Ink::Red, Ink::Blue},
        {kHearts, Ink::Red, Ink::Red},
        {kSpades, Ink::Black, Ink::Black},
    };
    for (std::string_view deck : kDeckNames) {
        for (const bool fourColour : {false, true}) {
            GameOptions options = DefaultOptions(GameVariant::Tarrabel);
            options.DeckName = deck;
            options.FourColourSuits = fourColour;
            GameInit(*game, options, Services{&clock, &rng, &sound, nullptr});
            TablePictures pics;
            ASSERT_TRUE(LoadPictures(null, tree, *game, pics, &error)) << error;
            for (const Case& c : cases) {
                SCOPED_TRACE(testing::Message() << deck << (fourColour ? " four-colour " : " ")
                                                << kSuitFileNames[size_t(c.suit)]);
                const Ink want = fourColour ? c.fourColour : c.usual;
                int five = 0;
                while (game->Cards->Rank[five] != 5 || game->Cards->Suit[five] != c.suit)
                    ++five;
                const std::map<Ink, int> pip = InksInTheMiddle(pics.Face(five));
                const std::map<Ink, int> banner = InksInTheMiddle(pics.SuitIcons[size_t(c.suit)]);
                for (const Ink ink : {Ink::Green, Ink::Blue, Ink::Red, Ink::Black}) {
                    const auto n = [ink](const std::map<Ink, int>& m) {
                        const auto it = m.find(ink);
                        return it == m.end() ? 0 : it->second;
                    };
                    if (ink == want) {
                        EXPECT_GT(n(pip), 60) << "the Five's middle pip";
                        EXPECT_GT(n(banner), 60) << "the banner's sign and name";
                    } else {
                        EXPECT_EQ(n(pip), 0) << "the Five's middle pip, ink " << int(ink);
                        EXPECT_EQ(n(banner), 0) << "the banner, ink " << int(ink);
                    }
                }
            }
        }
    }
    DeleteResources(tree);
}

}  // namespace
}  // namespace tarrabel::test
