// Pictures in the table's 16-bit format (RGB565) and the one way of drawing them: BltClip.
//
// Plain C++ on purpose: the table is composed in memory and only handed to the display when
// it is finished, so the same drawing code runs in the game window, in tests and in
// benchmarks.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

namespace tarrabel::platform {

// Left, top, right and bottom; right and bottom are one past the last pixel.
struct Rect {
    int32_t Left = 0, Top = 0, Right = 0, Bottom = 0;
    bool IsZero() const { return Left == 0 && Top == 0 && Right == 0 && Bottom == 0; }
};

// The art's transparent colour: pure magenta, the red and blue channel masks together.
inline constexpr uint16_t kRed565 = 0xF800, kGreen565 = 0x07E0, kBlue565 = 0x001F;
inline constexpr uint16_t kArtKey565 = kRed565 | kBlue565;

constexpr uint16_t Rgb565(uint8_t r, uint8_t g, uint8_t b) {
    return uint16_t(((r >> 3) << 11) | ((g >> 2) << 5) | (b >> 3));
}

// A run of pixels in one row that are not the colour key; worked out when the key is set,
// so that a transparent blit copies whole runs instead of testing every pixel.
struct OpaqueRun {
    uint16_t Start = 0, Length = 0;
};

struct Surface {
    int32_t Width = 0, Height = 0;
    std::vector<uint16_t> Pixels;  // row after row, Width pixels each

    bool HasKey = false;
    uint16_t KeyLow = 0, KeyHigh = 0;  // pixels in [KeyLow, KeyHigh] are not copied
    // Opaque runs of every row (RowRuns[y] .. RowRuns[y + 1] index into Runs).
    std::vector<uint32_t> RowRuns;
    std::vector<OpaqueRun> Runs;

    bool Empty() const { return Width <= 0 || Height <= 0; }
    uint16_t* Row(int32_t y) { return Pixels.data() + size_t(y) * size_t(Width); }
    const uint16_t* Row(int32_t y) const { return Pixels.data() + size_t(y) * size_t(Width); }
    uint16_t At(int32_t x, int32_t y) const { return Row(y)[x]; }
};

Surface MakeSurface(int32_t width, int32_t height, uint16_t fill = 0);

// Which colour a keyed picture leaves out when it is copied.
enum class ColorKey : uint8_t {
    Black,   // black is transparent
    ArtKey,  // the art's magenta (kArtKey565)
};
void SetSurfaceColorKey(Surface& s, ColorKey key);

// Copies srcRect of src so that its top-left corner lands at (x, y) of dst, clipped to clip
// by the game's rule: the right and bottom edges are cut at the clip rectangle, then a
// position left of or above it moves the source's left or top edge in. A rectangle that
// ends up empty or inverted, or not inside both pictures, draws nothing. An all-zero srcRect
// means the whole picture, so a whole picture is drawn only when it lies entirely inside
// the clip rectangle. With transparent, pixels in the source's key are skipped.
void BltClip(const Surface& src, Surface& dst, Rect srcRect, int32_t x, int32_t y, bool transparent,
             const Rect& clip);

// BltClip in two steps, for a table composed once and then redrawn in parts: first what
// the clip rule lets through, then the copy of that, restricted to one rectangle of the
// destination. Drawing every part of a picture this way gives exactly the whole.
struct Blit {
    Rect Source;           // the part of the picture copied
    int32_t X = 0, Y = 0;  // where its top-left corner lands
    Rect Target() const {
        return {X, Y, X + Source.Right - Source.Left, Y + Source.Bottom - Source.Top};
    }
};
// False when the clip rule draws nothing on a destination of the given size.
bool ResolveBlit(const Surface& src, int32_t dstWidth, int32_t dstHeight, Rect srcRect, int32_t x,
                 int32_t y, const Rect& clip, Blit* out);
// Copies the pixels of a resolved blit that fall inside `within`.
void CopyBlit(const Surface& src, Surface& dst, const Blit& blit, bool transparent,
              const Rect& within);

// The overlap of two rectangles (empty when they do not meet).
Rect Intersect(const Rect& a, const Rect& b);
inline bool IsEmpty(const Rect& r) {
    return r.Right <= r.Left || r.Bottom <= r.Top;
}

// Fills the whole picture with one colour (ClearBackBuffer uses black).
void FillSurface(Surface& s, uint16_t colour);

}  // namespace tarrabel::platform
