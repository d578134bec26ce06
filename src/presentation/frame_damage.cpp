#include "presentation/frame_damage.h"

#include <algorithm>
#include <cstring>

namespace tarrabel {

namespace {

uint64_t Mix(uint64_t h, uint64_t v) {
    // SplitMix64's finaliser over the running value: order matters, as it must.
    uint64_t z = h ^ (v + 0x9E3779B97F4A7C15ull + (h << 6) + (h >> 2));
    z = (z ^ (z >> 30)) * 0xBF58476D1CE4E5B9ull;
    z = (z ^ (z >> 27)) * 0x94D049BB133111EBull;
    return z ^ (z >> 31);
}

uint64_t ItemPrint(const DrawItem& item) {
    const platform::Blit& w = item.Where;
    uint64_t h = Mix(0, uint64_t(reinterpret_cast<uintptr_t>(item.Picture)));
    h = Mix(h, (uint64_t(uint32_t(w.Source.Left)) << 32) | uint32_t(w.Source.Top));
    h = Mix(h, (uint64_t(uint32_t(w.Source.Right)) << 32) | uint32_t(w.Source.Bottom));
    h = Mix(h, (uint64_t(uint32_t(w.X)) << 32) | uint32_t(w.Y));
    return Mix(h, item.Keyed ? 1 : 0);
}

// Room for the tiles of a 3x table of 800 x 600 units, taken once.
constexpr size_t kExpectedTiles = 50 * 38;

}  // namespace

FrameDamage::FrameDamage() {
    tiles_.reserve(kExpectedTiles);
    last_.reserve(kExpectedTiles);
    dirty_.reserve(kExpectedTiles);
    rects_.reserve(kMostRects + 1);
    open_.reserve(kExpectedTiles);
}

void FrameDamage::Fingerprint(const DrawList& list) {
    std::fill(tiles_.begin(), tiles_.end(), 0);
    for (const DrawItem& item : list.Items()) {
        const platform::Rect t = item.Where.Target();
        const uint64_t print = ItemPrint(item);
        const int32_t c0 = t.Left / tile_, c1 = std::min(columns_ - 1, (t.Right - 1) / tile_);
        const int32_t r0 = t.Top / tile_, r1 = std::min(rows_ - 1, (t.Bottom - 1) / tile_);
        for (int32_t r = r0; r <= r1; ++r)
            for (int32_t c = c0; c <= c1; ++c) {
                uint64_t& tile = tiles_[size_t(r * columns_ + c)];
                tile = Mix(tile, print);
            }
    }
}

const std::vector<platform::Rect>& FrameDamage::Update(const DrawList& list) {
    const int32_t tile = kTileUnits * list.Density();
    const bool sameSize = tile == tile_ && list.Width() == width_ && list.Height() == height_;
    if (!sameSize) {
        tile_ = tile;
        width_ = list.Width();
        height_ = list.Height();
        columns_ = (width_ + tile_ - 1) / tile_;
        rows_ = (height_ + tile_ - 1) / tile_;
        tiles_.assign(size_t(columns_) * size_t(rows_), 0);
        valid_ = false;
    }
    last_.swap(tiles_);
    tiles_.resize(last_.size());
    Fingerprint(list);

    rects_.clear();
    whole_ = !valid_;
    valid_ = true;
    if (!whole_) {
        Merge();
        int64_t area = 0;
        for (const platform::Rect& r : rects_)
            area += int64_t(r.Right - r.Left) * (r.Bottom - r.Top);
        whole_ =
            rects_.size() > kMostRects || area * 100 > int64_t(width_) * height_ * kMostPercent;
    }
    if (whole_) {
        rects_.clear();
        rects_.push_back({0, 0, width_, height_});
    }
    return rects_;
}

// Runs of changed tiles in each row, a run continued down while the row below has the
// same run: rectangles that never overlap.
void FrameDamage::Merge() {
    dirty_.assign(tiles_.size(), 0);
    for (size_t i = 0; i < tiles_.size(); ++i)
        dirty_[i] = tiles_[i] != last_[i];
    open_.clear();  // runs still growing downwards, in tile units
    auto close = [&](const platform::Rect& run) {
        rects_.push_back({run.Left * tile_, run.Top * tile_, std::min(width_, run.Right * tile_),
                          std::min(height_, run.Bottom * tile_)});
    };
    for (int32_t r = 0; r <= rows_; ++r) {
        // This row's runs.
        size_t firstNew = open_.size();
        if (r < rows_) {
            for (int32_t c = 0; c < columns_;) {
                if (!dirty_[size_t(r * columns_ + c)]) {
                    ++c;
                    continue;
                }
                const int32_t start = c;
                while (c < columns_ && dirty_[size_t(r * columns_ + c)])
                    ++c;
                open_.push_back({start, r, c, r + 1});
            }
        }
        // A run open from above continues into an identical run of this row; else it ends.
        for (size_t i = 0; i < firstNew; ++i) {
            platform::Rect& above = open_[i];
            bool continued = false;
            for (size_t j = firstNew; j < open_.size(); ++j)
                if (open_[j].Left == above.Left && open_[j].Right == above.Right &&
                    open_[j].Top == r) {
                    above.Bottom = r + 1;
                    open_.erase(open_.begin() + std::ptrdiff_t(j));
                    continued = true;
                    break;
                }
            if (!continued) {
                close(above);
                above.Left = above.Right = -1;  // closed
            }
        }
        open_.erase(std::remove_if(open_.begin(), open_.end(),
                                   [](const platform::Rect& o) { return o.Left < 0; }),
                    open_.end());
    }
    for (const platform::Rect& run : open_)
        close(run);
}

}  // namespace tarrabel
