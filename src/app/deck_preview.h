// The deck previews of the options dialog: a small fan of cards of each deck on the felt,
// drawn from the archive's own card pictures.
#pragma once

#include <array>
#include <string>
#include <vector>

#include "platform/surface.h"

namespace tarrabel {

inline constexpr int kPreviewWidth = 330, kPreviewHeight = 190;

// The density to compose the previews at when the dialog is drawn `scale` output pixels per
// layout unit: the smallest with at least as many pixels as the preview covers, so it is
// only ever scaled down (and past 3x the 3x one is scaled up).
int PreviewDensity(float scale);

// The three previews in the order of the decks "Royal", "Roya2", "Roya3", composed at
// `density` (1, 2 or 3) from the cards of that density: kPreviewWidth x kPreviewHeight times
// the density, the 1x fan with every position multiplied; with `fourColour`, the club and
// the diamond in their four-colour inks. A deck whose pictures cannot be read, or a density
// there is no art for, gets an empty picture.
std::array<platform::Surface, 3> MakeDeckPreviews(const std::string& pakPath, int density,
                                                  bool fourColour = false);

// The cards a preview of deck `deck` (0 "Royal", 1 "Roya2", 2 "Roya3") shows, in the order
// they are fanned, read straight from the archive at `density` (1, 2 or 3) and keyed: each
// density times its 1x size. A card that cannot be read is left out.
std::vector<platform::Surface> LoadPreviewCards(const std::string& pakPath, int deck, int density,
                                                bool fourColour = false);

}  // namespace tarrabel
