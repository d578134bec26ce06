// The deck previews of the options dialog: a small fan of cards of each deck on the felt,
// drawn from the archive's own card pictures.
#pragma once

#include <array>
#include <string>

#include "platform/surface.h"

namespace tarrabel {

inline constexpr int kPreviewWidth = 330, kPreviewHeight = 190;

// The three previews in the order of the decks "Royal", "Roya2", "Roya3". A deck whose
// pictures cannot be read gets an empty picture.
std::array<platform::Surface, 3> MakeDeckPreviews(const std::string& pakPath);

}  // namespace tarrabel
