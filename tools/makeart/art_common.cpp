#include "art_common.h"

#include <SDL.h>
#include <SDL_image.h>

#include <cerrno>
#include <cmath>
#include <cstdio>
#include <cstring>
#include <filesystem>
#include <memory>

#include "resources/density_names.h"

namespace tarrabel::art {

namespace {

// 4 x 4 ordered dither, thresholds 0..15.
constexpr int kBayer4[4][4] = {{0, 8, 2, 10}, {12, 4, 14, 6}, {3, 11, 1, 9}, {15, 7, 13, 5}};

// Reduces an 8-bit channel to `bits` bits with an ordered dither, and expands it back to
// 8 bits the way the display format will (so the file shows what the table shows).
uint8_t Dither(int v, int bits, int threshold) {
    const int levels = (1 << bits) - 1;
    const int scaled = v * levels * 16 + threshold * 255;  // v * levels / 255 plus dither
    int q = scaled / (255 * 16);
    if (q > levels) q = levels;
    return uint8_t((q * 255 + levels / 2) / levels);
}

}  // namespace

void DitherTo16Bit(int x, int y, int& r, int& g, int& b) {
    const int t = kBayer4[y & 3][x & 3];
    r = Dither(r, 5, t), g = Dither(g, 6, t), b = Dither(b, 5, t);
}

void RoundedRectPath(cairo_t* cr, double x, double y, double w, double h, double r) {
    cairo_new_sub_path(cr);
    cairo_arc(cr, x + w - r, y + r, r, -M_PI / 2, 0);
    cairo_arc(cr, x + w - r, y + h - r, r, 0, M_PI / 2);
    cairo_arc(cr, x + r, y + h - r, r, M_PI / 2, M_PI);
    cairo_arc(cr, x + r, y + r, r, M_PI, 3 * M_PI / 2);
    cairo_close_path(cr);
}

namespace {

using SdlSurface = std::unique_ptr<SDL_Surface, decltype(&SDL_FreeSurface)>;

// The picture's pixels as they are saved: 24 bits, keyed or dithered. Null with a message.
SdlSurface SavedPixels(cairo_surface_t* surface, const std::string& path, Keying keying,
                       std::string* error) {
    SdlSurface none(nullptr, SDL_FreeSurface);
    cairo_surface_flush(surface);
    if (cairo_image_surface_get_format(surface) != CAIRO_FORMAT_ARGB32 &&
        cairo_image_surface_get_format(surface) != CAIRO_FORMAT_RGB24) {
        if (error) *error = path + ": the picture is not a 32-bit image";
        return none;
    }
    const int w = cairo_image_surface_get_width(surface);
    const int h = cairo_image_surface_get_height(surface);
    const int stride = cairo_image_surface_get_stride(surface);
    const unsigned char* src = cairo_image_surface_get_data(surface);
    const bool hasAlpha = cairo_image_surface_get_format(surface) == CAIRO_FORMAT_ARGB32;

    SdlSurface out(SDL_CreateRGBSurfaceWithFormat(0, w, h, 24, SDL_PIXELFORMAT_BGR24),
                   SDL_FreeSurface);
    if (!out) {
        if (error) *error = path + ": " + SDL_GetError();
        return none;
    }
    for (int y = 0; y < h; ++y) {
        const uint32_t* row = reinterpret_cast<const uint32_t*>(src + y * stride);
        uint8_t* dst = static_cast<uint8_t*>(out->pixels) + y * out->pitch;
        for (int x = 0; x < w; ++x) {
            const uint32_t p = row[x];
            const int a = hasAlpha ? int(p >> 24) : 255;
            int r = (p >> 16) & 0xFF, g = (p >> 8) & 0xFF, b = p & 0xFF;
            if (keying == Keying::Keyed) {
                const Rgb kept = KeyedPixel(a, r, g, b);
                r = kept.r, g = kept.g, b = kept.b;
            } else {
                DitherTo16Bit(x, y, r, g, b);
            }
            // SDL_PIXELFORMAT_BGR24 keeps the bytes in B, G, R order in memory.
            dst[3 * x + 0] = uint8_t(b);
            dst[3 * x + 1] = uint8_t(g);
            dst[3 * x + 2] = uint8_t(r);
        }
    }
    return out;
}

}  // namespace

bool SaveBmp(cairo_surface_t* surface, const std::string& path, Keying keying, std::string* error) {
    SdlSurface out = SavedPixels(surface, path, keying, error);
    if (!out) return false;
    if (SDL_SaveBMP(out.get(), path.c_str()) != 0) {
        if (error) *error = path + ": " + SDL_GetError();
        return false;
    }
    return true;
}

bool SavePng(cairo_surface_t* surface, const std::string& path, Keying keying, std::string* error) {
    SdlSurface out = SavedPixels(surface, path, keying, error);
    if (!out) return false;
    if (IMG_SavePNG(out.get(), path.c_str()) != 0) {
        if (error) *error = path + ": " + IMG_GetError();
        return false;
    }
    return true;
}

bool SavePicture(cairo_surface_t* surface, const std::string& dir, const std::string& file,
                 Keying keying, int density, std::string* error) {
    if (density == 1) return SaveBmp(surface, dir + "/" + file, keying, error);
    return SavePng(surface, dir + "/" + DensityPictureName(file, density), keying, error);
}

bool SaveWav(const std::vector<int16_t>& interleaved, const std::string& path, std::string* error) {
    std::FILE* f = std::fopen(path.c_str(), "wb");
    if (!f) {
        if (error) *error = path + ": " + std::strerror(errno);
        return false;
    }
    auto u32 = [&](uint32_t v) {
        const uint8_t b[4] = {uint8_t(v), uint8_t(v >> 8), uint8_t(v >> 16), uint8_t(v >> 24)};
        std::fwrite(b, 1, 4, f);
    };
    auto u16 = [&](uint16_t v) {
        const uint8_t b[2] = {uint8_t(v), uint8_t(v >> 8)};
        std::fwrite(b, 1, 2, f);
    };
    constexpr uint32_t kRate = 22050;
    constexpr uint16_t kChannels = 2, kBits = 16;
    const uint32_t dataBytes = uint32_t(interleaved.size() * 2);
    std::fwrite("RIFF", 1, 4, f);
    u32(36 + dataBytes);
    std::fwrite("WAVEfmt ", 1, 8, f);
    u32(16);
    u16(1);  // PCM
    u16(kChannels);
    u32(kRate);
    u32(kRate * kChannels * kBits / 8);
    u16(kChannels * kBits / 8);
    u16(kBits);
    std::fwrite("data", 1, 4, f);
    u32(dataBytes);
    for (int16_t s : interleaved)
        u16(uint16_t(s));
    const bool ok = !std::ferror(f);
    if (std::fclose(f) != 0 || !ok) {
        if (error) *error = path + ": write failed";
        return false;
    }
    return true;
}

bool MakeFolder(const std::string& path, std::string* error) {
    std::error_code ec;
    std::filesystem::create_directories(path, ec);
    if (ec) {
        if (error) *error = path + ": " + ec.message();
        return false;
    }
    return true;
}

}  // namespace tarrabel::art
