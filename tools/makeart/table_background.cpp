// The table: a dark green baize lit from above, with soft mottling and a few stray fibres,
// dithered to the 16-bit display format and saved as the JPEG the resource archive carries.
#include <SDL.h>
#include <SDL_image.h>

#include <cmath>
#include <cstdint>
#include <memory>

#include "art_common.h"
#include "fixed_rng.h"
#include "resources/density_names.h"
#include "table_art_parts.h"

namespace tarrabel::art {

namespace {

constexpr int kWidth = 800, kHeight = 600;
constexpr int kJpegQuality = 95;

// The lamp's pool of light: an ellipse a little above the middle of the table.
constexpr double kLightX = 400, kLightY = 280, kLightRx = 560, kLightRy = 430;

// How far the colour has gone from the centre colour to the rim colour, at distances from the
// middle of the light (1 = on the ellipse).
struct Stop {
    double at, rim;
};
constexpr Stop kStops[] = {{0.0, 0.0}, {0.35, 0.08}, {0.65, 0.32}, {0.9, 0.72}, {1.15, 1.0}};

double RimAt(double t) {
    if (t <= kStops[0].at) return kStops[0].rim;
    for (size_t i = 1; i < std::size(kStops); ++i) {
        if (t <= kStops[i].at) {
            const double f = (t - kStops[i - 1].at) / (kStops[i].at - kStops[i - 1].at);
            return kStops[i - 1].rim + (kStops[i].rim - kStops[i - 1].rim) * f;
        }
    }
    return kStops[std::size(kStops) - 1].rim;
}

// Smooth value noise in -1..1 over a lattice of `cell` pixels.
class ValueNoise {
  public:
    ValueNoise(uint64_t seed, double cell) : cell_(cell) {
        FixedRng rng(seed);
        for (double& v : lattice_)
            v = rng.Range(-1, 1);
    }
    double At(double x, double y) const {
        const double fx = x / cell_, fy = y / cell_;
        const int ix = int(std::floor(fx)), iy = int(std::floor(fy));
        const double tx = Smooth(fx - ix), ty = Smooth(fy - iy);
        const double a = Lattice(ix, iy), b = Lattice(ix + 1, iy);
        const double c = Lattice(ix, iy + 1), d = Lattice(ix + 1, iy + 1);
        return (a + (b - a) * tx) * (1 - ty) + (c + (d - c) * tx) * ty;
    }

