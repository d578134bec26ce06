#include "platform/window_presenter.h"

#include "platform/letterbox.h"

namespace tarrabel::platform {

namespace {

// The pixel layouts the scaler writes as they are: 0x00RRGGBB in a 32-bit word.
bool TakesScalerPixels(const SDL_Surface* s) {
    const Uint32 f = s->format->format;
    return f == SDL_PIXELFORMAT_RGB888 || f == SDL_PIXELFORMAT_ARGB8888;
}

}  // namespace

void WindowPresenter::ScaleInto(SDL_Surface* surface, const Surface& table, const Rect& area) {
    if (IsEmpty(area)) return;
    auto* pixels = static_cast<uint8_t*>(surface->pixels);
    if (TakesScalerPixels(surface)) {
        auto* box =
            reinterpret_cast<uint32_t*>(pixels + size_t(boxY_) * size_t(surface->pitch)) + boxX_;
        scaler_.Scale(table, area, box, surface->pitch / 4);
        return;
    }
    const int32_t w = scaler_.OutputWidth();
    scaler_.Scale(table, area, staging_.data(), w);
    const int32_t bytes = surface->format->BytesPerPixel;
    uint8_t* target = pixels + size_t(boxY_ + area.Top) * size_t(surface->pitch) +
                      size_t(boxX_ + area.Left) * size_t(bytes);
    SDL_ConvertPixels(area.Right - area.Left, area.Bottom - area.Top, SDL_PIXELFORMAT_RGB888,
                      staging_.data() + size_t(area.Top) * size_t(w) + size_t(area.Left), w * 4,
                      surface->format->format, target, surface->pitch);
}

bool WindowPresenter::Present(SDL_Window* window, const Surface& table,
                              std::span<const Rect> changed) {
    SDL_Surface* surface = window ? SDL_GetWindowSurface(window) : nullptr;
    if (!surface || surface->w <= 0 || surface->h <= 0) {
        whole_ = true;
        return false;
    }
    if (surface != surface_ || surface->w != surfaceWidth_ || surface->h != surfaceHeight_ ||
        table.Width != tableWidth_ || table.Height != tableHeight_)
        whole_ = true;
    surface_ = surface;
    surfaceWidth_ = surface->w;
    surfaceHeight_ = surface->h;
    tableWidth_ = table.Width;
    tableHeight_ = table.Height;

    const Letterbox box = FitTable(surface->w, surface->h, table.Width, table.Height);
    boxX_ = box.X;
    boxY_ = box.Y;
    scaler_.Prepare(table.Width, table.Height, box.Width, box.Height);
    if (!TakesScalerPixels(surface))
        staging_.resize(size_t(box.Width) * size_t(box.Height));  // once per size

    if (SDL_MUSTLOCK(surface) && SDL_LockSurface(surface) != 0) return false;
    rects_.clear();
    if (whole_) {
        SDL_FillRect(surface, nullptr, SDL_MapRGB(surface->format, 0, 0, 0));  // the bars
        ScaleInto(surface, table, {0, 0, box.Width, box.Height});
    } else {
        for (const Rect& r : changed) {
            const Rect area = scaler_.Affected(r);
            if (IsEmpty(area)) continue;
            ScaleInto(surface, table, area);
            rects_.push_back({boxX_ + area.Left, boxY_ + area.Top, area.Right - area.Left,
                              area.Bottom - area.Top});
        }
    }
    if (SDL_MUSTLOCK(surface)) SDL_UnlockSurface(surface);

    if (whole_) {
        whole_ = false;
        return SDL_UpdateWindowSurface(window) == 0;
    }
    if (rects_.empty()) return true;
    return SDL_UpdateWindowSurfaceRects(window, rects_.data(), int(rects_.size())) == 0;
}

}  // namespace tarrabel::platform
