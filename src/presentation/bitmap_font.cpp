#include "presentation/bitmap_font.h"

#include <cmath>

#include "platform/platform.h"

namespace tarrabel {

bool BitmapFont::Load(platform::Platform& platform, const std::string& path, int cellWidth,
                      int cellHeight, int columns, std::string* error) {
    SetCells(cellWidth, cellHeight, columns);
    std::string why;
    if (platform.LoadPicture(path, &Picture, &why)) return true;
    // The game's message for a font it cannot load, in the form of all its loading errors
    // (53: a missing file), with the loader's reason naming the file.
    if (error)
        *error =
            "Error in function clsDXBitmapFont.CreateSpriteFromFile() \r\nError Number: 53"
            "\r\n" +
            why;
    return false;
}

void BitmapFont::SetCells(int cellWidth, int cellHeight, int columns) {
    CellWidth = cellWidth;
    CellHeight = cellHeight;
    columns_ = columns > 0 ? columns : 1;
}

void BitmapFont::SetTransparent(platform::ColorKey key) {
    platform::SetSurfaceColorKey(Picture, key);
}

platform::Rect BitmapFont::CellRect(int c) const {
    const int cell = c - 32;
    const int32_t left = (cell % columns_) * CellWidth, top = (cell / columns_) * CellHeight;
    return {left, top, left + CellWidth, top + CellHeight};
}

void BitmapFont::DrawText(DrawList& list, std::string_view text, bool keyed) const {
    const float a = float(Advance());
    for (size_t i = 0; i < text.size(); ++i)
        DrawChar(list, int(static_cast<unsigned char>(text[i])), XPos + a * float(i), keyed);
}

void BitmapFont::DrawChar(DrawList& list, int code, float x, bool keyed) const {
    // A code below the space has no cell; one past the picture's last row is refused by
    // the blit, like any rectangle outside the picture.
    if (code < 32) return;
    // Halves round to even, as the rest of the table's positions do.
    const int32_t px = int32_t(std::lrint(x)), py = int32_t(std::lrint(YPos));
    list.Add(Pixels(), CellRect(code), px, py, keyed);
}

}  // namespace tarrabel