  private:
    static constexpr int kSide = 64;
    static double Smooth(double t) { return t * t * (3 - 2 * t); }
    double Lattice(int x, int y) const {
        return lattice_[(y & (kSide - 1)) * kSide + (x & (kSide - 1))];
    }
    double cell_;
    double lattice_[kSide * kSide];
};

void PaintLight(cairo_t* cr) {
    cairo_pattern_t* light = cairo_pattern_create_radial(0, 0, 0, 0, 0, 1);
    for (const Stop& s : kStops) {
        const Colour c = Mix(kFeltCentre, kFeltEdge, s.rim);
        cairo_pattern_add_color_stop_rgb(light, s.at / kStops[std::size(kStops) - 1].at, c.r, c.g,
                                         c.b);
    }
    // The pattern's unit circle is the ellipse scaled by the last stop.
    const double reach = kStops[std::size(kStops) - 1].at;
    cairo_matrix_t m;
    cairo_matrix_init_scale(&m, 1 / (kLightRx * reach), 1 / (kLightRy * reach));
    cairo_matrix_translate(&m, -kLightX, -kLightY);
    cairo_pattern_set_matrix(light, &m);
    cairo_set_source(cr, light);
    cairo_paint(cr);
    cairo_pattern_destroy(light);
}

// Stray fibres: short, faint, slightly curved hairs, a few lighter and a few darker.
void PaintFibres(cairo_t* cr) {
    FixedRng rng(0x5EEDFE17ull);
    cairo_set_line_cap(cr, CAIRO_LINE_CAP_ROUND);
    cairo_set_line_width(cr, 0.8);
    for (int i = 0; i < 2600; ++i) {
        const double x = rng.Range(0, kWidth), y = rng.Range(0, kHeight);
        const double angle = rng.Range(0, 2 * M_PI), len = rng.Range(3, 9);
        const double bend = rng.Range(-2, 2);
        const bool light = rng.Unit() < 0.55;
        const double ex = x + std::cos(angle) * len, ey = y + std::sin(angle) * len;
        cairo_move_to(cr, x, y);
        cairo_curve_to(cr, x + std::cos(angle) * len / 3 - std::sin(angle) * bend,
                       y + std::sin(angle) * len / 3 + std::cos(angle) * bend,
                       x + std::cos(angle) * 2 * len / 3 - std::sin(angle) * bend,
                       y + std::sin(angle) * 2 * len / 3 + std::cos(angle) * bend, ex, ey);
        if (light)
            cairo_set_source_rgba(cr, 0.55, 0.80, 0.62, rng.Range(0.035, 0.07));
        else
            cairo_set_source_rgba(cr, 0.0, 0.06, 0.03, rng.Range(0.05, 0.09));
        cairo_stroke(cr);
    }
}

// The cloth's weave and wear: slow mottling and a fine grain, applied to the painted light.
// The mottling follows table units, so it lies the same at every density; the grain is one
// speck per pixel.
void AddMottle(cairo_surface_t* surface, int density) {
    cairo_surface_flush(surface);
    const int w = cairo_image_surface_get_width(surface);
    const int h = cairo_image_surface_get_height(surface);
    const int stride = cairo_image_surface_get_stride(surface);
    unsigned char* data = cairo_image_surface_get_data(surface);
    const ValueNoise broad(0xC10Du, 70), fine(0xF1BEu, 9);
    FixedRng grain(0x6EA1u);
    for (int y = 0; y < h; ++y) {
        uint32_t* row = reinterpret_cast<uint32_t*>(data + y * stride);
        const double ty = double(y) / density;
        for (int x = 0; x < w; ++x) {
            const double tx = double(x) / density;
            const double shade = 1 + 0.035 * broad.At(tx, ty) + 0.018 * fine.At(tx, ty) +
                                 0.012 * (grain.Unit() - 0.5);
            const uint32_t p = row[x];
            auto channel = [&](int shift) {
                const long v = std::lround(((p >> shift) & 0xFF) * shade);
                return uint32_t(v < 0 ? 0 : v > 255 ? 255 : v) << shift;
            };
            row[x] = 0xFF000000u | channel(16) | channel(8) | channel(0);
        }
    }
    cairo_surface_mark_dirty(surface);
}

bool SaveDitheredJpeg(cairo_surface_t* surface, const std::string& path, std::string* error) {
    cairo_surface_flush(surface);
    const int w = cairo_image_surface_get_width(surface);
    const int h = cairo_image_surface_get_height(surface);
    const int stride = cairo_image_surface_get_stride(surface);
    const unsigned char* data = cairo_image_surface_get_data(surface);
    std::unique_ptr<SDL_Surface, decltype(&SDL_FreeSurface)> out(
        SDL_CreateRGBSurfaceWithFormat(0, w, h, 24, SDL_PIXELFORMAT_RGB24), SDL_FreeSurface);
    if (!out) {
        if (error) *error = path + ": " + SDL_GetError();
        return false;
    }
    for (int y = 0; y < h; ++y) {
        const uint32_t* row = reinterpret_cast<const uint32_t*>(data + y * stride);
        uint8_t* dst = static_cast<uint8_t*>(out->pixels) + y * out->pitch;
        for (int x = 0; x < w; ++x) {
            int r = (row[x] >> 16) & 0xFF, g = (row[x] >> 8) & 0xFF, b = row[x] & 0xFF;
            DitherTo16Bit(x, y, r, g, b);
            dst[3 * x + 0] = uint8_t(r);
            dst[3 * x + 1] = uint8_t(g);
            dst[3 * x + 2] = uint8_t(b);
        }
    }
    if (IMG_SaveJPG(out.get(), path.c_str(), kJpegQuality) != 0) {
        if (error) *error = path + ": " + IMG_GetError();
        return false;
    }
    return true;
}

}  // namespace

Colour FeltColourAt(double x, double y) {
    const double dx = (x - kLightX) / kLightRx, dy = (y - kLightY) / kLightRy;
    return Mix(kFeltCentre, kFeltEdge, RimAt(std::sqrt(dx * dx + dy * dy)));
}

bool MakeTableBackground(const std::string& bitmapsDir, int density, std::string* error) {
    cairo_surface_t* surface =
        cairo_image_surface_create(CAIRO_FORMAT_RGB24, kWidth * density, kHeight * density);
    cairo_t* cr = cairo_create(surface);
    cairo_scale(cr, density, density);
    PaintLight(cr);
    PaintFibres(cr);
    cairo_destroy(cr);
    AddMottle(surface, density);
    const bool ok = SaveDitheredJpeg(
        surface, bitmapsDir + "/" + DensityPictureName("Back_800x600.jpg", density), error);
    cairo_surface_destroy(surface);
    return ok;
}

}  // namespace tarrabel::art
