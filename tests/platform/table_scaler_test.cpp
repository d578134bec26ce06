// Scaling the composed table to the window: exact at 1:1 and whole factors, colours kept,
// and any part of the window scaled alone exactly as the whole.
#include "platform/table_scaler.h"

#include <gtest/gtest.h>

#include <random>

namespace tarrabel::platform {
namespace {

Surface Noise(int32_t w, int32_t h, uint32_t seed) {
    Surface s = MakeSurface(w, h);
    std::mt19937 rng(seed);
    for (uint16_t& p : s.Pixels)
        p = uint16_t(rng());
    return s;
}

std::vector<uint32_t> ScaledWhole(TableScaler& scaler, const Surface& table, int32_t w, int32_t h) {
    scaler.Prepare(table.Width, table.Height, w, h);
    std::vector<uint32_t> out(size_t(w) * size_t(h), 0xDEADBEEF);
    scaler.Scale(table, {0, 0, w, h}, out.data(), w);
    return out;
}

TEST(TableScaler, OneToOneAndWholeFactorsRepeatPixelsExactly) {
    const Surface table = Noise(40, 30, 1);
    TableScaler scaler;
    for (int32_t f = 1; f <= 3; ++f) {
        SCOPED_TRACE(f);
        const std::vector<uint32_t> out = ScaledWhole(scaler, table, 40 * f, 30 * f);
        for (int32_t y = 0; y < 30 * f; ++y)
            for (int32_t x = 0; x < 40 * f; ++x)
                ASSERT_EQ(out[size_t(y * 40 * f + x)], Rgb565To888(table.At(x / f, y / f)))
                    << x << "," << y;
    }
}

TEST(TableScaler, AnEvenColourStaysThatColourAtAnySize) {
    // The weights of every window pixel add up exactly: no seams, no dimming.
    const uint16_t colours[] = {0xFFFF, 0x0000, Rgb565(40, 120, 60), kArtKey565};
    const int32_t sizes[][2] = {{1440, 1080}, {1024, 768}, {2880, 2160}, {333, 250}, {17, 13}};
    TableScaler scaler;
    for (uint16_t c : colours) {
        const Surface table = MakeSurface(1600, 1200, c);
        for (const auto& s : sizes) {
            const std::vector<uint32_t> out = ScaledWhole(scaler, table, s[0], s[1]);
            for (uint32_t p : out)
                ASSERT_EQ(p, Rgb565To888(c)) << s[0] << "x" << s[1] << " colour " << c;
        }
    }
}

TEST(TableScaler, HalvingAveragesEachSquareOfFour) {
    Surface table = MakeSurface(2, 2);
    table.Pixels = {0xFFFF, 0x0000, 0x0000, 0xFFFF};
    TableScaler scaler;
    const std::vector<uint32_t> out = ScaledWhole(scaler, table, 1, 1);
    EXPECT_EQ(out[0], 0x808080u);  // 127.5 rounds up
}

TEST(TableScaler, APartScaledAloneIsThatPartOfTheWhole) {
    struct Case {
        int32_t SrcW, SrcH, OutW, OutH;
    };
    const Case cases[] = {{1600, 1200, 1440, 1080},
                          {1600, 1200, 1024, 768},
                          {2400, 1800, 2880, 2160},
                          {800, 600, 613, 460},
                          {2400, 1800, 1850, 1387}};
    for (const Case& c : cases) {
        SCOPED_TRACE(testing::Message() << c.SrcW << " -> " << c.OutW << "x" << c.OutH);
        const Surface table = Noise(c.SrcW, c.SrcH, 7);
        TableScaler scaler;
        const std::vector<uint32_t> whole = ScaledWhole(scaler, table, c.OutW, c.OutH);
        std::vector<uint32_t> parts(whole.size(), 0);
        // Bands of uneven heights, each cut in two columns.
        for (int32_t y = 0; y < c.OutH; y += 97)
            for (const auto& [x0, x1] : {std::pair{0, c.OutW / 3}, std::pair{c.OutW / 3, c.OutW}})
                scaler.Scale(table, {x0, y, x1, std::min(c.OutH, y + 97)}, parts.data(), c.OutW);
        EXPECT_TRUE(parts == whole);
    }
}

TEST(TableScaler, AChangeOfTheTableReachesOnlyTheWindowPixelsItAffects) {
    const int32_t outW = 1440, outH = 1080;
    Surface table = Noise(1600, 1200, 3);
    TableScaler scaler;
    const std::vector<uint32_t> before = ScaledWhole(scaler, table, outW, outH);
    const Rect changed{333, 517, 401, 600};
    for (int32_t y = changed.Top; y < changed.Bottom; ++y)
        for (int32_t x = changed.Left; x < changed.Right; ++x)
            table.Row(y)[x] ^= 0x8410;
    const std::vector<uint32_t> after = ScaledWhole(scaler, table, outW, outH);
    const Rect reach = scaler.Affected(changed);
    int differing = 0;
    for (int32_t y = 0; y < outH; ++y)
        for (int32_t x = 0; x < outW; ++x) {
            const bool inside =
                x >= reach.Left && x < reach.Right && y >= reach.Top && y < reach.Bottom;
            if (before[size_t(y * outW + x)] != after[size_t(y * outW + x)]) {
                ++differing;
                ASSERT_TRUE(inside) << x << "," << y;
            }
        }
    EXPECT_GT(differing, 0);
}

}  // namespace
}  // namespace tarrabel::platform
