#include "presentation/bitmap_font.h"

#include <cmath>

#include "platform/platform.h"

namespace tarrabel {

bool clsDXBitmapFont::CreateSpriteFromFile(platform::Platform& p, const std::string& strFile,
                                           int intWidth, int intHeight, int Colums,
                                           std::string* error) {
    SetCells(intWidth, intHeight, Colums);
    std::string why;
    if (p.LoadPicture(strFile, &dds, &why)) return true;
    if (error)
        *error =
            "Error in function clsDXBitmapFont.CreateSpriteFromFile() \r\nError Number: 53"
            "\r\n" +
            why;
    return false;
}

void clsDXBitmapFont::SetCells(int intWidth, int intHeight, int Colums) {
    width = intWidth;
    height = intHeight;
    columns_ = Colums > 0 ? Colums : 1;
}

void clsDXBitmapFont::SetTransColor(int color) {
    platform::SetSurfaceColorKey(dds, color);
}

platform::Rect clsDXBitmapFont::CellRect(int c) const {
    const int cell = c - 32;
    const int32_t left = (cell % columns_) * width, top = (cell / columns_) * height;
    return {left, top, left + width, top + height};
}

void clsDXBitmapFont::DrawText(platform::Surface& DstSurface, std::string_view sText, bool ColKey,
                               const platform::Rect& clip) const {
    const float a = float(Advance());
    for (size_t i = 0; i < sText.size(); ++i)
        DrawChar(DstSurface, int(static_cast<unsigned char>(sText[i])), XPos + a * float(i), ColKey,
                 clip);
}

void clsDXBitmapFont::DrawChar(platform::Surface& dst, int code, float x, bool ColKey,
                               const platform::Rect& clip) const {
    // A code below the space has no cell; one past the picture's last row is refused by
    // the blit, like any rectangle outside the picture.
    if (code < 32) return;
    // Halves round to even, as the rest of the table's positions do.
    const int32_t px = int32_t(std::lrint(x)), py = int32_t(std::lrint(YPos));
    platform::BltClip(dds, dst, CellRect(code), px, py, ColKey, clip);
}

}  // namespace tarrabel
