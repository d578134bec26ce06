// The deck previews of the options dialog: a small fan of cards of each deck on the felt,
// drawn from the archive's own card pictures.
#pragma once

#include <array>
#include <string>
#include <vector>

#include "platform/surface.h"

namespace tarrabel {

inline constexpr int kPreviewWidth = 330, kPreviewHeight = 190;

// The three previews in the order of the decks "Royal", "Roya2", "Roya3". A deck whose
// pictures cannot be read gets an empty picture.
std::array<platform::Surface, 3> MakeDeckPreviews(const std::string& pakPath);

// The cards a preview of deck `deck` (0 "Royal", 1 "Roya2", 2 "Roya3") shows, in the order
// they are fanned, read straight from the archive at `density` (1, 2 or 3) and keyed: each
// density times its 1x size. A card that cannot be read is left out.
std::vector<platform::Surface> LoadPreviewCards(const std::string& pakPath, int deck, int density);

}  // namespace tarrabel
