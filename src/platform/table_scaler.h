// Scaling the composed table (16-bit, at its density) to the window's pixels.
//
// Each window pixel takes the average of the table pixels it covers, weighted by how much
// of each it covers (an area average). Scaling down, that keeps thin lines and letters
// smooth instead of dropping pixels; scaling up by a whole number it repeats pixels
// exactly; by a little more it keeps them sharp with soft edges. Every window pixel is
// worked out from the table alone, so scaling a part of the window gives exactly the
// pixels scaling the whole would: the table can be shown a changed rectangle at a time.
#pragma once

#include <cstdint>
#include <vector>

#include "platform/surface.h"

namespace tarrabel::platform {

class TableScaler {
  public:
    // Prepares for a table of sourceWidth x sourceHeight pixels shown in an outputWidth x
    // outputHeight box. Nothing happens when the sizes are the same as last time.
    void Prepare(int32_t sourceWidth, int32_t sourceHeight, int32_t outputWidth,
                 int32_t outputHeight);

    // The box pixels whose value depends on a rectangle of the table.
    Rect Affected(const Rect& source) const;

    // Writes the box pixels of `area` (box coordinates) as 0x00RRGGBB into `out`, whose
    // pixel (0, 0) is the box's top-left corner, `pitch` pixels a row.
    void Scale(const Surface& table, const Rect& area, uint32_t* out, int32_t pitch);

    int32_t OutputWidth() const { return outW_; }
    int32_t OutputHeight() const { return outH_; }

  private:
    // For each output column (row): the first table column (row) it reads, and the weights
    // of the `taps` it reads from there, which add up to kOne. Returns `taps`.
    static constexpr int32_t kOne = 256;
    static constexpr int32_t kMostTaps = 3;
    static int32_t Build(int32_t source, int32_t output, std::vector<int32_t>* firsts,
                         std::vector<uint16_t>* weights);

    int32_t srcW_ = 0, srcH_ = 0, outW_ = 0, outH_ = 0;
    int32_t columnTaps_ = 1, rowTaps_ = 1;
    std::vector<int32_t> columnFirsts_, rowFirsts_;
    std::vector<uint16_t> columnWeights_, rowWeights_;
    std::vector<uint64_t> columnWide_;  // each column weight in all four 16-bit lanes
    // One row of the table blended down the column, its three channels in the 16-bit lanes
    // of one word (see table_scaler.cpp); the second pass reads it.
    std::vector<uint64_t> blended_;
};

// The table pixel format's channels at eight bits each, as 0x00RRGGBB.
uint32_t Rgb565To888(uint16_t p);

}  // namespace tarrabel::platform
