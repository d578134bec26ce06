// Shared pieces of the art tool: the key colour, saving Cairo pictures as the game's BMP
// files, and writing WAV files.
//
// Every keyed picture of the game is painted on one key colour, magenta, which is the sum
// of the red and blue channel masks of the 16-bit display format (0xF81F in RGB565), so it
// survives the conversion to the display format exactly.
#pragma once

#include <cairo.h>

#include <cstdint>
#include <string>
#include <vector>

namespace tarrabel::art {

struct Rgb {
    uint8_t r, g, b;
};
inline constexpr Rgb kKeyColour{255, 0, 255};

// True when a colour becomes the key colour once reduced to the 16-bit display format.
constexpr bool IsKeyIn565(uint8_t r, uint8_t g, uint8_t b) {
    return (r >> 3) == 31 && (g >> 2) == 0 && (b >> 3) == 31;
}

enum class Keying {
    // Opaque picture (the table background): every pixel as painted, gradients dithered to
    // the 16-bit display format so they do not band.
    OpaqueDithered,
    // Keyed picture: pixels less than half covered become the key colour, the others are
    // made fully opaque (no half-blended key fringe); no painted pixel turns into the key.
    Keyed,
};

// Reduces one pixel to the levels of the 16-bit display format with a 4 x 4 ordered dither
// (5 bits red, 6 green, 5 blue), expanded back to 8 bits as the display will show it, so
// gradients do not band there.
void DitherTo16Bit(int x, int y, int& r, int& g, int& b);

// Adds a closed rounded rectangle to the current path (as a new sub-path).
void RoundedRectPath(cairo_t* cr, double x, double y, double w, double h, double r);

// Saves an ARGB32 Cairo image surface as a 24-bit BMP file. Answers false with a message.
bool SaveBmp(cairo_surface_t* surface, const std::string& path, Keying keying, std::string* error);

// Writes 16-bit PCM samples, interleaved left/right, as a 22050 Hz stereo WAV file.
bool SaveWav(const std::vector<int16_t>& interleaved, const std::string& path, std::string* error);

// Creates a folder and its parents; answers false with a message.
bool MakeFolder(const std::string& path, std::string* error);

}  // namespace tarrabel::art
