#include "app/deck_preview.h"

#include <cmath>
#include <map>
#include <string_view>
#include <vector>

#include "platform/letterbox.h"
#include "platform/picture_load.h"
#include "resources/density_names.h"
#include "resources/four_colour_names.h"
#include "resources/pak_archive.h"
#include "resources/unpack.h"

namespace tarrabel {

namespace {

// A hand a player would be glad to hold: the Ace, King, Queen and Jack of four suits and a
// joker-free Ten, fanned from the left.
constexpr std::string_view kPreviewCards[] = {"10D.BMP", "JC.BMP", "QH.BMP", "KS.BMP", "AH.BMP"};
constexpr std::string_view kDeckPrefixes[3] = {"Xoyal_", "Xoya2_", "Xoya3_"};
constexpr uint16_t kPreviewFelt = platform::Rgb565(24, 82, 54);

std::string Trimmed(std::string name) {
    while (!name.empty() && (name.back() == ' ' || name.back() == '\0'))
        name.pop_back();
    return name;
}

// The archive's entries by their trimmed names.
std::map<std::string, int32_t> IndexEntries(const PakArchive& pak) {
    std::map<std::string, int32_t> index;
    for (int32_t i = 0; i < pak.EntryCount(); ++i)
        index[Trimmed(pak.EntryName(i))] = i;
    return index;
}

std::vector<platform::Surface> ReadPreviewCards(PakArchive& pak,
                                                const std::map<std::string, int32_t>& index,
                                                int deck, int density, bool fourColour) {
    std::vector<platform::Surface> cards;
    if (deck < 0 || deck >= 3 || !IsDensity(density)) return cards;
    for (std::string_view card : kPreviewCards) {
        const std::string name =
            DensityPictureName(SuitColourPictureName(card, fourColour), density);
        const auto it = index.find(std::string(kDeckPrefixes[deck]) + name);
        std::vector<uint8_t> bytes;
        platform::Surface picture;
        if (it == index.end() || !pak.ReadEntry(it->second, &bytes) ||
            !platform::LoadPictureFromMemory(bytes, name, &picture, nullptr))
            continue;
        platform::SetSurfaceColorKey(picture, platform::ColorKey::ArtKey);
        cards.push_back(std::move(picture));
    }
    return cards;
}

}  // namespace

int PreviewDensity(float scale) {
    return platform::DensityFor(int32_t(std::lround(float(kPreviewWidth) * scale)),
                                int32_t(std::lround(float(kPreviewHeight) * scale)), kPreviewWidth,
                                kPreviewHeight);
}

std::vector<platform::Surface> LoadPreviewCards(const std::string& pakPath, int deck, int density,
                                                bool fourColour) {
    PakArchive pak;
    if (!pak.Open(pakPath)) return {};
    return ReadPreviewCards(pak, IndexEntries(pak), deck, density, fourColour);
}

std::array<platform::Surface, 3> MakeDeckPreviews(const std::string& pakPath, int density,
                                                  bool fourColour) {
    std::array<platform::Surface, 3> previews;
    PakArchive pak;
    if (!IsDensity(density) || !pak.Open(pakPath)) return previews;
    const std::map<std::string, int32_t> index = IndexEntries(pak);

    const int width = kPreviewWidth * density, height = kPreviewHeight * density;
    for (int deck = 0; deck < 3; ++deck) {
        platform::Surface preview = platform::MakeSurface(width, height, kPreviewFelt);
        const platform::Rect clip{0, 0, width, height};
        int x = 12 * density;
        bool any = false;
        for (const platform::Surface& picture :
             ReadPreviewCards(pak, index, deck, density, fourColour)) {
            platform::BltClip(picture, preview, {}, x, (height - picture.Height) / 2, true, clip);
            x += 50 * density;
            any = true;
        }
        if (any) previews[size_t(deck)] = std::move(preview);
    }
    return previews;
}

}  // namespace tarrabel
