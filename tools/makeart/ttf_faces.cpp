#include "ttf_faces.h"

#include <cairo-ft.h>
#include <ft2build.h>
#include FT_FREETYPE_H

namespace tarrabel::art {

namespace {

// FreeType is opened once for the whole run and kept until the tool ends.
FT_Library Library() {
    static FT_Library library = [] {
        FT_Library lib = nullptr;
        if (FT_Init_FreeType(&lib) != 0) lib = nullptr;
        return lib;
    }();
    return library;
}

const cairo_user_data_key_t kFaceKey{};

}  // namespace

TtfFace::~TtfFace() {
    if (face_) cairo_font_face_destroy(face_);  // releases the FT_Face through kFaceKey
}

bool TtfFace::Open(const std::string& fileName, std::string* error) {
    const std::string path = std::string(kDejaVuDir) + fileName;
    FT_Library lib = Library();
    FT_Face ft = nullptr;
    if (!lib || FT_New_Face(lib, path.c_str(), 0, &ft) != 0) {
        if (error) *error = path + ": cannot open the font";
        return false;
    }
    face_ = cairo_ft_font_face_create_for_ft_face(ft, FT_LOAD_NO_HINTING);
    // Cairo may keep the face in its caches past our last use; the FT_Face goes with it.
    if (cairo_font_face_set_user_data(face_, &kFaceKey, ft, [](void* p) {
            FT_Done_Face(static_cast<FT_Face>(p));
        }) != CAIRO_STATUS_SUCCESS) {
        cairo_font_face_destroy(face_);
        face_ = nullptr;
        FT_Done_Face(ft);
        if (error) *error = path + ": cannot use the font";
        return false;
    }
    return true;
}

void TtfFace::Use(cairo_t* cr, double pixelSize) const {
    cairo_set_font_face(cr, face_);
    cairo_set_font_size(cr, pixelSize);
    cairo_font_options_t* options = cairo_font_options_create();
    cairo_font_options_set_hint_style(options, CAIRO_HINT_STYLE_NONE);
    cairo_font_options_set_hint_metrics(options, CAIRO_HINT_METRICS_OFF);
    cairo_font_options_set_antialias(options, CAIRO_ANTIALIAS_GRAY);
    cairo_set_font_options(cr, options);
    cairo_font_options_destroy(options);
}

cairo_text_extents_t InkExtents(cairo_t* cr, const std::string& utf8) {
    cairo_text_extents_t e;
    cairo_text_extents(cr, utf8.c_str(), &e);
    return e;
}

void ShowCentred(cairo_t* cr, const std::string& utf8, double cx, double baseline) {
    const cairo_text_extents_t e = InkExtents(cr, utf8);
    cairo_move_to(cr, cx - e.x_bearing - e.width / 2, baseline);
    cairo_show_text(cr, utf8.c_str());
}

}  // namespace tarrabel::art
