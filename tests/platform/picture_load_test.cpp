// Loading BMP pictures into the table's RGB565 format.
#include "platform/picture_load.h"

#include <SDL.h>
#include <gtest/gtest.h>

#include <memory>

#include "resources/pak_fixture.h"

namespace tarrabel::test {
namespace {

using platform::LoadBmpPicture;
using platform::Rgb565;
using platform::Surface;

struct Colour {
    uint8_t R, G, B;
};

// Writes a 24-bit BMP of width x height with the given colours row by row. An odd width
// pads the file's rows and the converted picture's rows alike.
void WriteBmp(const fs::path& path, int width, int height, const std::vector<Colour>& colours) {
    std::unique_ptr<SDL_Surface, decltype(&SDL_FreeSurface)> s(
        SDL_CreateRGBSurfaceWithFormat(0, width, height, 24, SDL_PIXELFORMAT_RGB24),
        SDL_FreeSurface);
    ASSERT_TRUE(s) << SDL_GetError();
    for (int y = 0; y < height; ++y)
        for (int x = 0; x < width; ++x) {
            const Colour c = colours[size_t(y * width + x)];
            uint8_t* p = static_cast<uint8_t*>(s->pixels) + y * s->pitch + x * 3;
            p[0] = c.R;
            p[1] = c.G;
            p[2] = c.B;
        }
    ASSERT_EQ(SDL_SaveBMP(s.get(), path.c_str()), 0) << SDL_GetError();
}

TEST(PictureLoad, EveryPixelArrivesInRgb565) {
    TempFolder tmp;
    const fs::path file = tmp.Path() / "card.bmp";
    const std::vector<Colour> colours = {
        {255, 0, 0},   {0, 255, 0}, {0, 0, 255},      // pure channels
        {255, 0, 255}, {0, 0, 0},   {255, 255, 255},  // the art's key, black, white
        {128, 64, 32}, {7, 3, 250}, {200, 100, 9},    // low bits dropped
    };
    WriteBmp(file, 3, 3, colours);
    Surface picture;
    std::string error;
    ASSERT_TRUE(LoadBmpPicture(file.string(), &picture, &error)) << error;
    ASSERT_EQ(picture.Width, 3);
    ASSERT_EQ(picture.Height, 3);
    ASSERT_EQ(picture.Pixels.size(), 9u);
    for (int y = 0; y < 3; ++y)
        for (int x = 0; x < 3; ++x) {
            const Colour c = colours[size_t(y * 3 + x)];
            EXPECT_EQ(picture.At(x, y), Rgb565(c.R, c.G, c.B)) << x << ", " << y;
        }
    EXPECT_EQ(picture.At(0, 1), platform::kArtKey565);
    EXPECT_FALSE(picture.HasKey);
}

TEST(PictureLoad, AFileThatCannotBeReadIsNamedAndLeavesThePictureAlone) {
    TempFolder tmp;
    const fs::path missing = tmp.Path() / "missing.bmp";
    const fs::path notBmp = tmp.Path() / "text.bmp";
    WriteFile(notBmp, Bytes("BM but not a picture"));
    for (const fs::path& path : {missing, notBmp}) {
        Surface picture;
        picture.Width = 2;
        picture.Height = 1;
        picture.Pixels = {1, 2};
        std::string error;
        EXPECT_FALSE(LoadBmpPicture(path.string(), &picture, &error));
        EXPECT_NE(error.find(path.string()), std::string::npos) << error;
        EXPECT_EQ(picture.Pixels, (std::vector<uint16_t>{1, 2}));
    }
}

}  // namespace
}  // namespace tarrabel::test
