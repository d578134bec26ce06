#include <SDL.h>

#include <cmath>
#include <cstdint>

#include "art_common.h"
#include "cards.h"

namespace tarrabel::art {

namespace {

// Reads a BMP file the game would load; the key colour becomes transparent.
Surface LoadKeyed(const std::string& path, std::string* error) {
    SDL_Surface* loaded = SDL_LoadBMP(path.c_str());
    if (!loaded) {
        if (error) *error = path + ": " + SDL_GetError();
        return nullptr;
    }
    SDL_Surface* rgb = SDL_ConvertSurfaceFormat(loaded, SDL_PIXELFORMAT_ARGB8888, 0);
    SDL_FreeSurface(loaded);
    if (!rgb) {
        if (error) *error = path + ": " + SDL_GetError();
        return nullptr;
    }
    Surface picture = NewSurface(rgb->w, rgb->h);
    cairo_surface_flush(picture.get());
    unsigned char* data = cairo_image_surface_get_data(picture.get());
    const int stride = cairo_image_surface_get_stride(picture.get());
    for (int y = 0; y < rgb->h; ++y) {
        const uint32_t* src =
            reinterpret_cast<const uint32_t*>(static_cast<uint8_t*>(rgb->pixels) + y * rgb->pitch);
        uint32_t* dst = reinterpret_cast<uint32_t*>(data + y * stride);
        for (int x = 0; x < rgb->w; ++x) {
            const uint32_t p = src[x] & 0xFFFFFF;
            const bool key = IsKeyIn565(uint8_t(p >> 16), uint8_t(p >> 8), uint8_t(p));
            dst[x] = key ? 0 : (0xFF000000u | p);
        }
    }
    SDL_FreeSurface(rgb);
    cairo_surface_mark_dirty(picture.get());
    return picture;
}

}  // namespace

bool WriteContactSheet(const std::string& deckDir, const std::vector<std::string>& faces,
                       const std::vector<std::string>& extras, int cardW, int cardH, double scale,
                       const std::string& pngPath, std::string* error) {
    constexpr int kColumns = 13, kGap = 12, kBorder = 20;
    const int rows = int((faces.size() + kColumns - 1) / kColumns) + (extras.empty() ? 0 : 1);
    const int fullW = 2 * kBorder + kColumns * cardW + (kColumns - 1) * kGap;
    const int fullH = 2 * kBorder + rows * cardH + (rows - 1) * kGap;
    Surface sheet = NewSurface(int(std::lround(fullW * scale)), int(std::lround(fullH * scale)));
    cairo_t* cr = cairo_create(sheet.get());
    cairo_set_source_rgb(cr, 0x1E / 255.0, 0x6B / 255.0, 0x34 / 255.0);  // felt green
    cairo_paint(cr);
    cairo_scale(cr, scale, scale);

    auto place = [&](const std::string& name, int column, int row) {
        Surface card = LoadKeyed(deckDir + "/" + name, error);
        if (!card) return false;
        cairo_save(cr);
        cairo_translate(cr, kBorder + column * (cardW + kGap), kBorder + row * (cardH + kGap));
        cairo_set_source_surface(cr, card.get(), 0, 0);
        cairo_pattern_set_filter(cairo_get_source(cr), CAIRO_FILTER_GOOD);
        cairo_paint(cr);
        cairo_restore(cr);
        return true;
    };
    bool ok = true;
    for (size_t i = 0; ok && i < faces.size(); ++i)
        ok = place(faces[i], int(i % kColumns), int(i / kColumns));
    for (size_t i = 0; ok && i < extras.size(); ++i)
        ok = place(extras[i], int(i), rows - 1);
    cairo_destroy(cr);
    if (!ok) return false;
    if (cairo_surface_write_to_png(sheet.get(), pngPath.c_str()) != CAIRO_STATUS_SUCCESS) {
        if (error) *error = pngPath + ": could not write the picture";
        return false;
    }
    return true;
}

}  // namespace tarrabel::art
