#include "platform/ui_scale.h"

#include <algorithm>
#include <cmath>

namespace tarrabel::platform {

namespace {

constexpr float kScaleStep = 0.25f;

}  // namespace

float DialogScale(int32_t windowWidth, int32_t windowHeight, int32_t outputWidth,
                  int32_t outputHeight, int32_t designWidth, int32_t designHeight) {
    if (windowWidth <= 0 || windowHeight <= 0 || outputWidth <= 0 || outputHeight <= 0 ||
        designWidth <= 0 || designHeight <= 0)
        return 1.0f;
    // The screen's own density: 2 on a "Retina" screen, 1.5 at 150 %.
    const float pixelsPerPoint = float(outputWidth) / float(windowWidth);
    const float fits = std::min(float(outputWidth) / float(designWidth),
                                float(outputHeight) / float(designHeight));
    const float stepped = std::floor(fits / kScaleStep + 1e-4f) * kScaleStep;
    return std::max({1.0f, pixelsPerPoint, stepped});
}

DialogBox PlaceDialog(int32_t outputWidth, int32_t outputHeight, int32_t designWidth,
                      int32_t designHeight, float scale) {
    DialogBox box;
    box.Width = std::min(outputWidth, int32_t(std::lround(float(designWidth) * scale)));
    box.Height = std::min(outputHeight, int32_t(std::lround(float(designHeight) * scale)));
    box.Width = std::max(box.Width, 0);
    box.Height = std::max(box.Height, 0);
    box.X = (outputWidth - box.Width) / 2;
    box.Y = (outputHeight - box.Height) / 2;
    return box;
}

}  // namespace tarrabel::platform
