// Loading a BMP file as a picture in the table's 16-bit format.
#pragma once

#include <string>

#include "platform/surface.h"

namespace tarrabel::platform {

// Reads the BMP at `path` into `out` (its own size, RGB565, no colour key). Needs no display:
// the null platform loads its pictures the same way. On failure answers false with a
// message naming the file and the cause; `out` is left as it was.
bool LoadBmpPicture(const std::string& path, Surface* out, std::string* error);

}  // namespace tarrabel::platform
