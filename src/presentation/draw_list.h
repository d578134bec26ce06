// The table of one frame as a list of picture copies in drawing order, and the redrawing of
// any part of it from that list.
//
// The table is laid out in 800 x 600 table units whatever the screen; it is composed at a
// density of 1, 2 or 3 back-buffer pixels per table unit, with pictures drawn that much
// larger. Each copy is resolved by the table's clip rule as it is added, in table units
// scaled by the density, so every density keeps or drops the same pictures.
#pragma once

#include <cstdint>
#include <vector>

#include "platform/surface.h"

namespace tarrabel {

struct DrawItem {
    const platform::Surface* Picture = nullptr;
    platform::Blit Where;  // in back-buffer pixels
    bool Keyed = false;
};

class DrawList {
  public:
    DrawList();

    // Starts a frame: a table of width x height units at `density` pixels per unit, clipped
    // to `clip` (table units).
    void Begin(int32_t tableWidth, int32_t tableHeight, int32_t density,
               const platform::Rect& clip);

    // Adds a copy of `source` (table units; all zero for the whole picture) of a picture
    // drawn at the list's density, its top-left corner at (x, y) in table units. Copies the
    // clip rule refuses are left out.
    void Add(const platform::Surface& picture, platform::Rect source, int32_t x, int32_t y,
             bool keyed);

    const std::vector<DrawItem>& Items() const { return items_; }
    int32_t Density() const { return density_; }
    // The back buffer's size in pixels.
    int32_t Width() const { return width_; }
    int32_t Height() const { return height_; }

  private:
    std::vector<DrawItem> items_;
    int32_t density_ = 1, width_ = 0, height_ = 0;
    platform::Rect clip_;
};

// Draws every item of the list that reaches into `within`, clipped to it, in order: the
// pixels inside `within` come out as a drawing of the whole list would leave them.
void Compose(const DrawList& list, platform::Surface& back, const platform::Rect& within);

}  // namespace tarrabel
