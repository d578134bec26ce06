#include "platform/picture_convert.h"

#include <SDL.h>
#include <SDL_image.h>

#include <system_error>

namespace tarrabel::platform {

bool ConvertJpegToBmp(const std::filesystem::path& jpeg, const std::filesystem::path& bmp,
                      std::string* error) {
    SDL_RWops* in = SDL_RWFromFile(jpeg.c_str(), "rb");
    if (!in) {
        if (error) *error = "Cannot open \"" + jpeg.string() + "\": " + SDL_GetError();
        return false;
    }
    SDL_Surface* picture = IMG_isJPG(in) ? IMG_LoadJPG_RW(in) : nullptr;
    SDL_RWclose(in);
    if (!picture) {
        if (error) *error = jpeg.string().insert(0, 1, '"') + "\" is not a readable JPEG picture";
        return false;
    }
    const bool saved = SDL_SaveBMP(picture, bmp.c_str()) == 0;
    SDL_FreeSurface(picture);
    if (!saved) {
        if (error) *error = "Cannot write \"" + bmp.string() + "\": " + SDL_GetError();
        std::error_code ec;
        std::filesystem::remove(bmp, ec);
        return false;
    }
    return true;
}

}  // namespace tarrabel::platform
