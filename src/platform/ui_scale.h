// How large Dear ImGui draws a dialog laid out for a fixed size (the options dialog's 800 x
// 600): on a high-DPI screen, or in a window larger than that, every size of the dialog and
// its fonts grows by one factor, so the text is rasterised at the size it is shown and stays
// sharp instead of being stretched. The UI works in the renderer's output pixels.
#pragma once

#include <cstdint>

namespace tarrabel::platform {

// Output pixels per unit of the dialog's design size. Never less than the screen's own
// pixels per window unit, so the dialog is never smaller than at its design size; a window
// that has room for more grows it by the largest quarter step that fits both sides, so that
// resizing does not rebuild the fonts for every pixel. 1 when there is no window to measure.
float DialogScale(int32_t windowWidth, int32_t windowHeight, int32_t outputWidth,
                  int32_t outputHeight, int32_t designWidth, int32_t designHeight);

// Where the dialog stands in the output, in pixels: its design size times the scale,
// centred; an output smaller than that is filled.
struct DialogBox {
    int32_t X = 0, Y = 0, Width = 0, Height = 0;
};
DialogBox PlaceDialog(int32_t outputWidth, int32_t outputHeight, int32_t designWidth,
                      int32_t designHeight, float scale);

}  // namespace tarrabel::platform
