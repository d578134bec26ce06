// Shared pieces of the art tool: saving Cairo pictures as the game's BMP files (keyed on
// the colour of key_colour.h or dithered to the display format), and writing WAV files.
#pragma once

#include <cairo.h>

#include <cstdint>
#include <string>
#include <vector>

#include "key_colour.h"

namespace tarrabel::art {

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

// The same pixels as a 24-bit PNG file: the sets above 1x travel compressed.
bool SavePng(cairo_surface_t* surface, const std::string& path, Keying keying, std::string* error);

// Saves one of the game's pictures as dir/file at 1x (a BMP, as the game has always had it),
// or at a higher density as the PNG named by DensityPictureName.
bool SavePicture(cairo_surface_t* surface, const std::string& dir, const std::string& file,
                 Keying keying, int density, std::string* error);

// Writes 16-bit PCM samples, interleaved left/right, as a 22050 Hz stereo WAV file.
bool SaveWav(const std::vector<int16_t>& interleaved, const std::string& path, std::string* error);

// Creates a folder and its parents; answers false with a message.
bool MakeFolder(const std::string& path, std::string* error);

}  // namespace tarrabel::art
