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
    // For each output column (row): the first table column it reads, how many, and where
    // its weights start; the weights of one output pixel add up to kOne.
    struct Taps {
        int32_t First = 0, Count = 0, Weights = 0;
    };
    static constexpr int32_t kOne = 1024;
    static void Build(int32_t source, int32_t output, std::vector<Taps>* taps,
                      std::vector<int32_t>* weights);

    int32_t srcW_ = 0, srcH_ = 0, outW_ = 0, outH_ = 0;
    std::vector<Taps> columns_, rows_;
    std::vector<int32_t> columnWeights_, rowWeights_;
    // One row of the table blended down the column, per channel (the second pass reads it).
    std::vector<int32_t> red_, green_, blue_;
};

// The table pixel format's channels at eight bits each, as 0x00RRGGBB.
uint32_t Rgb565To888(uint16_t p);

}  // namespace tarrabel::platform
