#include <librsvg/rsvg.h>

#include <cmath>
#include <cstdint>
#include <map>

#include "cards.h"

namespace tarrabel::art {

namespace {

std::string TakeMessage(GError* e) {
    std::string m = e ? e->message : "unknown error";
    if (e) g_error_free(e);
    return m;
}

// Where the card's outline lies along one axis of an element whose drawing reaches past the
// outline (the logical rectangle then is longer than a card). The element is drawn at
// kProbeScale pixels per unit and looked along in lines across that axis, clear of the
// rounded corners: most lines cross an opaque run exactly one card long, from the card's
// edge. Answers the start of that run in the element's own units, or NaN.
double LocateAcross(RsvgHandle* handle, const std::string& ref, const RsvgRectangle& ink,
                    bool horizontal, double lineFrom, double lineTo, double cardLength) {
    constexpr double kProbeScale = 4;
    const int pw = int(std::ceil(ink.width * kProbeScale));
    const int ph = int(std::ceil(ink.height * kProbeScale));
    Surface probe = NewSurface(pw, ph);
    cairo_t* cr = cairo_create(probe.get());
    cairo_scale(cr, kProbeScale, kProbeScale);
    const RsvgRectangle viewport{0, 0, ink.width, ink.height};
    const bool ok = rsvg_handle_render_element(handle, cr, ref.c_str(), &viewport, nullptr);
    cairo_destroy(cr);
    if (!ok) return NAN;
    cairo_surface_flush(probe.get());
    const unsigned char* data = cairo_image_surface_get_data(probe.get());
    const int stride = cairo_image_surface_get_stride(probe.get());
    auto opaque = [&](int along, int across) {
        const int x = horizontal ? along : across, y = horizontal ? across : along;
        const uint32_t p = reinterpret_cast<const uint32_t*>(data + y * stride)[x];
        return (p >> 24) >= 128;
    };
    const int length = horizontal ? pw : ph, lines = horizontal ? ph : pw;
    std::map<int, int> votes;  // run start -> lines
    for (double u = lineFrom; u <= lineTo; u += 0.5) {
        const int line = int(u * kProbeScale);
        if (line < 0 || line >= lines) continue;
        int first = 0, last = length - 1;
        while (first < length && !opaque(first, line))
            ++first;
        while (last > first && !opaque(last, line))
            --last;
        if (std::fabs((last + 1 - first) / kProbeScale - cardLength) <= 0.5) ++votes[first];
    }
    int best = -1, bestVotes = 0;
    for (const auto& [start, n] : votes) {
        if (n > bestVotes) best = start, bestVotes = n;
    }
    return best < 0 ? NAN : best / kProbeScale;
}

// The text of an SVG file, uncompressed when it is an .svgz (gzip).
bool ReadSvgText(const std::string& path, std::string* text, std::string* error) {
    GFile* file = g_file_new_for_path(path.c_str());
    GError* e = nullptr;
    GInputStream* in = G_INPUT_STREAM(g_file_read(file, nullptr, &e));
    g_object_unref(file);
    if (!in) {
        if (error) *error = path + ": " + TakeMessage(e);
        return false;
    }
    unsigned char magic[2] = {};
    gsize got = 0;
    bool ok = g_input_stream_read_all(in, magic, 2, &got, nullptr, &e) &&
              g_seekable_seek(G_SEEKABLE(in), 0, G_SEEK_SET, nullptr, &e);
    GInputStream* source = in;
    if (ok && got == 2 && magic[0] == 0x1F && magic[1] == 0x8B) {
        GZlibDecompressor* gunzip = g_zlib_decompressor_new(G_ZLIB_COMPRESSOR_FORMAT_GZIP);
        source = g_converter_input_stream_new(in, G_CONVERTER(gunzip));
        g_object_unref(gunzip);
    }
    text->clear();
    char buffer[65536];
    while (ok) {
        gsize n = 0;
        ok = g_input_stream_read_all(source, buffer, sizeof buffer, &n, nullptr, &e);
        text->append(buffer, n);
        if (n < sizeof buffer) break;
    }
    if (source != in) g_object_unref(source);
    g_object_unref(in);
    if (!ok) {
        if (error) *error = path + ": " + TakeMessage(e);
        return false;
    }
    return true;
}

}  // namespace

Surface NewSurface(int width, int height) {
    return Surface(cairo_image_surface_create(CAIRO_FORMAT_ARGB32, width, height));
}

void CardOutlinePath(cairo_t* cr, double width, double height, double rx, double ry) {
    // A unit-radius rounded rectangle drawn in a scaled space gives elliptical corners.
    cairo_save(cr);
    cairo_new_path(cr);
    cairo_scale(cr, rx, ry);
    const double w = width / rx, h = height / ry;
    cairo_arc(cr, w - 1, 1, 1, -M_PI / 2, 0);
    cairo_arc(cr, w - 1, h - 1, 1, 0, M_PI / 2);
    cairo_arc(cr, 1, h - 1, 1, M_PI / 2, M_PI);
    cairo_arc(cr, 1, 1, 1, M_PI, 3 * M_PI / 2);
    cairo_close_path(cr);
    cairo_restore(cr);
}

std::unique_ptr<SvgDeck> SvgDeck::Load(const std::string& path, const std::string& reference,
                                       std::string* error) {
    GError* e = nullptr;
    RsvgHandle* handle = rsvg_handle_new_from_file(path.c_str(), &e);
    if (!handle) {
        if (error) *error = path + ": " + TakeMessage(e);
        return nullptr;
    }
    return Measured(handle, path, reference, error);
}

std::unique_ptr<SvgDeck> SvgDeck::LoadEdited(const std::string& path, const std::string& reference,
                                             const Edit& edit, std::string* error) {
    std::string svg;
    if (!ReadSvgText(path, &svg, error)) return nullptr;
    std::string why;
    if (!edit(&svg, &why)) {
        if (error) *error = path + ": " + why;
        return nullptr;
    }
    // Read from memory with the file as its base, as the file itself would be.
    GFile* base = g_file_new_for_path(path.c_str());
    GInputStream* in = g_memory_input_stream_new_from_data(svg.data(), gssize(svg.size()), nullptr);
    GError* e = nullptr;
    RsvgHandle* handle =
        rsvg_handle_new_from_stream_sync(in, base, RSVG_HANDLE_FLAGS_NONE, nullptr, &e);
    g_object_unref(in);
    g_object_unref(base);
    if (!handle) {
        if (error) *error = path + " (changed): " + TakeMessage(e);
        return nullptr;
    }
    return Measured(handle, path, reference, error);
}

std::unique_ptr<SvgDeck> SvgDeck::Measured(RsvgHandle* handle, const std::string& path,
                                           const std::string& reference, std::string* error) {
    GError* e = nullptr;
    std::unique_ptr<SvgDeck> deck(new SvgDeck);
    deck->handle_ = handle;
    // librsvg gives an element's ink rectangle from the origin of the element's own drawing,
    // and its logical rectangle (the outline without its stroke) within it; the stroke
    // reaches past the logical rectangle's right edge by the same half width it has on the
    // other three sides.
    RsvgRectangle ink, logical;
    if (!rsvg_handle_get_geometry_for_element(handle, ("#" + reference).c_str(), &ink, &logical,
                                              &e)) {
        if (error) *error = path + ": card \"" + reference + "\": " + TakeMessage(e);
        return nullptr;
    }
    deck->margin_ = std::max(0.0, (ink.x + ink.width) - (logical.x + logical.width));
    deck->cardW_ = logical.width + 2 * deck->margin_;
    deck->cardH_ = logical.height + 2 * deck->margin_;
    return deck;
}

SvgDeck::~SvgDeck() {
    if (handle_) g_object_unref(handle_);
}

Surface SvgDeck::Render(const std::string& id, int width, int height, double radius,
                        std::string* error, const Overlay& overlay) const {
    GError* e = nullptr;
    const std::string ref = "#" + id;
    RsvgRectangle ink, logical;
    if (!rsvg_handle_get_geometry_for_element(handle_, ref.c_str(), &ink, &logical, &e)) {
        if (error) *error = "card \"" + id + "\": " + TakeMessage(e);
        return nullptr;
    }
    // The card's outer edge: the logical rectangle (the outline without its stroke) grown
    // by the stroke. A figure may reach past the outline (the outline hides it; the Jack of
    // hearts of "Tigullio International" does), and then the card is looked for within it.
    double x = logical.x - margin_, y = logical.y - margin_;
    const double w = cardW_, h = cardH_;
    const double longX = logical.width + 2 * margin_ - w, longY = logical.height + 2 * margin_ - h;
    if (longX < -0.01 * w || longY < -0.01 * h) {
        if (error) *error = "card \"" + id + "\" is smaller than the deck's cards";
        return nullptr;
    }
    const double clear = radius + margin_ + 1;  // lines clear of the rounded corners
    if (longX > 0.01 * w)
        x = LocateAcross(handle_, ref, ink, true, y + clear, y + logical.height - clear, w);
    if (longY > 0.01 * h && !std::isnan(x))
        y = LocateAcross(handle_, ref, ink, false, x + clear, x + w - clear, h);
    if (std::isnan(x) || std::isnan(y)) {
        if (error) *error = "card \"" + id + "\": its outline was not found";
        return nullptr;
    }
    const double sx = width / w, sy = height / h;
    Surface surface = NewSurface(width, height);
    cairo_t* cr = cairo_create(surface.get());
    CardOutlinePath(cr, width, height, (radius + margin_) * sx, (radius + margin_) * sy);
    cairo_clip(cr);
    cairo_scale(cr, sx, sy);
    cairo_translate(cr, -x, -y);
    const RsvgRectangle viewport{0, 0, ink.width, ink.height};
    const bool ok = rsvg_handle_render_element(handle_, cr, ref.c_str(), &viewport, &e);
    if (ok && overlay) {
        cairo_identity_matrix(cr);
        cairo_scale(cr, sx, sy);
        cairo_new_path(cr);
        overlay(cr, w, h);
    }
    const cairo_status_t status = cairo_status(cr);
    cairo_destroy(cr);
    if (!ok) {
        if (error) *error = "card \"" + id + "\": " + TakeMessage(e);
        return nullptr;
    }
    if (status != CAIRO_STATUS_SUCCESS) {
        if (error) *error = "card \"" + id + "\": " + cairo_status_to_string(status);
        return nullptr;
    }
    return surface;
}

Surface DrawFrame(int width, int height, double rx, double ry, int density) {
    Surface surface = NewSurface(width, height);
    cairo_t* cr = cairo_create(surface.get());
    CardOutlinePath(cr, width, height, rx, ry);
    cairo_clip(cr);
    // Stroked on the outline and clipped to it, only the inner half of each band shows.
    cairo_set_source_rgb(cr, 0x10 / 255.0, 0x40 / 255.0, 0xC0 / 255.0);
    cairo_set_line_width(cr, 8 * density);
    CardOutlinePath(cr, width, height, rx, ry);
    cairo_stroke(cr);
    cairo_set_source_rgb(cr, 0x30 / 255.0, 0x80 / 255.0, 0xFF / 255.0);
    cairo_set_line_width(cr, 6 * density);
    CardOutlinePath(cr, width, height, rx, ry);
    cairo_stroke(cr);
    cairo_set_source_rgb(cr, 0x10 / 255.0, 0x40 / 255.0, 0xC0 / 255.0);
    cairo_set_line_width(cr, 2 * density);
    CardOutlinePath(cr, width, height, rx, ry);
    cairo_stroke(cr);
    cairo_destroy(cr);
    return surface;
}

}  // namespace tarrabel::art
