// Picture conversions the resource unpacking needs, over SDL2_image.
#pragma once

#include <filesystem>
#include <string>

namespace tarrabel::platform {

// Decodes the JPEG `jpeg` and writes it as the BMP `bmp`, replacing any file there.
// Returns false with a message naming the file on failure; no BMP is left behind then.
// Fits the unpacking's PictureConverter.
bool ConvertJpegToBmp(const std::filesystem::path& jpeg, const std::filesystem::path& bmp,
                      std::string* error);

}  // namespace tarrabel::platform
