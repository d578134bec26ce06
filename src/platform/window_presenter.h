// Showing the composed table in the window's own surface, a changed rectangle at a time.
//
// The table is scaled here, on the processor, straight into the pixels the window system
// shows, and only the rectangles that changed are scaled and sent to the display
// (SDL_UpdateWindowSurfaceRects). With a renderer every frame would go through a
// window-sized texture and be copied and sent whole: at 1920 x 1080 and above that is most
// of the game's cost while cards fly. The window's surface and a renderer cannot share a
// window, so the options dialog's renderer is gone before the table is shown.
#pragma once

#include <SDL.h>

#include <cstdint>
#include <span>
#include <vector>

#include "platform/surface.h"
#include "platform/table_scaler.h"

namespace tarrabel::platform {

class WindowPresenter {
  public:
    WindowPresenter() { rects_.reserve(64); }

    // Shows the table in the window: the changed rectangles of it (table pixels), or the
    // whole window when it needs that (the first frame, a new size or surface, after
    // Invalidate). False when the window has no surface to show it in.
    bool Present(SDL_Window* window, const Surface& table, std::span<const Rect> changed);
    // The next Present shows the whole window (it was exposed, restored or reset).
    void Invalidate() { whole_ = true; }

  private:
    void ScaleInto(SDL_Surface* surface, const Surface& table, const Rect& area);

    TableScaler scaler_;
    SDL_Surface* surface_ = nullptr;
    int32_t surfaceWidth_ = 0, surfaceHeight_ = 0, tableWidth_ = 0, tableHeight_ = 0;
    bool whole_ = true;
    // Where the table sits in the window.
    int32_t boxX_ = 0, boxY_ = 0;
    // For a window whose pixels are not 32-bit RGB: the box scaled here, then converted.
    std::vector<uint32_t> staging_;
    std::vector<SDL_Rect> rects_;
};

}  // namespace tarrabel::platform
