// Loading a picture file (the 1x art's BMP, or the PNG of a sharper set) as a picture in the
// table's 16-bit format.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include "platform/surface.h"

namespace tarrabel::platform {

// Reads the BMP at `path` into `out` (its own size, RGB565, no colour key). Needs no display:
// the null platform loads its pictures the same way. On failure answers false with a
// message naming the file and the cause; `out` is left as it was.
bool LoadBmpPicture(const std::string& path, Surface* out, std::string* error);

// The same for a BMP held in memory (an archive entry); `name` names it in messages.
bool LoadBmpPictureFromMemory(const std::vector<uint8_t>& bytes, const std::string& name,
                              Surface* out, std::string* error);

// Reads a BMP or a PNG, told apart by their first bytes, the same way: the platforms load
// the table's pictures with this, whichever density's set they come from.
bool LoadPictureFile(const std::string& path, Surface* out, std::string* error);
bool LoadPictureFromMemory(const std::vector<uint8_t>& bytes, const std::string& name, Surface* out,
                           std::string* error);

}  // namespace tarrabel::platform
