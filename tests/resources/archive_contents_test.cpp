// The res134.pak this build made: every entry unpacks into the tree, every picture has the
// size the table relies on (a card the height of its deck in the layout) and the key colour
// exactly where the table shows through, the pointer its tip on the hot spot, every font
// its cell grid with each glyph clear of its cell's edges, every sound is the PCM format
// the sound layer loads, and the clean-up leaves nothing behind.
#include <SDL.h>
#include <SDL_image.h>
#include <gtest/gtest.h>

#include <algorithm>
#include <cctype>
#include <filesystem>
#include <map>
#include <memory>
#include <set>
#include <string>
#include <string_view>

#include "core/cards.h"
#include "core/options.h"
#include "pak_fixture.h"
#include "platform/picture_convert.h"
#include "platform/picture_load.h"
#include "platform/surface.h"
#include "resources/density_names.h"
#include "resources/four_colour_names.h"
#include "resources/pak_archive.h"
#include "resources/unpack.h"
#include "rules/rules_text.h"

namespace tarrabel::test {
namespace {

namespace fs = std::filesystem;

#ifdef TARRABEL_PAK_PATH
constexpr const char* kBuiltPak = TARRABEL_PAK_PATH;
#else
constexpr const char* kBuiltPak = "";
#endif

using SurfacePtr = std::unique_ptr<SDL_Surface, decltype(&SDL_FreeSurface)>;

SurfacePtr LoadRgb(const fs::path& path) {
    SurfacePtr loaded(SDL_LoadBMP(path.c_str()), SDL_FreeSurface);
    if (!loaded) return SurfacePtr(nullptr, SDL_FreeSurface);
    return SurfacePtr(SDL_ConvertSurfaceFormat(loaded.get(), SDL_PIXELFORMAT_RGB888, 0),
                      SDL_FreeSurface);
}

bool IsKey(const SDL_Surface* s, int x, int y) {
    const auto* row = static_cast<const uint8_t*>(s->pixels) + y * s->pitch;
    const uint32_t p = reinterpret_cast<const uint32_t*>(row)[x] & 0xFFFFFF;
    return p == 0xFF00FF;
}

int CountKey(const SDL_Surface* s, int x0, int y0, int w, int h) {
    int n = 0;
    for (int y = y0; y < y0 + h; ++y)
        for (int x = x0; x < x0 + w; ++x)
            n += IsKey(s, x, y) ? 1 : 0;
    return n;
}

// The pictures the table draws, each with the size it must have.
struct Expected {
    std::string Folder, File;
    int Width, Height;  // 0: any size up to the limit below
};

// The four-colour suits' pictures are among them, each beside the picture it stands for.
std::vector<Expected> ExpectedPictures() {
    std::vector<Expected> list;
    // Every card picture has the height the table lays its deck out with.
    for (std::string_view name : kDeckNames) {
        const std::string deck(name);
        const int height = CardHeightOf(deck);
        for (auto name : kPackFileNames) {
            list.push_back({deck, std::string(name), 108, height});
            if (HasFourColourPicture(name))
                list.push_back({deck, SuitColourPictureName(name, true), 108, height});
        }
        for (auto name : kJokerFileNames)
            list.push_back({deck, std::string(name), 108, height});
        list.push_back({deck, "S_cardback.bmp", 108, height});
        list.push_back({deck, "FrameBlue.bmp", 108, height});
    }
    for (auto name : kSuitFileNames) {
        list.push_back({"Numbers", std::string(name), 182, 41});
        if (HasFourColourPicture(name))
            list.push_back({"Numbers", SuitColourPictureName(name, true), 182, 41});
    }
    list.push_back({"Numbers", std::string(kPassFileName), 182, 41});
    list.push_back({"Bitmaps", "mouse.bmp", 32, 32});
    list.push_back({"Bitmaps", "Scorepage_800x600.bmp", 0, 0});
    list.push_back({"Bitmaps", "line_horz.bmp", 0, 0});
    list.push_back({"Bitmaps", "line_vert.bmp", 0, 0});
    return list;
}

class BuiltArchive : public ::testing::Test {
  protected:
    void SetUp() override {
        if (std::string(kBuiltPak).empty() || !fs::exists(kBuiltPak))
            GTEST_SKIP() << "this build makes no res134.pak";
        fs::copy_file(kBuiltPak, folder.Path() / "res134.pak");
        UnpackOptions options;
        options.ArchiveFolder = folder.Path();
        std::string error;
        ASSERT_TRUE(UnpackResources(options, platform::ConvertJpegToBmp, &tree, &error)) << error;
    }
    void TearDown() override {
        if (!tree.Root.empty()) DeleteResources(tree);
    }
    fs::path In(const std::string& folderName, const std::string& file) const {
        return tree.Root / "res" / folderName / file;
    }

