// The art tool's keying: which colours the table's 16-bit format turns into its key colour,
// and the colour a keyed picture keeps for each pixel drawn, so that nothing painted turns
// into a hole once the table converts the picture.
#include "makeart/key_colour.h"

#include <gtest/gtest.h>

#include <cstdlib>

namespace tarrabel::test {
namespace {

using art::Rgb;

// The table's format keeps the top 5, 6 and 5 bits of red, green and blue; its key is
// magenta, the red and blue masks together.
constexpr uint16_t To565(Rgb c) {
    return uint16_t(((c.r >> 3) << 11) | ((c.g >> 2) << 5) | (c.b >> 3));
}
constexpr uint16_t kKey565 = 0xF81F;

TEST(KeyColour, TheKeyAndTheColoursTheDisplayFormatReducesToIt) {
    const std::pair<Rgb, bool> cases[] = {
        {{255, 0, 255}, true},     // the key itself
        {{250, 2, 251}, true},     // near magenta: 250 >> 3 = 31, 2 >> 2 = 0, 251 >> 3 = 31
        {{248, 3, 248}, true},     // the farthest from magenta that still reduces to it
        {{247, 0, 255}, false},    // red one step down
        {{255, 4, 255}, false},    // green one step up
        {{255, 0, 247}, false},    // blue one step down
        {{255, 0, 0}, false},      // red alone
        {{0, 0, 255}, false},      // blue alone
        {{255, 255, 255}, false},  // white
    };
    EXPECT_EQ(To565(art::kKeyColour), kKey565);
    for (const auto& [c, key] : cases) {
        SCOPED_TRACE(testing::Message() << int(c.r) << "," << int(c.g) << "," << int(c.b));
        EXPECT_EQ(To565(c) == kKey565, key) << "the case itself is wrong";
        EXPECT_EQ(art::IsKeyIn565(c.r, c.g, c.b), key);
    }
}

// Cairo's pixels: alpha and the channels premultiplied by it.
struct Drawn {
    const char* what;
    int a, r, g, b;
    Rgb colour;  // the colour drawn, worked back from the premultiplied channels
};

TEST(KeyColour, APaintedPixelNeverBecomesTheKeyAndKeepsItsLook) {
    const Drawn cases[] = {
        {"opaque near magenta", 255, 250, 2, 251, {250, 2, 251}},
        {"opaque magenta", 255, 255, 0, 255, {255, 0, 255}},
        // 188 * 255 / 192 = 249.7, 1 * 255 / 192 = 1.3, 189 * 255 / 192 = 251.0
        {"three quarters covered near magenta", 192, 188, 1, 189, {249, 1, 251}},
        {"half covered magenta", 128, 128, 0, 128, {255, 0, 255}},
        {"opaque blue", 255, 16, 64, 192, {16, 64, 192}},
        {"half covered white", 128, 128, 128, 128, {255, 255, 255}},
    };
    for (const Drawn& d : cases) {
        SCOPED_TRACE(d.what);
        const Rgb kept = art::KeyedPixel(d.a, d.r, d.g, d.b);
        EXPECT_NE(To565(kept), kKey565) << "the pixel would show the table";
        // Within a couple of the display format's steps: no one sees the difference.
        EXPECT_LE(std::abs(kept.r - d.colour.r), 8);
        EXPECT_LE(std::abs(kept.g - d.colour.g), 8);
        EXPECT_LE(std::abs(kept.b - d.colour.b), 8);
    }
}

TEST(KeyColour, APixelLessThanHalfCoveredShowsTheTable) {
    for (const int a : {0, 1, 64, 127}) {
        SCOPED_TRACE(a);
        const Rgb kept = art::KeyedPixel(a, a / 2, a / 3, a);
        EXPECT_EQ(To565(kept), kKey565);
        // The exact key, so that the BMP itself shows where the table comes through.
        EXPECT_EQ(kept.r, 255);
        EXPECT_EQ(kept.g, 0);
        EXPECT_EQ(kept.b, 255);
    }
}

}  // namespace
}  // namespace tarrabel::test
