// The key colour of the game's pictures, and the colour a keyed picture keeps for each pixel
// drawn with Cairo. Plain C++, so that the tests check it without the drawing libraries.
//
// Every keyed picture of the game is painted on one key colour, magenta, which is the sum
// of the red and blue channel masks of the 16-bit display format (0xF81F in RGB565), so it
// survives the conversion to the display format exactly. The table compares in that format:
// a painted colour that merely comes close to magenta would vanish there too.
#pragma once

#include <cstdint>

namespace tarrabel::art {

struct Rgb {
    uint8_t r, g, b;
};
inline constexpr Rgb kKeyColour{255, 0, 255};

// True when a colour becomes the key colour once reduced to the 16-bit display format.
constexpr bool IsKeyIn565(uint8_t r, uint8_t g, uint8_t b) {
    return (r >> 3) == 31 && (g >> 2) == 0 && (b >> 3) == 31;
}

// The colour a keyed picture keeps for a pixel Cairo drew with alpha `a` and premultiplied
// channels r, g, b (each 0..255): a pixel less than half covered shows the table (the key
// colour); any other is made fully opaque, so no half-blended key fringe shows, and, where
// the display format would reduce it to the key, its green is raised one step of that
// format (invisible, but the pixel stays painted).
constexpr Rgb KeyedPixel(int a, int r, int g, int b) {
    if (a < 128) return kKeyColour;
    if (a < 255) {  // undo Cairo's premultiplied alpha
        r = r * 255 / a, g = g * 255 / a, b = b * 255 / a;
    }
    if (IsKeyIn565(uint8_t(r), uint8_t(g), uint8_t(b))) g = 8;
    return {uint8_t(r), uint8_t(g), uint8_t(b)};
}

}  // namespace tarrabel::art