    TempFolder folder;
    ResourceTree tree;
};

TEST_F(BuiltArchive, EveryEntryIsAFileOfTheTreeOrAMarker) {
    PakArchive pak;
    std::string error;
    ASSERT_TRUE(pak.Open(kBuiltPak, &error)) << error;
    std::set<std::string> files;
    int markers = 0;
    for (int32_t i = 0; i < pak.EntryCount(); ++i) {
        EntryTarget target;
        ASSERT_TRUE(ClassifyEntry(pak.EntryName(i), &target, &error)) << error;
        if (target.Marker) {
            ++markers;
            continue;
        }
        const std::string rel =
            std::string(kResourceFolders[target.Folder].Name) + "/" + target.FileName;
        EXPECT_TRUE(files.insert(rel).second) << rel << " is packed twice";
        // The tree of a table at 1x holds every entry but the pictures of the sharper sets.
        EXPECT_EQ(fs::exists(tree.Root / "res" / rel), EntryIsUnpackedAt(target, 1)) << rel;
    }
    EXPECT_GE(markers, 1);
    // Every picture at 1x, 2x and 3x, the fonts and the table background with them.
    std::vector<Expected> pictures = ExpectedPictures();
    for (const char* font : {"fntHandParker.bmp", "fntDigit.bmp", "fntDeluxe.bmp"})
        pictures.push_back({"fntFonts", font, 0, 0});
    pictures.push_back({"Bitmaps", std::string(kBackgroundJpeg), 0, 0});
    for (std::string_view page : kRulesPageFileNames)
        pictures.push_back({"Bitmaps", std::string(page), 0, 0});
    for (const Expected& e : pictures) {
        for (int density = 1; density <= kMaxDensity; ++density) {
            const std::string name = e.Folder + "/" + DensityPictureName(e.File, density);
            EXPECT_TRUE(files.count(name)) << name;
        }
    }
}

TEST_F(BuiltArchive, PicturesHaveTheirSizesAndKeyColour) {
    for (const Expected& e : ExpectedPictures()) {
        SCOPED_TRACE(e.Folder + "/" + e.File);
        SurfacePtr s = LoadRgb(In(e.Folder, e.File));
        ASSERT_TRUE(s) << SDL_GetError();
        if (e.Width > 0) {
            EXPECT_EQ(s->w, e.Width);
            EXPECT_EQ(s->h, e.Height);
        }
        EXPECT_GT(CountKey(s.get(), 0, 0, s->w, s->h), 0) << "no key colour at all";
        EXPECT_LT(CountKey(s.get(), 0, 0, s->w, s->h), s->w * s->h) << "nothing painted";
    }
    // The score page is drawn whole at (156, 4): it must fit the 800 x 600 table there.
    SurfacePtr page = LoadRgb(In("Bitmaps", "Scorepage_800x600.bmp"));
    ASSERT_TRUE(page);
    EXPECT_LE(page->w, 644);
    EXPECT_LE(page->h, 596);
}

TEST_F(BuiltArchive, CardsShowTheTableAtTheirCornersOnly) {
    for (const char* deck : {"Royal", "Roya2", "Roya3"}) {
        for (auto name : {"AC.BMP", "10H.BMP", "QS.BMP", "KD.BMP", "S_joker.BMP", "S_joker2.BMP",
                          "S_cardback.bmp"}) {
            SCOPED_TRACE(std::string(deck) + "/" + name);
            SurfacePtr s = LoadRgb(In(deck, name));
            ASSERT_TRUE(s);
            const int w = s->w, h = s->h;
            for (auto [x, y] : {std::pair{0, 0}, {w - 1, 0}, {0, h - 1}, {w - 1, h - 1}})
                EXPECT_TRUE(IsKey(s.get(), x, y)) << "corner " << x << "," << y;
            EXPECT_EQ(CountKey(s.get(), 10, 10, w - 20, h - 20), 0) << "a hole in the card";
            EXPECT_FALSE(IsKey(s.get(), w / 2, 0)) << "the top edge is cut";
            EXPECT_FALSE(IsKey(s.get(), 0, h / 2)) << "the left edge is cut";
        }
        SurfacePtr frame = LoadRgb(In(deck, "FrameBlue.bmp"));
        ASSERT_TRUE(frame);
        EXPECT_TRUE(IsKey(frame.get(), frame->w / 2, frame->h / 2)) << deck << " frame centre";
        EXPECT_FALSE(IsKey(frame.get(), frame->w / 2, 1)) << deck << " frame edge";
    }
}

// The table converts every picture to its 16-bit format and leaves out the pixels equal to
// the key there: those must be exactly the pixels painted as the key, never a painted colour
// close enough to magenta to reduce to it.
TEST_F(BuiltArchive, OnlyThePixelsPaintedAsTheKeyAreLeftOutOnTheTable) {
    int pictures = 0;
    for (const auto& entry : fs::recursive_directory_iterator(tree.Root / "res")) {
        const fs::path& path = entry.path();
        std::string ext = path.extension().string();
        for (char& c : ext)
            c = char(std::tolower(static_cast<unsigned char>(c)));
        // The cloth is drawn opaque: it has no key.
        if (ext != ".bmp" || path.filename() == "Back_800x600.bmp") continue;
        SCOPED_TRACE(path.lexically_relative(tree.Root).string());
        ++pictures;
        SurfacePtr rgb = LoadRgb(path);
        platform::Surface table;
        std::string error;
        ASSERT_TRUE(rgb) << SDL_GetError();
        ASSERT_TRUE(platform::LoadBmpPicture(path.string(), &table, &error)) << error;
        ASSERT_EQ(table.Width, rgb->w);
        ASSERT_EQ(table.Height, rgb->h);
        int vanish = 0;
        std::string first;
        for (int y = 0; y < rgb->h; ++y) {
            for (int x = 0; x < rgb->w; ++x) {
                const bool keyOnTable = table.Row(y)[x] == platform::kArtKey565;
                if (keyOnTable == IsKey(rgb.get(), x, y)) continue;
                if (vanish++ == 0) first = std::to_string(x) + "," + std::to_string(y);
            }
        }
        EXPECT_EQ(vanish, 0) << "pixels painted but keyed out on the table (or the other way "
                                "round), the first at "
                             << first;
    }
    EXPECT_GT(pictures, 3 * 56) << "the three decks alone";
}

// The game draws the pointer picture 16 pixels up and left of the pointer's position: the
// arrow's tip must be pixel (16, 16), with nothing of the arrow above or left of it.
TEST_F(BuiltArchive, ThePointersTipIsItsHotSpot) {
    SurfacePtr s = LoadRgb(In("Bitmaps", "mouse.bmp"));
    ASSERT_TRUE(s);
    ASSERT_EQ(s->w, 32);
    ASSERT_EQ(s->h, 32);
    EXPECT_FALSE(IsKey(s.get(), 16, 16)) << "the tip";
    EXPECT_FALSE(IsKey(s.get(), 16, 20)) << "the arrow's left edge runs down from the tip";
    EXPECT_EQ(CountKey(s.get(), 0, 0, 32, 16), 32 * 16) << "arrow above the tip";
    EXPECT_EQ(CountKey(s.get(), 0, 0, 16, 32), 16 * 32) << "arrow left of the tip";
}

// Each game's rules page is a whole sheet the table draws opaque: painted to every pixel,
// with no key colour for the cloth to show through.
TEST_F(BuiltArchive, TheRulesPagesAreWholeSheets) {
    for (std::string_view page : kRulesPageFileNames) {
        SCOPED_TRACE(page);
        SurfacePtr s = LoadRgb(In("Bitmaps", std::string(page)));
        ASSERT_TRUE(s) << SDL_GetError();
        EXPECT_EQ(s->w, kRulesPageWidth);
        EXPECT_EQ(s->h, kRulesPageHeight);
        EXPECT_EQ(CountKey(s.get(), 0, 0, s->w, s->h), 0);
    }
}

TEST_F(BuiltArchive, TheTableBackgroundArrivesAsJpegAndBitmap) {
    SurfacePtr back = LoadRgb(In("Bitmaps", "Back_800x600.bmp"));
    ASSERT_TRUE(back) << SDL_GetError();
    EXPECT_EQ(back->w, 800);
    EXPECT_EQ(back->h, 600);
    EXPECT_TRUE(fs::exists(In("Bitmaps", "Back_800x600.jpg")));
}

TEST_F(BuiltArchive, FontsAreGridsOfCellsFromTheSpaceOn) {
    constexpr int kCellW = 19, kCellH = 27, kColumns = 20;
    constexpr int kCells = '~' - ' ' + 1;
    for (const char* font : {"fntHandParker.bmp", "fntDigit.bmp", "fntDeluxe.bmp"}) {
        SCOPED_TRACE(font);
        SurfacePtr s = LoadRgb(In("fntFonts", font));
        ASSERT_TRUE(s);
        EXPECT_EQ(s->w, kCellW * kColumns);
        ASSERT_GE(s->h, kCellH * ((kCells + kColumns - 1) / kColumns));
        auto cellPainted = [&](char c) {
            const int k = c - ' ';
            const int x = (k % kColumns) * kCellW, y = (k / kColumns) * kCellH;
            return CountKey(s.get(), x, y, kCellW, kCellH) < kCellW * kCellH;
        };
        EXPECT_FALSE(cellPainted(' ')) << "the space must be blank";
        for (char c : std::string("0123456789:AMP"))
            EXPECT_TRUE(cellPainted(c)) << c;
    }
    SurfacePtr hand = LoadRgb(In("fntFonts", "fntHandParker.bmp"));
    ASSERT_TRUE(hand);
    for (char c : std::string("MeWonlst!"))
        EXPECT_LT(CountKey(hand.get(), ((c - ' ') % kColumns) * kCellW,
                           ((c - ' ') / kColumns) * kCellH, kCellW, kCellH),
                  kCellW * kCellH)
            << c;
}

// The game blits whole 19 x 27 cells 17 pixels apart. Every glyph keeps two clear columns
// each side, so neighbours never touch, and a clear top and bottom row: ink reaching a cell's
// edge would be a glyph cut off there, or one spilling into the next cell.
TEST_F(BuiltArchive, GlyphsKeepClearOfTheirCellEdges) {
    constexpr int kCellW = 19, kCellH = 27, kColumns = 20;
    constexpr int kCells = '~' - ' ' + 1;
    for (const char* font : {"fntHandParker.bmp", "fntDigit.bmp", "fntDeluxe.bmp"}) {
        SCOPED_TRACE(font);
        SurfacePtr s = LoadRgb(In("fntFonts", font));
        ASSERT_TRUE(s);
        ASSERT_GE(s->w, kCellW * kColumns);
        ASSERT_GE(s->h, kCellH * ((kCells + kColumns - 1) / kColumns));
        std::string touching;
        for (int k = 0; k < kCells; ++k) {
            const int x = (k % kColumns) * kCellW, y = (k / kColumns) * kCellH;
            const int clear = CountKey(s.get(), x, y, 2, kCellH) +
                              CountKey(s.get(), x + kCellW - 2, y, 2, kCellH) +
                              CountKey(s.get(), x + 2, y, kCellW - 4, 1) +
                              CountKey(s.get(), x + 2, y + kCellH - 1, kCellW - 4, 1);
            if (clear != 4 * kCellH + 2 * (kCellW - 4)) touching += char(' ' + k);
        }
        EXPECT_EQ(touching, "") << "glyphs reaching their cell's edge";
    }
}

TEST_F(BuiltArchive, SoundsAreStereoSixteenBitPcmAt22050) {
    for (auto name : {"CARD_FLIP.WAV", "CARD_FLIP2.WAV", "CARD_FLIP3.WAV", "SIGN1.WAV", "SIGN2.WAV",
                      "SIGN3.WAV", "SHUFFLE.WAV", "INTRO.WAV", "WIN_GAME.WAV", "LOSE_GAME.WAV"}) {
        SCOPED_TRACE(name);
        SDL_AudioSpec spec{};
        Uint8* data = nullptr;
        Uint32 length = 0;
        ASSERT_TRUE(SDL_LoadWAV(In("Sounds", name).c_str(), &spec, &data, &length))
            << SDL_GetError();
        EXPECT_EQ(spec.freq, 22050);
        EXPECT_EQ(spec.channels, 2);
        EXPECT_EQ(spec.format, AUDIO_S16LSB);
        EXPECT_GT(length, 4u * 22050 / 50) << "shorter than 20 ms";
        EXPECT_LT(length, 4u * 22050 * 4) << "longer than 4 s";
        // No clipping: the loudest sample stays clear of full scale.
        int peak = 0;
        const auto* samples = reinterpret_cast<const int16_t*>(data);
        for (Uint32 i = 0; i < length / 2; ++i)
            peak = std::max(peak, std::abs(int(samples[i])));
        EXPECT_LT(peak, 32000);
        EXPECT_GT(peak, 1000) << "silent";
        SDL_FreeWAV(data);
    }
}

TEST_F(BuiltArchive, CleanUpLeavesOnlyTheArchive) {
    ASSERT_TRUE(DeleteResources(tree));
    tree = ResourceTree{};
    std::set<std::string> left;
    for (const auto& e : fs::directory_iterator(folder.Path()))
        left.insert(e.path().filename().string());
    EXPECT_EQ(left, std::set<std::string>{"res134.pak"});
}

// --- The sharper sets ---------------------------------------------------------------------
//
// The same archive unpacked for a table at 1x and for one at 2x or 3x: every picture of the
// sharper set is the 1x picture drawn again at that many pixels per table unit, the same
// shape (where the table shows through), the same layout inside it.

bool IsKey565(const platform::Surface& s, int x, int y) {
    return s.At(x, y) == platform::kArtKey565;
}

// Whether the picture has a pixel keyed (or painted) within one pixel of (x, y); past the
// picture's edge counts as keyed, for the table shows there. A sharper picture's pixel
// agrees with the 1x picture when the 1x picture has its kind that near: the pixel of
// antialiasing either way that an edge drawn at another size may fall on.
bool KindWithinAPixel(const platform::Surface& s, int x, int y, bool key) {
    for (int dy = -1; dy <= 1; ++dy) {
        for (int dx = -1; dx <= 1; ++dx) {
            const int px = x + dx, py = y + dy;
            const bool outside = px < 0 || py < 0 || px >= s.Width || py >= s.Height;
            if ((outside || IsKey565(s, px, py)) == key) return true;
        }
    }
    return false;
}

// The ink of a card's corner index: its red or near-black pixels.
bool IsIndexInk(uint16_t p) {
    const int r = p >> 11, g = (p >> 5) & 63, b = p & 31;
    if (p == platform::kArtKey565) return false;
    const bool red = r >= 20 && g < 24 && b < 12;
    const bool black = r < 8 && g < 16 && b < 8;
    return red || black;
}

struct Box {
    int Left = 1 << 30, Top = 1 << 30, Right = -1, Bottom = -1;  // Right, Bottom: last pixel
    bool Empty() const { return Right < 0; }
};

// The box round the index ink inside the card's top-left corner, a region given in table
// units (so the same region at every density), clear of the card's outline and its rounded
// corner.
Box CornerIndexBox(const platform::Surface& card, int density) {
    constexpr int kFrom = 4, kToX = 15, kToY = 40;
    Box box;
    for (int y = kFrom * density; y < kToY * density; ++y) {
        for (int x = kFrom * density; x < kToX * density; ++x) {
            if (!IsIndexInk(card.At(x, y))) continue;
            box.Left = std::min(box.Left, x), box.Right = std::max(box.Right, x);
            box.Top = std::min(box.Top, y), box.Bottom = std::max(box.Bottom, y);
        }
    }
    return box;
}

class DensitySets : public ::testing::TestWithParam<int> {
  protected:
    void SetUp() override {
        if (std::string(kBuiltPak).empty() || !fs::exists(kBuiltPak))
            GTEST_SKIP() << "this build makes no res134.pak";
        for (int i = 0; i < 2; ++i) {
            fs::create_directories(folder.Path() / std::to_string(i));
            fs::copy_file(kBuiltPak, folder.Path() / std::to_string(i) / "res134.pak");
            UnpackOptions options;
            options.ArchiveFolder = folder.Path() / std::to_string(i);
            options.Density = i == 0 ? 1 : GetParam();
            std::string error;
            ASSERT_TRUE(UnpackResources(options, platform::ConvertJpegToBmp, &trees[i], &error))
                << error;
        }
    }
    void TearDown() override {
        for (ResourceTree& t : trees)
            if (!t.Root.empty()) DeleteResources(t);
    }
    // The picture `file` (its 1x name) of `folderName` at 1x (sharp false) or at the density.
    platform::Surface Load(const std::string& folderName, const std::string& file, bool sharp) {
        const int density = sharp ? GetParam() : 1;
        const fs::path path =
            trees[sharp ? 1 : 0].Root / "res" / folderName / DensityPictureName(file, density);
        platform::Surface s;
        std::string error;
        EXPECT_TRUE(platform::LoadPictureFile(path.string(), &s, &error)) << error;
        return s;
    }

