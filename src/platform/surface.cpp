#include "platform/surface.h"

#include <algorithm>
#include <cstring>

namespace tarrabel::platform {

Surface MakeSurface(int32_t width, int32_t height, uint16_t fill) {
    Surface s;
    s.Width = std::max(0, width);
    s.Height = std::max(0, height);
    s.Pixels.assign(size_t(s.Width) * size_t(s.Height), fill);
    return s;
}

void FillSurface(Surface& s, uint16_t colour) {
    std::fill(s.Pixels.begin(), s.Pixels.end(), colour);
}

namespace {

bool IsKey(const Surface& s, uint16_t p) {
    return p >= s.KeyLow && p <= s.KeyHigh;
}

// Finds the opaque runs of every row once, so that each transparent blit is a handful of
// memcpy calls per row (a card is one run per row apart from its rounded corners).
void BuildOpaqueRuns(Surface& s) {
    s.Runs.clear();
    s.RowRuns.assign(size_t(s.Height) + 1, 0);
    for (int32_t y = 0; y < s.Height; ++y) {
        s.RowRuns[y] = uint32_t(s.Runs.size());
        const uint16_t* row = s.Row(y);
        int32_t x = 0;
        while (x < s.Width) {
            while (x < s.Width && IsKey(s, row[x]))
                ++x;
            const int32_t start = x;
            while (x < s.Width && !IsKey(s, row[x]))
                ++x;
            if (x > start) s.Runs.push_back({uint16_t(start), uint16_t(x - start)});
        }
    }
    s.RowRuns[s.Height] = uint32_t(s.Runs.size());
}

}  // namespace

void SetSurfaceColorKey(Surface& s, ColorKey key) {
    const uint16_t colour = key == ColorKey::Black ? 0 : kArtKey565;
    s.HasKey = true;
    s.KeyLow = s.KeyHigh = colour;
    BuildOpaqueRuns(s);
}

Rect Intersect(const Rect& a, const Rect& b) {
    return {std::max(a.Left, b.Left), std::max(a.Top, b.Top), std::min(a.Right, b.Right),
            std::min(a.Bottom, b.Bottom)};
}

bool ResolveBlit(const Surface& src, int32_t dstWidth, int32_t dstHeight, Rect r, int32_t x,
                 int32_t y, const Rect& clip, Blit* out) {
    // The clipping rule works on the rectangle as given. For an all-zero rectangle (the
    // whole picture) it leaves the rectangle zero when the picture fits and inverts it when
    // it does not, so a whole picture is drawn entirely or not at all.
    const bool whole = r.IsZero();
    if ((r.Right - r.Left) + x > clip.Right) r.Right = clip.Right + r.Left - x;
    if ((r.Bottom - r.Top) + y > clip.Bottom) r.Bottom = clip.Bottom + r.Top - y;
    if (x < clip.Left) {
        r.Left = clip.Left + r.Left - x;
        x = clip.Left;
    }
    if (y < clip.Top) {
        r.Top = clip.Top + r.Top - y;
        y = clip.Top;
    }
    if (whole && r.IsZero()) r = {0, 0, src.Width, src.Height};

    // What a display device refuses: an empty or inverted rectangle, one outside the
    // source, or a copy that would not land entirely inside the destination.
    const int32_t w = r.Right - r.Left, h = r.Bottom - r.Top;
    if (w <= 0 || h <= 0) return false;
    if (r.Left < 0 || r.Top < 0 || r.Right > src.Width || r.Bottom > src.Height) return false;
    if (x < 0 || y < 0 || x + w > dstWidth || y + h > dstHeight) return false;
    *out = {r, x, y};
    return true;
}

void CopyBlit(const Surface& src, Surface& dst, const Blit& blit, bool transparent,
              const Rect& within) {
    const Rect target = Intersect(Intersect(blit.Target(), within), {0, 0, dst.Width, dst.Height});
    if (IsEmpty(target)) return;
    // The part of the source that lands inside `within`.
    const int32_t left = blit.Source.Left + (target.Left - blit.X);
    const int32_t right = left + (target.Right - target.Left);
    const int32_t top = blit.Source.Top + (target.Top - blit.Y);
    const int32_t rows = target.Bottom - target.Top;

    const bool keyed = transparent && src.HasKey && !src.RowRuns.empty();
    for (int32_t row = 0; row < rows; ++row) {
        const int32_t sy = top + row;
        const uint16_t* from = src.Row(sy);
        uint16_t* to = dst.Row(target.Top + row) + target.Left;
        if (!keyed) {
            std::memcpy(to, from + left, size_t(right - left) * sizeof(uint16_t));
            continue;
        }
        for (uint32_t k = src.RowRuns[sy]; k < src.RowRuns[sy + 1]; ++k) {
            const int32_t a = std::max<int32_t>(src.Runs[k].Start, left);
            const int32_t b = std::min<int32_t>(src.Runs[k].Start + src.Runs[k].Length, right);
            if (b > a) std::memcpy(to + (a - left), from + a, size_t(b - a) * sizeof(uint16_t));
        }
    }
}

void BltClip(const Surface& src, Surface& dst, Rect r, int32_t x, int32_t y, bool transparent,
             const Rect& clip) {
    Blit blit;
    if (ResolveBlit(src, dst.Width, dst.Height, r, x, y, clip, &blit))
        CopyBlit(src, dst, blit, transparent, {0, 0, dst.Width, dst.Height});
}

}  // namespace tarrabel::platform
