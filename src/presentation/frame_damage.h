// Which parts of the table changed since the last frame, so that only those are composed,
// scaled and shown.
//
// The table is cut into square tiles. A tile's picture is decided entirely by the ordered
// copies that reach into it (the pictures never change while they are loaded), so each
// tile keeps a fingerprint of those copies; a tile whose fingerprint differs from the last
// frame's is redrawn. A card that moved, appeared or vanished, a change of drawing order,
// the pointer and the clock are all caught alike, and nothing else is redrawn.
#pragma once

#include <cstdint>
#include <vector>

#include "platform/surface.h"
#include "presentation/draw_list.h"

namespace tarrabel {

class FrameDamage {
  public:
    // A tile's side in table units.
    static constexpr int32_t kTileUnits = 16;
    // Past this many rectangles, or this share of the table, one full redraw is cheaper.
    static constexpr size_t kMostRects = 48;
    static constexpr int32_t kMostPercent = 60;

    FrameDamage();

    // Compares the frame's list with the last one and answers the rectangles (back-buffer
    // pixels, not overlapping) to redraw: every tile whose copies differ, merged into
    // rows and columns; the whole table after Invalidate or a change of size or density.
    const std::vector<platform::Rect>& Update(const DrawList& list);

    // The next Update answers the whole table (new pictures, a new back buffer).
    void Invalidate() { valid_ = false; }
    // The last Update answered the whole table.
    bool WholeFrame() const { return whole_; }

  private:
    void Fingerprint(const DrawList& list);
    void Merge();

    std::vector<uint64_t> tiles_, last_;
    std::vector<uint8_t> dirty_;
    std::vector<platform::Rect> rects_, open_;
    int32_t columns_ = 0, rows_ = 0, tile_ = 0, width_ = 0, height_ = 0;
    bool valid_ = false, whole_ = false;
};

}  // namespace tarrabel
