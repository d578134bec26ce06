// Fitting the table into a window of any size and shape, and finding the table pixel under
// the pointer through the bars, the scale and a high-DPI screen.
#include "platform/letterbox.h"

#include <gtest/gtest.h>

namespace tarrabel::platform {
namespace {

TEST(Letterbox, TheTableKeepsItsShapeCentredBetweenBars) {
    struct Case {
        int32_t OutW, OutH;
        Letterbox Want;
    };
    const Case cases[] = {
        {800, 600, {0, 0, 800, 600, true}},
        {1600, 1200, {0, 0, 1600, 1200, true}},
        {1920, 1080, {240, 0, 1440, 1080, false}},  // wide screen: bars left and right
        {1024, 768, {0, 0, 1024, 768, false}},
        {800, 1000, {0, 200, 800, 600, true}},  // tall window: bars above and below
        {1001, 600, {100, 0, 800, 600, true}},  // the odd pixel of bar goes to the right
        {1366, 768, {171, 0, 1024, 768, false}},
        {0, 600, {0, 0, 0, 0, false}},  // nothing to fit into
    };
    for (const Case& c : cases) {
        const Letterbox box = FitTable(c.OutW, c.OutH, 800, 600);
        SCOPED_TRACE(testing::Message() << c.OutW << " x " << c.OutH);
        EXPECT_EQ(box.X, c.Want.X);
        EXPECT_EQ(box.Y, c.Want.Y);
        EXPECT_EQ(box.Width, c.Want.Width);
        EXPECT_EQ(box.Height, c.Want.Height);
        EXPECT_EQ(box.IntegerScale, c.Want.IntegerScale);
    }
}

TEST(Letterbox, ThePointerMapsToTheTablePixelUnderIt) {
    const ViewSize plain{800, 600, 800, 600, 800, 600};
    const ViewSize wide{1920, 1080, 1920, 1080, 800, 600};  // full screen, scale 1.8
    const ViewSize hiDpi{800, 600, 1600, 1200, 800, 600};   // two pixels per window point
    const ViewSize hiDpiWide{960, 540, 1920, 1080, 800, 600};
    const ViewSize small{400, 300, 400, 300, 800, 600};  // half size
    struct Case {
        const char* What;
        ViewSize View;
        int32_t WindowX, WindowY;
        TablePoint Want;
    };
    const Case cases[] = {
        {"top-left", plain, 0, 0, {0, 0}},
        {"inside", plain, 431, 250, {431, 250}},
        {"bottom-right pixel", plain, 799, 599, {799, 599}},
        {"past the edge stays on the last pixel", plain, 800, 600, {799, 599}},
        {"left of and above the window", plain, -12, -3, {0, 0}},
        {"left bar", wide, 100, 540, {0, 300}},
        {"first pixel after the bar", wide, 240, 0, {0, 0}},
        {"centre", wide, 960, 540, {400, 300}},
        {"last pixel before the right bar", wide, 1679, 1079, {799, 599}},
        {"right bar", wide, 1700, 10, {799, 5}},
        {"high-DPI centre", hiDpi, 400, 300, {400, 300}},
        {"high-DPI corner", hiDpi, 799, 599, {799, 599}},
        {"high-DPI with bars", hiDpiWide, 480, 270, {400, 300}},
        {"high-DPI bar", hiDpiWide, 119, 100, {0, 111}},
        {"shrunk window", small, 200, 150, {400, 300}},
        {"shrunk window corner", small, 399, 299, {798, 598}},
    };
    for (const Case& c : cases) {
        const TablePoint p = WindowToTable(c.View, c.WindowX, c.WindowY);
        EXPECT_EQ(p.X, c.Want.X) << c.What;
        EXPECT_EQ(p.Y, c.Want.Y) << c.What;
    }
}

TEST(Letterbox, AWindowWithNoSizeGivesTheTopLeftCorner) {
    for (const ViewSize& view : {ViewSize{0, 0, 0, 0, 800, 600}, ViewSize{800, 600, 0, 0, 800, 600},
                                 ViewSize{0, 0, 800, 600, 800, 600}}) {
        const TablePoint p = WindowToTable(view, 300, 200);
        EXPECT_EQ(p.X, 0);
        EXPECT_EQ(p.Y, 0);
    }
}

}  // namespace
}  // namespace tarrabel::platform

namespace tarrabel::platform {
namespace {

TEST(Density, TheTableIsComposedAtTheNearestDensityAtOrAboveTheScreensScale) {
    struct Case {
        int32_t OutW, OutH, Want;
    };
    const Case cases[] = {
        {800, 600, 1},   {640, 480, 1},   {801, 600, 1},  // 801 wide: still 600 high, 1x
        {1024, 768, 2},  {1366, 768, 2},  {1600, 1200, 2}, {1920, 1080, 2}, {1601, 1201, 3},
        {2560, 1440, 3}, {2400, 1800, 3}, {3840, 2160, 3}, {7680, 4320, 3}, {0, 0, 1},
    };
    for (const Case& c : cases)
        EXPECT_EQ(DensityFor(c.OutW, c.OutH, 800, 600), c.Want) << c.OutW << " x " << c.OutH;
}

TEST(Density, TheTableAtAnyDensityLandsInTheBoxThePointerIsMappedThrough) {
    // The pointer is mapped through the box of the 800 x 600 table; the picture is the
    // table at its density fitted into the same window. The two boxes must be one.
    const int32_t sizes[][2] = {{800, 600},  {1366, 768}, {1920, 1080}, {3840, 2160},
                                {1001, 733}, {333, 999},  {2561, 1439}, {1279, 1023}};
    for (const auto& s : sizes)
        for (int32_t k = 1; k <= 3; ++k) {
            const Letterbox table = FitTable(s[0], s[1], 800, 600);
            const Letterbox picture = FitTable(s[0], s[1], 800 * k, 600 * k);
            EXPECT_EQ(table.X, picture.X) << s[0] << "x" << s[1] << " at " << k;
            EXPECT_EQ(table.Y, picture.Y) << s[0] << "x" << s[1] << " at " << k;
            EXPECT_EQ(table.Width, picture.Width) << s[0] << "x" << s[1] << " at " << k;
            EXPECT_EQ(table.Height, picture.Height) << s[0] << "x" << s[1] << " at " << k;
        }
}

}  // namespace
}  // namespace tarrabel::platform
