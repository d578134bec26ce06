#include "presentation/draw_list.h"

namespace tarrabel {

namespace {

// A whole table with its score page and a full hand each side is some two hundred copies;
// room for them all is taken once, so that a frame never allocates.
constexpr size_t kExpectedItems = 1024;

platform::Rect Scaled(const platform::Rect& r, int32_t k) {
    return {r.Left * k, r.Top * k, r.Right * k, r.Bottom * k};
}

}  // namespace

DrawList::DrawList() {
    items_.reserve(kExpectedItems);
}

void DrawList::Begin(int32_t tableWidth, int32_t tableHeight, int32_t density,
                     const platform::Rect& clip) {
    items_.clear();
    density_ = density < 1 ? 1 : density;
    width_ = tableWidth * density_;
    height_ = tableHeight * density_;
    clip_ = Scaled(clip, density_);
}

void DrawList::Add(const platform::Surface& picture, platform::Rect source, int32_t x, int32_t y,
                   bool keyed) {
    DrawItem item;
    if (!platform::ResolveBlit(picture, width_, height_, Scaled(source, density_), x * density_,
                               y * density_, clip_, &item.Where))
        return;
    item.Picture = &picture;
    item.Keyed = keyed;
    items_.push_back(item);
}

void Compose(const DrawList& list, platform::Surface& back, const platform::Rect& within) {
    for (const DrawItem& item : list.Items()) {
        const platform::Rect target = item.Where.Target();
        if (target.Right <= within.Left || target.Left >= within.Right ||
            target.Bottom <= within.Top || target.Top >= within.Bottom)
            continue;
        platform::CopyBlit(*item.Picture, back, item.Where, item.Keyed, within);
    }
}

}  // namespace tarrabel
