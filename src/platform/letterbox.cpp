#include "platform/letterbox.h"

#include <algorithm>
#include <cmath>

namespace tarrabel::platform {

Letterbox FitTable(int32_t outputWidth, int32_t outputHeight, int32_t tableWidth,
                   int32_t tableHeight) {
    Letterbox box;
    if (outputWidth <= 0 || outputHeight <= 0 || tableWidth <= 0 || tableHeight <= 0) return box;
    const int64_t ow = outputWidth, oh = outputHeight, tw = tableWidth, th = tableHeight;
    // Whichever side is tighter sets the factor; the other side gets the bars.
    if (ow * th <= oh * tw) {
        box.Width = outputWidth;
        box.Height = int32_t(std::max<int64_t>(1, (ow * th + tw / 2) / tw));
    } else {
        box.Height = outputHeight;
        box.Width = int32_t(std::max<int64_t>(1, (oh * tw + th / 2) / th));
    }
    box.X = (outputWidth - box.Width) / 2;
    box.Y = (outputHeight - box.Height) / 2;
    box.IntegerScale = box.Width % tableWidth == 0 && box.Height % tableHeight == 0 &&
                       box.Width / tableWidth == box.Height / tableHeight;
    return box;
}

int32_t DensityFor(int32_t outputWidth, int32_t outputHeight, int32_t tableWidth,
                   int32_t tableHeight) {
    const Letterbox box = FitTable(outputWidth, outputHeight, tableWidth, tableHeight);
    if (box.Width <= 0 || tableWidth <= 0) return 1;
    // The box's width over the table's, rounded up: a box of 1600 takes 2, of 1601 takes 3.
    const int32_t k = (box.Width + tableWidth - 1) / tableWidth;
    return std::clamp(k, 1, kMostDensity);
}

TablePoint WindowToTable(const ViewSize& view, int32_t windowX, int32_t windowY) {
    TablePoint p;
    if (view.TableWidth <= 0 || view.TableHeight <= 0) return p;
    const Letterbox box =
        FitTable(view.OutputWidth, view.OutputHeight, view.TableWidth, view.TableHeight);
    if (box.Width > 0 && view.WindowWidth > 0 && view.WindowHeight > 0) {
        // The window point in output pixels (a high-DPI window has more of them), then in
        // table pixels; rounding down so that every pixel of a bar lies outside the table.
        const double ox = double(windowX) * view.OutputWidth / view.WindowWidth;
        const double oy = double(windowY) * view.OutputHeight / view.WindowHeight;
        const double tx = std::floor((ox - box.X) * view.TableWidth / box.Width);
        const double ty = std::floor((oy - box.Y) * view.TableHeight / box.Height);
        p.X = int32_t(std::clamp(tx, 0.0, double(view.TableWidth - 1)));
        p.Y = int32_t(std::clamp(ty, 0.0, double(view.TableHeight - 1)));
    }
    return p;
}

}  // namespace tarrabel::platform