    TempFolder folder;
    ResourceTree trees[2];
};

// Named x2 and x3; built by appending (g++ 12 warns falsely, -Wrestrict, about "x" + string).
INSTANTIATE_TEST_SUITE_P(Density, DensitySets, ::testing::Values(2, 3), [](const auto& info) {
    std::string name = "x";
    name += std::to_string(info.param);
    return name;
});

TEST_P(DensitySets, OnlyThatSetAndTheSoundsAreUnpacked) {
    const int k = GetParam();
    int pictures = 0;
    for (const auto& entry : fs::recursive_directory_iterator(trees[1].Root / "res")) {
        if (!entry.is_regular_file()) continue;
        const std::string file = entry.path().filename().string();
        if (!IsPictureFile(file)) {
            EXPECT_EQ(entry.path().parent_path().filename(), "Sounds") << file;
            continue;
        }
        ++pictures;
        EXPECT_EQ(DensityOfFileName(file), k) << file;
    }
    EXPECT_GT(pictures, 3 * 56) << "the three decks alone";
    EXPECT_TRUE(fs::exists(trees[1].Root / "res/Sounds/CARD_FLIP.WAV"));
}

TEST_P(DensitySets, EveryPictureIsTheOneXPictureAtKTimesItsSizeWithTheSameOutline) {
    const int k = GetParam();
    // The fonts' fine strokes are not an outline: a hairline the 1x cell drops may show at
    // 2x. Their cells are checked below.
    for (const Expected& e : ExpectedPictures()) {
        SCOPED_TRACE(e.Folder + "/" + DensityPictureName(e.File, k));
        const platform::Surface one = Load(e.Folder, e.File, false);
        const platform::Surface sharp = Load(e.Folder, e.File, true);
        ASSERT_FALSE(one.Empty());
        ASSERT_EQ(sharp.Width, one.Width * k);
        ASSERT_EQ(sharp.Height, one.Height * k);
        // Each 1x pixel stands for a k x k block: the block is keyed where the 1x picture is
        // keyed, and painted where it is painted, up to a pixel at the outline's edges.
        int differ = 0;
        std::string first;
        for (int y = 0; y < sharp.Height; ++y) {
            for (int x = 0; x < sharp.Width; ++x) {
                if (KindWithinAPixel(one, x / k, y / k, IsKey565(sharp, x, y))) continue;
                if (differ++ == 0) first = std::to_string(x) + "," + std::to_string(y);
            }
        }
        EXPECT_EQ(differ, 0) << "pixels away from the 1x outline's edges that change, the first at "
                             << first;
    }
}

TEST_P(DensitySets, TheCardsCornerIndexSitsWhereTheOneXIndexSits) {
    const int k = GetParam();
    for (const char* deck : {"Royal", "Roya2", "Roya3"}) {
        // Cards without a court figure's frame, whose hairlines a sharper picture shows near
        // the index where the 1x picture blurs them away.
        for (const char* name : {"AC.BMP", "2H.BMP", "5C.BMP", "10D.BMP"}) {
            SCOPED_TRACE(std::string(deck) + "/" + name);
            const Box one = CornerIndexBox(Load(deck, name, false), 1);
            const Box sharp = CornerIndexBox(Load(deck, name, true), k);
            ASSERT_FALSE(one.Empty()) << "no index at 1x";
            ASSERT_FALSE(sharp.Empty()) << "no index";
            // Edges in pixels of the sharp picture: the 1x box's edges, scaled, within one 1x
            // pixel and a little antialiasing either way.
            const int tolerance = k + 1;
            EXPECT_NEAR(sharp.Left, one.Left * k, tolerance);
            EXPECT_NEAR(sharp.Top, one.Top * k, tolerance);
            EXPECT_NEAR(sharp.Right + 1, (one.Right + 1) * k, tolerance);
            EXPECT_NEAR(sharp.Bottom + 1, (one.Bottom + 1) * k, tolerance);
        }
    }
}

TEST_P(DensitySets, FontsKeepTheirCellGridAtKTimesTheCellSize) {
    const int k = GetParam();
    constexpr int kCellW = 19, kCellH = 27, kColumns = 20;
    constexpr int kCells = '~' - ' ' + 1;
    for (const char* font : {"fntHandParker.bmp", "fntDigit.bmp", "fntDeluxe.bmp"}) {
        SCOPED_TRACE(font);
        const platform::Surface one = Load("fntFonts", font, false);
        const platform::Surface sharp = Load("fntFonts", font, true);
        ASSERT_EQ(sharp.Width, kColumns * kCellW * k);
        ASSERT_GE(sharp.Height, ((kCells + kColumns - 1) / kColumns) * kCellH * k);
        auto painted = [](const platform::Surface& s, int x0, int y0, int w, int h) {
            int n = 0;
            for (int y = y0; y < y0 + h; ++y)
                for (int x = x0; x < x0 + w; ++x)
                    n += IsKey565(s, x, y) ? 0 : 1;
            return n;
        };
        std::string blankOnlyOnce, touching;
        for (int c = 0; c < kCells; ++c) {
            const int x = (c % kColumns) * kCellW, y = (c / kColumns) * kCellH;
            const bool oneInk = painted(one, x, y, kCellW, kCellH) > 0;
            const bool sharpInk = painted(sharp, x * k, y * k, kCellW * k, kCellH * k) > 0;
            if (oneInk != sharpInk) blankOnlyOnce += char(' ' + c);
            // Two table units clear each side, one above and below, as at 1x.
            const int edge = painted(sharp, x * k, y * k, 2 * k, kCellH * k) +
                             painted(sharp, (x + kCellW - 2) * k, y * k, 2 * k, kCellH * k) +
                             painted(sharp, x * k, y * k, kCellW * k, 1) +
                             painted(sharp, x * k, (y + kCellH) * k - 1, kCellW * k, 1);
            if (edge > 0) touching += char(' ' + c);
        }
        EXPECT_EQ(blankOnlyOnce, "") << "characters drawn at one size only";
        EXPECT_EQ(touching, "") << "glyphs reaching their cell's edge";
    }
}

TEST_P(DensitySets, TheRulesPagesAreWholeSheetsAtKTimesTheirSize) {
    const int k = GetParam();
    for (std::string_view page : kRulesPageFileNames) {
        SCOPED_TRACE(page);
        const platform::Surface one = Load("Bitmaps", std::string(page), false);
        const platform::Surface sharp = Load("Bitmaps", std::string(page), true);
        ASSERT_EQ(one.Width, kRulesPageWidth);
        EXPECT_EQ(sharp.Width, one.Width * k);
        EXPECT_EQ(sharp.Height, one.Height * k);
        int keyed = 0;
        for (int y = 0; y < sharp.Height; ++y)
            for (int x = 0; x < sharp.Width; ++x)
                keyed += IsKey565(sharp, x, y) ? 1 : 0;
        EXPECT_EQ(keyed, 0);
    }
}

TEST_P(DensitySets, TheTableBackgroundArrivesAtKTimesTheTable) {
    const int k = GetParam();
    const fs::path bitmaps = trees[1].Root / "res/Bitmaps";
    SurfacePtr back = LoadRgb(bitmaps / DensityPictureName(kBackgroundJpeg, k, true));
    ASSERT_TRUE(back) << SDL_GetError();
    EXPECT_EQ(back->w, 800 * k);
    EXPECT_EQ(back->h, 600 * k);
    EXPECT_TRUE(fs::exists(bitmaps / DensityPictureName(kBackgroundJpeg, k)));
}

// The table leaves out the pixels equal to its key in its 16-bit format: in the sharper sets
// too, exactly the pixels painted as the key.
TEST_P(DensitySets, OnlyThePixelsPaintedAsTheKeyAreLeftOutOnTheTable) {
    int pictures = 0;
    for (const auto& entry : fs::recursive_directory_iterator(trees[1].Root / "res")) {
        const fs::path& path = entry.path();
        if (path.extension() != ".png") continue;
        SCOPED_TRACE(path.filename().string());
        ++pictures;
        SurfacePtr loaded(IMG_Load(path.c_str()), SDL_FreeSurface);
        ASSERT_TRUE(loaded) << IMG_GetError();
        SurfacePtr rgb(SDL_ConvertSurfaceFormat(loaded.get(), SDL_PIXELFORMAT_RGB888, 0),
                       SDL_FreeSurface);
        platform::Surface table;
        std::string error;
        ASSERT_TRUE(platform::LoadPictureFile(path.string(), &table, &error)) << error;
        ASSERT_EQ(table.Width, rgb->w);
        int vanish = 0;
        for (int y = 0; y < rgb->h; ++y)
            for (int x = 0; x < rgb->w; ++x)
                vanish += (IsKey565(table, x, y) != IsKey(rgb.get(), x, y)) ? 1 : 0;
        EXPECT_EQ(vanish, 0);
    }
    EXPECT_GT(pictures, 3 * 56);
}

}  // namespace
}  // namespace tarrabel::test
