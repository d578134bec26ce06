// The one drawing operation of the table: BltClip's edge rule and colour keying.
#include "platform/surface.h"

#include <gtest/gtest.h>

namespace tarrabel::platform {
namespace {

constexpr uint16_t kInk = 0x1234, kPaper = 0x0001;
const Rect kTable{0, 0, 800, 600};

// A picture of one colour with a keyed pixel in its top-left corner.
Surface CornerKeyed(int w, int h) {
    Surface s = MakeSurface(w, h, kInk);
    s.Pixels[0] = kArtKey565;
    return s;
}

int CountInk(const Surface& s) {
    int n = 0;
    for (uint16_t p : s.Pixels)
        n += p == kInk;
    return n;
}

struct WholePictureCase {
    const char* name;
    int x, y;
    bool drawn;
};

class WholePicture : public testing::TestWithParam<WholePictureCase> {};

// A whole picture is drawn entirely or not at all: it must lie inside the clip rectangle.
TEST_P(WholePicture, IsDrawnOnlyWhenItFitsEntirely) {
    const auto& c = GetParam();
    Surface table = MakeSurface(800, 600, kPaper);
    const Surface card = MakeSurface(108, 151, kInk);
    BltClip(card, table, {}, c.x, c.y, false, kTable);
    EXPECT_EQ(CountInk(table), c.drawn ? 108 * 151 : 0);
}

INSTANTIATE_TEST_SUITE_P(
    Edges, WholePicture,
    testing::Values(WholePictureCase{"Inside", 100, 100, true},
                    WholePictureCase{"EndsOnTheRightEdge", 800 - 108, 10, true},
                    WholePictureCase{"OnePixelPastTheRightEdge", 800 - 107, 10, false},
                    WholePictureCase{"EndsOnTheBottomEdge", 10, 600 - 151, true},
                    WholePictureCase{"OnePixelPastTheBottomEdge", 10, 600 - 150, false},
                    WholePictureCase{"LeftOfTheTable", -1, 10, false},
                    WholePictureCase{"AboveTheTable", 10, -1, false},
                    WholePictureCase{"AtTheOrigin", 0, 0, true},
                    WholePictureCase{"FarOutside", 5000, 5000, false}),
    [](const auto& info) { return std::string(info.param.name); });

TEST(BltClip, APartRectangleIsCutAtTheClipEdges) {
    Surface table = MakeSurface(800, 600, kPaper);
    const Surface pointer = MakeSurface(32, 32, kInk);
    // Left of the table: the left 10 columns are cut off, the rest lands at x = 0.
    BltClip(pointer, table, {0, 0, 32, 32}, -10, 100, false, kTable);
    EXPECT_EQ(table.At(0, 100), kInk);
    EXPECT_EQ(table.At(21, 131), kInk);
    EXPECT_EQ(table.At(22, 100), kPaper);
    EXPECT_EQ(CountInk(table), 22 * 32);

    // Past the bottom-right corner: only the part on the table.
    table = MakeSurface(800, 600, kPaper);
    BltClip(pointer, table, {0, 0, 32, 32}, 790, 590, false, kTable);
    EXPECT_EQ(CountInk(table), 10 * 10);
    EXPECT_EQ(table.At(799, 599), kInk);
}

TEST(BltClip, RectanglesTheDeviceWouldRefuseDrawNothing) {
    Surface table = MakeSurface(800, 600, kPaper);
    const Surface font = MakeSurface(380, 54, kInk);
    BltClip(font, table, {19, 0, 19, 27}, 10, 10, false, kTable);   // empty
    BltClip(font, table, {38, 0, 19, 27}, 10, 10, false, kTable);   // inverted
    BltClip(font, table, {0, 54, 19, 81}, 10, 10, false, kTable);   // below the picture
    BltClip(font, table, {0, 0, 19, 27}, 800, 10, false, kTable);   // right of the table
    BltClip(font, table, {0, 0, 19, 27}, 100, 600, false, kTable);  // below the table
    EXPECT_EQ(CountInk(table), 0);
}

TEST(ColourKey, KeyedPixelsAreSkippedOnlyInTransparentBlits) {
    Surface card = CornerKeyed(4, 3);
    card.Pixels[4 + 2] = kArtKey565;  // one in the middle of the second row
    SetSurfaceColorKey(card, ColorKey::ArtKey);

    Surface table = MakeSurface(10, 10, kPaper);
    BltClip(card, table, {}, 2, 2, true, {0, 0, 10, 10});
    EXPECT_EQ(table.At(2, 2), kPaper);
    EXPECT_EQ(table.At(3, 2), kInk);
    EXPECT_EQ(table.At(4, 3), kPaper);
    EXPECT_EQ(table.At(5, 3), kInk);
    EXPECT_EQ(CountInk(table), 12 - 2);

    table = MakeSurface(10, 10, kPaper);
    BltClip(card, table, {}, 2, 2, false, {0, 0, 10, 10});
    EXPECT_EQ(table.At(2, 2), kArtKey565);
}

TEST(ColourKey, APartRectangleKeepsTheKeyOfItsOwnColumns) {
    // Columns 1..2 of a row whose opaque run is 0..1: only column 1 is copied.
    Surface s = MakeSurface(4, 1, kArtKey565);
    s.Pixels[0] = s.Pixels[1] = kInk;
    SetSurfaceColorKey(s, ColorKey::ArtKey);
    Surface table = MakeSurface(10, 1, kPaper);
    BltClip(s, table, {1, 0, 3, 1}, 5, 0, true, {0, 0, 10, 1});
    EXPECT_EQ(table.At(5, 0), kInk);
    EXPECT_EQ(table.At(6, 0), kPaper);
    EXPECT_EQ(CountInk(table), 1);
}

TEST(ColourKey, EitherBlackOrTheArtsMagentaIsLeftOut) {
    Surface s = CornerKeyed(2, 2);
    SetSurfaceColorKey(s, ColorKey::ArtKey);
    EXPECT_TRUE(s.HasKey);
    EXPECT_EQ(s.KeyLow, kArtKey565);
    EXPECT_EQ(s.KeyHigh, kArtKey565);
    SetSurfaceColorKey(s, ColorKey::Black);
    EXPECT_EQ(s.KeyLow, 0);
    EXPECT_EQ(s.KeyHigh, 0);
}

TEST(ColourKey, TheKeyIsPureMagentaInTheTablesFormat) {
    EXPECT_EQ(kArtKey565, Rgb565(255, 0, 255));
    EXPECT_EQ(kArtKey565, kRed565 | kBlue565);
}

}  // namespace
}  // namespace tarrabel::platform
