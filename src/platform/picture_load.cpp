#include "platform/picture_load.h"

#include <SDL.h>
#include <SDL_image.h>

#include <cstring>
#include <memory>

namespace tarrabel::platform {

namespace {

using SdlSurfacePtr = std::unique_ptr<SDL_Surface, decltype(&SDL_FreeSurface)>;

bool Fail(const std::string& path, std::string* error) {
    if (error) *error = "Cannot load the picture \"" + path + "\": " + SDL_GetError();
    return false;
}

// Converts a loaded BMP to the table's format; `name` names it in messages.
bool ToPicture(SdlSurfacePtr loaded, const std::string& path, Surface* out, std::string* error) {
    if (!loaded) return Fail(path, error);
    SdlSurfacePtr converted(SDL_ConvertSurfaceFormat(loaded.get(), SDL_PIXELFORMAT_RGB565, 0),
                            SDL_FreeSurface);
    if (!converted) return Fail(path, error);
    loaded.reset();

    Surface picture;
    picture.Width = converted->w;
    picture.Height = converted->h;
    picture.Pixels.resize(size_t(picture.Width) * size_t(picture.Height));
    if (SDL_MUSTLOCK(converted.get()) && SDL_LockSurface(converted.get()) != 0)
        return Fail(path, error);
    // Rows of the converted picture may be padded: copy them one by one.
    const auto* source = static_cast<const uint8_t*>(converted->pixels);
    for (int32_t y = 0; y < picture.Height; ++y)
        std::memcpy(picture.Row(y), source + size_t(y) * size_t(converted->pitch),
                    size_t(picture.Width) * sizeof(uint16_t));
    if (SDL_MUSTLOCK(converted.get())) SDL_UnlockSurface(converted.get());
    *out = std::move(picture);
    return true;
}

// Reads a BMP or a PNG from `rw` and closes it. A file that cannot be opened fails as a BMP,
// with the message the table has always given.
SdlSurfacePtr LoadAny(SDL_RWops* rw) {
    if (rw && IMG_isPNG(rw)) {
        SdlSurfacePtr png(IMG_LoadPNG_RW(rw), SDL_FreeSurface);
        if (!png) SDL_SetError("%s", IMG_GetError());
        SDL_RWclose(rw);
        return png;
    }
    return SdlSurfacePtr(SDL_LoadBMP_RW(rw, 1), SDL_FreeSurface);
}

}  // namespace

bool LoadBmpPicture(const std::string& path, Surface* out, std::string* error) {
    return ToPicture(SdlSurfacePtr(SDL_LoadBMP(path.c_str()), SDL_FreeSurface), path, out, error);
}

bool LoadBmpPictureFromMemory(const std::vector<uint8_t>& bytes, const std::string& name,
                              Surface* out, std::string* error) {
    SDL_RWops* rw = SDL_RWFromConstMem(bytes.data(), int(bytes.size()));
    return ToPicture(SdlSurfacePtr(rw ? SDL_LoadBMP_RW(rw, 1) : nullptr, SDL_FreeSurface), name,
                     out, error);
}

bool LoadPictureFile(const std::string& path, Surface* out, std::string* error) {
    return ToPicture(LoadAny(SDL_RWFromFile(path.c_str(), "rb")), path, out, error);
}

bool LoadPictureFromMemory(const std::vector<uint8_t>& bytes, const std::string& name, Surface* out,
                           std::string* error) {
    return ToPicture(LoadAny(SDL_RWFromConstMem(bytes.data(), int(bytes.size()))), name, out,
                     error);
}

}  // namespace tarrabel::platform
