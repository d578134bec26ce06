// Where the table lands in the window: scaled by one factor for both axes so it keeps its
// shape, centred, with black bars on the two sides that are left over. The drawing and the
// pointer use the same numbers, so a click lands on the card that is drawn under it.
#pragma once

#include <cstdint>

namespace tarrabel::platform {

// In the renderer's output pixels (on a high-DPI screen more than the window's size).
struct Letterbox {
    int32_t X = 0, Y = 0, Width = 0, Height = 0;
    // The table's pixels are repeated a whole number of times (1x, 2x...): drawn with the
    // nearest pixel they stay crisp; any other factor is smoothed instead.
    bool IntegerScale = false;
};

Letterbox FitTable(int32_t outputWidth, int32_t outputHeight, int32_t tableWidth,
                   int32_t tableHeight);

// The density (1, 2 or 3 pixels per table unit) the table is composed at for an output of
// the given size: the nearest at or above the output's own scale, so the picture is only
// ever scaled down, or shown 1:1; past 3x the 3x table is scaled up by what is left.
int32_t DensityFor(int32_t outputWidth, int32_t outputHeight, int32_t tableWidth,
                   int32_t tableHeight);
inline constexpr int32_t kMostDensity = 3;

struct ViewSize {
    int32_t WindowWidth = 0, WindowHeight = 0;  // window coordinates, as the mouse reports
    int32_t OutputWidth = 0, OutputHeight = 0;  // the renderer's pixels
    int32_t TableWidth = 0, TableHeight = 0;
};

struct TablePoint {
    int32_t X = 0, Y = 0;
};

// The table pixel under a point of the window, kept inside the table (0 to width - 1, 0 to
// height - 1) when the point is over a bar or outside the window.
TablePoint WindowToTable(const ViewSize& view, int32_t windowX, int32_t windowY);

}  // namespace tarrabel::platform
