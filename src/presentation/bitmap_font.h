// A bitmap font: one picture holding a grid of equally sized character cells, copied cell
// by cell onto the table. The clock and the score page are written with these.
#pragma once

#include <cstdint>
#include <string>
#include <string_view>

#include "platform/surface.h"
#include "presentation/draw_list.h"

namespace tarrabel {

namespace platform {
class Platform;
}

class BitmapFont {  // clsDXBitmapFont
  public:
    float XPos = 0;                         // left edge of the first character
    float YPos = 0;                         // top edge of every character
    int32_t CellWidth = 0, CellHeight = 0;  // in table units (the 1x picture's pixels)
    platform::Surface Picture;              // the grid of cells, from the space on
    // Another font's grid drawn instead of Picture (left empty then): the score page's
    // lines are each a font of their own, all in the same hand, and at 3x a grid is near a
    // megabyte.
    const platform::Surface* SharedPicture = nullptr;
    const platform::Surface& Pixels() const { return SharedPicture ? *SharedPicture : Picture; }
    // Pixels of Picture per table unit: its cells are Density times CellWidth x CellHeight.
    int Density = 1;

    // Stores the cell geometry, then loads the font picture. False with a message in the
    // game's form ("Error in function clsDXBitmapFont.CreateSpriteFromFile() " ...) and the
    // loader's reason, naming the file, when it cannot.
    bool Load(platform::Platform& platform, const std::string& path, int cellWidth, int cellHeight,
              int columns, std::string* error);  // CreateSpriteFromFile
    // The cell geometry alone (Load stores it before it loads).
    void SetCells(int cellWidth, int cellHeight, int columns);
    // Which colour the cells leave out when they are drawn keyed.
    void SetTransparent(platform::ColorKey key);  // SetTransColor: 1 Black, 2 ArtKey

    // Draws `text` at (XPos, YPos); neighbouring characters overlap by two pixels. The
    // position is not advanced. `keyed`: the cells' key colour is left out.
    void DrawText(DrawList& list, std::string_view text, bool keyed) const;

    int32_t Advance() const { return CellWidth - 2; }
    int32_t Columns() const { return columns_; }
    // The rectangle of character code c (cell c - 32) in the picture at 1x, in table
    // units; may lie outside the picture.
    platform::Rect CellRect(int c) const;

  private:
    void DrawChar(DrawList& list, int code, float x, bool keyed) const;
    int32_t columns_ = 1;
};

}  // namespace tarrabel
