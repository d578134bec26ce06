// The table art: background, score page, pointer, suit banners, the bitmap fonts and the
// rules pages.
#include <algorithm>
#include <cmath>
#include <cstdint>

#include "art.h"
#include "art_common.h"
#include "rules_pages.h"
#include "table_art_parts.h"

namespace tarrabel::art {

void MatteOnto(cairo_surface_t* surface, Colour background, double threshold) {
    cairo_surface_flush(surface);
    const int w = cairo_image_surface_get_width(surface);
    const int h = cairo_image_surface_get_height(surface);
    const int stride = cairo_image_surface_get_stride(surface);
    unsigned char* data = cairo_image_surface_get_data(surface);
    const int minAlpha = std::max(1, int(std::lround(threshold * 255)));
    const double bg[3] = {background.r * 255, background.g * 255, background.b * 255};
    for (int y = 0; y < h; ++y) {
        uint32_t* row = reinterpret_cast<uint32_t*>(data + y * stride);
        for (int x = 0; x < w; ++x) {
            const uint32_t p = row[x];
            const int a = int(p >> 24);
            if (a < minAlpha) {
                row[x] = 0;
                continue;
            }
            // Premultiplied colour plus the background showing through what is not covered.
            const double rest = (255 - a) / 255.0;
            const int r = int(std::lround(((p >> 16) & 0xFF) + bg[0] * rest));
            const int g = int(std::lround(((p >> 8) & 0xFF) + bg[1] * rest));
            const int b = int(std::lround((p & 0xFF) + bg[2] * rest));
            row[x] = 0xFF000000u | uint32_t(std::min(r, 255)) << 16 |
                     uint32_t(std::min(g, 255)) << 8 | uint32_t(std::min(b, 255));
        }
    }
    cairo_surface_mark_dirty(surface);
}

bool MakeTableArt(const std::string& outDir, int density, std::string* error) {
    const std::string numbers = outDir + "/Numbers";
    const std::string bitmaps = outDir + "/Bitmaps";
    const std::string fonts = outDir + "/fntFonts";
    return MakeFolder(numbers, error) && MakeFolder(bitmaps, error) && MakeFolder(fonts, error) &&
           MakeTableBackground(bitmaps, density, error) && MakeScorePage(bitmaps, density, error) &&
           MakePointer(bitmaps, density, error) && MakeSuitBanners(numbers, density, error) &&
           MakeFonts(fonts, density, error) && MakeRulesPages(bitmaps, density, error);
}

}  // namespace tarrabel::art
