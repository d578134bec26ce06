// Fonts for drawing text into the art, opened straight from the DejaVu TTF files (not through
// fontconfig's choice) and rendered without hinting, so the art has the same pixels on every
// machine that has the same font files.
#pragma once

#include <cairo.h>

#include <string>

namespace tarrabel::art {

inline constexpr const char* kDejaVuDir = "/usr/share/fonts/truetype/dejavu/";

// One TTF file as a Cairo font face. Answers false (with a message) when the file cannot be
// read; the face lives as long as the object.
class TtfFace {
  public:
    TtfFace() = default;
    ~TtfFace();
    TtfFace(const TtfFace&) = delete;
    TtfFace& operator=(const TtfFace&) = delete;

    // fileName inside the DejaVu folder, e.g. "DejaVuSerif-Bold.ttf".
    bool Open(const std::string& fileName, std::string* error);

    // Selects the face at a pixel size on the context, with unhinted grey antialiasing.
    void Use(cairo_t* cr, double pixelSize) const;

  private:
    cairo_font_face_t* face_ = nullptr;
};

// Ink extents of a UTF-8 text with the context's current font.
cairo_text_extents_t InkExtents(cairo_t* cr, const std::string& utf8);

// Draws a UTF-8 text with the middle of its ink at (cx, baseline y).
void ShowCentred(cairo_t* cr, const std::string& utf8, double cx, double baseline);

}  // namespace tarrabel::art
