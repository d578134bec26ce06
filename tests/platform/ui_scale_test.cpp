// How large the options dialog is drawn: its scale from the window's size and pixels (a
// larger window, a high-DPI screen, both), and where its box stands in the output.
#include "platform/ui_scale.h"

#include <gtest/gtest.h>

namespace tarrabel::platform {
namespace {

TEST(UiScale, TheDialogGrowsWithTheWindowAndTheScreensPixels) {
    struct Case {
        const char* What;
        int32_t WindowW, WindowH, OutputW, OutputH;
        float Want;
    };
    const Case cases[] = {
        {"its design size", 800, 600, 800, 600, 1.0f},
        {"a few pixels more stays at 1", 810, 620, 810, 620, 1.0f},
        {"1024 x 768", 1024, 768, 1024, 768, 1.25f},
        {"1600 x 1200 is exactly 2", 1600, 1200, 1600, 1200, 2.0f},
        {"full HD: the height sets it, down to a quarter step", 1920, 1080, 1920, 1080, 1.75f},
        {"1366 x 768", 1366, 768, 1366, 768, 1.25f},
        {"4K", 3840, 2160, 3840, 2160, 3.5f},
        {"high-DPI at 2x", 800, 600, 1600, 1200, 2.0f},
        {"high-DPI at 150 %", 800, 600, 1200, 900, 1.5f},
        {"high-DPI full HD window on a 4K screen", 1920, 1080, 3840, 2160, 3.5f},
        // Smaller than the design: never shrunk below the screen's own pixels.
        {"small window", 700, 500, 700, 500, 1.0f},
        {"small high-DPI window keeps its 2x", 700, 500, 1400, 1000, 2.0f},
        {"wide and low at 125 %", 960, 540, 1200, 675, 1.25f},
        {"minimised", 0, 0, 0, 0, 1.0f},
        {"no renderer size", 800, 600, 0, 0, 1.0f},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.What);
        EXPECT_FLOAT_EQ(DialogScale(c.WindowW, c.WindowH, c.OutputW, c.OutputH, 800, 600), c.Want);
    }
}

TEST(UiScale, TheDialogIsCentredOrFillsASmallerOutput) {
    struct Case {
        int32_t OutputW, OutputH;
        float Scale;
        DialogBox Want;
    };
    const Case cases[] = {
        {800, 600, 1.0f, {0, 0, 800, 600}},
        {1600, 1200, 2.0f, {0, 0, 1600, 1200}},
        {1920, 1080, 1.75f, {260, 15, 1400, 1050}},
        {3840, 2160, 3.5f, {520, 30, 2800, 2100}},
        {1000, 600, 1.0f, {100, 0, 800, 600}},
        {700, 500, 1.0f, {0, 0, 700, 500}},      // the old dialog filled a smaller window
        {1400, 1000, 2.0f, {0, 0, 1400, 1000}},  // and so it still does on high DPI
        {0, 0, 1.0f, {0, 0, 0, 0}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(testing::Message() << c.OutputW << " x " << c.OutputH << " at " << c.Scale);
        const DialogBox box = PlaceDialog(c.OutputW, c.OutputH, 800, 600, c.Scale);
        EXPECT_EQ(box.X, c.Want.X);
        EXPECT_EQ(box.Y, c.Want.Y);
        EXPECT_EQ(box.Width, c.Want.Width);
        EXPECT_EQ(box.Height, c.Want.Height);
    }
}

}  // namespace
}  // namespace tarrabel::platform
