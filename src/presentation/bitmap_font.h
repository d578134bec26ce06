// A bitmap font: one picture holding a grid of equally sized character cells, copied cell
// by cell onto the table. The clock and the score page are written with these.
#pragma once

#include <cstdint>
#include <string>
#include <string_view>

#include "platform/surface.h"

namespace tarrabel {

namespace platform {
class Platform;
}

class clsDXBitmapFont {
  public:
    float XPos = 0;  // left edge of the first character
    float YPos = 0;  // top edge of every character
    int32_t width = 0, height = 0;
    platform::Surface dds;

    // Stores the cell geometry, then loads the font picture. False with a message in the
    // game's form ("Error in function clsDXBitmapFont.CreateSpriteFromFile() " ...) when
    // the picture cannot be loaded.
    bool CreateSpriteFromFile(platform::Platform& p, const std::string& strFile, int intWidth,
                              int intHeight, int Colums, std::string* error);
    // The cell geometry alone (CreateSpriteFromFile stores it before it loads).
    void SetCells(int intWidth, int intHeight, int Colums);
    // 1: black is transparent, 2: the art's key colour; other values do nothing.
    void SetTransColor(int color = 2);

    // Draws sText at (XPos, YPos); neighbouring characters overlap by two pixels. The
    // position is not advanced.
    void DrawText(platform::Surface& DstSurface, std::string_view sText, bool ColKey,
                  const platform::Rect& clip) const;

    int32_t Advance() const { return width - 2; }
    int32_t Columns() const { return columns_; }
    // The picture rectangle of character code c (cell c - 32); may lie outside the picture.
    platform::Rect CellRect(int c) const;

  private:
    void DrawChar(platform::Surface& dst, int cell, float x, bool ColKey,
                  const platform::Rect& clip) const;
    int32_t columns_ = 1;
};

}  // namespace tarrabel
